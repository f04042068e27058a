#pragma once

#include <QString>

struct AppState;

// The private-profile procedures: `ReadIni` gives `defaultValue` where the key
// is missing, empty or unreadable; `WriteIni` reports nothing.
QString ReadIni(const QString& section, const QString& key, const QString& file,
                const QString& defaultValue);
void WriteIni(const QString& section, const QString& key, const QString& value,
              const QString& file);

// The settings file of the running program: section AppTitle, file
// SettingsFile, with the fall-through to the file beside the program while a
// per-user copy does not exist yet.
QString ReadSetting(const AppState& state, const QString& key, const QString& defaultValue);
void WriteSetting(const AppState& state, const QString& key, const QString& value);

// Where the settings live, decided once at start-up: the file beside the
// program when it can be written (it exists and is writable, or it does not
// exist and its directory is writable); otherwise the file of the same name in
// `userConfigDir`, reading through to the one beside the program until the
// first write copies it there.
struct SettingsLocation
{
    QString file;
    QString fallback;
};
SettingsLocation chooseSettingsLocation(const QString& besideProgram, const QString& userConfigDir);
