#pragma once

// One key at a time through the program's own settings reader and writer,
// for tests that set up or look into a settings or skin file.
#include "core/Settings.h"
#include "platform/files/ProfileFile.h"

#include <QFile>
#include <QString>

// The value of `key` in `section` of `file`, or `defaultValue` where it is
// missing, empty or unreadable.
inline QString ReadIni(const QString& section, const QString& key, const QString& file,
                       const QString& defaultValue)
{
    return IniFile(file, section).read(key, defaultValue);
}

inline void WriteIni(const QString& section, const QString& key, const QString& value,
                     const QString& file)
{
    platform::writeProfileString(QFile::encodeName(section), QFile::encodeName(key),
                                 QFile::encodeName(value), file);
}

// The running program's settings, with the fall-through to the file beside
// the program while a per-user copy does not exist yet.
inline QString ReadSetting(const AppState& state, const QString& key, const QString& defaultValue)
{
    return readSettingsFile(state).read(key, defaultValue);
}

inline void WriteSetting(const AppState& state, const QString& key, const QString& value)
{
    writeSettings(state, {{key, value}});
}
