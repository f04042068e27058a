#pragma once

#include "tests/support/Files.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <vector>

namespace soundtest {

// Builds WAV files byte by byte, so the tests do not depend on the decoder
// they check.
struct WavFormat
{
    enum class Encoding
    {
        Pcm,
        Float
    };
    Encoding encoding = Encoding::Pcm;
    int bits = 16;
    int channels = 1;
    int rate = 44100;
    bool extensible = false; // WAVE_FORMAT_EXTENSIBLE header
};

// Samples are interleaved values in [-1, 1] (float files may exceed it);
// integer formats quantise them with quantise().
QByteArray makeWav(const WavFormat& format, const std::vector<double>& samples);

// The integer code a PCM file of `bits` bits stores for value (unsigned for
// 8 bits, as WAV has it).
std::int64_t quantise(double value, int bits);

// A sine tone, `channels` identical channels interleaved.
std::vector<double> tone(double frequency, double amplitude, int rate, int frames,
                         int channels = 1);

using ::writeFile;

} // namespace soundtest
