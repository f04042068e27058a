#include "core/Settings.h"

#include "core/AppState.h"
#include "core/Paths.h"
#include "platform/files/ProfileFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>
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

bool sameFile(const QString& a, const QString& b)
{
    struct stat sa
    {
    };
    struct stat sb
    {
    };
    return ::stat(QFile::encodeName(a).constData(), &sa) == 0 &&
           ::stat(QFile::encodeName(b).constData(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

// The system's folders are shared by every user and belong to the package.
bool installedCopy(const QString& programDir)
{
    return programDir.startsWith(QLatin1String("/usr/"));
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
    return (!state.settingsFallback.isEmpty() && !QFileInfo::exists(state.settingsFile))
               ? state.settingsFallback
               : state.settingsFile;
}

// First write of a per-user file: its folder is made, and a copy starts
// from the file beside the program, byte for byte, so unknown keys and
// comments come along.
void makeUserCopy(const AppState& state)
{
    if (QFileInfo::exists(state.settingsFile)) {
        return;
    }
    QDir().mkpath(QFileInfo(state.settingsFile).absolutePath());
    if (state.settingsFallback.isEmpty()) {
        return;
    }
    // Only a regular file is copied, within the user's umask; anything else
    // counts as missing and the write starts a file of its own.
    platform::copyProfileFile(state.settingsFallback, state.settingsFile);
}

} // namespace

IniFile readSettingsFile(const AppState& state)
{
    return IniFile(readableSettings(state), state.appTitle);
}

void writeSettings(const AppState& state, const QList<QPair<QString, QString>>& entries)
{
    if (state.settingsFile.isEmpty()) {
        return;
    }
    makeUserCopy(state);
    platform::ProfileEntries raw;
    raw.reserve(entries.size());
    for (const auto& [key, value] : entries) {
        raw.append({bytes(key), bytes(value)});
    }
    platform::writeProfileStrings(bytes(state.appTitle), raw, state.settingsFile);
}

SettingsLocation chooseSettingsLocation(const QString& programFile, const QString& userConfigDir)
{
    const QString exeName = exeNameOf(programFile);
    const QString name =
        (exeName.isEmpty() ? QStringLiteral("glimmora") : exeName) + QStringLiteral(".ini");
    const QString perUser =
        userConfigDir.isEmpty() ? QString() : QDir(userConfigDir).filePath(name);
    const QString dir = programFile.isEmpty() ? QString() : QFileInfo(programFile).absolutePath();
    if (exeName.isEmpty() || dir.isEmpty() || dir == QLatin1String("/")) {
        return {perUser, {}};
    }
    const QString beside = dir + u'/' + name;
    if (beside == programFile || sameFile(beside, programFile)) {
        return {perUser, {}};
    }
    if (installedCopy(dir + u'/')) {
        return {perUser, beside};
    }
    const QFileInfo info(beside);
    const bool usable = info.exists() ? (info.isFile() && writable(beside)) : writable(dir);
    if (usable || perUser.isEmpty()) {
        return {beside, {}};
    }
    return {perUser, beside};
}
