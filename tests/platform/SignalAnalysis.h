#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <vector>

namespace soundtest {

// Measures on a mono recording; frame ranges are [from, to).
using Samples = std::vector<std::int16_t>;

// About -30 dBFS: far above the silence of a null sink, far below the
// tones the tests play.
constexpr int kLoud = 1000;

inline std::optional<std::size_t> firstLoud(const Samples& s, std::size_t from, std::size_t to)
{
    for (std::size_t i = from; i < std::min(to, s.size()); ++i) {
        if (std::abs(s[i]) >= kLoud) {
            return i;
        }
    }
    return std::nullopt;
}

inline std::optional<std::size_t> lastLoud(const Samples& s, std::size_t from, std::size_t to)
{
    for (std::size_t i = std::min(to, s.size()); i > from; --i) {
        if (std::abs(s[i - 1]) >= kLoud) {
            return i - 1;
        }
    }
    return std::nullopt;
}

// Where a sound that is loud at `from` falls silent for at least `gap`
// frames; nullopt while it has not (yet).
inline std::optional<std::size_t> loudEnd(const Samples& s, std::size_t from, std::size_t gap)
{
    std::size_t quiet = 0;
    for (std::size_t i = from; i < s.size(); ++i) {
        quiet = std::abs(s[i]) >= kLoud ? 0 : quiet + 1;
        if (quiet == gap) {
            return i + 1 - gap;
        }
    }
    return std::nullopt;
}

// Sign changes per second.
inline double crossingRate(const Samples& s, std::size_t from, std::size_t to, int rate)
{
    to = std::min(to, s.size());
    if (to <= from + 1) {
        return 0;
    }
    int crossings = 0;
    for (std::size_t i = from + 1; i < to; ++i) {
        crossings += (s[i - 1] < 0) != (s[i] < 0) ? 1 : 0;
    }
    return crossings * double(rate) / double(to - from);
}

// First 10 ms window from `from` on that is loud throughout its middle and
// carries a tone between minHz and maxHz.
inline std::optional<std::size_t> toneOnset(const Samples& s, std::size_t from, double minHz,
                                            double maxHz, int rate)
{
    const std::size_t window = std::size_t(rate) / 100;
    for (std::size_t i = from; i + window <= s.size(); i += window / 4) {
        const double hz = crossingRate(s, i, i + window, rate) / 2;
        if (hz >= minHz && hz <= maxHz && lastLoud(s, i, i + window / 2) &&
            lastLoud(s, i + window / 2, i + window)) {
            return i;
        }
    }
    return std::nullopt;
}

} // namespace soundtest
