#include "platform/audio/DecodedSound.h"

#include "platform/audio/SoundFileReader.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace platform::audio {

namespace {

constexpr std::size_t kChunkFrames = 4096;

} // namespace

std::shared_ptr<const DecodedSound> decodeSoundFile(const QString& path, std::size_t maxHeadSamples)
{
    SoundFileReader reader;
    if (!reader.open(path)) {
        return nullptr;
    }
    auto sound = std::make_shared<DecodedSound>();
    sound->path = path;
    sound->rate = reader.rate();
    sound->channels = reader.channels();
    const std::size_t maxFrames = std::max<std::size_t>(1, maxHeadSamples / sound->channels);

    std::vector<std::int16_t>& head = sound->head;
    std::size_t frames = 0;
    while (frames < maxFrames) {
        const std::size_t want = std::min(kChunkFrames, maxFrames - frames);
        head.resize((frames + want) * sound->channels);
        const std::size_t got = reader.read(head.data() + frames * sound->channels, want);
        frames += got;
        if (got < want) {
            break;
        }
    }
    head.resize(frames * sound->channels);
    head.shrink_to_fit();

    if (frames == maxFrames) {
        // Full head: whether more follows decides if playing needs the file.
        std::vector<std::int16_t> probe(sound->channels);
        sound->complete = reader.read(probe.data(), 1) == 0;
    }
    return sound;
}

std::shared_ptr<const DecodedSound> makeBeep()
{
    constexpr unsigned kRate = 44100;
    constexpr double kFrequency = 880.0;
    constexpr std::size_t kFrames = kRate * 150 / 1000;
    constexpr std::size_t kRampFrames = kRate * 5 / 1000; // no clicks at either end
    constexpr double kAmplitude = 0.3 * 32767.0;

    auto beep = std::make_shared<DecodedSound>();
    beep->rate = kRate;
    beep->channels = 1;
    beep->head.resize(kFrames);
    for (std::size_t i = 0; i < kFrames; ++i) {
        const std::size_t edge = std::min(i, kFrames - 1 - i);
        const double ramp = edge < kRampFrames ? static_cast<double>(edge) / kRampFrames : 1.0;
        const double phase = 2.0 * std::numbers::pi * kFrequency * static_cast<double>(i) / kRate;
        beep->head[i] = static_cast<std::int16_t>(std::lround(kAmplitude * ramp * std::sin(phase)));
    }
    return beep;
}

} // namespace platform::audio
