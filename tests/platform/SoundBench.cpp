#include "SoundBench.h"

#include "SignalAnalysis.h"
#include "WavWriter.h"

#include <QProcess>
#include <QStandardPaths>

#include <algorithm>

namespace soundtest {

namespace {

QString summary(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return QStringLiteral("min %1, median %2, max %3 ms (n=%4)")
        .arg(values.front() * 1000, 0, 'f', 1)
        .arg(values[values.size() / 2] * 1000, 0, 'f', 1)
        .arg(values.back() * 1000, 0, 'f', 1)
        .arg(values.size());
}

} // namespace

struct SoundBench::SharedServer
{
    explicit SharedServer(bool rewinds) : server(dir.path(), rewinds) {}
    QTemporaryDir dir;
    PulseTestServer server;
    MonitorRecorder recorder;
};

SoundBench::SoundBench() = default;
SoundBench::~SoundBench() = default;

void SoundBench::setUpBench()
{
    if (QStandardPaths::findExecutable("pulseaudio").isEmpty() ||
        QStandardPaths::findExecutable("parec").isEmpty()) {
        QSKIP("needs pulseaudio and parec (pulseaudio-utils)");
    }
    if (!m_files) {
        m_files = std::make_unique<QTemporaryDir>();
        QVERIFY(m_files->isValid());
        // The client keeps its cookie in the home directory: never the real one.
        qputenv("HOME", QFile::encodeName(m_files->filePath("home")));

        using E = WavFormat::Encoding;
        m_tone = m_files->filePath("tone.wav");
        QVERIFY(writeFile(m_tone, makeWav({}, tone(440, 0.5, 44100, 44100 / 4))));
        m_short = m_files->filePath("short.wav");
        QVERIFY(writeFile(m_short, makeWav({E::Pcm, 24, 2, 44100, false},
                                           tone(660, 0.5, 44100, 44100 * 12 / 1000, 2))));
        m_twoTone = m_files->filePath("twotone.wav");
        auto samples = tone(440, 0.5, 48000, 48000 / 5, 2);
        const auto rest = tone(1760, 0.5, 48000, 48000 * 18 / 10, 2);
        samples.insert(samples.end(), rest.begin(), rest.end());
        QVERIFY(writeFile(m_twoTone, makeWav({E::Float, 32, 2, 48000, false}, samples)));
        m_long = m_files->filePath("long.wav");
        QVERIFY(writeFile(m_long, makeWav({}, tone(440, 0.5, 22050, 22050 * 2))));
    }
    m_ownDir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_ownDir->isValid());
}

void SoundBench::cleanUpBench()
{
    m_sound.reset();
    if (m_server != nullptr && QTest::currentTestFailed()) {
        qWarning().noquote() << "server log:\n" << m_server->log().right(3000);
    }
    m_server = nullptr;
    m_recorder = nullptr;
    m_ownRecorder.reset();
    m_ownServer.reset();
    m_ownDir.reset();
}

void SoundBench::printFigures()
{
    m_shared.clear();
    for (const auto& [what, values] : m_figures) {
        qInfo().noquote() << what + ":" << summary(values);
    }
}

bool SoundBench::record(PulseTestServer& server, MonitorRecorder& recorder, const QString& log)
{
    if (!server.start()) {
        qWarning().noquote() << server.log();
        return false;
    }
    // Asking little latency keeps the sink from mixing far ahead, which
    // keeps the recording's time line exact to a few milliseconds.
    if (!recorder.start(server, log, 2)) {
        return false;
    }
    // Some recording in hand before anything plays.
    const double ready = steadySeconds() + 0.1;
    for (int attempt = 0; attempt < 10; ++attempt) {
        server.wakeSink();
        if (waitUntil([&] { return recorder.covers(ready); }, 0.5)) {
            return true;
        }
    }
    return false;
}

bool SoundBench::useSharedServer(bool rewinds)
{
    auto& shared = m_shared[rewinds];
    if (!shared) {
        shared = std::make_unique<SharedServer>(rewinds);
        if (!record(shared->server, shared->recorder, shared->dir.filePath("parec.log"))) {
            shared.reset();
            return false;
        }
    }
    setServerEnv(shared->dir.path());
    m_server = &shared->server;
    m_recorder = &shared->recorder;
    return true;
}

bool SoundBench::startOwnServer()
{
    m_ownRecorder.reset();
    m_ownServer = std::make_unique<PulseTestServer>(m_ownDir->path());
    m_ownRecorder = std::make_unique<MonitorRecorder>();
    m_server = m_ownServer.get();
    m_recorder = m_ownRecorder.get();
    return record(*m_ownServer, *m_ownRecorder, m_ownDir->filePath("parec.log"));
}

void SoundBench::setServerEnv(const QString& dir)
{
    // Set while no sound output exists: the client reads it when connecting.
    QVERIFY(m_sound == nullptr);
    qputenv("PULSE_SERVER", PulseTestServer::addressFor(dir).toUtf8());
}

double SoundBench::timedCall(const std::function<void()>& call)
{
    const double before = steadySeconds();
    call();
    const double after = steadySeconds();
    note("time spent in play()/stop()", after - before);
    return before;
}

bool SoundBench::waitForSilence()
{
    return waitUntil(
        [&] {
            const auto take = m_recorder->take();
            const std::size_t end = take.samples.size();
            return end > kRate / 10 && !lastLoud(take.samples, end - kRate / 10, end);
        },
        3);
}

std::optional<std::pair<std::size_t, std::size_t>> SoundBench::playAndHear(const QString& path,
                                                                           double* latency)
{
    if (!waitForSilence()) {
        return std::nullopt;
    }
    const double called = timedCall([&] { m_sound->play(path); });
    std::optional<std::pair<std::size_t, std::size_t>> heard;
    waitUntil(
        [&] {
            // From a little before the call: the recording's time line is
            // only as exact as the sink's mixing blocks.
            const auto take = m_recorder->take();
            const auto onset =
                firstLoud(take.samples, take.frameAt(called - 0.02), take.samples.size());
            const auto end = onset ? loudEnd(take.samples, *onset, kGap) : std::nullopt;
            if (end) {
                heard.emplace(*onset, *end);
                if (latency != nullptr) {
                    *latency = take.timeOf(*onset) - called;
                }
            }
            return end.has_value();
        },
        3);
    return heard;
}

int SoundBench::sinkInputCount()
{
    QProcess pactl;
    pactl.setProcessEnvironment(m_server->clientEnv());
    pactl.start("pactl", {"list", "short", "sink-inputs"});
    if (!pactl.waitForFinished(5000) || pactl.exitCode() != 0) {
        return -1;
    }
    return int(pactl.readAllStandardOutput().count('\n'));
}

} // namespace soundtest
