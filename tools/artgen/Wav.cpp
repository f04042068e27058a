// The alarm sound: a bright two-tone chirp repeated every 300 ms. The clock
// restarts the sound every 300 ms while it rings, so one period has to carry
// the whole alarm character on its own.

#include "Assets.h"

#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace artgen {

namespace {

constexpr int kRate = 44100;

void put16(QByteArray& b, std::uint16_t v)
{
    char d[2];
    qToLittleEndian(v, d);
    b.append(d, 2);
}

void put32(QByteArray& b, std::uint32_t v)
{
    char d[4];
    qToLittleEndian(v, d);
    b.append(d, 4);
}

// A beep with a short attack, a gentle decay and a clean release.
void beep(std::vector<double>& out, double start, double length, double freq, double level)
{
    const int first = static_cast<int>(start * kRate);
    const int n = static_cast<int>(length * kRate);
    for (int i = 0; i < n && first + i < static_cast<int>(out.size()); ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double attack = std::min(1.0, t / 0.004);
        const double release = std::min(1.0, (length - t) / 0.006);
        const double decay = 0.65 + 0.35 * std::exp(-t / 0.05);
        const double w = 2.0 * M_PI * freq * t;
        // A little second and third harmonic makes it cut through like a
        // piezo sounder without being harsh.
        const double tone = std::sin(w) + 0.22 * std::sin(2 * w) + 0.12 * std::sin(3 * w);
        out[static_cast<size_t>(first + i)] += level * attack * release * decay * tone / 1.34;
    }
}

} // namespace

QByteArray alarmWav()
{
    constexpr double period = 0.300;
    constexpr int periods = 5;
    std::vector<double> samples(static_cast<size_t>(period * periods * kRate), 0.0);
    for (int k = 0; k < periods; ++k) {
        const double t0 = k * period;
        beep(samples, t0 + 0.000, 0.095, 1318.5, 0.62); // E6
        beep(samples, t0 + 0.120, 0.095, 1046.5, 0.62); // C6
    }
    QByteArray pcm;
    pcm.reserve(static_cast<int>(samples.size() * 2));
    for (const double v : samples) {
        const auto s = static_cast<std::int16_t>(std::lround(std::clamp(v, -1.0, 1.0) * 32000.0));
        put16(pcm, static_cast<std::uint16_t>(s));
    }
    QByteArray wav;
    wav += "RIFF";
    put32(wav, static_cast<std::uint32_t>(36 + pcm.size()));
    wav += "WAVE";
    wav += "fmt ";
    put32(wav, 16);        // chunk size
    put16(wav, 1);         // PCM
    put16(wav, 1);         // mono
    put32(wav, kRate);     // sample rate
    put32(wav, kRate * 2); // byte rate
    put16(wav, 2);         // block align
    put16(wav, 16);        // bits per sample
    wav += "data";
    put32(wav, static_cast<std::uint32_t>(pcm.size()));
    wav += pcm;
    return wav;
}

} // namespace artgen
