#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

struct AppState;

// One read of a section of a settings or skin file, parsed once; every key is
// then looked up in it (names without regard to case). A key that is missing,
// empty or unreadable, or a missing or unreadable file, gives the default.
class IniFile
{
public:
    IniFile(const QString& path, const QString& section);
    QString read(const QString& key, const QString& defaultValue) const;

private:
    QList<QPair<QByteArray, QByteArray>> m_entries;
};

// The settings file of the running program as it stands, read once: section
// appTitle of settingsFile, or of the file beside the program while a
// per-user copy does not exist yet (start-up reads all its keys from this).
IniFile readSettingsFile(const AppState& state);

// Several keys in one replace of settingsFile, in their order; the first
// write of a per-user copy starts from the file beside the program.
void writeSettings(const AppState& state, const QList<QPair<QString, QString>>& entries);

// Where the settings live, decided once at start-up from the program file and
// the user's own settings folder (empty where none is known):
// - the file beside the program (its name with ".ini") where it can be written
//   (it exists and is writable, or it does not exist and its folder is);
// - otherwise the file of that name in `userConfigDir`, reading through to the
//   one beside the program until the first write copies it there;
// - an installed copy (a program under /usr/) always keeps the user's file,
//   root included, and never writes beside itself;
// - no file beside the program is used at all where that would be the program
//   file itself (a program named x.ini), in "/", or for an unknown program.
struct SettingsLocation
{
    QString file; // empty: nowhere to write
    QString fallback;
};
SettingsLocation chooseSettingsLocation(const QString& programFile, const QString& userConfigDir);
