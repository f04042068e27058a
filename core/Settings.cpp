#include "core/Settings.h"

#include "core/AppState.h"
#include "platform/ProfileFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <unistd.h>

namespace {

// Settings and skin files are bytes; file names on Linux are bytes too, so
// values are taken in the same encoding as file names.
QByteArray bytes(const QString& s)
{
    return QFile::encodeName(s);
}

QString text(const QByteArray& b)
{
    return QFile::decodeName(b);
}

bool writable(const QString& path)
{
    return ::access(QFile::encodeName(path).constData(), W_OK) == 0;
}

} // namespace

IniFile::IniFile(const QString& path, const QString& section)
    : m_entries(platform::profileSection(platform::readProfileFile(path), bytes(section).toUpper()))
{}

QString IniFile::read(const QString& key, const QString& defaultValue) const
{
    const QByteArray value = platform::profileValue(m_entries, bytes(key).toUpper());
    return value.isEmpty() ? defaultValue : text(value);
}

namespace {

// Where reads go: the file beside the program while the per-user copy does
// not exist yet.
const QString& readableSettings(const AppState& state)
{
    return (!state.SettingsFallback.isEmpty() && !QFileInfo::exists(state.SettingsFile))
               ? state.SettingsFallback
               : state.SettingsFile;
}

// First write of a per-user copy: start from the file beside the program,
// byte for byte, so unknown keys and comments come along.
void makeUserCopy(const AppState& state)
{
    if (state.SettingsFallback.isEmpty() || QFileInfo::exists(state.SettingsFile)) {
        return;
    }
    QDir().mkpath(QFileInfo(state.SettingsFile).absolutePath());
    // Only a regular file is copied, within the user's umask; anything else
    // counts as missing and the write starts a file of its own.
    platform::copyProfileFile(state.SettingsFallback, state.SettingsFile);
}

} // namespace

IniFile ReadSettingsFile(const AppState& state)
{
    return IniFile(readableSettings(state), state.AppTitle);
}

void WriteSettings(const AppState& state, const QList<QPair<QString, QString>>& entries)
{
    makeUserCopy(state);
    platform::ProfileEntries raw;
    raw.reserve(entries.size());
    for (const auto& [key, value] : entries) {
        raw.append({bytes(key), bytes(value)});
    }
    platform::writeProfileStrings(bytes(state.AppTitle), raw, state.SettingsFile);
}

SettingsLocation chooseSettingsLocation(const QString& besideProgram, const QString& userConfigDir)
{
    const QFileInfo info(besideProgram);
    const bool usable =
        info.exists() ? (info.isFile() && writable(besideProgram)) : writable(info.absolutePath());
    if (usable || userConfigDir.isEmpty()) {
        return {besideProgram, {}};
    }
    return {QDir(userConfigDir).filePath(info.fileName()), besideProgram};
}
