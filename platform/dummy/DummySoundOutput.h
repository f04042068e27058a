#pragma once

#include "platform/sound/SoundOutput.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace platform {

// Records what the program asks of the sound output, for tests.
class DummySoundOutput final : public SoundOutput
{
public:
    struct Call
    {
        enum class Kind
        {
            Play,
            Stop
        };
        Kind kind;
        QString path; // empty for Stop

        bool operator==(const Call&) const = default;
    };

    void play(const QString& path) override;
    void stop() override;

    // Every call in order.
    const QList<Call>& calls() const { return m_calls; }
    // The paths of all play calls in order.
    QStringList playedPaths() const;
    int playCount() const;
    int stopCount() const;
    // Whether the latest call was a play (the sound would still be running
    // unless it ended on its own).
    bool isPlaying() const;
    void clear() { m_calls.clear(); }

private:
    QList<Call> m_calls;
};

} // namespace platform
