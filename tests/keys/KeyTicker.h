#pragma once

#include <cstdint>

// The key rule tick by tick, the oracle the key schedule is checked against.
// One tick of the key timer: the count goes up by one; past the period it
// starts again from 0 without sending, and at the period the key is sent. So
// the first key follows `KeyPeriod` ticks after the count started from 0 and
// every further one `KeyPeriod` + 1 ticks later.
struct KeyTick
{
    std::int16_t KeyTickCount = 0;
    bool send = false;
};

KeyTick nextKeyTick(std::int16_t KeyTickCount, std::int16_t KeyPeriod);
