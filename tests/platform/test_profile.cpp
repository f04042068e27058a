#include "platform/files/ProfileFile.h"
#include "tests/support/Files.h"
#include "tests/support/SettingsFiles.h"

#include <QElapsedTimer>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

using platform::lookupProfileString;
using platform::withProfileString;

namespace {

const QString Section = QStringLiteral("Marvane Glimmora");

// A text as a file with a byte-order mark would hold it; a U+FEFF that
// starts the text stays a character (Qt takes it for a mark by default).
QByteArray marked(const char* text, QStringConverter::Encoding encoding)
{
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
    QStringEncoder encoder(encoding, QStringConverter::Flag::WriteBom);
    return encoder(QString(decoder(text)));
}

} // namespace

class ProfileTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void lookup_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<QByteArray>("value");
        const QByteArray head = "[Marvane Glimmora]\n";
        QTest::newRow("plain") << head + "Skin=Retro\n"
                               << QByteArray("Skin") << QByteArray("Retro");
        QTest::newRow("key case") << head + "standby=1\n"
                                  << QByteArray("STANDBY") << QByteArray("1");
        QTest::newRow("section case")
            << QByteArray("[marvane GLIMMORA]\nX=5\n") << QByteArray("X") << QByteArray("5");
        QTest::newRow("blanks around key and value") << head + "  StandBy \t=  1  \n"
                                                     << QByteArray("StandBy") << QByteArray("1");
        QTest::newRow("first equals sign") << head + "A=b=c\n"
                                           << QByteArray("A") << QByteArray("b=c");
        QTest::newRow("double quotes") << head + "Skin=\" Blue \"\n"
                                       << QByteArray("Skin") << QByteArray(" Blue ");
        QTest::newRow("single quotes") << head + "Skin='Blue'\n"
                                       << QByteArray("Skin") << QByteArray("Blue");
        QTest::newRow("unmatched quote kept") << head + "Skin=\"Blue\n"
                                              << QByteArray("Skin") << QByteArray("\"Blue");
        QTest::newRow("CRLF") << QByteArray("[Marvane Glimmora]\r\nX=12\r\nY=3\r\n")
                              << QByteArray("X") << QByteArray("12");
        QTest::newRow("other section not read")
            << QByteArray("[Other]\nX=1\n[Marvane Glimmora]\nY=2\n") << QByteArray("X")
            << QByteArray();
        QTest::newRow("first of duplicate keys") << head + "X=1\nX=2\n"
                                                 << QByteArray("X") << QByteArray("1");
        QTest::newRow("first of duplicate sections")
            << head + "X=1\n[Other]\n" + head + "X=2\nY=3\n"
            << QByteArray("Y") << QByteArray();
        QTest::newRow("empty value") << head + "X=\n" << QByteArray("X") << QByteArray();
        QTest::newRow("last line without end")
            << head + "X=9" << QByteArray("X") << QByteArray("9");
        QTest::newRow("cut at 2047") << head + "V=" + QByteArray(3000, 'v') + "\n"
                                     << QByteArray("V") << QByteArray(2047, 'v');
        QTest::newRow("bytes kept") << head + "Skin=\xc3\xa4\xff\n"
                                    << QByteArray("Skin") << QByteArray("\xc3\xa4\xff");
        QTest::newRow("UTF-8 byte-order mark")
            << marked("[Marvane Glimmora]\nSkin=Bl\u00e5\n", QStringConverter::Utf8)
            << QByteArray("Skin") << QByteArray("Bl\xc3\xa5");
        QTest::newRow("UTF-16 LE")
            << marked("[Marvane Glimmora]\r\nSkin=Bl\u00e5\r\n", QStringConverter::Utf16LE)
            << QByteArray("Skin") << QByteArray("Bl\xc3\xa5");
        QTest::newRow("UTF-16 BE")
            << marked("[Marvane Glimmora]\nX=1500\n", QStringConverter::Utf16BE) << QByteArray("x")
            << QByteArray("1500");
        QTest::newRow("garbage") << QByteArray("\0\x01[\xff]=\n==\n[", 12) << QByteArray("X")
                                 << QByteArray();
    }
    void lookup()
    {
        QFETCH(QByteArray, content);
        QFETCH(QByteArray, key);
        QFETCH(QByteArray, value);
        QCOMPARE(lookupProfileString(content, "MARVANE GLIMMORA", key), value);
    }

    void write_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("creates section") << QByteArray() << QByteArray("StandBy") << QByteArray("1")
                                         << QByteArray("[Marvane Glimmora]\nStandBy=1\n");
        QTest::newRow("replaces in place keeping the file's spelling")
            << QByteArray("; c\n[Marvane Glimmora]\nstandby = 0\nX=1\n") << QByteArray("StandBy")
            << QByteArray("1") << QByteArray("; c\n[Marvane Glimmora]\nstandby=1\nX=1\n");
        QTest::newRow("adds at the end of its section, before blank lines")
            << QByteArray("[Marvane Glimmora]\nX=1\n\n[Other]\nY=2\n") << QByteArray("Y")
            << QByteArray("5") << QByteArray("[Marvane Glimmora]\nX=1\nY=5\n\n[Other]\nY=2\n");
        QTest::newRow("adds section at end, keeping others")
            << QByteArray("[Other]\nA=1") << QByteArray("X") << QByteArray("3")
            << QByteArray("[Other]\nA=1\n[Marvane Glimmora]\nX=3\n");
        QTest::newRow("CRLF stays CRLF")
            << QByteArray("[Marvane Glimmora]\r\nX=1\r\n") << QByteArray("Y") << QByteArray("2")
            << QByteArray("[Marvane Glimmora]\r\nX=1\r\nY=2\r\n");
        QTest::newRow("CRLF replace keeps ending")
            << QByteArray("[Marvane Glimmora]\r\nX=1\r\nY=2\r\n") << QByteArray("X")
            << QByteArray("77") << QByteArray("[Marvane Glimmora]\r\nX=77\r\nY=2\r\n");
        QTest::newRow("section header on last line without end")
            << QByteArray("[Marvane Glimmora]") << QByteArray("X") << QByteArray("1")
            << QByteArray("[Marvane Glimmora]\nX=1\n");
        QTest::newRow("key in last line without end")
            << QByteArray("[Marvane Glimmora]\nX=1") << QByteArray("Y") << QByteArray("2")
            << QByteArray("[Marvane Glimmora]\nX=1\nY=2\n");
        QTest::newRow("only the first duplicate changes")
            << QByteArray("[Marvane Glimmora]\nX=1\nX=2\n") << QByteArray("x") << QByteArray("9")
            << QByteArray("[Marvane Glimmora]\nX=9\nX=2\n");
        QTest::newRow("a line break in a value cannot add lines")
            << QByteArray() << QByteArray("Skin") << QByteArray("a\nStandBy=1")
            << QByteArray("[Marvane Glimmora]\nSkin=a\n");
        QTest::newRow("UTF-8 mark kept")
            << marked("[Marvane Glimmora]\nX=1\n", QStringConverter::Utf8) << QByteArray("Y")
            << QByteArray("2") << marked("[Marvane Glimmora]\nX=1\nY=2\n", QStringConverter::Utf8);
        QTest::newRow("UTF-16 LE stays UTF-16 LE, one section")
            << marked("[Marvane Glimmora]\r\nX=1\r\n", QStringConverter::Utf16LE)
            << QByteArray("Skin") << QByteArray("Bl\xc3\xa5")
            << marked("[Marvane Glimmora]\r\nX=1\r\nSkin=Bl\u00e5\r\n", QStringConverter::Utf16LE);
        QTest::newRow("UTF-16 BE stays UTF-16 BE")
            << marked("; \u00fc\n[Marvane Glimmora]\nX=1\n", QStringConverter::Utf16BE)
            << QByteArray("X") << QByteArray("2")
            << marked("; \u00fc\n[Marvane Glimmora]\nX=2\n", QStringConverter::Utf16BE);
        QTest::newRow("UTF-16 text starting with U+FEFF keeps it")
            << marked("\ufeff; x\nX=1\n", QStringConverter::Utf16LE) << QByteArray("X")
            << QByteArray("2")
            << marked("\ufeff; x\nX=1\n[Marvane Glimmora]\nX=2\n", QStringConverter::Utf16LE);
        QTest::newRow("UTF-16, value ending in half a character")
            << marked("[Marvane Glimmora]\n", QStringConverter::Utf16BE) << QByteArray("X")
            << QByteArray("\xd8")
            << marked("[Marvane Glimmora]\nX=\ufffd\n", QStringConverter::Utf16BE);
        QTest::newRow("empty value written")
            << QByteArray("[Marvane Glimmora]\nSkin=Retro\n") << QByteArray("Skin") << QByteArray()
            << QByteArray("[Marvane Glimmora]\nSkin=\n");
    }
    void write()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, key);
        QFETCH(QByteArray, value);
        QFETCH(QByteArray, after);
        const QByteArray out = withProfileString(before, "Marvane Glimmora", key, value);
        QCOMPARE(out, after);
        // A UTF-16 file holds text only: half a character does not come back.
        if (!value.contains('\n') && QString::fromUtf8(value).toUtf8() == value) {
            QCOMPARE(lookupProfileString(out, "Marvane Glimmora", key), value);
        }
    }

    void readIniDefaults()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("glimmora.ini"));
        // Missing file, section, key and empty value all give the default.
        QCOMPARE(ReadIni(Section, QStringLiteral("X"), file, QStringLiteral("d")),
                 QStringLiteral("d"));
        QVERIFY(writeFile(file, "[Marvane Glimmora]\nX=\nY=750\n"));
        QCOMPARE(ReadIni(Section, QStringLiteral("X"), file, QStringLiteral("d")),
                 QStringLiteral("d"));
        QCOMPARE(ReadIni(Section, QStringLiteral("y"), file, QString()), QStringLiteral("750"));
        QCOMPARE(ReadIni(QStringLiteral("Other"), QStringLiteral("Y"), file, QStringLiteral("-")),
                 QStringLiteral("-"));
        // A directory of that name reads as missing.
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("dir.ini")));
        QCOMPARE(ReadIni(Section, QStringLiteral("X"), dir.filePath(QStringLiteral("dir.ini")),
                         QStringLiteral("d")),
                 QStringLiteral("d"));
    }

    void writeIniCreatesAndKeepsUnknownLines()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("glimmora.ini"));
        WriteIni(Section, QStringLiteral("StandBy"), QStringLiteral("1"), file);
        QCOMPARE(readFile(file), QByteArray("[Marvane Glimmora]\nStandBy=1\n"));
        QVERIFY(writeFile(
            file, "; mine\r\n[Marvane Glimmora]\r\nFoo=bar\r\nStandBy=1\r\n[Z]\r\nq=1\r\n"));
        WriteIni(Section, QStringLiteral("StandBy"), QStringLiteral("0"), file);
        WriteIni(Section, QStringLiteral("Skin"), QStringLiteral("Bernstein"), file);
        QCOMPARE(readFile(file), QByteArray("; mine\r\n[Marvane Glimmora]\r\nFoo=bar\r\n"
                                            "StandBy=0\r\nSkin=Bernstein\r\n[Z]\r\nq=1\r\n"));
    }

    void writeKeepsPermissionsAndSymlinks()
    {
        QTemporaryDir dir;
        const QString target = dir.filePath(QStringLiteral("real.ini"));
        const QString link = dir.filePath(QStringLiteral("glimmora.ini"));
        QVERIFY(writeFile(target, "[Marvane Glimmora]\nX=1\n"));
        QVERIFY(QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                  QFileDevice::ReadGroup));
        QVERIFY(QFile::link(target, link));
        WriteIni(Section, QStringLiteral("X"), QStringLiteral("2"), link);
        QVERIFY(QFileInfo(link).isSymLink());
        QCOMPARE(readFile(target), QByteArray("[Marvane Glimmora]\nX=2\n"));
        struct stat st
        {
        };
        QCOMPARE(::stat(QFile::encodeName(target).constData(), &st), 0);
        QCOMPARE(st.st_mode & 0777, mode_t(0640));
    }

    // glimmora.ini -> b.ini -> sub/c.ini: the save reaches the file at the
    // end, and both links stay links.
    void writeThroughASymlinkChain()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("sub")));
        const QString end = dir.filePath(QStringLiteral("sub/c.ini"));
        QVERIFY(writeFile(end, "[Marvane Glimmora]\nX=1\n"));
        QCOMPARE(::symlink("sub/c.ini", QFile::encodeName(dir.filePath("b.ini")).constData()), 0);
        QCOMPARE(::symlink("b.ini", QFile::encodeName(dir.filePath("glimmora.ini")).constData()),
                 0);
        WriteIni(Section, QStringLiteral("X"), QStringLiteral("2"),
                 dir.filePath(QStringLiteral("glimmora.ini")));
        QVERIFY(QFileInfo(dir.filePath(QStringLiteral("glimmora.ini"))).isSymLink());
        QVERIFY(QFileInfo(dir.filePath(QStringLiteral("b.ini"))).isSymLink());
        QCOMPARE(readFile(end), QByteArray("[Marvane Glimmora]\nX=2\n"));
    }

    // The per-user copy: contents of a regular file only, never wider than the
    // umask lets a new file be; a FIFO (which would wait for a writer) or a
    // device is no file to copy.
    void userCopy_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<int>("sourceMode");
        QTest::addColumn<int>("copyMode"); // -1: no copy
        QTest::newRow("world-writable file") << QStringLiteral("file") << 0666 << 0644;
        QTest::newRow("private file") << QStringLiteral("file") << 0600 << 0600;
        QTest::newRow("read-only file") << QStringLiteral("file") << 0444 << 0644;
        QTest::newRow("FIFO") << QStringLiteral("fifo") << 0666 << -1;
        QTest::newRow("link to /dev/zero") << QStringLiteral("/dev/zero") << 0666 << -1;
    }
    void userCopy()
    {
        QFETCH(QString, source);
        QFETCH(int, sourceMode);
        QFETCH(int, copyMode);
        QTemporaryDir dir;
        const QString from = dir.filePath(QStringLiteral("shared.ini"));
        const QString to = dir.filePath(QStringLiteral("user.ini"));
        const QByteArray name = QFile::encodeName(from);
        if (source == QStringLiteral("file")) {
            QVERIFY(writeFile(from, "[Marvane Glimmora]\nShowSaver=1\n"));
        } else if (source == QStringLiteral("fifo")) {
            QCOMPARE(::mkfifo(name.constData(), 0666), 0);
        } else {
            QCOMPARE(::symlink(QFile::encodeName(source).constData(), name.constData()), 0);
        }
        if (source != QStringLiteral("/dev/zero")) {
            QCOMPARE(::chmod(name.constData(), static_cast<mode_t>(sourceMode)), 0);
        }
        const mode_t before = ::umask(022);
        QElapsedTimer took;
        took.start();
        const bool copied = platform::copyProfileFile(from, to);
        ::umask(before);
        QVERIFY(took.elapsed() < 2000);
        QCOMPARE(copied, copyMode >= 0);
        QCOMPARE(QFileInfo::exists(to), copyMode >= 0);
        if (copyMode >= 0) {
            QCOMPARE(readFile(to), QByteArray("[Marvane Glimmora]\nShowSaver=1\n"));
            struct stat st
            {
            };
            QCOMPARE(::stat(QFile::encodeName(to).constData(), &st), 0);
            QCOMPARE(int(st.st_mode & 0777), copyMode);
        }
        // Read, it counts as missing, also without waiting.
        QCOMPARE(ReadIni(Section, QStringLiteral("ShowSaver"), from, QStringLiteral("d")),
                 copyMode >= 0 ? QStringLiteral("1") : QStringLiteral("d"));
    }

    void writeToDirectoryChangesNothing()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("glimmora.ini"));
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("glimmora.ini")));
        WriteIni(Section, QStringLiteral("X"), QStringLiteral("1"), path);
        QVERIFY(QFileInfo(path).isDir());
        QVERIFY(QDir(path).isEmpty());
    }

    void largeFileWrite()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("big.ini"));
        QByteArray big = "[Marvane Glimmora]\nX=1\n";
        big += QByteArray(20 * 1024 * 1024, 'z');
        QVERIFY(writeFile(file, big));
        WriteIni(Section, QStringLiteral("X"), QStringLiteral("2"), file);
        const QByteArray after = readFile(file);
        QCOMPARE(after.size(), big.size());
        QVERIFY(after.startsWith("[Marvane Glimmora]\nX=2\nzzz"));
    }
};

QTEST_GUILESS_MAIN(ProfileTest)
#include "test_profile.moc"
