#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

namespace soundtest {

double steadySeconds();

// A private PulseAudio with one null sink "rec", reachable only through the
// socket <dir>/native; its home and runtime directories live in dir too.
// Killed with the test, however the test ends.
class PulseTestServer
{
public:
    // Without rewinds the sink cannot take back what it mixed ahead, as
    // with servers that never rewind (PipeWire).
    explicit PulseTestServer(const QString& dir, bool rewinds = true)
        : m_dir(dir), m_rewinds(rewinds)
    {}
    ~PulseTestServer() { stop(); }

    static QString addressFor(const QString& dir) { return "unix:" + dir + "/native"; }
    QString address() const { return addressFor(m_dir); }
    QProcessEnvironment clientEnv() const;

    // Waits until the server accepts connections.
    bool start();
    void stop();
    QString log() const;
    // Suspends and resumes the sink: an idle null sink sleeps for up to 2 s
    // before it serves a new recording; resuming makes it start at once.
    void wakeSink() const;

private:
    QString m_dir;
    bool m_rewinds;
    QProcess m_process;
};

// Records the null sink's monitor (48 kHz mono, 16 bit) and keeps the
// time at which each recorded frame passed through the server.
class MonitorRecorder
{
public:
    static constexpr int kRate = 48000;

    ~MonitorRecorder() { stop(); }

    // The latency asked for also sets how far the sink mixes ahead, and
    // with that how exactly the recording's time line is known.
    bool start(const PulseTestServer& server, const QString& logPath, int latencyMsec);
    void stop();

    struct Take
    {
        std::vector<std::int16_t> samples;
        double start = 0; // steady-clock seconds of sample 0

        double timeOf(std::size_t frame) const { return start + double(frame) / kRate; }
        // The frame at the given steady-clock time.
        std::size_t frameAt(double seconds) const;
    };
    Take take() const;
    // Whether the recording reaches the given steady-clock time.
    bool covers(double seconds) const;

private:
    void readLoop(int fd);

    QProcess m_process;
    int m_pipe = -1; // read end of the recorder's stdout
    std::thread m_reader;
    mutable std::mutex m_mutex;
    std::vector<std::int16_t> m_samples;
    double m_start = 1e300;
};

} // namespace soundtest
