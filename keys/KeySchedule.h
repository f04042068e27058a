#pragma once

#include <QtGlobal>
#include <cstdint>

// The key timer's count without a tick: while counting runs, the 100 ms ticks
// are worked out from the time that passed, and the one timer is armed for the
// tick that sends. Each tick counts up by one; past the period the count starts
// again from 0 without sending, at the period the key is sent. So the first key
// comes `KeyPeriod` ticks after the count started from 0, every further one
// `KeyPeriod` + 1 ticks later (a count that cannot go up any further counts as
// past the period); stopping keeps the count, and only whole ticks count (a
// started tick is lost, as when a ticking timer is stopped). Times are milliseconds of
// one monotonic clock.
class KeySchedule
{
public:
    static constexpr qint64 TickMs = 100;
    // The saver mode's period: a key every three minutes.
    static constexpr std::int16_t KeyPeriod = 1800;

    struct Step
    {
        bool send = false;
        qint64 nextKeyMs = -1; // -1: no key comes (a period below 1)
    };

    // Counting starts, or resumes from the count reached, at `nowMs`.
    Step start(qint64 nowMs, std::int16_t KeyPeriod);
    // Counts the whole ticks up to `nowMs`: `send` when one of them reached
    // the period (several missed ones send once), and when the next key is due.
    Step advance(qint64 nowMs, std::int16_t KeyPeriod);
    // Counts the ticks up to `nowMs` and stops; `send` as for advance.
    bool stop(qint64 nowMs, std::int16_t KeyPeriod);

    bool running() const { return m_running; }
    std::int16_t keyTickCount() const { return m_count; }

private:
    Step nextFrom(qint64 tickMs, std::int16_t KeyPeriod) const;

    std::int16_t m_count = 0; // never below 0
    qint64 m_lastTickMs = 0;  // the last counted tick, or where counting started
    bool m_running = false;
};
