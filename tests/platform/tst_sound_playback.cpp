// The sound output against a private PulseAudio with a null sink whose
// monitor is recorded: what is heard, from where, for how long, and when
// it starts and stops.
#include "SignalAnalysis.h"
#include "SoundBench.h"
#include "WavWriter.h"

#include <unistd.h>

using platform::PulseSoundOutput;
using namespace soundtest;

Q_DECLARE_METATYPE(WavFormat)

class TestSoundPlayback : public SoundBench
{
    Q_OBJECT

private slots:
    void init() { setUpBench(); }
    void cleanup() { cleanUpBench(); }
    void cleanupTestCase() { printFigures(); }

    void formatsAreHeard_data();
    void formatsAreHeard();
    void playIsHeardOnceFromItsStart_data() { sinkKinds(); }
    void playIsHeardOnceFromItsStart();
    void shortSoundIsHeardWhole();
    void longFileIsReadWhilePlaying();
    void playAgainCutsAndStartsOver_data() { sinkKinds(); }
    void playAgainCutsAndStartsOver();
    void stopSilences_data() { sinkKinds(); }
    void stopSilences();
    void unplayableFilesBeep_data();
    void unplayableFilesBeep();
    void burstOfRequestsLeavesNothingBehind();

private:
    static void sinkKinds()
    {
        QTest::addColumn<bool>("rewinds");
        QTest::newRow("sink with rewinds") << true;
        QTest::newRow("sink without rewinds") << false;
    }
};

void TestSoundPlayback::formatsAreHeard_data()
{
    QTest::addColumn<WavFormat>("format");
    using E = WavFormat::Encoding;
    QTest::newRow("8-bit mono 8000 Hz") << WavFormat{E::Pcm, 8, 1, 8000, false};
    QTest::newRow("24-bit stereo 96000 Hz") << WavFormat{E::Pcm, 24, 2, 96000, false};
    QTest::newRow("float mono 11025 Hz") << WavFormat{E::Float, 32, 1, 11025, false};
    QTest::newRow("32-bit 6 channels 48000 Hz") << WavFormat{E::Pcm, 32, 6, 48000, true};
    QTest::newRow("16-bit 4000 Hz") << WavFormat{E::Pcm, 16, 1, 4000, false};
}

void TestSoundPlayback::formatsAreHeard()
{
    QFETCH(WavFormat, format);
    const QString path = ownPath("format.wav");
    QVERIFY(writeFile(
        path, makeWav(format, tone(440, 0.5, format.rate, format.rate / 5, format.channels))));
    QVERIFY(useSharedServer(true));
    m_sound = std::make_unique<PulseSoundOutput>();
    const auto heard = playAndHear(path);
    QVERIFY(heard);
    const auto [onset, end] = *heard;
    const double seconds = double(end - onset) / kRate;
    QVERIFY2(std::abs(seconds - 0.2) < 0.04, qPrintable(QString::number(seconds)));
    const auto take = m_recorder->take();
    // 5 %: a wrong sample rate (44.1 against 48 kHz) is 8.8 % off, while a
    // dropped recording block under load shifts a short measurement a little.
    const double hz = crossingRate(take.samples, onset + kRate / 50, end - kRate / 50, kRate) / 2;
    QVERIFY2(std::abs(hz - 440) < 22, qPrintable(QString::number(hz)));
}

void TestSoundPlayback::playIsHeardOnceFromItsStart()
{
    QFETCH(bool, rewinds);
    QVERIFY(useSharedServer(rewinds));
    const QString kind = rewinds ? " (rewinds)" : " (no rewinds)";
    m_sound = std::make_unique<PulseSoundOutput>();
    for (int round = 0; round < 8; ++round) {
        double latency = 0;
        const auto heard = playAndHear(m_tone, &latency);
        QVERIFY2(heard, qPrintable(QStringLiteral("round %1: nothing heard").arg(round)));
        note((round == 0 ? "first play() incl. connecting to first sound"
                         : "play() to first sound") +
                 kind,
             latency);
        QVERIFY2(latency < 1.0, qPrintable(QString::number(latency)));

        const auto [onset, end] = *heard;
        const double seconds = double(end - onset) / kRate;
        QVERIFY2(std::abs(seconds - 0.25) < 0.04, qPrintable(QString::number(seconds)));
        // The whole tone at its own pitch, resampled from 44.1 kHz.
        const auto take = m_recorder->take();
        const double hz =
            crossingRate(take.samples, onset + kRate / 50, end - kRate / 50, kRate) / 2;
        QVERIFY2(std::abs(hz - 440) < 22, qPrintable(QString::number(hz)));
    }
    // A sound that ended leaves no stream behind.
    QVERIFY(waitUntil([&] { return sinkInputCount() == 0; }, 2));
}

void TestSoundPlayback::shortSoundIsHeardWhole()
{
    // Shorter than the stream's buffer: must still start and play out.
    QVERIFY(useSharedServer(true));
    m_sound = std::make_unique<PulseSoundOutput>();
    for (int round = 0; round < 3; ++round) {
        const auto heard = playAndHear(m_short);
        QVERIFY(heard);
        const double seconds = double(heard->second - heard->first) / kRate;
        QVERIFY2(std::abs(seconds - 0.012) < 0.004, qPrintable(QString::number(seconds)));
    }
}

void TestSoundPlayback::longFileIsReadWhilePlaying()
{
    // 200 ms of 440 Hz, then 400 ms of 1760 Hz; only the first 100 ms are
    // kept in memory, the rest must come from the file.
    auto samples = tone(440, 0.5, 48000, 48000 / 5);
    const auto rest = tone(1760, 0.5, 48000, 48000 * 4 / 10);
    samples.insert(samples.end(), rest.begin(), rest.end());
    const QString path = ownPath("steps.wav");
    QVERIFY(writeFile(path, makeWav({WavFormat::Encoding::Pcm, 16, 1, 48000, false}, samples)));

    QVERIFY(useSharedServer(true));
    m_sound = std::make_unique<PulseSoundOutput>(4800);
    for (int round = 0; round < 2; ++round) {
        const auto heard = playAndHear(path);
        QVERIFY(heard);
        const auto [onset, end] = *heard;
        const double seconds = double(end - onset) / kRate;
        QVERIFY2(std::abs(seconds - 0.6) < 0.04, qPrintable(QString::number(seconds)));
        const auto take = m_recorder->take();
        const double low =
            crossingRate(take.samples, onset + kRate / 50, onset + kRate * 18 / 100, kRate) / 2;
        const double high =
            crossingRate(take.samples, onset + kRate / 4, end - kRate / 50, kRate) / 2;
        QVERIFY2(std::abs(low - 440) < 10, qPrintable(QString::number(low)));
        QVERIFY2(std::abs(high - 1760) < 20, qPrintable(QString::number(high)));
    }
}

void TestSoundPlayback::playAgainCutsAndStartsOver()
{
    QFETCH(bool, rewinds);
    QVERIFY(useSharedServer(rewinds));
    m_sound = std::make_unique<PulseSoundOutput>();
    QVERIFY(playAndHear(m_short)); // connected
    for (int round = 0; round < 4; ++round) {
        QVERIFY(waitForSilence());
        const double first = timedCall([&] { m_sound->play(m_twoTone); });
        // Into the second part of the sound, then start it again.
        QVERIFY(waitUntil(
            [&] {
                const auto take = m_recorder->take();
                const auto high = toneOnset(take.samples, take.frameAt(first), 1600, 1900, kRate);
                return high && take.samples.size() > *high + kRate / 10;
            },
            3));
        const double again = timedCall([&] { m_sound->play(m_twoTone); });
        QVERIFY(waitUntil([&] { return m_recorder->covers(again + 0.45); }, 3));

        const auto take = m_recorder->take();
        const std::size_t at = take.frameAt(again);
        // Up to the call the second part played on.
        const double before =
            crossingRate(take.samples, at - kRate / 10, at - kRate / 50, kRate) / 2;
        QVERIFY2(std::abs(before - 1760) < 40, qPrintable(QString::number(before)));
        const auto restart = toneOnset(take.samples, at - kRate / 50, 400, 480, kRate);
        QVERIFY(restart);
        const double latency = take.timeOf(*restart) - again;
        note(QString("play() again to the new start") + (rewinds ? " (rewinds)" : " (no rewinds)"),
             latency);
        QVERIFY2(latency < 1.0, qPrintable(QString::number(latency)));
        // The beginning alone, nothing of the old sound mixed in, then the
        // second part again.
        const double start =
            crossingRate(take.samples, *restart + kRate / 100, *restart + kRate * 18 / 100, kRate) /
            2;
        QVERIFY2(std::abs(start - 440) < 20, qPrintable(QString::number(start)));
        const double next = crossingRate(take.samples, *restart + kRate * 25 / 100,
                                         *restart + kRate * 40 / 100, kRate) /
                            2;
        QVERIFY2(std::abs(next - 1760) < 40, qPrintable(QString::number(next)));
        m_sound->stop();
    }
}

void TestSoundPlayback::stopSilences()
{
    QFETCH(bool, rewinds);
    QVERIFY(useSharedServer(rewinds));
    m_sound = std::make_unique<PulseSoundOutput>();
    for (int round = 0; round < 5; ++round) {
        QVERIFY(waitForSilence());
        const double started = timedCall([&] { m_sound->play(m_long); });
        QVERIFY(waitUntil(
            [&] {
                const auto take = m_recorder->take();
                const auto onset =
                    firstLoud(take.samples, take.frameAt(started), take.samples.size());
                return onset && take.samples.size() > *onset + kRate / 4;
            },
            3));
        const double stopped = timedCall([&] { m_sound->stop(); });
        QVERIFY(waitUntil([&] { return m_recorder->covers(stopped + 0.5); }, 3));

        const auto take = m_recorder->take();
        const auto last =
            lastLoud(take.samples, take.frameAt(started), take.frameAt(stopped + 0.5));
        QVERIFY(last);
        note(QString("stop() to the last sound") + (rewinds ? " (rewinds)" : " (no rewinds)"),
             take.timeOf(*last) - stopped);
        const auto late =
            firstLoud(take.samples, take.frameAt(stopped + 0.3), take.frameAt(stopped + 0.5));
        QVERIFY2(!late, qPrintable(QStringLiteral("sound %1 ms after stop()")
                                       .arg((take.timeOf(late.value_or(0)) - stopped) * 1000)));
    }
    // Stopping silence again is harmless; no stream is left behind.
    m_sound->stop();
    m_sound->stop();
    QVERIFY(waitUntil([&] { return sinkInputCount() == 0; }, 2));
}

void TestSoundPlayback::unplayableFilesBeep_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("exists");
    QTest::newRow("missing") << QByteArray() << false;
    QTest::newRow("empty") << QByteArray() << true;
    QTest::newRow("garbage") << QByteArray(3000, '\x5a') << true;
    QTest::newRow("header cut") << makeWav({}, tone(440, 0.5, 44100, 100)).left(30) << true;
}

void TestSoundPlayback::unplayableFilesBeep()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, exists);
    const QString path = ownPath("bad.wav");
    if (exists) {
        QVERIFY(writeFile(path, bytes));
    }
    QVERIFY(useSharedServer(true));
    m_sound = std::make_unique<PulseSoundOutput>();
    for (int round = 0; round < 2; ++round) {
        const auto heard = playAndHear(path);
        QVERIFY(heard);
        const double seconds = double(heard->second - heard->first) / kRate;
        QVERIFY2(seconds > 0.1 && seconds < 0.25, qPrintable(QString::number(seconds)));
        const auto take = m_recorder->take();
        const double hz = crossingRate(take.samples, heard->first + kRate / 50,
                                       heard->second - kRate / 50, kRate) /
                          2;
        QVERIFY2(std::abs(hz - 880) < 44, qPrintable(QString::number(hz)));
    }
    // Still working afterwards.
    QVERIFY(playAndHear(m_short));
}

void TestSoundPlayback::burstOfRequestsLeavesNothingBehind()
{
    // Requests faster than the server creates streams; only the last counts,
    // and no stream may be left behind on the server.
    QVERIFY(useSharedServer(true));
    m_sound = std::make_unique<PulseSoundOutput>();
    QVERIFY(playAndHear(m_short));
    for (int i = 0; i < 300; ++i) {
        timedCall([&] {
            switch (i % 4) {
            case 0:
                m_sound->play(m_long);
                break;
            case 1:
                m_sound->play(m_tone);
                break;
            case 2:
                m_sound->stop();
                break;
            default:
                m_sound->play(ownPath("missing.wav"));
                break;
            }
        });
        ::usleep(useconds_t(500 * (i % 7)));
    }
    m_sound->stop();
    QVERIFY(waitUntil([&] { return sinkInputCount() == 0; }, 3));
    const double stopped = steadySeconds();
    QVERIFY(waitUntil([&] { return m_recorder->covers(stopped + 0.5); }, 3));
    const auto take = m_recorder->take();
    QVERIFY(!firstLoud(take.samples, take.frameAt(stopped + 0.3), take.samples.size()));

    // The last of a burst is the one heard.
    m_sound->play(m_long);
    m_sound->play(m_short);
    m_sound->play(m_twoTone);
    const auto heard = playAndHear(m_twoTone);
    QVERIFY(heard);
    const auto last = m_recorder->take();
    const double start = crossingRate(last.samples, heard->first + kRate / 100,
                                      heard->first + kRate * 18 / 100, kRate) /
                         2;
    QVERIFY2(std::abs(start - 440) < 20, qPrintable(QString::number(start)));
}

QTEST_GUILESS_MAIN(TestSoundPlayback)
#include "tst_sound_playback.moc"
