#include "platform/audio/PulsePlayer.h"

#include "platform/audio/SoundLog.h"

#include <QFileInfo>

#include <pulse/pulseaudio.h>

#include <algorithm>
#include <utility>

namespace platform::audio {

namespace {

// A connection attempt older than this is given up at the next play.
constexpr auto kConnectTimeout = std::chrono::seconds(2);

// What we keep queued at the server. Small, so that also a server that
// cannot take back mixed audio (no rewinds) starts and stops us quickly.
constexpr pa_usec_t kTargetLatency = 40 * PA_USEC_PER_MSEC;

constexpr std::size_t kTailChunkFrames = 4096;

} // namespace

PulsePlayer::PulsePlayer() : m_loop(pa_mainloop_new()) {}

PulsePlayer::~PulsePlayer()
{
    stop();
    dropContext();
    if (m_watch != nullptr) {
        api()->io_free(m_watch);
    }
    pa_mainloop_free(m_loop);
}

pa_mainloop_api* PulsePlayer::api() const
{
    return pa_mainloop_get_api(m_loop);
}

void PulsePlayer::watch(int fd, std::function<void()> handler)
{
    if (m_watch != nullptr) {
        api()->io_free(m_watch);
    }
    m_watchHandler = std::move(handler);
    m_watch = api()->io_new(
        api(), fd, PA_IO_EVENT_INPUT,
        [](pa_mainloop_api*, pa_io_event*, int, pa_io_event_flags_t, void* self) {
            static_cast<PulsePlayer*>(self)->m_watchHandler();
        },
        this);
}

void PulsePlayer::run()
{
    int result = 0;
    pa_mainloop_run(m_loop, &result);
}

void PulsePlayer::quit()
{
    pa_mainloop_quit(m_loop, 0);
}

void PulsePlayer::play(std::shared_ptr<const DecodedSound> sound)
{
    stop();
    if (sound == nullptr || (sound->headFrames() == 0 && sound->complete)) {
        return;
    }
    m_sound = std::move(sound);
    if (ensureContext()) {
        startStream();
    }
    // Otherwise the stream starts when the connection is ready.
}

void PulsePlayer::stop()
{
    dropStream();
    m_sound.reset();
    m_tail.close();
}

bool PulsePlayer::ensureContext()
{
    const auto now = std::chrono::steady_clock::now();
    if (m_context != nullptr) {
        const pa_context_state_t state = pa_context_get_state(m_context);
        if (state == PA_CONTEXT_READY) {
            return true;
        }
        if (PA_CONTEXT_IS_GOOD(state) && now - m_connectStarted < kConnectTimeout) {
            return false;
        }
        dropContext();
    }
    m_context = pa_context_new(api(), "Glimmora");
    if (m_context == nullptr) {
        return false;
    }
    m_connectStarted = now;
    pa_context_set_state_callback(m_context, &PulsePlayer::onContextState, this);
    // Never spawn a server of our own: the session provides one or none.
    if (pa_context_connect(m_context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) {
        qCDebug(lcSound) << "cannot connect:" << pa_strerror(pa_context_errno(m_context));
    }
    return false;
}

void PulsePlayer::dropContext()
{
    if (m_context == nullptr) {
        return;
    }
    pa_context_set_state_callback(m_context, nullptr, nullptr);
    pa_context_disconnect(m_context);
    pa_context_unref(m_context);
    m_context = nullptr;
}

void PulsePlayer::onContextState(pa_context* context, void* self)
{
    auto* player = static_cast<PulsePlayer*>(self);
    switch (pa_context_get_state(context)) {
    case PA_CONTEXT_READY:
        qCDebug(lcSound) << "connected to" << pa_context_get_server(context);
        if (player->m_sound != nullptr && player->m_stream == nullptr) {
            player->startStream();
        }
        break;
    case PA_CONTEXT_FAILED:
    case PA_CONTEXT_TERMINATED:
        // Reconnected at the next play; this sound is lost.
        qCDebug(lcSound) << "connection ended:" << pa_strerror(pa_context_errno(context));
        player->stop();
        break;
    default:
        break;
    }
}

void PulsePlayer::startStream()
{
    const DecodedSound& sound = *m_sound;
    pa_sample_spec spec = {};
    spec.format = PA_SAMPLE_S16NE;
    spec.rate = sound.rate;
    spec.channels = static_cast<std::uint8_t>(sound.channels);
    pa_channel_map map = {};
    pa_channel_map_init_extend(&map, sound.channels, PA_CHANNEL_MAP_DEFAULT);

    const QByteArray name =
        sound.path.isEmpty() ? QByteArray("beep") : QFileInfo(sound.path).fileName().toUtf8();
    m_stream = pa_stream_new(m_context, name.constData(), &spec, &map);
    if (m_stream == nullptr) {
        qCDebug(lcSound) << "no stream:" << pa_strerror(pa_context_errno(m_context));
        m_sound.reset();
        return;
    }
    m_frame = 0;
    m_tailEnded = false;
    m_draining = false;
    pa_stream_set_state_callback(m_stream, &PulsePlayer::onStreamState, this);
    pa_stream_set_write_callback(m_stream, &PulsePlayer::onWrite, this);

    pa_buffer_attr attr = {};
    attr.maxlength = static_cast<std::uint32_t>(-1);
    attr.tlength = static_cast<std::uint32_t>(pa_usec_to_bytes(kTargetLatency, &spec));
    attr.prebuf = static_cast<std::uint32_t>(-1);
    attr.minreq = static_cast<std::uint32_t>(-1);
    attr.fragsize = static_cast<std::uint32_t>(-1);
    if (pa_stream_connect_playback(m_stream, nullptr, &attr, PA_STREAM_ADJUST_LATENCY, nullptr,
                                   nullptr) < 0) {
        qCDebug(lcSound) << "cannot play:" << pa_strerror(pa_context_errno(m_context));
        stop();
    }
}

void PulsePlayer::dropStream()
{
    pa_stream* stream = std::exchange(m_stream, nullptr);
    if (stream == nullptr) {
        return;
    }
    pa_stream_set_write_callback(stream, nullptr, nullptr);
    if (pa_stream_get_state(stream) == PA_STREAM_CREATING) {
        // The server has not named it yet, so it cannot be deleted yet.
        pa_stream_set_state_callback(stream, &PulsePlayer::onClosingState, nullptr);
        return;
    }
    pa_stream_set_state_callback(stream, nullptr, nullptr);
    if (pa_stream_get_state(stream) == PA_STREAM_READY) {
        pa_stream_disconnect(stream);
    }
    pa_stream_unref(stream);
}

void PulsePlayer::onClosingState(pa_stream* stream, void* /*unused*/)
{
    const pa_stream_state_t state = pa_stream_get_state(stream);
    if (state == PA_STREAM_CREATING) {
        return;
    }
    pa_stream_set_state_callback(stream, nullptr, nullptr);
    if (state == PA_STREAM_READY) {
        pa_stream_disconnect(stream);
    }
    pa_stream_unref(stream);
}

void PulsePlayer::onStreamState(pa_stream* stream, void* self)
{
    auto* player = static_cast<PulsePlayer*>(self);
    const pa_stream_state_t state = pa_stream_get_state(stream);
    if (stream != player->m_stream) {
        return;
    }
    if (state == PA_STREAM_READY) {
        qCDebug(lcSound) << "playing" << player->m_sound->path;
    } else if (!PA_STREAM_IS_GOOD(state)) {
        qCDebug(lcSound) << "stream failed:" << pa_strerror(pa_context_errno(player->m_context));
        player->stop();
    }
}

void PulsePlayer::onWrite(pa_stream* stream, std::size_t bytes, void* self)
{
    auto* player = static_cast<PulsePlayer*>(self);
    if (stream == player->m_stream) {
        player->feed(bytes);
    }
}

void PulsePlayer::onDrained(pa_stream* stream, int /*success*/, void* self)
{
    auto* player = static_cast<PulsePlayer*>(self);
    if (stream == player->m_stream) {
        qCDebug(lcSound) << "played to the end";
        player->stop();
    }
}

bool PulsePlayer::atEnd() const
{
    return m_frame >= m_sound->headFrames() && (m_sound->complete || m_tailEnded);
}

void PulsePlayer::feed(std::size_t bytes)
{
    if (m_sound == nullptr || m_draining) {
        return;
    }
    const DecodedSound& sound = *m_sound;
    const std::size_t frameBytes = sizeof(std::int16_t) * sound.channels;
    const std::size_t headFrames = sound.headFrames();
    std::size_t frames = bytes / frameBytes;
    while (frames > 0 && !atEnd()) {
        const std::int16_t* data = nullptr;
        std::size_t count = 0;
        if (m_frame < headFrames) {
            count = std::min(frames, headFrames - m_frame);
            data = sound.head.data() + m_frame * sound.channels;
        } else {
            if (!m_tail.isOpen() &&
                (!m_tail.open(sound.path) || m_tail.rate() != sound.rate ||
                 m_tail.channels() != sound.channels || !m_tail.seek(headFrames))) {
                m_tailEnded = true; // changed or vanished since it was decoded
                break;
            }
            count = std::min(frames, kTailChunkFrames);
            m_tailBuffer.resize(count * sound.channels);
            count = m_tail.read(m_tailBuffer.data(), count);
            data = m_tailBuffer.data();
            if (count == 0) {
                m_tailEnded = true;
                break;
            }
        }
        if (pa_stream_write(m_stream, data, count * frameBytes, nullptr, 0, PA_SEEK_RELATIVE) < 0) {
            qCDebug(lcSound) << "write failed:" << pa_strerror(pa_context_errno(m_context));
            stop();
            return;
        }
        m_frame += count;
        frames -= count;
    }
    if (atEnd()) {
        // Plays what is queued, even less than the start threshold, then ends.
        m_draining = true;
        m_tail.close();
        if (pa_operation* drain = pa_stream_drain(m_stream, &PulsePlayer::onDrained, this)) {
            pa_operation_unref(drain);
        } else {
            stop();
        }
    }
}

} // namespace platform::audio
