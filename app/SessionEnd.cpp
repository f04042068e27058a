#include "app/SessionEnd.h"

#include "app/Forms.h"
#include "core/AppState.h"
#include "menu/frmMenu.h"
#include "platform/SessionEnd.h"

#include <QApplication>

int RunUntilSessionEnds(AppState& state)
{
    frmMenu& menu = Menu(state);
    const platform::SessionEnd sessionEnd([&menu] { menu.mnuExit_Click(); });
    const auto save = [&menu] { emit menu.saveRequested(); };
    QObject::connect(qApp, &QGuiApplication::commitDataRequest, &menu, save);
    QObject::connect(qApp, &QGuiApplication::saveStateRequest, &menu, save);
    const int code = QApplication::exec();
    // Only a session manager's "die" ends the loop.
    menu.mnuExit_Click();
    return code;
}
