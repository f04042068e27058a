#include "app/SessionEnd.h"

#include "app/ProgramEnd.h"
#include "platform/session/SessionEnd.h"

#include <QApplication>

int runUntilSessionEnds(ProgramEnd& end)
{
    const platform::SessionEnd sessionEnd([&end] { end.end(); });
    const auto save = [&end] { end.save(); };
    QObject::connect(qApp, &QGuiApplication::commitDataRequest, &end, save);
    QObject::connect(qApp, &QGuiApplication::saveStateRequest, &end, save);
    const int code = QApplication::exec();
    // Only a session manager's "die" ends the loop.
    end.end();
    return code;
}
