#pragma once

// The sequence of settings writes the writer child performs, so the test can
// replay any prefix of it: the eight keys of an orderly exit in turn, with
// values of changing length so the file grows and shrinks.
#include <QByteArray>
#include <QList>
#include <cstdint>

namespace soak {

inline const QList<QByteArray>& updateKeys()
{
    static const QList<QByteArray> keys{"StandBy", "OnTop", "X",         "Y",
                                        "Saver",   "Alarm", "ShowSaver", "Skin"};
    return keys;
}

struct Update
{
    QByteArray key;
    QByteArray value;
};

// Update `i` of the sequence numbered `seed`.
inline Update update(std::uint32_t seed, int i)
{
    // A small integer hash, the same in both processes.
    std::uint32_t h = seed * 2654435761u + static_cast<std::uint32_t>(i) * 40503u + 1u;
    h ^= h >> 15;
    h *= 2246822519u;
    h ^= h >> 13;
    const QList<QByteArray>& keys = updateKeys();
    Update u;
    u.key = keys[i % keys.size()];
    // Mostly short values, now and then a long one (a skin name of up to
    // 1 KiB), so some writes move every later byte of the file.
    const int length = (h % 16 == 0) ? static_cast<int>(h % 1024) : static_cast<int>(h % 12);
    u.value = QByteArray::number(i) + '-';
    for (int c = 0; c < length; ++c) {
        u.value += static_cast<char>('a' + (h >> (c % 24)) % 26);
    }
    return u;
}

} // namespace soak
