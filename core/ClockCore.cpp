#include "core/ClockCore.h"

#include "core/Alarm.h"

bool ClockCore::isOn(Mode mode) const
{
    return m_on[mode];
}

void ClockCore::setMark(Mode mode, bool on)
{
    if (m_on[mode] != on) {
        m_on[mode] = on;
        emit markChanged(mode, on);
    }
}

void ClockCore::toggle(Mode mode)
{
    setMark(mode, !m_on[mode]);
    apply(mode);
}

void ClockCore::restore(Mode mode, bool savedOn)
{
    setMark(mode, !savedOn);
    toggle(mode);
}

void ClockCore::apply(Mode mode)
{
    const bool on = m_on[mode];
    switch (mode) {
    case Standby:
        if (!on) {
            redrawEverythingNextTick();
        }
        emit standbyApplied(on);
        break;
    case OnTop:
        emit onTopApplied(on);
        break;
    case Saver:
        emit saverApplied(on);
        break;
    case Alarm:
        m_alarm.setEnabled(on);
        break;
    }
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
