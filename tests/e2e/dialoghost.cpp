// Test host for the placement end-to-end test: the clock and one dialog of the
// program on a real X display, with fake sound and keys.
//
//   dialoghost <program dir> notice|keys|skins|alarm
//       the clock centred, then the dialog opened as the menu opens it.
//   dialoghost <program dir> late
//       the alarm dialog centred as where the window manager cannot tell its
//       frame in advance: placed by its inside, corrected once shown.

#include "alarm/frmAlarm.h"
#include "app/AppState.h"
#include "app/ClockPlacement.h"
#include "app/Forms.h"
#include "app/FramePlacement.h"
#include "app/WindowHelpers.h"
#include "clock/frmClock.h"
#include "platform/dummy/DummyKeyInjector.h"
#include "platform/dummy/DummySoundOutput.h"

#include <QApplication>
#include <QDateTime>
#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    const QStringList args = QApplication::arguments();
    if (args.size() != 3) {
        std::fputs("usage: dialoghost <program dir> notice|keys|skins|alarm|late\n", stderr);
        return 2;
    }
    platform::DummySoundOutput sound;
    platform::DummyKeyInjector keys;
    AppState state(Services{sound, keys, [] { return QDateTime::currentSecsSinceEpoch(); }});
    state.ProgramDir = args.at(1) + QLatin1Char('/');
    state.SettingsFile = state.ProgramDir + QStringLiteral("glimmora.ini");
    state.SkinsDir = state.ProgramDir + QStringLiteral("Skins/");

    frmClock& clock = Clock(state);
    clock.Form_Load();
    placeClockAtStart(clock, std::nullopt);
    clock.show();

    const QString dialog = args.at(2);
    if (dialog == QLatin1String("notice")) {
        ShowMessageWindow(state);
    } else if (dialog == QLatin1String("keys")) {
        ShowKeyStrokeWindow(state);
    } else if (dialog == QLatin1String("skins")) {
        ShowSkinsWindow(state);
    } else if (dialog == QLatin1String("alarm")) {
        ShowAlarmWindow(state);
    } else if (dialog == QLatin1String("late")) {
        auto* alarm = new frmAlarm(state);
        centreByOuterSize(alarm, screenRects().value(0), nullptr);
        alarm->show();
    } else {
        return 2;
    }
    return QApplication::exec();
}
