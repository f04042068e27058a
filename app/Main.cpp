#include "app/Main.h"

#include "app/ClockPlacement.h"
#include "app/Windows.h"
#include "clock/frmClock.h"
#include "controls/WindowHelpers.h"
#include "core/AppState.h"
#include "core/CenterMath.h"
#include "core/NumericValue.h"
#include "core/Paths.h"
#include "core/Settings.h"
#include "menu/frmMenu.h"
#include "platform/SingleInstance.h"

#include <QAction>
#include <QFileInfo>

void InitProgramPaths(AppState& state, const QString& programFile)
{
    state.ProgramDir = QFileInfo(programFile).absolutePath();
    AddBackslash(state.ProgramDir);
    state.ExeName = exeNameOf(programFile);
}

void InitSettingsPaths(AppState& state, const QString& userConfigDir)
{
    state.AppTitle = QStringLiteral("Marvane Glimmora");
    const QString beside = settingsFileFor(GetLongPath(state.ProgramDir), state.ExeName);
    const SettingsLocation where = chooseSettingsLocation(beside, userConfigDir);
    state.SettingsFile = where.file;
    state.SettingsFallback = where.fallback;
    state.SkinsDir = state.ProgramDir + QStringLiteral("Skins/");
}

bool Main(AppState& state, Windows& windows, platform::SingleInstance& instance,
          const QString& programFile, const QString& userConfigDir)
{
    if (!instance.acquire()) {
        return false;
    }
    InitProgramPaths(state, programFile);
    InitSettingsPaths(state, userConfigDir);
    // Nothing writes the settings before the last key is read here.
    const IniFile settings = ReadSettingsFile(state);
    state.SkinName = settings.read(QStringLiteral("Skin"), QString());
    const QString x = settings.read(QStringLiteral("X"), QString());
    const QString y = settings.read(QStringLiteral("Y"), QString());

    frmClock& clock = windows.clock();
    clock.Form_Load();

    // Placed before its first show, so it never appears at a default place.
    std::optional<QPoint> saved;
    if (!x.isEmpty() || !y.isEmpty()) {
        int left = 0;
        int top = 0;
        toInt32(Val(x) / TwipsPerPixel, left);
        toInt32(Val(y) / TwipsPerPixel, top);
        saved = QPoint(left, top);
    }
    placeClockAtStart(clock, saved);
    clock.show();

    // The menu's check marks follow the modes from here on.
    frmMenu& menu = windows.menu();
    ClockCore& core = state.core;
    core.restore(ClockCore::Standby, settings.read(QStringLiteral("StandBy"), QStringLiteral("0")));
    core.restore(ClockCore::OnTop, settings.read(QStringLiteral("OnTop"), QStringLiteral("0")));
    core.restore(ClockCore::Saver, settings.read(QStringLiteral("Saver"), QStringLiteral("0")));
    core.restore(ClockCore::Alarm, settings.read(QStringLiteral("Alarm"), QStringLiteral("0")));

    core.setAlarmTime(
        alarmTimeFromFile(settings.read(QStringLiteral("A-Hour"), QStringLiteral("99")),
                          settings.read(QStringLiteral("A-Mins"), QStringLiteral("99"))));
    toInt16(Val(settings.read(QStringLiteral("SendKey"), QStringLiteral("120"))),
            state.SendKeyCode);
    toInt16(Val(settings.read(QStringLiteral("ShowSaver"), QStringLiteral("0"))), state.ShowSaver);

    const bool showSaver = state.ShowSaver != 0;
    menu.showSaverEntries(showSaver);
    return true;
}
