#include "platform/audio/PulseSoundOutput.h"

#include "platform/audio/DecodedSound.h"
#include "platform/audio/PulsePlayer.h"
#include "platform/audio/SoundCache.h"
#include "platform/audio/SoundLog.h"

#include <cstdint>
#include <pthread.h>
#include <sys/eventfd.h>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace platform {

PulseSoundOutput::PulseSoundOutput(std::size_t keptSamples)
    : m_wakeFd(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)),
      m_player(std::make_unique<audio::PulsePlayer>()),
      m_cache(std::make_unique<audio::SoundCache>(4, keptSamples)), m_beep(audio::makeBeep())
{
    if (m_wakeFd < 0) {
        qCDebug(lcSound) << "no wake-up descriptor; sound stays off";
        return;
    }
    m_player->watch(m_wakeFd, [this] { serveRequest(); });
    try {
        m_worker = std::thread([this] {
            pthread_setname_np(pthread_self(), "glimmora-sound");
            m_player->run();
            // Everything of the server connection lives and dies on this thread.
            m_player.reset();
            m_cache.reset();
        });
    } catch (const std::system_error& error) {
        qCDebug(lcSound) << "no sound thread:" << error.what();
    }
}

PulseSoundOutput::~PulseSoundOutput()
{
    if (m_worker.joinable()) {
        post(Request::Quit);
        m_worker.join();
    }
    m_player.reset();
    if (m_wakeFd >= 0) {
        ::close(m_wakeFd);
    }
}

void PulseSoundOutput::play(const QString& path)
{
    if (path.isEmpty()) {
        post(Request::Stop);
    } else {
        post(Request::Play, path);
    }
}

void PulseSoundOutput::stop()
{
    post(Request::Stop);
}

void PulseSoundOutput::post(Request request, const QString& path)
{
    if (!m_worker.joinable()) {
        return;
    }
    {
        const std::lock_guard lock(m_mutex);
        if (m_request == Request::Quit) {
            return;
        }
        // Only the latest request matters: each one replaces all before it.
        m_request = request;
        m_path = path;
    }
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = ::write(m_wakeFd, &one, sizeof one);
}

void PulseSoundOutput::serveRequest()
{
    std::uint64_t count = 0;
    [[maybe_unused]] const ssize_t got = ::read(m_wakeFd, &count, sizeof count);

    Request request = Request::None;
    QString path;
    {
        const std::lock_guard lock(m_mutex);
        request = m_request;
        if (request != Request::Quit) {
            m_request = Request::None;
        }
        path = std::exchange(m_path, QString());
    }
    switch (request) {
    case Request::Play: {
        auto sound = m_cache->get(path);
        m_player->play(sound != nullptr ? std::move(sound) : m_beep);
        break;
    }
    case Request::Stop:
        m_player->stop();
        break;
    case Request::Quit:
        m_player->stop();
        m_player->quit();
        break;
    case Request::None:
        break;
    }
}

} // namespace platform
