// The sound output without a server, with one that starts after it, one
// that restarts and one that never answers: nothing blocks the caller, and
// a server that is there is used from the next play on. And the module the
// program loads the output from.
#include "SoundBench.h"
#include "platform/sound/SoundModule.h"
#include "tests/support/Files.h"

#include <QLoggingCategory>
#include <QRegularExpression>
#include <QScopeGuard>

#include <algorithm>
#include <atomic>
#include <dlfcn.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using platform::PulseSoundOutput;
using namespace soundtest;

namespace {

// The sound thread's reports of connection attempts that failed.
std::atomic<int> g_failedAttempts{0};

void noteFailedAttempts(QtMsgType, const QMessageLogContext& context, const QString& text)
{
    if (qstrcmp(context.category, "glimmora.sound") == 0 &&
        (text.startsWith(QLatin1String("cannot connect")) ||
         text.startsWith(QLatin1String("connection ended")))) {
        ++g_failedAttempts;
    }
}

} // namespace

class TestSoundConnection : public SoundBench
{
    Q_OBJECT

private slots:
    void init() { setUpBench(); }
    void cleanup() { cleanUpBench(); }
    void cleanupTestCase() { printFigures(); }

    void noServerNeverBlocks();
    void serverStartedLaterIsUsed();
    void restartedServerIsUsed();
    void hungServerIsGivenUp();
    void programModule_data();
    void programModule();
};

void TestSoundConnection::noServerNeverBlocks()
{
    setServerEnv(ownPath("nothing-here"));
    const double before = steadySeconds();
    m_sound = std::make_unique<PulseSoundOutput>();
    QVERIFY(steadySeconds() - before < 0.2);
    std::vector<double> calls;
    for (int i = 0; i < 30; ++i) {
        const double start = steadySeconds();
        switch (i % 3) {
        case 0:
            m_sound->play(m_tone);
            break;
        case 1:
            m_sound->play(ownPath("missing.wav"));
            break;
        default:
            m_sound->stop();
            break;
        }
        calls.push_back(steadySeconds() - start);
        // Spread over a third of a second so the calls meet the sound thread
        // at every stage of its attempts; nothing is awaited.
        QTest::qWait(10);
    }
    const double slowest = *std::max_element(calls.begin(), calls.end());
    QVERIFY2(slowest < 0.1, qPrintable(QString::number(slowest)));
    const double destroying = steadySeconds();
    m_sound.reset();
    QVERIFY(steadySeconds() - destroying < 1.0);
}

void TestSoundConnection::serverStartedLaterIsUsed()
{
    setServerEnv(ownDir());
    m_sound = std::make_unique<PulseSoundOutput>();
    QLoggingCategory::setFilterRules(QStringLiteral("glimmora.sound.debug=true"));
    const QtMessageHandler previous = qInstallMessageHandler(noteFailedAttempts);
    m_sound->play(m_tone); // fails: nothing there yet
    const bool failed = waitUntil([] { return g_failedAttempts > 0; }, 2);
    qInstallMessageHandler(previous);
    QLoggingCategory::setFilterRules({});
    QVERIFY(failed);
    QVERIFY(startOwnServer());
    double latency = 0;
    QVERIFY(playAndHear(m_tone, &latency));
    note("play() to first sound, server started later", latency);
    QVERIFY(latency < 1.0);
}

void TestSoundConnection::restartedServerIsUsed()
{
    setServerEnv(ownDir());
    QVERIFY(startOwnServer());
    m_sound = std::make_unique<PulseSoundOutput>();
    QVERIFY(playAndHear(m_tone));
    m_sound->play(m_long);
    QVERIFY(waitUntil([&] { return sinkInputCount() > 0; }, 2));

    // Gone in the middle of a sound, as when the session's server restarts.
    m_ownRecorder->stop();
    m_ownServer->stop();
    const double alone = steadySeconds();
    m_sound->play(m_tone);
    m_sound->stop();
    QVERIFY(steadySeconds() - alone < 0.1);

    QVERIFY(startOwnServer());
    double latency = 0;
    QVERIFY(playAndHear(m_tone, &latency));
    note("play() to first sound, server restarted", latency);
    QVERIFY(latency < 1.0);
}

void TestSoundConnection::hungServerIsGivenUp()
{
    // A socket that takes connections but never answers.
    const QString socketPath = ownPath("native");
    const int hung = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    QVERIFY(hung >= 0);
    const auto closeHung = qScopeGuard([hung] { ::close(hung); });
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    const QByteArray encoded = QFile::encodeName(socketPath);
    std::copy(encoded.begin(), encoded.end(), address.sun_path);
    QCOMPARE(::bind(hung, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    QCOMPARE(::listen(hung, 8), 0);

    setServerEnv(ownDir());
    m_sound = std::make_unique<PulseSoundOutput>();
    const double start = steadySeconds();
    m_sound->play(m_tone);
    m_sound->stop();
    m_sound->play(m_tone);
    QVERIFY(steadySeconds() - start < 0.1);
    pollfd pending = {hung, POLLIN, 0};
    QCOMPARE(::poll(&pending, 1, 2000), 1); // the connection waits in the queue

    // A real server takes the name; the hung attempt is given up at the
    // first play after its time is over.
    QVERIFY(QFile::remove(socketPath));
    QVERIFY(startOwnServer());
    QVERIFY(waitUntil([&] { return steadySeconds() - start > 2.05; }, 3));
    QVERIFY(playAndHear(m_tone));

    const double destroying = steadySeconds();
    m_sound.reset();
    QVERIFY(steadySeconds() - destroying < 1.0);
}

void TestSoundConnection::programModule_data()
{
    QTest::addColumn<QString>("file"); // empty: none there
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("the program's module") << QStringLiteral(GLIMMORA_SOUND_MODULE) << QByteArray();
    QTest::newRow("no such file") << QString() << QByteArray();
    QTest::newRow("not a module") << QString() << QByteArray("RIFF, but no library");
}

void TestSoundConnection::programModule()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, content);
    const bool loads = !file.isEmpty();
    if (!loads) {
        file = ownPath(QLatin1String(platform::SoundModulePath));
        QVERIFY(content.isEmpty() || writeFile(file, content));
        QLoggingCategory::setFilterRules(QStringLiteral("glimmora.sound.warning=true"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^no sound: ")));
    }
    setServerEnv(ownDir());
    QVERIFY(startOwnServer());
    m_sound = platform::loadSoundModule(file);
    QCOMPARE(m_sound != nullptr, loads);
    if (!loads) {
        return;
    }
    QVERIFY(playAndHear(m_tone));
    // An output of another interface version is refused, not guessed at.
    void* again = dlopen(GLIMMORA_SOUND_MODULE, RTLD_NOW | RTLD_LOCAL);
    QVERIFY(again);
    const auto entry =
        reinterpret_cast<platform::SoundModuleEntry>(dlsym(again, platform::SoundModuleEntryName));
    QVERIFY(entry);
    QCOMPARE(entry(platform::SoundModuleInterface + 1), nullptr);
    dlclose(again);
}

QTEST_GUILESS_MAIN(TestSoundConnection)
#include "tst_sound_connection.moc"
