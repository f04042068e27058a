#pragma once

#include "platform/audio/DecodedSound.h"

#include <QString>

#include <cstdint>
#include <list>
#include <memory>

namespace platform::audio {

// Decoded sound files by path, valid while the file keeps its identity,
// size and modification time, so a sound restarted every 300 ms is decoded
// once. Keeps the few most recently used files. Not thread-safe.
class SoundCache
{
public:
    explicit SoundCache(std::size_t capacity = 4, std::size_t maxHeadSamples = kDefaultHeadSamples);

    // Null for a file that is missing or cannot be played.
    std::shared_ptr<const DecodedSound> get(const QString& path);

    // How many times a file was actually decoded.
    int decodeCount() const { return m_decodeCount; }

private:
    struct Stamp
    {
        std::uint64_t device = 0;
        std::uint64_t inode = 0;
        std::int64_t size = 0;
        std::int64_t mtimeSec = 0;
        std::int64_t mtimeNsec = 0;
        bool operator==(const Stamp&) const = default;
    };
    struct Entry
    {
        QString path;
        Stamp stamp;
        std::shared_ptr<const DecodedSound> sound; // null: not playable
    };

    std::size_t m_capacity;
    std::size_t m_maxHeadSamples;
    std::list<Entry> m_entries; // most recently used first
    int m_decodeCount = 0;
};

} // namespace platform::audio
