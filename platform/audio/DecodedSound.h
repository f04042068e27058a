#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace platform::audio {

// A sound file as interleaved signed 16-bit samples. A long file keeps only
// its beginning in memory; the rest is read from the file while it plays.
struct DecodedSound
{
    QString path;
    unsigned rate = 0;
    unsigned channels = 0;
    std::vector<std::int16_t> head;
    bool complete = true; // head holds the whole file

    std::size_t headFrames() const { return channels == 0 ? 0 : head.size() / channels; }
};

// About 11 s of 48 kHz stereo: enough for any alarm sound, small enough to
// keep a few in memory all day.
inline constexpr std::size_t kDefaultHeadSamples = std::size_t{1} << 20;

// Decodes the beginning of a sound file (every format the decoder knows:
// PCM of 8 to 32 bits, float, A-law, ...). Returns null for a file that is
// missing, not a regular file, empty or not decodable.
std::shared_ptr<const DecodedSound>
decodeSoundFile(const QString& path, std::size_t maxHeadSamples = kDefaultHeadSamples);

// Played in place of a file that cannot be played: 150 ms of 880 Hz.
std::shared_ptr<const DecodedSound> makeBeep();

} // namespace platform::audio
