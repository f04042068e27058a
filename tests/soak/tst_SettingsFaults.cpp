// The settings file under faults: a writer killed at random moments always
// leaves the old file with some prefix of its writes applied, and a write that
// runs out of space leaves the old file as it was.
#include "platform/files/ProfileFile.h"
#include "tests/soak/SettingsUpdates.h"
#include "tests/support/Files.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <random>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const QByteArray Section = "Marvane Glimmora";
constexpr int UpdatesPerRun = 16;

struct FileState
{
    bool exists = false;
    QByteArray bytes;

    bool operator==(const FileState&) const = default;
};

FileState readState(const QString& path)
{
    QFile f(path);
    if (!f.exists()) {
        return {};
    }
    if (!f.open(QIODevice::ReadOnly)) {
        return {true, QByteArray("<unreadable>")};
    }
    return {true, f.readAll()};
}

// Everything in the directory besides the settings file (left-over temporary
// files, say).
QStringList strayFiles(const QString& dir)
{
    QStringList names =
        QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    names.removeAll(QStringLiteral("glimmora.ini"));
    return names;
}

// The one name a save cut short between naming its new file and renaming it
// may leave behind; the next save takes it over.
const QString Spare = QStringLiteral(".glimmora.ini.new");

struct Child
{
    pid_t pid = -1;
    int out = -1; // read end of the child's stdout
};

Child spawn(const QList<QByteArray>& args)
{
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) {
        return {};
    }
    std::vector<char*> argv;
    for (const QByteArray& a : args) {
        argv.push_back(const_cast<char*>(a.constData()));
    }
    argv.push_back(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(fds[1], STDOUT_FILENO);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(fds[1]);
    return {pid, fds[0]};
}

// Waits up to `ms` for the byte the child puts out before each write.
bool awaitWrite(const Child& c, int ms)
{
    pollfd p{c.out, POLLIN, 0};
    char byte = 0;
    return poll(&p, 1, ms) == 1 && read(c.out, &byte, 1) == 1 && byte == 'W';
}

int reap(Child& c)
{
    int status = 0;
    waitpid(c.pid, &status, 0);
    close(c.out);
    c = {};
    return status;
}

QByteArray writerPath()
{
    return QByteArray(SETTINGS_WRITER);
}

} // namespace

class SettingsFaultsTest : public QObject
{
    Q_OBJECT

    // How long one write takes, in microseconds.
    qint64 m_writeMicros = 0;

    qint64 timedRun(const QString& path)
    {
        Child c = spawn({writerPath(), "loop", QFile::encodeName(path), "7",
                         QByteArray::number(UpdatesPerRun)});
        if (!awaitWrite(c, 10000)) {
            reap(c);
            return -1;
        }
        QElapsedTimer t;
        t.start();
        const int status = reap(c);
        return (WIFEXITED(status) && WEXITSTATUS(status) == 0) ? t.nsecsElapsed() / 1000 : -1;
    }

private slots:
    void initTestCase()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("glimmora.ini"));
        qint64 best = std::numeric_limits<qint64>::max();
        for (int i = 0; i < 3; ++i) {
            const qint64 us = timedRun(path);
            QVERIFY2(us >= 0, "the writer did not run to its end");
            best = std::min(best, us);
        }
        m_writeMicros = best / UpdatesPerRun;
        qInfo("one write takes %lld us", static_cast<long long>(m_writeMicros));
    }

    void killedWriterLeavesAPrefix_data()
    {
        QTest::addColumn<QByteArray>("initial"); // "<none>": no file at all
        QTest::addColumn<int>("kills");
        QTest::newRow("with other sections and comments")
            << QByteArray("; settings\n[Other]\nSkin=elsewhere\n\n[Marvane Glimmora]\n"
                          "standby=1\nExtra=bleibt\nX=-45\n\n[Later]\nY=7\n")
            << 300;
        QTest::newRow("CRLF") << QByteArray("[Marvane Glimmora]\r\nA-Hour=07\r\nSkin=Blau\r\n")
                              << 300;
        QTest::newRow("other section only") << QByteArray("[Other]\nKeep=1") << 200;
        QTest::newRow("no file") << QByteArray("<none>") << 200;
    }

    void killedWriterLeavesAPrefix()
    {
        QFETCH(QByteArray, initial);
        QFETCH(int, kills);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("glimmora.ini"));
        if (initial != "<none>") {
            QVERIFY(writeFile(path, initial));
        }
        // What the old file says besides our keys must survive every write.
        const FileState first = readState(path);
        const QList<QByteArray> untouched{"A-Hour", "Extra"};
        QMap<QByteArray, QByteArray> kept;
        for (const QByteArray& key : untouched) {
            kept[key] = platform::lookupProfileString(first.bytes, Section, key);
        }
        const QByteArray otherSection = platform::lookupProfileString(first.bytes, "Other", "Skin");

        std::mt19937 rng(static_cast<std::uint32_t>(kills) +
                         static_cast<std::uint32_t>(initial.size()));
        std::uniform_int_distribution<int> chosenWrite(0, UpdatesPerRun - 1);
        std::uniform_int_distribution<qint64> intoIt(0, m_writeMicros + m_writeMicros / 4);
        QMap<int, int> prefixes; // how many writes had landed, over all kills
        int spares = 0;
        for (int n = 0; n < kills; ++n) {
            const FileState before = readState(path);
            const auto seed = static_cast<std::uint32_t>(rng());
            Child c = spawn({writerPath(), "loop", QFile::encodeName(path),
                             QByteArray::number(seed), QByteArray::number(UpdatesPerRun)});
            // Into write j: writes 0 .. j-1 have returned.
            const int j = chosenWrite(rng);
            for (int i = 0; i <= j; ++i) {
                QVERIFY2(awaitWrite(c, 10000), "the writer did not go on");
            }
            usleep(static_cast<useconds_t>(intoIt(rng)));
            kill(c.pid, SIGKILL);
            reap(c);

            const FileState after = readState(path);
            // Replay the sequence on the old file; the last prefix that gives
            // the file counts (a write may repeat what the file already said).
            FileState replay = before;
            QMap<QByteArray, QByteArray> values;
            for (const QByteArray& key : soak::updateKeys()) {
                values[key] = platform::lookupProfileString(before.bytes, Section, key);
            }
            int landed = after == replay ? 0 : -1;
            QMap<QByteArray, QByteArray> landedValues = values;
            for (int i = 0; i < UpdatesPerRun; ++i) {
                const soak::Update u = soak::update(seed, i);
                replay = {true, platform::withProfileString(replay.bytes, Section, u.key, u.value)};
                values[u.key] = u.value;
                if (after == replay) {
                    landed = i + 1;
                    landedValues = values;
                }
            }
            QVERIFY2(landed >= 0,
                     qPrintable(QStringLiteral("kill %1 (seed %2) left a torn file:\n%3")
                                    .arg(n)
                                    .arg(seed)
                                    .arg(QString::fromLatin1(after.bytes))));
            QVERIFY2(landed >= j, qPrintable(QStringLiteral("kill %1 (seed %2) in write %3 found "
                                                            "only %4 writes in the file")
                                                 .arg(n)
                                                 .arg(seed)
                                                 .arg(j)
                                                 .arg(landed)));
            ++prefixes[landed];

            // And the file reads as it should, key by key.
            for (auto v = landedValues.cbegin(); v != landedValues.cend(); ++v) {
                QCOMPARE(platform::lookupProfileString(after.bytes, Section, v.key()), v.value());
            }
            for (const QByteArray& key : untouched) {
                QCOMPARE(platform::lookupProfileString(after.bytes, Section, key), kept[key]);
            }
            QCOMPARE(platform::lookupProfileString(after.bytes, "Other", "Skin"), otherSection);
            QStringList stray = strayFiles(dir.path());
            spares += static_cast<int>(stray.removeAll(Spare));
            QVERIFY2(stray.isEmpty(), qPrintable(stray.join(u' ')));
        }
        // A save that runs to its end leaves nothing beside the file.
        QVERIFY(platform::writeProfileString(Section, "Skin", "Grau", path));
        QCOMPARE(strayFiles(dir.path()), QStringList());
        // The kills must have hit the writes, not only before or after them.
        int between = 0;
        for (auto p = prefixes.cbegin(); p != prefixes.cend(); ++p) {
            between += (p.key() > 0 && p.key() < UpdatesPerRun) ? p.value() : 0;
        }
        qInfo("kills: %d, with none of the writes done: %d, all done: %d, some done: %d, "
              "spare file left: %d",
              kills, prefixes.value(0), prefixes.value(UpdatesPerRun), between, spares);
        QVERIFY(between > kills / 2);
    }

    // Writes of "Skin" with `room` bytes allowed beyond the old file's size
    // (-1: no limit), as root or as an unprivileged user (whom the modes
    // bind). Either the old file stays whole or the new one is there whole.
    void writeKeepsTheOldFileOrTheNewOne_data()
    {
        QTest::addColumn<bool>("unprivileged");
        QTest::addColumn<int>("directoryMode");
        QTest::addColumn<int>("fileMode");
        QTest::addColumn<int>("room");
        QTest::addColumn<int>("length");
        QTest::addColumn<QByteArray>("after"); // empty: the old file
        // A new file beside the old one, renamed over it.
        QTest::newRow("out of space, writable directory")
            << false << 0700 << 0644 << 40 << 3000 << QByteArray();
        // No new file can be made: the file is rewritten in place.
        QTest::newRow("out of space, file writable, directory not")
            << true << 0755 << 0666 << 40 << 3000 << QByteArray();
        QTest::newRow("shorter, file writable, directory not")
            << true << 0755 << 0666 << -1 << 1
            << QByteArray("[Marvane Glimmora]\nStandBy=1\nSkin=x\nX=120\nY=-30\n"
                          "Extra=bleibt\n[Other]\nKeep=1\n");
        // What cannot be read is never replaced by the keys just written.
        QTest::newRow("unreadable, writable directory")
            << true << 0777 << 0222 << -1 << 1 << QByteArray();
        QTest::newRow("unreadable, directory not writable")
            << true << 0755 << 0222 << -1 << 1 << QByteArray();
    }

    void writeKeepsTheOldFileOrTheNewOne()
    {
        QFETCH(bool, unprivileged);
        QFETCH(int, directoryMode);
        QFETCH(int, fileMode);
        QFETCH(int, room);
        QFETCH(int, length);
        QFETCH(QByteArray, after);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("glimmora.ini"));
        const QByteArray old = "[Marvane Glimmora]\nStandBy=1\nSkin=Blau\nX=120\nY=-30\n"
                               "Extra=bleibt\n[Other]\nKeep=1\n";
        QVERIFY(writeFile(path, old));
        QVERIFY(chmod(QFile::encodeName(dir.path()).constData(), mode_t(directoryMode)) == 0);
        QVERIFY(chmod(QFile::encodeName(path).constData(), mode_t(fileMode)) == 0);

        QList<QByteArray> args;
        if (unprivileged) {
            if (geteuid() != 0 || QStandardPaths::findExecutable("setpriv").isEmpty()) {
                QSKIP("needs root and setpriv to act as an unprivileged user");
            }
            args = {QFile::encodeName(QStandardPaths::findExecutable("setpriv")), "--reuid=65534",
                    "--regid=65534", "--clear-groups"};
        }
        const qint64 limit = room < 0 ? qint64(1) << 30 : old.size() + room;
        args += {writerPath(), "fsize", QFile::encodeName(path), QByteArray::number(limit),
                 QByteArray::number(length)};
        Child c = spawn(args);
        const int status = reap(c);
        QVERIFY2(WIFEXITED(status), "the writer died");
        QCOMPARE(WEXITSTATUS(status), 0);
        QCOMPARE(readState(path), (FileState{true, after.isEmpty() ? old : after}));
        QCOMPARE(strayFiles(dir.path()), QStringList());

        // A write that fits still works afterwards.
        QVERIFY(platform::writeProfileString(Section, "Skin", "Grau", path));
        QCOMPARE(platform::lookupProfileString(readState(path).bytes, Section, "Skin"),
                 QByteArray("Grau"));
    }

    void leftOverSpareIsTakenOver()
    {
        // What a save cut short between naming its new file and renaming it
        // leaves: the next save replaces it and leaves nothing behind.
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("glimmora.ini"));
        QVERIFY(writeFile(path, "[Marvane Glimmora]\nX=1\n"));
        QVERIFY(writeFile(dir.filePath(Spare), "[Marvane Glimmora]\nX=half"));
        QVERIFY(platform::writeProfileString(Section, "Y", "2", path));
        QCOMPARE(readState(path).bytes, QByteArray("[Marvane Glimmora]\nX=1\nY=2\n"));
        QCOMPARE(strayFiles(dir.path()), QStringList());
    }
};

QTEST_GUILESS_MAIN(SettingsFaultsTest)
#include "tst_SettingsFaults.moc"
