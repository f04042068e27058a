#include "core/AppState.h"
#include "platform/keys/KeyInjector.h"
#include "platform/sound/SoundOutput.h"
#include "tests/support/Files.h"
#include "tests/support/SettingsFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

// Where the settings live depends on what the user may write, and root may
// write anything. So every case here runs as an ordinary user: as root, in a
// child process that has given up root for uid/gid 65534 before it makes its
// files; as anyone else, right here.

namespace {

constexpr uid_t Nobody = 65534;

using Check = std::function<QString()>; // what went wrong, or nothing

bool writeAll(int fd, const QByteArray& bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n <= 0) {
            return false;
        }
        done += n;
    }
    return true;
}

QString asOrdinaryUser(const Check& check)
{
    if (::geteuid() != 0) {
        return check();
    }
    int fds[2];
    if (::pipe(fds) != 0) {
        return QStringLiteral("no pipe");
    }
    const pid_t pid = ::fork();
    if (pid < 0) {
        return QStringLiteral("no fork");
    }
    if (pid == 0) {
        ::close(fds[0]);
        QByteArray out;
        if (::setgroups(0, nullptr) != 0 || ::setresgid(Nobody, Nobody, Nobody) != 0 ||
            ::setresuid(Nobody, Nobody, Nobody) != 0 || ::geteuid() != Nobody) {
            out = "could not give up root";
        } else {
            out = check().toUtf8();
        }
        ::_exit(writeAll(fds[1], out) ? 0 : 3);
    }
    ::close(fds[1]);
    QByteArray out;
    char buf[4096];
    ssize_t n = 0;
    while ((n = ::read(fds[0], buf, sizeof buf)) > 0) {
        out.append(buf, n);
    }
    ::close(fds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        return QStringLiteral("the unprivileged check ended abnormally: ") + QString::fromUtf8(out);
    }
    return QString::fromUtf8(out);
}

QString expect(bool ok, const QString& what)
{
    return ok ? QString() : what + u'\n';
}

bool setMode(const QString& path, mode_t mode)
{
    return ::chmod(QFile::encodeName(path).constData(), mode) == 0;
}

enum Expected
{
    Beside,   // the file beside the program
    PerUser,  // the user's file, read through to the one beside the program
    UserOnly, // the user's file alone
    Nowhere   // nothing to write
};

QString ini(const QString& program)
{
    return QFileInfo(program).completeBaseName() + QStringLiteral(".ini");
}

// A program directory and a user configuration directory in a fresh temporary
// directory; permissions are opened again at the end so it can be removed.
struct Fixture
{
    QTemporaryDir root;
    QString program = root.path() + QStringLiteral("/prog");
    QString config = root.path() + QStringLiteral("/home/.config/glimmora");

    // dirMode < 0: no program directory. fileMode -1: no settings file beside
    // the program; -2: a directory of that name instead.
    bool make(const QString& name, int dirMode, int fileMode, const QByteArray& content = {})
    {
        if (!root.isValid()) {
            return false;
        }
        if (dirMode < 0) {
            return true;
        }
        if (!QDir().mkpath(program)) {
            return false;
        }
        const QString beside = program + u'/' + name;
        bool ok = true;
        if (fileMode == -2) {
            ok = QDir().mkpath(beside);
        } else if (fileMode >= 0) {
            ok = writeFile(beside, content) && setMode(beside, mode_t(fileMode));
        }
        return ok && setMode(program, mode_t(dirMode));
    }

    bool link(const QString& name, const QString& target)
    {
        return ::symlink(QFile::encodeName(target).constData(),
                         QFile::encodeName(program + u'/' + name).constData()) == 0;
    }

    ~Fixture()
    {
        setMode(program, 0755);
        const QString beside = program + QStringLiteral("/glimmora.ini");
        if (QFileInfo::exists(beside)) {
            setMode(beside, 0644);
        }
    }
};

class NoSound : public platform::SoundOutput
{
public:
    void play(const QString&) override {}
    void stop() override {}
};

class NoKeys : public platform::KeyInjector
{
public:
    bool sendKeyStroke(std::uint8_t) override { return false; }
};

// The state the start-up leaves behind for these settings paths.
struct Settings
{
    NoSound sound;
    NoKeys keys;
    AppState state{Services{sound, keys, [] { return qint64(0); }}};

    Settings(const QString& programFile, const QString& configDir)
    {
        const SettingsLocation where = chooseSettingsLocation(programFile, configDir);
        state.settingsFile = where.file;
        state.settingsFallback = where.fallback;
    }
};

const QByteArray Shared = "; set up by the administrator\n"
                          "[Marvane Glimmora]\n"
                          "X = 1500\n"
                          "Unknown=kept\n"
                          "\n"
                          "[Other]\n"
                          "Y=1\n";

} // namespace

class SettingsLocationTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void decision_data()
    {
        QTest::addColumn<QString>("program"); // the program file in the program directory
        QTest::addColumn<QString>("name");    // the settings file's name
        QTest::addColumn<int>("dirMode");
        QTest::addColumn<int>("fileMode");
        QTest::addColumn<bool>("configKnown");
        QTest::addColumn<int>("expected");

        const QString g = QStringLiteral("glimmora");
        const QString ini = QStringLiteral("glimmora.ini");
        QTest::newRow("writable file") << g << ini << 0755 << 0644 << true << +Beside;
        QTest::newRow("no file, writable directory") << g << ini << 0755 << -1 << true << +Beside;
        QTest::newRow("writable file, read-only directory")
            << g << ini << 0555 << 0644 << true << +Beside;
        QTest::newRow("read-only file, writable directory")
            << g << ini << 0755 << 0444 << true << +PerUser;
        QTest::newRow("read-only file and directory")
            << g << ini << 0555 << 0444 << true << +PerUser;
        QTest::newRow("no file, read-only directory") << g << ini << 0555 << -1 << true << +PerUser;
        QTest::newRow("no program directory") << g << ini << -1 << -1 << true << +PerUser;
        QTest::newRow("a directory in the file's place")
            << g << ini << 0755 << -2 << true << +PerUser;
        QTest::newRow("the program's own name")
            << QStringLiteral("Clock.EXE") << QStringLiteral("Clock.ini") << 0555 << 0444 << true
            << +PerUser;
        QTest::newRow("no user directory known") << g << ini << 0555 << 0444 << false << +Beside;
        // The settings name would be the program file itself.
        QTest::newRow("program named x.ini") << QStringLiteral("x.ini") << QStringLiteral("x.ini")
                                             << 0755 << 0755 << true << +UserOnly;
        QTest::newRow("program named x.ini, no user directory")
            << QStringLiteral("x.ini") << QStringLiteral("x.ini") << 0755 << 0755 << false
            << +Nowhere;
        QTest::newRow("settings name linked to the program")
            << g << QStringLiteral("->glimmora") << 0755 << 0755 << true << +UserOnly;
    }
    void decision()
    {
        QFETCH(QString, program);
        QFETCH(QString, name);
        QFETCH(int, dirMode);
        QFETCH(int, fileMode);
        QFETCH(bool, configKnown);
        QFETCH(int, expected);

        const QString problems = asOrdinaryUser([&]() -> QString {
            Fixture fx;
            const bool link = name.startsWith(QLatin1String("->"));
            const QString settingsName = link ? ini(program) : name;
            bool made = fx.root.isValid();
            if (dirMode >= 0 && program != settingsName) {
                made = made && writeFile(fx.program + u'/' + program, "\x7f"
                                                                      "ELF");
            }
            if (link) {
                made = made && fx.link(settingsName, program);
            }
            if (!made || !fx.make(settingsName, dirMode, link ? -1 : fileMode)) {
                return QStringLiteral("could not make the files");
            }
            const QString beside = fx.program + u'/' + settingsName;
            const QString mine = fx.config + u'/' + settingsName;
            const SettingsLocation where = chooseSettingsLocation(
                fx.program + u'/' + program, configKnown ? fx.config : QString());
            const QString file = expected == Beside    ? beside
                                 : expected == Nowhere ? QString()
                                                       : mine;
            const QString fallback = expected == PerUser ? beside : QString();
            return expect(where.file == file, "file " + where.file + ", expected " + file) +
                   expect(where.fallback == fallback,
                          "fallback " + where.fallback + ", expected " + fallback) +
                   // Deciding writes nothing: the user's directory comes with the first write.
                   expect(!QFileInfo::exists(fx.config), "the decision made the user directory");
        });
        QVERIFY2(problems.isEmpty(), qPrintable(problems));
    }

    // A program without a file known, or in "/", never writes ".ini" or "/x.ini".
    void noPlaceBesideAnUnknownProgram_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("file");
        QTest::newRow("unknown") << QString() << QStringLiteral("/c/glimmora.ini");
        QTest::newRow("in /") << QStringLiteral("/clock") << QStringLiteral("/c/clock.ini");
        QTest::newRow("installed")
            << QStringLiteral("/usr/lib/glimmora/glimmora") << QStringLiteral("/c/glimmora.ini");
    }
    void noPlaceBesideAnUnknownProgram()
    {
        QFETCH(QString, program);
        QFETCH(QString, file);
        const SettingsLocation where = chooseSettingsLocation(program, QStringLiteral("/c"));
        QCOMPARE(where.file, file);
        QCOMPARE(where.fallback.isEmpty(), !program.startsWith(QLatin1String("/usr/")));
    }

    // Even where it may write there (as root), an installed copy's folder is
    // left alone: the settings go to the user's file, starting from the shared one.
    void installedCopyWritesOnlyTheUsersFile()
    {
        QTemporaryDir usr(QStringLiteral("/usr/local/lib/glimmora-test-XXXXXX"));
        if (!usr.isValid()) {
            QSKIP("no folder can be made under /usr here");
        }
        QTemporaryDir home;
        const QString beside = usr.filePath(QStringLiteral("glimmora.ini"));
        QVERIFY(writeFile(beside, Shared));
        const QString config = home.filePath(QStringLiteral(".config/glimmora"));
        Settings s(usr.filePath(QStringLiteral("glimmora")), config);
        QCOMPARE(ReadSetting(s.state, QStringLiteral("X"), QString()), QStringLiteral("1500"));
        WriteSetting(s.state, QStringLiteral("X"), QStringLiteral("45"));
        QCOMPARE(readFile(beside), Shared);
        QCOMPARE(QDir(usr.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList{QStringLiteral("glimmora.ini")});
        QCOMPARE(ReadIni(s.state.appTitle, QStringLiteral("X"),
                         config + QStringLiteral("/glimmora.ini"), QString()),
                 QStringLiteral("45"));
    }

    void readsFallThroughUntilTheFirstWriteCopiesTheFile()
    {
        const QString problems = asOrdinaryUser([]() -> QString {
            Fixture fx;
            if (!fx.make(QStringLiteral("glimmora.ini"), 0555, 0444, Shared)) {
                return QStringLiteral("could not make the files");
            }
            const QString beside = fx.program + QStringLiteral("/glimmora.ini");
            const QString mine = fx.config + QStringLiteral("/glimmora.ini");
            Settings s(fx.program + QStringLiteral("/glimmora"), fx.config);
            QString out;
            out += expect(ReadSetting(s.state, QStringLiteral("X"), QStringLiteral("-")) == "1500",
                          QStringLiteral("X not read from the file beside the program"));
            out += expect(ReadSetting(s.state, QStringLiteral("Y"), QStringLiteral("-")) == "-",
                          QStringLiteral("Y of another section read"));
            out += expect(!QFileInfo::exists(mine), QStringLiteral("reading made the user's file"));

            WriteSetting(s.state, QStringLiteral("Y"), QStringLiteral("750"));
            const QByteArray copied = "; set up by the administrator\n"
                                      "[Marvane Glimmora]\n"
                                      "X = 1500\n"
                                      "Unknown=kept\n"
                                      "Y=750\n"
                                      "\n"
                                      "[Other]\n"
                                      "Y=1\n";
            out += expect(readFile(mine) == copied, "user's file after the first write:\n" +
                                                        QString::fromUtf8(readFile(mine)));
            out += expect(readFile(beside) == Shared, QStringLiteral("the shared file changed"));
            out += expect(QFileInfo(mine).permission(QFileDevice::WriteOwner),
                          QStringLiteral("the copy of a read-only file stays read-only"));

            // From now on the user's file is the one read and written.
            WriteSetting(s.state, QStringLiteral("X"), QStringLiteral("3000"));
            setMode(beside, 0644);
            out += expect(writeFile(beside, "[Marvane Glimmora]\nX=1\nSkin=Other\n"),
                          QStringLiteral("the shared file not rewritten"));
            out += expect(ReadSetting(s.state, QStringLiteral("X"), QStringLiteral("-")) == "3000",
                          QStringLiteral("second write lost or read from the shared file"));
            out += expect(ReadSetting(s.state, QStringLiteral("Skin"), QStringLiteral("-")) == "-",
                          QStringLiteral("a key read from the shared file after the copy"));
            out += expect(ReadSetting(s.state, QStringLiteral("Unknown"), QString()) == "kept",
                          QStringLiteral("unknown key lost"));
            return out;
        });
        QVERIFY2(problems.isEmpty(), qPrintable(problems));
    }

    void firstWriteWithoutAFileBesideTheProgram_data()
    {
        QTest::addColumn<int>("fileMode");
        QTest::newRow("no file") << -1;
        // Unreadable: nothing to copy, but the user's own setting is still kept.
        QTest::newRow("unreadable file") << 0;
    }
    void firstWriteWithoutAFileBesideTheProgram()
    {
        QFETCH(int, fileMode);
        const QString problems = asOrdinaryUser([fileMode]() -> QString {
            Fixture fx;
            if (!fx.make(QStringLiteral("glimmora.ini"), 0555, fileMode,
                         "[Marvane Glimmora]\nX=9\n")) {
                return QStringLiteral("could not make the files");
            }
            const QString beside = fx.program + QStringLiteral("/glimmora.ini");
            const QString mine = fx.config + QStringLiteral("/glimmora.ini");
            Settings s(fx.program + QStringLiteral("/glimmora"), fx.config);
            QString out;
            out += expect(ReadSetting(s.state, QStringLiteral("X"), QStringLiteral("-")) == "-",
                          QStringLiteral("a value read from nowhere"));
            WriteSetting(s.state, QStringLiteral("Skin"), QStringLiteral("Night"));
            out += expect(ReadIni(s.state.appTitle, QStringLiteral("Skin"), mine, QString()) ==
                              "Night",
                          QStringLiteral("the user's file does not hold the written key"));
            out += expect(ReadSetting(s.state, QStringLiteral("Skin"), QString()) == "Night",
                          QStringLiteral("the written key is not read back"));
            out += expect(QFileInfo::exists(beside) == (fileMode >= 0),
                          QStringLiteral("the program directory changed"));
            return out;
        });
        QVERIFY2(problems.isEmpty(), qPrintable(problems));
    }

    void aWritableFileBesideTheProgramStaysTheOne_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<int>("dirMode");
        QTest::newRow("read-only directory") << QStringLiteral("glimmora") << 0555;
        // The settings name is NAME_MAX long: a save must not need a longer one.
        QTest::newRow("longest settings name") << QString(251, u'g') << 0755;
    }
    void aWritableFileBesideTheProgramStaysTheOne()
    {
        QFETCH(QString, program);
        QFETCH(int, dirMode);
        const QString problems = asOrdinaryUser([&]() -> QString {
            Fixture fx;
            if (!fx.make(ini(program), dirMode, 0644, Shared)) {
                return QStringLiteral("could not make the files");
            }
            const QString beside = fx.program + u'/' + ini(program);
            Settings s(fx.program + u'/' + program, fx.config);
            WriteSetting(s.state, QStringLiteral("X"), QStringLiteral("45"));
            return expect(ReadIni(s.state.appTitle, QStringLiteral("X"), beside, QString()) == "45",
                          QStringLiteral("not written beside the program")) +
                   expect(!QFileInfo::exists(fx.config),
                          QStringLiteral("a user directory was made"));
        });
        QVERIFY2(problems.isEmpty(), qPrintable(problems));
    }
};

QTEST_GUILESS_MAIN(SettingsLocationTest)
#include "test_settings_location.moc"
