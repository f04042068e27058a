#include "platform/audio/SoundFileReader.h"

#include "platform/audio/SoundLog.h"

#include <QFile>

#include <sndfile.h>

#include <cmath>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::audio {

namespace {

// What a sound server takes: PulseAudio's own limits.
constexpr int kMaxRate = 384000;
constexpr int kMaxChannels = 32;

std::int16_t toSample(float value)
{
    if (std::isnan(value)) {
        return 0;
    }
    // Integer sources arrive normalised by 1/32768, so this is lossless for
    // 8- and 16-bit files; float files may exceed full scale and are clipped.
    const float scaled = value * 32768.0f;
    if (scaled >= 32767.0f) {
        return 32767;
    }
    if (scaled <= -32768.0f) {
        return -32768;
    }
    return static_cast<std::int16_t>(std::lrintf(scaled));
}

} // namespace

SoundFileReader::~SoundFileReader()
{
    close();
}

void SoundFileReader::close()
{
    if (m_file != nullptr) {
        sf_close(m_file);
        m_file = nullptr;
    }
    m_rate = 0;
    m_channels = 0;
}

bool SoundFileReader::open(const QString& path)
{
    close();
    if (path.isEmpty()) {
        return false;
    }
    // Non-blocking, so opening a FIFO returns at once; it is refused below.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        qCDebug(lcSound) << "cannot open" << path;
        return false;
    }
    struct stat st = {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        qCDebug(lcSound) << "not a regular file:" << path;
        return false;
    }
    SF_INFO info = {};
    // The decoder closes the descriptor itself, also when it fails.
    SNDFILE* file = sf_open_fd(fd, SFM_READ, &info, SF_TRUE);
    if (file == nullptr) {
        qCDebug(lcSound) << "not decodable:" << path << sf_strerror(nullptr);
        return false;
    }
    if (info.samplerate < 1 || info.samplerate > kMaxRate || info.channels < 1 ||
        info.channels > kMaxChannels) {
        qCDebug(lcSound) << "unplayable format:" << path << info.samplerate << info.channels;
        sf_close(file);
        return false;
    }
    m_file = file;
    m_rate = static_cast<unsigned>(info.samplerate);
    m_channels = static_cast<unsigned>(info.channels);
    return true;
}

bool SoundFileReader::seek(std::size_t frame)
{
    return m_file != nullptr && sf_seek(m_file, static_cast<sf_count_t>(frame), SEEK_SET) ==
                                    static_cast<sf_count_t>(frame);
}

std::size_t SoundFileReader::read(std::int16_t* out, std::size_t frames)
{
    if (m_file == nullptr || frames == 0) {
        return 0;
    }
    const std::size_t samples = frames * m_channels;
    if (m_scratch.size() < samples) {
        m_scratch.resize(samples);
    }
    const sf_count_t got =
        sf_readf_float(m_file, m_scratch.data(), static_cast<sf_count_t>(frames));
    if (got <= 0) {
        return 0;
    }
    const std::size_t gotFrames = static_cast<std::size_t>(got);
    for (std::size_t i = 0; i < gotFrames * m_channels; ++i) {
        out[i] = toSample(m_scratch[i]);
    }
    return gotFrames;
}

} // namespace platform::audio
