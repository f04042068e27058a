// Test host: the clock and one dialog of the program on a real X display,
// with fake sound and keys.
//   dialoghost <program dir> notice|keys|skins   opened as the menu opens them
//   dialoghost <program dir> late                the alarm dialog placed as
//       where the window manager cannot tell its frame in advance

#include "alarm/AlarmDialog.h"
#include "app/ClockPlacement.h"
#include "app/Windows.h"
#include "clock/ClockWindow.h"
#include "controls/FramePlacement.h"
#include "controls/WindowHelpers.h"
#include "core/AppState.h"
#include "core/ClockCore.h"
#include "core/SettingsWriter.h"
#include "platform/dummy/DummyKeyInjector.h"
#include "platform/dummy/DummySoundOutput.h"

#include <QApplication>
#include <QDateTime>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    platform::DummySoundOutput sound;
    platform::DummyKeyInjector keys;
    AppState state(Services{sound, keys, [] { return QDateTime::currentMSecsSinceEpoch(); }});
    state.programDir = args.value(1) + QLatin1Char('/');
    state.skinsDir = state.programDir + QStringLiteral("Skins/");
    ClockCore core;
    Windows windows(state, core);
    SettingsWriter writer(state, core, [&windows] { return windows.clock().pos(); });
    writer.followChanges();
    ClockWindow& clock = windows.clock();
    clock.loadFace();
    placeClockAtStart(clock, std::nullopt);
    clock.show();

    const QString dialog = args.value(2);
    if (dialog == QLatin1String("notice")) {
        windows.showNotice();
    } else if (dialog == QLatin1String("keys")) {
        windows.showKeyStroke();
    } else if (dialog == QLatin1String("skins")) {
        windows.showSkins();
    } else if (dialog == QLatin1String("late")) {
        auto* alarm = new AlarmDialog(state, core);
        centreByOuterSize(alarm, screenRects().value(0), nullptr);
        alarm->show();
    } else {
        return 2;
    }
    return QApplication::exec();
}
