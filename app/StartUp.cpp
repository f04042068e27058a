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

void setProgramPaths(AppState& state, const QString& programFile, const QString& programFolder)
{
    state.programDir = programFolder;
    if (state.programDir.isEmpty()) {
        state.programDir = QFileInfo(programFile).absolutePath();
        ensureTrailingSlash(state.programDir);
    }
}

void setSettingsPaths(AppState& state, const QString& programFile, const QString& userConfigDir)
{
    const SettingsLocation where = chooseSettingsLocation(programFile, userConfigDir);
    // A file beside the program is reached through the folder as the program
    // holds it: moved, the settings go along; removed, it is not made again.
    QString besideProgram = QFileInfo(programFile).absolutePath();
    ensureTrailingSlash(besideProgram);
    const auto held = [&](const QString& file) {
        return file.startsWith(besideProgram) && !file.mid(besideProgram.size()).contains(u'/')
                   ? state.programDir + file.mid(besideProgram.size())
                   : file;
    };
    state.settingsFile = held(where.file);
    state.settingsFallback = held(where.fallback);
    state.skinsDir = state.programDir + QStringLiteral("Skins/");
    state.dataSkinsDirs =
        dataSkinsFolders(QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation));
}

bool startClock(AppState& state, ClockCore& core, Windows& windows, SettingsWriter& writer,
                platform::SingleInstance& instance, const QString& programFile,
                const QString& userConfigDir, const QString& programFolder)
{
    if (!instance.acquire()) {
        return false;
    }
    setProgramPaths(state, programFile, programFolder);
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

    core.alarm().setTime(settings.alarmTime());
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
