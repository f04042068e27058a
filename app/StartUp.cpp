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
#include "core/SettingsWriter.h"
#include "platform/session/SingleInstance.h"
#include "skin/SkinFolders.h"

#include <QFileInfo>
#include <QStandardPaths>

void setProgramPaths(AppState& state, const QString& programFile)
{
    state.programDir = QFileInfo(programFile).absolutePath();
    ensureTrailingSlash(state.programDir);
}

void setSettingsPaths(AppState& state, const QString& programFile, const QString& userConfigDir)
{
    const SettingsLocation where = chooseSettingsLocation(programFile, userConfigDir);
    state.settingsFile = where.file;
    state.settingsFallback = where.fallback;
    state.skinsDir = state.programDir + QStringLiteral("Skins/");
    state.dataSkinsDirs =
        dataSkinsFolders(QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation));
}

bool startClock(AppState& state, ClockCore& core, Windows& windows, SettingsWriter& writer,
                platform::SingleInstance& instance, const QString& programFile,
                const QString& userConfigDir)
{
    if (!instance.acquire()) {
        return false;
    }
    setProgramPaths(state, programFile);
    setSettingsPaths(state, programFile, userConfigDir);
    // Nothing writes the settings before the last key is read here.
    const IniFile file = readSettingsFile(state);
    const StoredSettings settings(file);
    core.setSkinName(settings.read(SettingKeys::Skin));

    ClockWindow& clock = windows.clock();
    clock.loadFace();

    // Placed before its first show, so it never appears at a default place.
    placeClockAtStart(clock, settings.position());
    clock.show();

    for (const OptionRow& row : optionRows) {
        core.restore(row.option, settings.read(row.key));
    }

    core.setAlarmTime(settings.alarmTime());
    // A number beyond 16 bits leaves the value as it was.
    if (const auto keyCode = settings.read(SettingKeys::SendKey)) {
        core.setKeyCode(*keyCode);
    }
    if (const auto showSaver = settings.read(SettingKeys::ShowSaver)) {
        core.setShowSaver(*showSaver);
    }
    writer.followChanges();
    return true;
}
