#pragma once

#include <QString>

struct AppState;
class ClockCore;
class SettingsWriter;
class Windows;
namespace platform {
class SingleInstance;
}

// The start-up sequence: the lock, the paths, the settings read once, the
// clock loaded, placed and shown, the options restored; then the writer
// follows every change. Returns false when another copy already runs and
// this one must end at once, silently.
bool startClock(AppState& state, ClockCore& core, Windows& windows, SettingsWriter& writer,
                platform::SingleInstance& instance, const QString& programFile,
                const QString& userConfigDir);

// The program directory from the program file, ending in "/".
void setProgramPaths(AppState& state, const QString& programFile);

// appTitle, settingsFile (with its per-user fall-back) and skinsDir.
void setSettingsPaths(AppState& state, const QString& programFile, const QString& userConfigDir);
