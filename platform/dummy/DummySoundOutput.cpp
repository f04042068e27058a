#include "platform/dummy/DummySoundOutput.h"

#include <algorithm>

namespace platform {

void DummySoundOutput::play(const QString& path)
{
    m_calls.append(Call{Call::Kind::Play, path});
}

void DummySoundOutput::stop()
{
    m_calls.append(Call{Call::Kind::Stop, QString()});
}

QStringList DummySoundOutput::playedPaths() const
{
    QStringList paths;
    for (const Call& call : m_calls) {
        if (call.kind == Call::Kind::Play) {
            paths.append(call.path);
        }
    }
    return paths;
}

int DummySoundOutput::playCount() const
{
    return static_cast<int>(std::count_if(m_calls.begin(), m_calls.end(), [](const Call& call) {
        return call.kind == Call::Kind::Play;
    }));
}

int DummySoundOutput::stopCount() const
{
    return static_cast<int>(m_calls.size()) - playCount();
}

bool DummySoundOutput::isPlaying() const
{
    return !m_calls.isEmpty() && m_calls.last().kind == Call::Kind::Play;
}

} // namespace platform
