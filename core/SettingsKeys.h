#pragma once

#include "core/ClockTick.h"

#include <QList>
#include <QPair>
#include <QPoint>
#include <QString>
#include <cstdint>
#include <optional>

class IniFile;

// Every key of the settings file, declared once: its name, the text that
// stands for it when the key is missing or empty, and how its text is read.
enum class Setting
{
    StandBy,
    OnTop,
    X,
    Y,
    Saver,
    Alarm,
    ShowSaver,
    Skin,
    AlarmHour,
    AlarmMinute,
    SendKey,
};

enum class SettingRule
{
    Text,      // as it stands
    Mode,      // a mode's state: exactly "1" is on; written "1" or "0"
    Twips,     // a position in twips, by the numeric rule, to whole pixels
    Number16,  // by the numeric rule into 16 bits; a value that does not fit is skipped
    AlarmPart, // the alarm hour or minute as text; "99" stands for none
};

struct SettingKey
{
    const char* name;
    const char* defaultText;
    SettingRule rule;
};

const SettingKey& settingKey(Setting setting);
QString settingName(Setting setting);

// The file as start-up reads it, once, each key through its rule.
class StoredSettings
{
public:
    explicit StoredSettings(const IniFile& file);

    QString text(Setting setting) const;
    bool isOn(Setting mode) const;
    // The clock's place in pixels; none when neither X nor Y is stored.
    std::optional<QPoint> position() const;
    AlarmTime alarmTime() const;
    // Leaves `target` as it was when the value does not fit 16 bits.
    void readNumber(Setting setting, std::int16_t& target) const;

private:
    const IniFile& m_file;
};

// The mode rule on a text.
bool modeFromFile(const QString& text);

// The 16-bit rule on a text; `target` stays as it was when the value does not
// fit.
void number16FromFile(const QString& text, std::int16_t& target);

// The alarm rule on the two texts as stored.
AlarmTime alarmTimeFromFile(const QString& hour, const QString& minute);

// One key and its text as written: the modes as "1" or "0", positions in
// twips.
using SettingEntry = QPair<QString, QString>;
SettingEntry settingEntry(Setting setting, const QString& text);
SettingEntry modeEntry(Setting mode, bool on);
SettingEntry twipsEntry(Setting coordinate, int pixels);
// Both alarm keys, written together.
QList<SettingEntry> alarmTimeEntries(const QString& hour, const QString& minute);
