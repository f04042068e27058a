#include "WavWriter.h"


#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

namespace soundtest {

namespace {

void putLe(QByteArray& out, std::uint64_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i) {
        out.append(static_cast<char>((value >> (8 * i)) & 0xff));
    }
}

} // namespace

std::int64_t quantise(double value, int bits)
{
    const double full = std::ldexp(1.0, bits - 1);
    const double clamped = std::clamp(value * full, -full, full - 1);
    const auto code = static_cast<std::int64_t>(std::llround(clamped));
    return bits == 8 ? code + 128 : code;
}

QByteArray makeWav(const WavFormat& format, const std::vector<double>& samples)
{
    const int bytesPerSample = format.bits / 8;
    QByteArray data;
    for (double value : samples) {
        if (format.encoding == WavFormat::Encoding::Float && format.bits == 32) {
            const float f = static_cast<float>(value);
            std::uint32_t raw = 0;
            std::memcpy(&raw, &f, sizeof raw);
            putLe(data, raw, 4);
        } else if (format.encoding == WavFormat::Encoding::Float) {
            std::uint64_t raw = 0;
            std::memcpy(&raw, &value, sizeof raw);
            putLe(data, raw, 8);
        } else {
            putLe(data, static_cast<std::uint64_t>(quantise(value, format.bits)), bytesPerSample);
        }
    }

    const int tag = format.encoding == WavFormat::Encoding::Float ? 3 : 1;
    QByteArray fmt;
    putLe(fmt, format.extensible ? 0xfffe : tag, 2);
    putLe(fmt, format.channels, 2);
    putLe(fmt, format.rate, 4);
    putLe(fmt, static_cast<std::uint64_t>(format.rate) * format.channels * bytesPerSample, 4);
    putLe(fmt, format.channels * bytesPerSample, 2);
    putLe(fmt, format.bits, 2);
    if (format.extensible) {
        putLe(fmt, 22, 2);
        putLe(fmt, format.bits, 2);
        putLe(fmt, 0, 4); // no speaker mask
        // Sub-format GUID: the format tag followed by the fixed tail.
        putLe(fmt, tag, 4);
        fmt.append(QByteArray::fromHex("000010008000"
                                       "00aa00389b71"));
    }

    QByteArray out("RIFF");
    putLe(out, 4 + 8 + fmt.size() + 8 + data.size(), 4);
    out.append("WAVEfmt ");
    putLe(out, fmt.size(), 4);
    out.append(fmt);
    out.append("data");
    putLe(out, data.size(), 4);
    out.append(data);
    if (data.size() % 2 != 0) {
        out.append('\0'); // chunks are padded to even length
    }
    return out;
}

std::vector<double> tone(double frequency, double amplitude, int rate, int frames, int channels)
{
    std::vector<double> samples;
    samples.reserve(static_cast<std::size_t>(frames) * channels);
    for (int i = 0; i < frames; ++i) {
        const double value = amplitude * std::sin(2.0 * std::numbers::pi * frequency * i / rate);
        for (int c = 0; c < channels; ++c) {
            samples.push_back(value);
        }
    }
    return samples;
}

} // namespace soundtest
