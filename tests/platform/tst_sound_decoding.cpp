// Decoding of sound files into 16-bit samples, the cache in front of it and
// the beep played in place of unplayable files.
#include "WavWriter.h"

#include "platform/audio/DecodedSound.h"
#include "platform/audio/SoundCache.h"
#include "platform/audio/SoundFileReader.h"

#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <fcntl.h>
#include <sys/stat.h>

using platform::audio::DecodedSound;
using platform::audio::decodeSoundFile;
using platform::audio::SoundCache;
using platform::audio::SoundFileReader;
using soundtest::WavFormat;

Q_DECLARE_METATYPE(WavFormat)

namespace {

// What a file of this format should decode to: integer codes scaled to 16
// bits, floats scaled by 32768 and clipped.
int expectedSample(const WavFormat& format, double value)
{
    double scaled = 0;
    if (format.encoding == WavFormat::Encoding::Float) {
        scaled = static_cast<double>(static_cast<float>(value)) * 32768.0;
    } else {
        const std::int64_t code = soundtest::quantise(value, format.bits);
        const std::int64_t centred = format.bits == 8 ? code - 128 : code;
        scaled = std::ldexp(static_cast<double>(centred), 16 - format.bits);
    }
    return static_cast<int>(std::clamp(std::nearbyint(scaled), -32768.0, 32767.0));
}

// Zero crossings per second of one channel.
double crossingRate(const DecodedSound& sound)
{
    int crossings = 0;
    for (std::size_t i = 1; i < sound.headFrames(); ++i) {
        if ((sound.head[i - 1] < 0) != (sound.head[i] < 0)) {
            ++crossings;
        }
    }
    return crossings * static_cast<double>(sound.rate) / static_cast<double>(sound.headFrames());
}

} // namespace

class TestSoundDecoding : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void decodesFormats_data();
    void decodesFormats();
    void refusesUnplayable_data();
    void refusesUnplayable();
    void refusesFifoWithoutBlocking();
    void truncatedDataGivesWhatIsThere();
    void emptyDataChunkIsSilence();
    void damagedFilesNeverCrash();
    void longFileKeepsHeadAndStreamsTail_data();
    void longFileKeepsHeadAndStreamsTail();
    void beepIsShort880Hz();
    void cacheDecodesOncePerVersion();
    void cacheRemembersUnplayableFiles();
    void cacheKeepsOnlyRecentFiles();

private:
    QString pathOf(const QString& name) const { return m_dir->filePath(name); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestSoundDecoding::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestSoundDecoding::decodesFormats_data()
{
    QTest::addColumn<WavFormat>("format");
    using E = WavFormat::Encoding;
    QTest::newRow("8-bit mono 8000 Hz") << WavFormat{E::Pcm, 8, 1, 8000, false};
    QTest::newRow("16-bit mono 44100 Hz") << WavFormat{E::Pcm, 16, 1, 44100, false};
    QTest::newRow("16-bit stereo 22050 Hz") << WavFormat{E::Pcm, 16, 2, 22050, false};
    QTest::newRow("16-bit odd rate 12345 Hz") << WavFormat{E::Pcm, 16, 1, 12345, false};
    QTest::newRow("24-bit mono 96000 Hz") << WavFormat{E::Pcm, 24, 1, 96000, false};
    QTest::newRow("24-bit stereo extensible") << WavFormat{E::Pcm, 24, 2, 48000, true};
    QTest::newRow("32-bit stereo 48000 Hz") << WavFormat{E::Pcm, 32, 2, 48000, false};
    QTest::newRow("float mono 11025 Hz") << WavFormat{E::Float, 32, 1, 11025, false};
    QTest::newRow("float stereo extensible") << WavFormat{E::Float, 32, 2, 32000, true};
    QTest::newRow("double stereo 7350 Hz") << WavFormat{E::Float, 64, 2, 7350, false};
    QTest::newRow("16-bit 6 channels") << WavFormat{E::Pcm, 16, 6, 48000, true};
    QTest::newRow("16-bit 1 Hz") << WavFormat{E::Pcm, 16, 1, 1, false};
}

void TestSoundDecoding::decodesFormats()
{
    QFETCH(WavFormat, format);
    // A tone with its channels offset, plus the extremes of the range; float
    // files also get values beyond full scale, which must clip.
    std::vector<double> samples;
    const int frames = 500;
    for (int i = 0; i < frames; ++i) {
        for (int c = 0; c < format.channels; ++c) {
            samples.push_back(0.8 * std::sin(0.05 * i + c));
        }
    }
    for (double extreme : {1.0, -1.0, 0.0, 0.5, -0.5}) {
        samples.insert(samples.end(), format.channels, extreme);
    }
    if (format.encoding == WavFormat::Encoding::Float) {
        for (double beyond : {1.7, -3.0}) {
            samples.insert(samples.end(), format.channels, beyond);
        }
    }
    const QString path = pathOf("sound.wav");
    QVERIFY(soundtest::writeFile(path, soundtest::makeWav(format, samples)));

    const auto sound = decodeSoundFile(path);
    QVERIFY(sound != nullptr);
    QCOMPARE(sound->rate, static_cast<unsigned>(format.rate));
    QCOMPARE(sound->channels, static_cast<unsigned>(format.channels));
    QVERIFY(sound->complete);
    QCOMPARE(sound->head.size(), samples.size());
    // 32-bit integers pass through single-precision floats on their way.
    const int tolerance = format.bits == 32 && format.encoding == WavFormat::Encoding::Pcm ? 1 : 0;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const int want = expectedSample(format, samples[i]);
        if (std::abs(sound->head[i] - want) > tolerance) {
            QFAIL(qPrintable(
                QStringLiteral("sample %1: got %2, want %3").arg(i).arg(sound->head[i]).arg(want)));
        }
    }
}

void TestSoundDecoding::refusesUnplayable_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray valid = soundtest::makeWav({}, soundtest::tone(440, 0.5, 44100, 100));
    QTest::newRow("empty file") << QByteArray();
    QTest::newRow("text") << QByteArray("this is not a sound file, just words\n");
    QTest::newRow("header cut in fmt") << valid.left(30);
    QTest::newRow("RIFF without WAVE") << QByteArray("RIFF\x04\0\0\0JUNK", 12);
    QByteArray zeroChannels = valid;
    zeroChannels[22] = 0;
    QTest::newRow("zero channels") << zeroChannels;
    QByteArray zeroRate = valid;
    zeroRate.replace(24, 4, QByteArray(4, '\0'));
    QTest::newRow("zero rate") << zeroRate;
    QByteArray hugeRate = valid;
    hugeRate.replace(24, 4, QByteArray("\0\0\0\x40", 4)); // 1 GHz
    QTest::newRow("rate beyond any server") << hugeRate;
}

void TestSoundDecoding::refusesUnplayable()
{
    QFETCH(QByteArray, bytes);
    const QString path = pathOf("bad.wav");
    QVERIFY(soundtest::writeFile(path, bytes));
    QVERIFY(decodeSoundFile(path) == nullptr);
    QVERIFY(decodeSoundFile(pathOf("missing.wav")) == nullptr);
    QVERIFY(decodeSoundFile(m_dir->path()) == nullptr);
    QVERIFY(decodeSoundFile(QString()) == nullptr);
}

void TestSoundDecoding::refusesFifoWithoutBlocking()
{
    // Opening a FIFO for reading would wait for a writer forever.
    const QString path = pathOf("fifo.wav");
    QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    QElapsedTimer timer;
    timer.start();
    QVERIFY(decodeSoundFile(path) == nullptr);
    QVERIFY(timer.elapsed() < 1000);
}

void TestSoundDecoding::truncatedDataGivesWhatIsThere()
{
    const auto samples = soundtest::tone(440, 0.5, 44100, 1000);
    const QByteArray full = soundtest::makeWav({}, samples);
    const qsizetype headerSize = full.size() - 2000;
    // Cut in the middle of the data, and in the middle of a sample.
    for (int keep : {600, 601}) {
        const QString path = pathOf(QStringLiteral("cut%1.wav").arg(keep));
        QVERIFY(soundtest::writeFile(path, full.left(headerSize + keep)));
        const auto sound = decodeSoundFile(path);
        QVERIFY(sound != nullptr);
        QCOMPARE(sound->headFrames(), static_cast<std::size_t>(300));
        QCOMPARE(int(sound->head[299]), expectedSample({}, samples[299]));
    }
}

void TestSoundDecoding::emptyDataChunkIsSilence()
{
    const QString path = pathOf("silent.wav");
    QVERIFY(soundtest::writeFile(path, soundtest::makeWav({}, {})));
    const auto sound = decodeSoundFile(path);
    QVERIFY(sound != nullptr);
    QCOMPARE(sound->headFrames(), std::size_t{0});
    QVERIFY(sound->complete);
}

void TestSoundDecoding::damagedFilesNeverCrash()
{
    // Random bytes overwritten in valid files of several formats: anything
    // decoded must still be consistent.
    using E = WavFormat::Encoding;
    const WavFormat formats[] = {{E::Pcm, 16, 2, 44100, false},
                                 {E::Pcm, 24, 1, 8000, true},
                                 {E::Float, 32, 1, 22050, false}};
    QRandomGenerator random(20240611);
    const QString path = pathOf("damaged.wav");
    int decoded = 0;
    for (const WavFormat& format : formats) {
        const QByteArray valid = soundtest::makeWav(
            format, soundtest::tone(440, 0.9, format.rate, 200, format.channels));
        for (int round = 0; round < 150; ++round) {
            QByteArray bytes = valid;
            const int damage = 1 + random.bounded(8);
            for (int i = 0; i < damage; ++i) {
                // Mostly the header, where damage matters most.
                const int at = random.bounded(round % 2 == 0 ? 80 : int(bytes.size()));
                bytes[at] = static_cast<char>(random.bounded(256));
            }
            if (round % 5 == 0) {
                bytes.truncate(random.bounded(int(bytes.size())));
            }
            QVERIFY(soundtest::writeFile(path, bytes));
            if (const auto sound = decodeSoundFile(path)) {
                ++decoded;
                QVERIFY(sound->channels >= 1 && sound->channels <= 32);
                QVERIFY(sound->rate >= 1 && sound->rate <= 384000);
                QCOMPARE(sound->head.size() % sound->channels, std::size_t{0});
            }
        }
    }
    QVERIFY(decoded > 0); // the damage did not simply make everything unreadable
}

void TestSoundDecoding::longFileKeepsHeadAndStreamsTail_data()
{
    QTest::addColumn<int>("frames");
    QTest::addColumn<bool>("complete");
    // The head holds 1000 samples, 500 stereo frames.
    QTest::newRow("longer than the head") << 3001 << false;
    QTest::newRow("exactly the head") << 500 << true;
    QTest::newRow("one frame more") << 501 << false;
    QTest::newRow("shorter") << 499 << true;
}

void TestSoundDecoding::longFileKeepsHeadAndStreamsTail()
{
    QFETCH(int, frames);
    QFETCH(bool, complete);
    const WavFormat format{WavFormat::Encoding::Pcm, 16, 2, 48000, false};
    const QString path = pathOf("long.wav");
    QVERIFY(soundtest::writeFile(
        path, soundtest::makeWav(format, soundtest::tone(300, 0.7, 48000, frames, 2))));

    const auto whole = decodeSoundFile(path);
    QVERIFY(whole != nullptr && whole->complete);
    QCOMPARE(whole->headFrames(), std::size_t(frames));

    const auto sound = decodeSoundFile(path, 1000);
    QVERIFY(sound != nullptr);
    QCOMPARE(sound->complete, complete);
    QCOMPARE(sound->headFrames(), std::min<std::size_t>(500, frames));

    // Head plus the rest read on from there gives the whole file.
    std::vector<std::int16_t> joined = sound->head;
    SoundFileReader tail;
    QVERIFY(tail.open(path));
    QVERIFY(tail.seek(sound->headFrames()));
    std::vector<std::int16_t> chunk(2 * 128);
    while (const std::size_t got = tail.read(chunk.data(), 128)) {
        joined.insert(joined.end(), chunk.begin(), chunk.begin() + std::ptrdiff_t(got * 2));
    }
    QVERIFY(joined == whole->head);
}

void TestSoundDecoding::beepIsShort880Hz()
{
    const auto beep = platform::audio::makeBeep();
    QVERIFY(beep != nullptr && beep->complete && beep->channels == 1);
    const double seconds = double(beep->headFrames()) / beep->rate;
    QVERIFY2(seconds > 0.1 && seconds < 0.25, qPrintable(QString::number(seconds)));
    QVERIFY(std::abs(crossingRate(*beep) - 2 * 880.0) < 2 * 880.0 * 0.05);
    // Ramps at both ends: no click.
    QVERIFY(std::abs(beep->head.front()) < 500 && std::abs(beep->head.back()) < 500);
    const auto peak = *std::max_element(beep->head.begin(), beep->head.end());
    QVERIFY(peak > 3000 && peak < 32767);
}

void TestSoundDecoding::cacheDecodesOncePerVersion()
{
    const QString path = pathOf("alarm.wav");
    QVERIFY(
        soundtest::writeFile(path, soundtest::makeWav({}, soundtest::tone(440, 0.5, 44100, 441))));
    SoundCache cache;
    const auto first = cache.get(path);
    QVERIFY(first != nullptr);
    for (int i = 0; i < 5; ++i) {
        QCOMPARE(cache.get(path), first);
    }
    QCOMPARE(cache.decodeCount(), 1);

    // Same size, new content, same second: the nanoseconds tell it apart.
    QVERIFY(
        soundtest::writeFile(path, soundtest::makeWav({}, soundtest::tone(880, 0.5, 44100, 441))));
    struct timespec times[2] = {{0, UTIME_OMIT}, {1700000000, 123456789}};
    QCOMPARE(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0), 0);
    const auto second = cache.get(path);
    QVERIFY(second != nullptr && second != first);
    QVERIFY(second->head != first->head);
    times[1].tv_nsec = 123456790;
    QCOMPARE(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0), 0);
    QVERIFY(cache.get(path) != second);
    QCOMPARE(cache.decodeCount(), 3);

    // Deleted: nothing, and nothing decoded.
    QVERIFY(QFile::remove(path));
    QVERIFY(cache.get(path) == nullptr);
    QCOMPARE(cache.decodeCount(), 3);
}

void TestSoundDecoding::cacheRemembersUnplayableFiles()
{
    const QString path = pathOf("broken.wav");
    QVERIFY(soundtest::writeFile(path, "garbage garbage garbage garbage garbage"));
    SoundCache cache;
    QVERIFY(cache.get(path) == nullptr);
    QVERIFY(cache.get(path) == nullptr);
    QCOMPARE(cache.decodeCount(), 1);
    // Repaired under the same name: played.
    QVERIFY(
        soundtest::writeFile(path, soundtest::makeWav({}, soundtest::tone(440, 0.5, 44100, 100))));
    QVERIFY(cache.get(path) != nullptr);
}

void TestSoundDecoding::cacheKeepsOnlyRecentFiles()
{
    SoundCache cache(2);
    QStringList paths;
    for (int i = 0; i < 3; ++i) {
        paths << pathOf(QStringLiteral("f%1.wav").arg(i));
        QVERIFY(soundtest::writeFile(
            paths.last(), soundtest::makeWav({}, soundtest::tone(200 + 100 * i, 0.5, 8000, 80))));
    }
    cache.get(paths[0]);
    cache.get(paths[1]);
    cache.get(paths[0]); // now the most recent
    cache.get(paths[2]); // pushes out f1
    QCOMPARE(cache.decodeCount(), 3);
    cache.get(paths[0]);
    QCOMPARE(cache.decodeCount(), 3);
    cache.get(paths[1]);
    QCOMPARE(cache.decodeCount(), 4);
}

QTEST_GUILESS_MAIN(TestSoundDecoding)
#include "tst_sound_decoding.moc"
