#include "app/SessionEnd.h"

#include "app/Windows.h"
#include "menu/frmMenu.h"
#include "platform/SessionEnd.h"

#include <QApplication>

int RunUntilSessionEnds(Windows& windows)
{
    frmMenu& menu = windows.menu();
    const platform::SessionEnd sessionEnd([&menu] { menu.mnuExit_Click(); });
    const auto save = [&menu] { emit menu.saveRequested(); };
    QObject::connect(qApp, &QGuiApplication::commitDataRequest, &menu, save);
    QObject::connect(qApp, &QGuiApplication::saveStateRequest, &menu, save);
    const int code = QApplication::exec();
    // Only a session manager's "die" ends the loop.
    menu.mnuExit_Click();
    return code;
}
