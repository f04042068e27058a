#pragma once

#include <QString>

struct AppState;
class ClockCore;
class Windows;
namespace platform {
class SingleInstance;
}

// The start-up sequence. Returns false when another copy already runs and
// this one must end at once, silently.
bool Main(AppState& state, ClockCore& core, Windows& windows, platform::SingleInstance& instance,
          const QString& programFile, const QString& userConfigDir,
          const QString& programFolder = {});

// Program paths from the program file: programDir (ending in "/"; the folder
// as the program holds it where given) and exeName.
void InitProgramPaths(AppState& state, const QString& programFile,
                      const QString& programFolder = {});

// appTitle, settingsFile (with its per-user fall-back) and skinsDir.
void InitSettingsPaths(AppState& state, const QString& programFile, const QString& userConfigDir);
