#include "platform/audio/SoundCache.h"

#include <QFile>

#include <sys/stat.h>

namespace platform::audio {

SoundCache::SoundCache(std::size_t capacity, std::size_t maxHeadSamples)
    : m_capacity(capacity == 0 ? 1 : capacity), m_maxHeadSamples(maxHeadSamples)
{}

std::shared_ptr<const DecodedSound> SoundCache::get(const QString& path)
{
    struct stat st = {};
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &st) != 0) {
        return nullptr;
    }
    const Stamp stamp{static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino),
                      static_cast<std::int64_t>(st.st_size),
                      static_cast<std::int64_t>(st.st_mtim.tv_sec),
                      static_cast<std::int64_t>(st.st_mtim.tv_nsec)};

    for (auto it = m_entries.begin(); it != m_entries.end(); ++it) {
        if (it->path != path) {
            continue;
        }
        if (it->stamp == stamp) {
            m_entries.splice(m_entries.begin(), m_entries, it);
            return m_entries.front().sound;
        }
        m_entries.erase(it);
        break;
    }

    ++m_decodeCount;
    auto sound = decodeSoundFile(path, m_maxHeadSamples);
    m_entries.push_front(Entry{path, stamp, sound});
    if (m_entries.size() > m_capacity) {
        m_entries.pop_back();
    }
    return sound;
}

} // namespace platform::audio
