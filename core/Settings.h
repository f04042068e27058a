#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

struct AppState;

// The private-profile procedures: `ReadIni` gives `defaultValue` where the key
// is missing, empty or unreadable; `WriteIni` reports nothing.
QString ReadIni(const QString& section, const QString& key, const QString& file,
                const QString& defaultValue);
void WriteIni(const QString& section, const QString& key, const QString& value,
              const QString& file);

// One read of a section of a settings or skin file, parsed once; every key is
// then looked up in it, with the rules of ReadIni. A missing or unreadable file gives the
// defaults.
class IniFile
{
public:
    IniFile(const QString& path, const QString& section);
    QString read(const QString& key, const QString& defaultValue) const;

private:
    QList<QPair<QByteArray, QByteArray>> m_entries;
};

// The settings file of the running program: section AppTitle, file
// SettingsFile, with the fall-through to the file beside the program while a
// per-user copy does not exist yet.
QString ReadSetting(const AppState& state, const QString& key, const QString& defaultValue);
void WriteSetting(const AppState& state, const QString& key, const QString& value);

// The settings file as it stands, read once (start-up reads all its keys
// from this).
IniFile ReadSettingsFile(const AppState& state);

// Several keys in one replace of the file, in their order.
void WriteSettings(const AppState& state, const QList<QPair<QString, QString>>& entries);

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
