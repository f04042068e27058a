#include "app/StartUp.h"

#include "app/ClockPlacement.h"
#include "app/Windows.h"
#include "clock/ClockWindow.h"
#include "controls/WindowHelpers.h"
#include "core/AppState.h"
#include "core/ClockCore.h"
#include "core/Paths.h"
#include "core/Settings.h"
#include "core/SettingsKeys.h"
#include "menu/ClockMenu.h"
#include "platform/session/SingleInstance.h"
#include "skin/SkinFolders.h"

#include <QAction>
#include <QFileInfo>
#include <QStandardPaths>

void InitProgramPaths(AppState& state, const QString& programFile)
{
    state.programDir = QFileInfo(programFile).absolutePath();
    AddBackslash(state.programDir);
    state.exeName = exeNameOf(programFile);
}

void InitSettingsPaths(AppState& state, const QString& programFile, const QString& userConfigDir)
{
    const SettingsLocation where = chooseSettingsLocation(programFile, userConfigDir);
    state.settingsFile = where.file;
    state.settingsFallback = where.fallback;
    state.skinsDir = state.programDir + QStringLiteral("Skins/");
    state.dataSkinsDirs =
        dataSkinsFolders(QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation));
}

bool Main(AppState& state, ClockCore& core, Windows& windows, platform::SingleInstance& instance,
          const QString& programFile, const QString& userConfigDir)
{
    if (!instance.acquire()) {
        return false;
    }
    InitProgramPaths(state, programFile);
    InitSettingsPaths(state, programFile, userConfigDir);
    // Nothing writes the settings before the last key is read here.
    const IniFile file = ReadSettingsFile(state);
    const StoredSettings settings(file);
    core.setSkinName(settings.read(SettingKeys::Skin));

    ClockWindow& clock = windows.clock();
    clock.loadFace();

    // Placed before its first show, so it never appears at a default place.
    placeClockAtStart(clock, settings.position());
    clock.show();

    // The menu's check marks follow the modes from here on.
    ClockMenu& menu = windows.menu();
    core.restore(ClockCore::Standby, settings.read(SettingKeys::StandBy));
    core.restore(ClockCore::OnTop, settings.read(SettingKeys::OnTop));
    core.restore(ClockCore::Saver, settings.read(SettingKeys::Saver));
    core.restore(ClockCore::Alarm, settings.read(SettingKeys::Alarm));

    core.alarm().setTime(settings.alarmTime());
    // A number beyond 16 bits leaves the value as it was.
    if (const auto keyCode = settings.read(SettingKeys::SendKey)) {
        core.setKeyCode(*keyCode);
    }
    if (const auto showSaver = settings.read(SettingKeys::ShowSaver)) {
        core.setShowSaver(*showSaver);
    }

    menu.showSaverEntries(core.saverEntriesShown());
    return true;
}
