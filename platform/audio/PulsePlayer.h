#pragma once

#include "platform/audio/DecodedSound.h"
#include "platform/audio/SoundFileReader.h"

#include <chrono>
#include <functional>
#include <memory>
#include <vector>

struct pa_context;
struct pa_io_event;
struct pa_mainloop;
struct pa_mainloop_api;
struct pa_stream;

namespace platform::audio {

// Plays decoded sounds through a PulseAudio (or PipeWire) server, one at a
// time, on the thread that calls run(). The server connection is made on
// first use and remade at the next play after it failed, so a server that
// starts or restarts after us is picked up. Every call must come from the
// loop's own thread (from callbacks registered on watch()).
class PulsePlayer
{
public:
    PulsePlayer();
    ~PulsePlayer();
    PulsePlayer(const PulsePlayer&) = delete;
    PulsePlayer& operator=(const PulsePlayer&) = delete;

    // Calls handler on the loop's thread whenever fd becomes readable.
    void watch(int fd, std::function<void()> handler);
    void run();
    void quit();

    // Starts the sound from its beginning; whatever played is cut short.
    void play(std::shared_ptr<const DecodedSound> sound);
    void stop();

private:
    pa_mainloop_api* api() const;
    bool ensureContext();
    void dropContext();
    void startStream();
    void dropStream();
    void feed(std::size_t bytes);
    bool atEnd() const;

    static void onContextState(pa_context* context, void* self);
    static void onStreamState(pa_stream* stream, void* self);
    static void onWrite(pa_stream* stream, std::size_t bytes, void* self);
    static void onDrained(pa_stream* stream, int success, void* self);
    static void onClosingState(pa_stream* stream, void* unused);

    pa_mainloop* m_loop = nullptr;
    pa_io_event* m_watch = nullptr;
    std::function<void()> m_watchHandler;
    pa_context* m_context = nullptr;
    std::chrono::steady_clock::time_point m_connectStarted;
    pa_stream* m_stream = nullptr;

    std::shared_ptr<const DecodedSound> m_sound; // wanted or playing
    std::size_t m_frame = 0;                     // next frame to write
    bool m_tailEnded = false;
    bool m_draining = false;
    SoundFileReader m_tail; // the part of a long file past its head
    std::vector<std::int16_t> m_tailBuffer;
};

} // namespace platform::audio
