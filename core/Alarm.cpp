#include "core/Alarm.h"

#include "core/AlarmLog.h"

namespace {
// Exactly two ASCII digits up to `last`; -1 otherwise.
int twoDigits(QStringView text, int last)
{
    if (text.size() != 2) {
        return -1;
    }
    const auto digit = [](QChar c) { return c >= u'0' && c <= u'9' ? c.unicode() - u'0' : -1; };
    const int tens = digit(text[0]);
    const int units = digit(text[1]);
    if (tens < 0 || units < 0) {
        return -1;
    }
    const int value = tens * 10 + units;
    return value <= last ? value : -1;
}
} // namespace

std::optional<QTime> minuteOfTexts(QStringView hours, QStringView minutes)
{
    const int hour = twoDigits(hours, 23);
    const int minute = twoDigits(minutes, 59);
    if (hour < 0 || minute < 0) {
        return std::nullopt;
    }
    return QTime(hour, minute);
}

void Alarm::setTime(const std::optional<QTime>& time)
{
    qCDebug(lcAlarm) << "alarm time set to" << time.value_or(QTime());
    setState(AlarmState::Waiting);
    if (m_time != time) {
        m_time = time;
        emit timeChanged(time);
    }
}

void Alarm::setEnabled(bool on)
{
    setState(AlarmState::Waiting);
    if (m_enabled != on) {
        m_enabled = on;
        emit enabledChanged(on);
    }
}

void Alarm::acknowledge()
{
    qCDebug(lcAlarm) << "alarm acknowledged";
    setState(AlarmState::Acknowledged);
}

bool Alarm::rings(const std::optional<QTime>& minuteShown) const
{
    return m_time && minuteShown && m_time->hour() == minuteShown->hour() &&
           m_time->minute() == minuteShown->minute();
}

AlarmStep Alarm::step(const std::optional<QTime>& minuteShown)
{
    if (!m_enabled) {
        return {};
    }
    if (!rings(minuteShown)) {
        setState(AlarmState::Waiting);
        return {};
    }
    AlarmStep step;
    if (m_state == AlarmState::Waiting) {
        setState(AlarmState::Ringing);
        step.openNotice = true;
    }
    step.playSound = m_state == AlarmState::Ringing;
    return step;
}

bool Alarm::wantsTicksIn(const std::optional<QTime>& minuteShown) const
{
    return m_enabled && m_state != AlarmState::Acknowledged && rings(minuteShown);
}

void Alarm::setState(AlarmState state)
{
    if (m_state != state) {
        m_state = state;
        emit stateChanged(state);
    }
}
