#include "core/SettingsKeys.h"

#include "core/CenterMath.h"
#include "core/NumericValue.h"
#include "core/Settings.h"

#include <array>

namespace {

// In the order of Setting.
constexpr std::array<SettingKey, 11> Keys{{
    {"StandBy", "0", SettingRule::Mode},
    {"OnTop", "0", SettingRule::Mode},
    {"X", "", SettingRule::Twips},
    {"Y", "", SettingRule::Twips},
    {"Saver", "0", SettingRule::Mode},
    {"Alarm", "0", SettingRule::Mode},
    {"ShowSaver", "0", SettingRule::Number16},
    {"Skin", "", SettingRule::Text},
    {"A-Hour", "99", SettingRule::AlarmPart},
    {"A-Mins", "99", SettingRule::AlarmPart},
    {"SendKey", "120", SettingRule::Number16},
}};

const QString NoAlarmPart = QStringLiteral("99");

} // namespace

const SettingKey& settingKey(Setting setting)
{
    return Keys[static_cast<std::size_t>(setting)];
}

QString settingName(Setting setting)
{
    return QString::fromLatin1(settingKey(setting).name);
}

StoredSettings::StoredSettings(const IniFile& file) : m_file(file) {}

QString StoredSettings::text(Setting setting) const
{
    return m_file.read(settingName(setting), QString::fromLatin1(settingKey(setting).defaultText));
}

bool StoredSettings::isOn(Setting mode) const
{
    Q_ASSERT(settingKey(mode).rule == SettingRule::Mode);
    return modeFromFile(text(mode));
}

bool modeFromFile(const QString& text)
{
    return text == QStringLiteral("1");
}

std::optional<QPoint> StoredSettings::position() const
{
    const QString x = text(Setting::X);
    const QString y = text(Setting::Y);
    if (x.isEmpty() && y.isEmpty()) {
        return std::nullopt;
    }
    int left = 0;
    int top = 0;
    toInt32(leadingNumber(x) / TwipsPerPixel, left);
    toInt32(leadingNumber(y) / TwipsPerPixel, top);
    return QPoint(left, top);
}

AlarmTime StoredSettings::alarmTime() const
{
    return alarmTimeFromFile(text(Setting::AlarmHour), text(Setting::AlarmMinute));
}

AlarmTime alarmTimeFromFile(const QString& hour, const QString& minute)
{
    const auto part = [](const QString& stored) {
        return stored == NoAlarmPart ? std::nullopt : std::optional(stored);
    };
    return {part(hour), part(minute)};
}

void StoredSettings::readNumber(Setting setting, std::int16_t& target) const
{
    Q_ASSERT(settingKey(setting).rule == SettingRule::Number16);
    number16FromFile(text(setting), target);
}

void number16FromFile(const QString& text, std::int16_t& target)
{
    toInt16(leadingNumber(text), target);
}

SettingEntry settingEntry(Setting setting, const QString& text)
{
    return {settingName(setting), text};
}

SettingEntry modeEntry(Setting mode, bool on)
{
    Q_ASSERT(settingKey(mode).rule == SettingRule::Mode);
    return settingEntry(mode, on ? QStringLiteral("1") : QStringLiteral("0"));
}

SettingEntry twipsEntry(Setting coordinate, int pixels)
{
    Q_ASSERT(settingKey(coordinate).rule == SettingRule::Twips);
    return settingEntry(coordinate, QString::number(qint64(pixels) * TwipsPerPixel));
}

QList<SettingEntry> alarmTimeEntries(const QString& hour, const QString& minute)
{
    return {settingEntry(Setting::AlarmHour, hour), settingEntry(Setting::AlarmMinute, minute)};
}
