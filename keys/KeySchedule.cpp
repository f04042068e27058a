#include "keys/KeySchedule.h"

namespace {

struct Counted
{
    std::int16_t count;
    qint64 sends;
};

// `ticks` ticks of the 100 ms key timer applied at once. From 0 the count runs
// through a round of KeyPeriod + 1 values and sends at the last one; a count at
// or past the period (the 16-bit top included) first drops to 0 unsent.
Counted countTicks(std::int16_t count, std::int16_t period, qint64 ticks)
{
    if (ticks <= 0) {
        return {count, 0};
    }
    if (period < 1) {
        return {0, 0};
    }
    qint64 fromZero = count + ticks;
    if (count >= period) {
        fromZero = ticks - 1;
    }
    const qint64 round = qint64{period} + 1;
    return {static_cast<std::int16_t>(fromZero % round), (fromZero + 1) / round};
}

} // namespace

KeySchedule::Step KeySchedule::start(qint64 nowMs, std::int16_t KeyPeriod)
{
    if (!m_running) {
        m_running = true;
        m_lastTickMs = nowMs;
    }
    return nextFrom(m_lastTickMs, KeyPeriod);
}

KeySchedule::Step KeySchedule::advance(qint64 nowMs, std::int16_t KeyPeriod)
{
    if (!m_running) {
        return {};
    }
    const qint64 ticks = nowMs > m_lastTickMs ? (nowMs - m_lastTickMs) / TickMs : 0;
    const Counted counted = countTicks(m_count, KeyPeriod, ticks);
    m_count = counted.count;
    m_lastTickMs += ticks * TickMs;
    Step step = nextFrom(m_lastTickMs, KeyPeriod);
    step.send = counted.sends > 0;
    return step;
}

bool KeySchedule::stop(qint64 nowMs, std::int16_t KeyPeriod)
{
    const bool send = advance(nowMs, KeyPeriod).send;
    m_running = false;
    return send;
}

KeySchedule::Step KeySchedule::nextFrom(qint64 tickMs, std::int16_t KeyPeriod) const
{
    if (KeyPeriod < 1) {
        return {};
    }
    const qint64 ticks = m_count >= KeyPeriod ? qint64{KeyPeriod} + 1 : KeyPeriod - m_count;
    return {false, tickMs + ticks * TickMs};
}
