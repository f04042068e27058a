#include "core/SettingsKeys.h"

#include "core/CenterMath.h"
#include "core/NumericValue.h"
#include "core/Settings.h"

namespace {
const QString NoAlarmPart = QStringLiteral("99");
} // namespace

namespace settingRules {

bool mode(const QString& text)
{
    return text == QStringLiteral("1");
}

QString modeText(const bool& on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

std::optional<int> twips(const QString& text)
{
    if (text.isEmpty()) {
        return std::nullopt;
    }
    // A value beyond 32 bits of pixels counts as 0.
    int pixels = 0;
    toInt32(leadingNumber(text) / TwipsPerPixel, pixels);
    return pixels;
}

QString twipsText(const std::optional<int>& pixels)
{
    return pixels ? QString::number(qint64(*pixels) * TwipsPerPixel) : QString();
}

std::optional<std::int16_t> number16(const QString& text)
{
    std::int16_t number = 0;
    if (!toInt16(leadingNumber(text), number)) {
        return std::nullopt;
    }
    return number;
}

QString number16Text(const std::optional<std::int16_t>& number)
{
    return number ? QString::number(*number) : QString();
}

QString asStored(const QString& text)
{
    return text;
}

} // namespace settingRules

StoredSettings::StoredSettings(const IniFile& file) : m_file(file) {}

QString StoredSettings::storedText(const QString& key, const QString& defaultText) const
{
    return m_file.read(key, defaultText);
}

std::optional<QPoint> StoredSettings::position() const
{
    const std::optional<int> left = read(SettingKeys::X);
    const std::optional<int> top = read(SettingKeys::Y);
    if (!left && !top) {
        return std::nullopt;
    }
    return QPoint(left.value_or(0), top.value_or(0));
}

std::optional<QTime> StoredSettings::alarmTime() const
{
    return minuteOfTexts(read(SettingKeys::AlarmHour), read(SettingKeys::AlarmMinute));
}

QList<SettingEntry> alarmTimeEntries(const std::optional<QTime>& time)
{
    const auto text = [&time](const char* format) {
        return time ? time->toString(QLatin1String(format)) : NoAlarmPart;
    };
    return {settingEntry(SettingKeys::AlarmHour, text("HH")),
            settingEntry(SettingKeys::AlarmMinute, text("mm"))};
}
