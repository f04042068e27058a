#include "core/ClockCore.h"

#include <algorithm>

// The option table with the core's apply steps.
namespace {

void applyStandby(ClockCore& core, bool on)
{
    // Leaving standby redraws every tube at the next tick.
    if (!on) {
        core.redrawEverythingNextTick();
    }
    emit core.standbyApplied(on);
}

void applyOnTop(ClockCore& core, bool on)
{
    emit core.onTopApplied(on);
}

void applyOnDesktop(ClockCore& core, bool on)
{
    emit core.desktopModeApplied(on);
}

void applySaver(ClockCore& core, bool on)
{
    emit core.saverApplied(on);
}

void applyAlarm(ClockCore& core, bool on)
{
    core.alarm().setEnabled(on);
}

} // namespace

const std::array<OptionRow, 5> optionRows{{
    {Option::Standby, SettingKeys::StandBy, "mnuStdby", "StandBy", MenuGroup::Display,
     std::nullopt, applyStandby},
    {Option::OnTop, SettingKeys::OnTop, "mnuOnTop", "Immer im Vordergrund", MenuGroup::Display,
     Option::OnDesktop, applyOnTop},
    {Option::OnDesktop, SettingKeys::OnDesktop, "mnuOnDesktop", "Auf dem Desktop",
     MenuGroup::Display, Option::OnTop, applyOnDesktop},
    {Option::Saver, SettingKeys::Saver, "mnuSaver", "Saver unterdrücken", MenuGroup::Saver,
     std::nullopt, applySaver},
    {Option::Alarm, SettingKeys::Alarm, "mnuAlarm", "Alarm aktivieren", MenuGroup::Alarm,
     std::nullopt, applyAlarm},
}};

const OptionRow& optionRow(Option option)
{
    return *std::find_if(optionRows.begin(), optionRows.end(),
                         [option](const OptionRow& row) { return row.option == option; });
}

namespace {

std::size_t indexOf(Option option)
{
    return static_cast<std::size_t>(option);
}

} // namespace

bool ClockCore::isOn(Option option) const
{
    return m_on[indexOf(option)];
}

void ClockCore::toggle(Option option)
{
    set(option, !isOn(option));
}

void ClockCore::restore(Option option, bool on)
{
    set(option, on);
}

void ClockCore::set(Option option, bool on)
{
    const OptionRow& row = optionRow(option);
    if (on && row.excludes && isOn(*row.excludes)) {
        set(*row.excludes, false);
    }
    m_on[indexOf(option)] = on;
    row.apply(*this, on);
    emit optionChanged(option, on);
}

std::optional<QString> ClockCore::drawnTimeText() const
{
    if (!m_drawn) {
        return std::nullopt;
    }
    QString text;
    for (std::size_t i = 0; i < m_drawn->size(); ++i) {
        text += QString::number((*m_drawn)[i]);
        if (i == 1 || i == 3) {
            text += u':';
        }
    }
    return text;
}

void ClockCore::redrawEverythingNextTick()
{
    m_drawn.reset();
}

bool ClockCore::needsTicksWithinSecond() const
{
    if (!m_drawn) {
        return true;
    }
    const QStringView text(m_drawnText);
    return m_alarm.wantsTicksIn(minuteOfTexts(text.mid(0, 2), text.mid(3, 2)));
}

TickPlan ClockCore::tickAt(qint64 secondsSinceEpoch)
{
    if (m_textSecond != secondsSinceEpoch) {
        m_timeText = localTimeText(secondsSinceEpoch);
        m_textSecond = secondsSinceEpoch;
    }
    return tick(m_timeText);
}

TickPlan ClockCore::tick(const QString& timeText)
{
    const TickPlan plan = planTick(timeText, m_drawn);
    m_drawn = plan.digits;
    m_drawnText = plan.timeText;

    const AlarmStep step = m_alarm.step(minuteOfTexts(plan.hours(), plan.minutes()));
    if (step.openNotice) {
        emit noticeRequested();
    }
    // The notice may have been acknowledged while it opened.
    if (step.playSound && m_alarm.isRinging()) {
        emit alarmSoundDue();
    }
    return plan;
}

void ClockCore::setSkinName(const QString& name)
{
    if (m_skinName != name) {
        m_skinName = name;
        emit skinNameChanged(name);
    }
}

void ClockCore::setKeyCode(std::int16_t code)
{
    if (m_keyCode != code) {
        m_keyCode = code;
        emit keyCodeChanged(code);
    }
}

void ClockCore::setShowSaver(std::int16_t value)
{
    const bool wasShown = saverEntriesShown();
    m_showSaver = value;
    if (saverEntriesShown() != wasShown) {
        emit saverEntriesShownChanged(saverEntriesShown());
    }
}
