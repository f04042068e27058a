#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>
#include <vector>

struct sf_private_tag;

namespace platform::audio {

// Reads a sound file as interleaved signed 16-bit samples, whatever its
// sample format. Refuses anything but regular files, so a FIFO or device
// can never block the reading thread.
class SoundFileReader
{
public:
    SoundFileReader() = default;
    ~SoundFileReader();
    SoundFileReader(const SoundFileReader&) = delete;
    SoundFileReader& operator=(const SoundFileReader&) = delete;

    // False for a missing, non-regular, undecodable file or one whose rate
    // or channel count no sound server accepts.
    bool open(const QString& path);
    bool isOpen() const { return m_file != nullptr; }
    unsigned rate() const { return m_rate; }
    unsigned channels() const { return m_channels; }

    bool seek(std::size_t frame);

    // Fills out with up to `frames` frames; returns how many were read
    // (0 at the end of the file or after an error).
    std::size_t read(std::int16_t* out, std::size_t frames);

    void close();

private:
    sf_private_tag* m_file = nullptr;
    unsigned m_rate = 0;
    unsigned m_channels = 0;
    std::vector<float> m_scratch;
};

} // namespace platform::audio
