#include "core/ClockCore.h"

#include "core/AppState.h"
#include "core/Sound.h"

ClockCore::ClockCore(AppState& state) : m_state(state) {}

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

void ClockCore::restore(Mode mode, const QString& saved)
{
    setMark(mode, saved != QStringLiteral("1"));
    toggle(mode);
}

void ClockCore::apply(Mode mode)
{
    const bool on = m_on[mode];
    switch (mode) {
    case Standby:
        if (!on) {
            // A value no time produces: the next tick redraws all six tubes.
            m_state.LastSeconds = QStringLiteral("99");
            m_state.LastMinutes = QStringLiteral("99");
            m_state.LastHours = QStringLiteral("99");
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
        m_state.AlarmState = 0;
        break;
    }
}

TickPlan ClockCore::Timer1_Tick(const QString& timeText)
{
    const TickPlan plan =
        planTick(timeText, m_state.LastSeconds, m_state.LastMinutes, m_state.LastHours);
    m_state.CurrentMinutes = plan.minutes;
    m_state.CurrentHours = plan.hours;
    m_state.LastSeconds = plan.seconds;
    m_state.LastMinutes = plan.minutes;
    m_state.LastHours = plan.hours;

    // Read on every tick: switching the alarm off keeps AlarmState as it is.
    if (!isOn(Alarm)) {
        return plan;
    }
    const bool matches = alarmMatches(m_state.AlarmHour, m_state.AlarmMinute, m_state.CurrentHours,
                                      m_state.CurrentMinutes);
    const AlarmEntry entry = alarmEnter(matches, m_state.AlarmState);
    m_state.AlarmState = entry.state;
    if (entry.showNotice) {
        emit noticeRequested();
    }
    // The notice may have been acknowledged while it opened.
    if (alarmPlays(matches, m_state.AlarmState)) {
        PlaySoundFile(m_state, m_state.ProgramDir + QStringLiteral("alarm.wav"));
    }
    return plan;
}
