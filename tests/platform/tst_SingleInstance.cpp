// One clock per program file: whatever a lock file says, only a live holder
// keeps a second start out.
#include "platform/session/FrontRequests.h"
#include "platform/session/SingleInstance.h"
#include "tests/support/Files.h"

#include <QTemporaryDir>
#include <QTest>

#include <future>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const QByteArray Program = "/opt/\xe4\xf6/glimmora";

QByteArray deadPid()
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::_exit(0);
    }
    ::waitpid(pid, nullptr, 0);
    return QByteArray::number(pid);
}

} // namespace

class SingleInstanceTest : public QObject
{
    Q_OBJECT
    QTemporaryDir m_runtime;

private slots:
    void initTestCase()
    {
        QVERIFY(m_runtime.isValid());
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime.path()));
    }

    void lockFileLeftBehind_data()
    {
        QTest::addColumn<QByteArray>("content"); // "<dead>": the pid of an ended process
        QTest::addColumn<bool>("started");
        QTest::newRow("empty") << QByteArray("") << true;
        QTest::newRow("garbage") << QByteArray("x\0\xff\n\n", 5) << true;
        QTest::newRow("dead pid") << QByteArray("<dead>\n") << true;
        QTest::newRow("dead pid, another host's lock")
            << QByteArray("<dead>\nglimmora\nelsewhere\n") << true;
        QTest::newRow("live clock") << QByteArray() << false;
    }
    void lockFileLeftBehind()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, started);

        platform::SingleInstance running(Program);
        platform::SingleInstance second(Program);
        QVERIFY(second.lockPath().startsWith(m_runtime.path()));
        QFile::remove(second.lockPath()); // what an earlier row left
        if (started) {
            QVERIFY(writeFile(second.lockPath(), content.replace("<dead>", deadPid())));
        } else {
            QVERIFY(running.acquire());
        }

        QCOMPARE(second.acquire(), started);
        if (!started) {
            // The holder's end frees the name at once.
            running.release();
            QVERIFY(second.acquire());
        }
        // Who holds it, for people looking.
        QCOMPARE(readFile(second.lockPath()), QByteArray::number(::getpid()) + '\n');
        second.release();
        QVERIFY(!QFile::exists(second.lockPath()));
    }

    void noLockWhereItBelongs_data()
    {
        QTest::addColumn<bool>("squatted"); // else a folder at the lock's name
        QTest::newRow("a folder at the lock's name") << false;
        QTest::newRow("fallback runtime folder squatted") << true;
    }
    void noLockWhereItBelongs()
    {
        QFETCH(bool, squatted);
        QTemporaryDir tmp;
        const QByteArray qtFallback =
            QFile::encodeName(tmp.path()) + "/runtime-" + ::getpwuid(::geteuid())->pw_name;
        if (squatted && (::geteuid() != 0 || ::mkdir(qtFallback, 0700) != 0 ||
                         ::chown(qtFallback, 65534, 65534) != 0)) {
            QSKIP("another user's folder needs root");
        }
        const QByteArray oldTmp = qgetenv("TMPDIR");
        qputenv("TMPDIR", QFile::encodeName(tmp.path()));
        qputenv("XDG_RUNTIME_DIR", squatted ? QByteArray() : QFile::encodeName(m_runtime.path()));
        platform::SingleInstance running(Program), second(Program);
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime.path()));
        qputenv("TMPDIR", oldTmp);
        QVERIFY(squatted || QDir().mkpath(running.lockPath()));
        QVERIFY(running.acquire());
        QCOMPARE(second.acquire(), !squatted);
        QDir().rmdir(running.lockPath());
    }

    // A later start reaches the running clock through a socket beside the lock.
    void laterStartReachesTheRunningClock()
    {
        using namespace std::chrono_literals;
        const QString path = platform::SingleInstance(Program).siblingPath("sock");
        QVERIFY(!platform::FrontRequests::ask(path, 50ms)); // nobody listens
        QVERIFY(writeFile(path, "left by a killed clock"));
        int calls = 0;
        {
            platform::FrontRequests front(path, [&calls] { ++calls; });
            auto asked = std::async(std::launch::async,
                                    [&path] { return platform::FrontRequests::ask(path, 5s); });
            QTRY_COMPARE(calls, 1);
            QVERIFY(asked.get());
        }
        QVERIFY(!QFile::exists(path));
    }
};

QTEST_GUILESS_MAIN(SingleInstanceTest)
#include "tst_SingleInstance.moc"
