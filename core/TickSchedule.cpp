#include "core/TickSchedule.h"

namespace {

constexpr qint64 SecondMs = 1000;

} // namespace

qint64 TickSchedule::secondOf(qint64 nowMs)
{
    // Instants before the epoch round down too.
    return nowMs / SecondMs - (nowMs % SecondMs < 0 ? 1 : 0);
}

qint64 TickSchedule::tickInstantOf(qint64 nowMs)
{
    const qint64 start = secondOf(nowMs) * SecondMs;
    return start + qMin((nowMs - start) / SpacingMs, TicksPerSecond - 1) * SpacingMs;
}

bool TickSchedule::claimTickAt(qint64 nowMs)
{
    const qint64 instant = tickInstantOf(nowMs);
    if (m_lastTick == instant) {
        return false;
    }
    m_lastTick = instant;
    return true;
}

qint64 TickSchedule::nextTickAfter(qint64 nowMs, bool withinSecond)
{
    const qint64 start = secondOf(nowMs) * SecondMs;
    const qint64 index = (nowMs - start) / SpacingMs;
    const bool laterInSecond = withinSecond && index + 1 < TicksPerSecond;
    return laterInSecond ? start + (index + 1) * SpacingMs : start + SecondMs;
}

qint64 TickSchedule::waitUntil(qint64 instant, qint64 nowMs)
{
    return qBound(qint64{0}, instant - nowMs, LongestWaitMs);
}
