#pragma once

#include <QtGlobal>
#include <optional>

// When the clock ticks: 0, 300 and 600 ms into every second of the wall clock,
// so a new second shows as it begins and lasts as long as the system's. The
// wait is worked out from the wall clock at every wake-up, so a clock that is
// set, stepped or resumed from suspend is followed at the next tick. Instants
// are milliseconds since the epoch.
class TickSchedule
{
public:
    static constexpr qint64 SpacingMs = 300;
    static constexpr qint64 TicksPerSecond = 3;
    // The longest wait: a clock stepped back while the timer runs is noticed
    // within it.
    static constexpr qint64 LongestWaitMs = 1000;

    // Whether a wake-up at `nowMs` ticks: once for every tick instant reached,
    // so a timer that fires early or twice shows no second twice.
    bool claimTickAt(qint64 nowMs);

    // The tick instant after the one `nowMs` falls in. With nothing to do
    // within the second (lamps dark or unseen, no alarm sound to restart) the
    // ticks 300 and 600 ms into it are left out.
    static qint64 nextTickAfter(qint64 nowMs, bool withinSecond);

    // The wait from `nowMs` until `instant`, at most LongestWaitMs.
    static qint64 waitUntil(qint64 instant, qint64 nowMs);

    // The tick instant a wall-clock instant falls in.
    static qint64 tickInstantOf(qint64 nowMs);

    // The whole second an instant falls in, in seconds since the epoch.
    static qint64 secondOf(qint64 nowMs);

private:
    std::optional<qint64> m_lastTick;
};
