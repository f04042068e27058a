#include "tests/keys/KeyTicker.h"

#include <limits>

KeyTick nextKeyTick(std::int16_t KeyTickCount, std::int16_t KeyPeriod)
{
    // A count that cannot go up any further counts as past the period;
    // otherwise a period of 32767 would send on every tick from then on.
    if (KeyTickCount == std::numeric_limits<std::int16_t>::max()) {
        return {0, false};
    }
    const auto count = static_cast<std::int16_t>(KeyTickCount + 1);
    if (count > KeyPeriod) {
        return {0, false};
    }
    return {count, count == KeyPeriod};
}
