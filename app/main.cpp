#include "app/CommandLine.h"
#include "app/ProgramEnd.h"
#include "app/SessionEnd.h"
#include "app/StartChecks.h"
#include "app/StartUp.h"
#include "app/Windows.h"
#include "clock/ClockWindow.h"
#include "core/AppState.h"
#include "core/ClockCore.h"
#include "core/SettingsWriter.h"
#include "core/Sound.h"
#include "platform/Backends.h"
#include "platform/dbus/SessionBusProbe.h"
#include "platform/desktop/WindowFront.h"
#include "platform/files/ProgramFile.h"
#include "platform/ice/SessionManagerGuard.h"
#include "platform/session/FrontRequests.h"
#include "platform/session/SessionEnd.h"
#include "platform/session/SingleInstance.h"
#include "platform/session/TimerSlack.h"

#include <QApplication>
#include <QDateTime>
#include <QIcon>
#include <QStandardPaths>
#include <QWindow>
#include <csignal>
#include <optional>

int main(int argc, char* argv[])
{
    // A reader gone from a pipe (stdout, stderr) is a write error, not the end.
    std::signal(SIGPIPE, SIG_IGN);
    if (const std::optional<int> answered = answerCommandLine(argc, argv)) {
        return *answered;
    }
    platform::useOwnTimerSlack();
    platform::preferX11Platform();
    if (!displayReachable(argc, argv)) {
        return ExitFailure;
    }
    // A silent bus would keep the window from ever appearing.
    platform::leaveSilentSessionBus(std::chrono::milliseconds(500));
    // Qt joins the session manager inside its constructor.
    platform::leaveDeafSessionManager(std::chrono::milliseconds(500));
    platform::keepRunningWhenSessionManagerDies();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("glimmora"));
    // The menu entry's name: Wayland's app id, and what the desktop portal
    // knows the clock by (X11 desktops go by StartupWMClass).
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.glimmora"));
    QApplication::setQuitOnLastWindowClosed(false);
    // The menu entry's icon, for window lists and task bars.
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128}) {
        icon.addFile(QStringLiteral(":/builtin/icon-%1.png").arg(size));
    }
    QApplication::setWindowIcon(icon);

    const platform::ProgramFile& program = platform::runningProgramFile();
    const QString& programFile = program.path;
    platform::SingleInstance instance(program.bytes);

    auto sound = platform::makeSoundOutput();
    auto keys = platform::makeKeyInjector();
    auto idle = platform::makeIdleInhibitor();
    auto desktop = platform::makeDesktopLayer();
    AppState state(Services{*sound, *keys, [] { return QDateTime::currentMSecsSinceEpoch(); },
                            idle.get(), desktop.get()});

    // The clock's state: the modes, the tick, the stored choices.
    ClockCore core;
    connectAlarmSound(core, state);
    Windows windows(state, core);
    SettingsWriter writer(state, core, [&windows] { return windows.clock().pos(); });
    const QString configDir =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    const QString frontSocket = instance.siblingPath("sock");
    // Caught before the window shows, so a signal that comes as it appears
    // still saves; no event runs before the loop, where the end is made.
    std::optional<ProgramEnd> programEnd;
    const platform::SessionEnd sessionEnd([&programEnd] {
        if (programEnd) {
            programEnd->end();
        }
    });
    if (!startClock(state, core, windows, writer, instance, programFile,
                    configDir.isEmpty() ? QString() : configDir + QStringLiteral("/glimmora"),
                    program.folder)) {
        // Another clock runs: it comes to the front, and this start ends.
        platform::FrontRequests::ask(frontSocket, std::chrono::seconds(1));
        return 0;
    }
    programEnd.emplace(writer, windows, instance);
    platform::FrontRequests front(frontSocket, [&windows] {
        if (QWindow* window = windows.clock().windowHandle()) {
            platform::bringToFront(*window);
        }
    });
    return runUntilSessionEnds(*programEnd);
}
