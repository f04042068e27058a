#pragma once

#include "core/Alarm.h"

#include <QList>
#include <QPair>
#include <QPoint>
#include <QString>
#include <QTime>
#include <cstdint>
#include <optional>
#include <type_traits>

class IniFile;

// One key of the settings file: its name, the text that stands for it when
// the key is missing or empty, and the one way its text becomes a value and
// back. The value type comes with the row, so a key can only be read by its
// own rule.
template <typename Value> struct SettingRow
{
    const char* name;
    const char* defaultText;
    Value (*fromText)(const QString& text);
    QString (*toText)(const Value& value);

    QString key() const { return QString::fromLatin1(name); }
};

namespace settingRules {
// Exactly "1" is on; written "1" or "0".
bool mode(const QString& text);
QString modeText(const bool& on);
// A position in twips by the numeric rule, to whole pixels; none when empty.
std::optional<int> twips(const QString& text);
QString twipsText(const std::optional<int>& pixels);
// By the numeric rule into 16 bits; none when the value does not fit.
std::optional<std::int16_t> number16(const QString& text);
QString number16Text(const std::optional<std::int16_t>& number);
// Read and written as it stands.
QString asStored(const QString& text);
} // namespace settingRules

// Every key of the settings file, declared once.
namespace SettingKeys {
namespace r = settingRules;
using Number16 = std::optional<std::int16_t>;
inline constexpr SettingRow<bool> StandBy{"StandBy", "0", r::mode, r::modeText};
inline constexpr SettingRow<bool> OnTop{"OnTop", "0", r::mode, r::modeText};
inline constexpr SettingRow<bool> OnDesktop{"OnDesktop", "0", r::mode, r::modeText};
inline constexpr SettingRow<std::optional<int>> X{"X", "", r::twips, r::twipsText};
inline constexpr SettingRow<std::optional<int>> Y{"Y", "", r::twips, r::twipsText};
inline constexpr SettingRow<bool> Saver{"Saver", "0", r::mode, r::modeText};
inline constexpr SettingRow<bool> Alarm{"Alarm", "0", r::mode, r::modeText};
inline constexpr SettingRow<Number16> ShowSaver{"ShowSaver", "0", r::number16, r::number16Text};
inline constexpr SettingRow<QString> Skin{"Skin", "", r::asStored, r::asStored};
// The alarm's two texts; they give a time together (alarmTime below).
inline constexpr SettingRow<QString> AlarmHour{"A-Hour", "99", r::asStored, r::asStored};
inline constexpr SettingRow<QString> AlarmMinute{"A-Mins", "99", r::asStored, r::asStored};
inline constexpr SettingRow<Number16> SendKey{"SendKey", "120", r::number16, r::number16Text};
} // namespace SettingKeys

// The file as start-up reads it, once.
class StoredSettings
{
public:
    explicit StoredSettings(const IniFile& file);

    template <typename Value> Value read(const SettingRow<Value>& row) const
    {
        return row.fromText(storedText(row.key(), QString::fromLatin1(row.defaultText)));
    }

    // The clock's place in pixels; none when neither X nor Y is stored.
    std::optional<QPoint> position() const;
    // The alarm time: both texts by the tick's rule; "99" and any other
    // text that is no two-digit hour or minute give none.
    std::optional<QTime> alarmTime() const;

private:
    QString storedText(const QString& key, const QString& defaultText) const;

    const IniFile& m_file;
};

// One key and its text as written.
using SettingEntry = QPair<QString, QString>;

template <typename Value>
SettingEntry settingEntry(const SettingRow<Value>& row, const std::type_identity_t<Value>& value)
{
    return {row.key(), row.toText(value)};
}

// Both alarm keys, written together: "HH" and "MM", "99" for none.
QList<SettingEntry> alarmTimeEntries(const std::optional<QTime>& time);
