#pragma once

#include "SoundServerFixture.h"

#include "platform/audio/PulseSoundOutput.h"

#include <QObject>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <utility>

namespace soundtest {

// What the sound output tests share: test sounds, private servers with
// their recordings, playing and listening, and the figures measured.
class SoundBench : public QObject
{
    Q_OBJECT

public:
    SoundBench();
    ~SoundBench() override;

protected:
    static constexpr int kRate = MonitorRecorder::kRate;
    static constexpr std::size_t kGap = kRate / 100; // 10 ms of silence ends a sound

    // From the test's init and cleanup slots.
    void setUpBench();
    void cleanUpBench();
    void printFigures();

    // A server kept for all tests of this kind, or one of this test alone.
    bool useSharedServer(bool rewinds);
    bool startOwnServer();
    void setServerEnv(const QString& dir);
    QString ownDir() const { return m_ownDir->path(); }
    QString ownPath(const QString& name) const { return m_ownDir->filePath(name); }

    double timedCall(const std::function<void()>& call);
    bool waitForSilence();
    // Plays and waits until the sound was heard and ended; returns the
    // frames of its start and end in the recording.
    std::optional<std::pair<std::size_t, std::size_t>> playAndHear(const QString& path,
                                                                   double* latency = nullptr);
    int sinkInputCount();
    void note(const QString& what, double seconds) { m_figures[what].push_back(seconds); }

    QString m_tone;    // 250 ms of 440 Hz
    QString m_short;   // 12 ms of 660 Hz
    QString m_twoTone; // 200 ms of 440 Hz, then 1800 ms of 1760 Hz
    QString m_long;    // 2 s of 440 Hz

    PulseTestServer* m_server = nullptr;
    MonitorRecorder* m_recorder = nullptr;
    std::unique_ptr<PulseTestServer> m_ownServer;
    std::unique_ptr<MonitorRecorder> m_ownRecorder;
    std::unique_ptr<platform::SoundOutput> m_sound;

private:
    struct SharedServer;
    bool record(PulseTestServer& server, MonitorRecorder& recorder, const QString& log);

    std::unique_ptr<QTemporaryDir> m_files;
    std::unique_ptr<QTemporaryDir> m_ownDir;
    std::map<bool, std::unique_ptr<SharedServer>> m_shared;
    std::map<QString, std::vector<double>> m_figures;
};

template <typename Condition> bool waitUntil(Condition condition, double seconds)
{
    const double deadline = steadySeconds() + seconds;
    for (;;) {
        if (condition()) {
            return true;
        }
        if (steadySeconds() > deadline) {
            return false;
        }
        QTest::qWait(5);
    }
}

} // namespace soundtest
