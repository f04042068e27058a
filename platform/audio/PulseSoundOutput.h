#pragma once

#include "platform/sound/SoundOutput.h"
#include "platform/audio/DecodedSound.h"

#include <QString>

#include <memory>
#include <mutex>
#include <thread>

namespace platform {

namespace audio {
class PulsePlayer;
class SoundCache;
} // namespace audio

// The desktop's sound server (PulseAudio or PipeWire) as SoundOutput.
// Decoding, connecting and playing all happen on a thread of its own, so
// play() and stop() only hand over a request and never wait for the server;
// only the latest request counts. A file that cannot be played gives a
// short beep. Without a server nothing is heard and nothing fails; a server
// that appears later is used from the next play on.
class PulseSoundOutput final : public SoundOutput
{
public:
    // keptSamples: how much of each file is kept decoded in memory; the rest
    // of a longer file is read while it plays.
    explicit PulseSoundOutput(std::size_t keptSamples = audio::kDefaultHeadSamples);
    ~PulseSoundOutput() override;
    PulseSoundOutput(const PulseSoundOutput&) = delete;
    PulseSoundOutput& operator=(const PulseSoundOutput&) = delete;

    // An empty path stops, like the platform call this stands in for.
    void play(const QString& path) override;
    void stop() override;

private:
    enum class Request
    {
        None,
        Play,
        Stop,
        Quit
    };

    void post(Request request, const QString& path = {});
    void serveRequest();

    std::mutex m_mutex;
    Request m_request = Request::None; // guarded by m_mutex
    QString m_path;                    // guarded by m_mutex

    int m_wakeFd = -1;
    std::unique_ptr<audio::PulsePlayer> m_player;      // worker thread only
    std::unique_ptr<audio::SoundCache> m_cache;        // worker thread only
    std::shared_ptr<const audio::DecodedSound> m_beep; // worker thread only
    std::thread m_worker;
};

} // namespace platform
