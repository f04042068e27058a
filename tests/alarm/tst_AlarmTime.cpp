#include "alarm/AlarmTime.h"
#include "tests/support/Files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestAlarmTime : public QObject
{
    Q_OBJECT
private slots:
    void labelText_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << 0 << "00";
        QTest::newRow("one digit") << 7 << "07";
        QTest::newRow("nine") << 9 << "09";
        QTest::newRow("ten") << 10 << "10";
        QTest::newRow("last hour") << 23 << "23";
        QTest::newRow("last minute") << 59 << "59";
        // Only one-character texts are padded, as the label rule says.
        QTest::newRow("three digits stay") << 100 << "100";
        QTest::newRow("negative stays") << -5 << "-5";
    }
    void labelText()
    {
        QFETCH(int, value);
        QFETCH(QString, text);
        QCOMPARE(twoDigitText(value), text);
    }

    void selectorPosition_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<int>("position");
        QTest::newRow("two digits") << "07" << 23 << 7;
        QTest::newRow("one digit") << "7" << 23 << 7;
        QTest::newRow("last hour") << "23" << 23 << 23;
        QTest::newRow("hour past the range") << "24" << 23 << 23;
        QTest::newRow("minute past the range") << "60" << 59 << 59;
        QTest::newRow("negative") << "-3" << 23 << 0;
        QTest::newRow("no number") << "abc" << 59 << 0;
        QTest::newRow("empty") << "" << 59 << 0;
        QTest::newRow("leading number") << "12abc" << 23 << 12;
        QTest::newRow("blanks inside") << " 1 5" << 59 << 15;
        QTest::newRow("half rounds to even down") << "4.5" << 23 << 4;
        QTest::newRow("half rounds to even up") << "5.5" << 23 << 6;
        QTest::newRow("huge exponent") << "1e30" << 23 << 23;
        QTest::newRow("huge negative") << "-1e300" << 59 << 0;
        QTest::newRow("hex") << "&H10" << 23 << 16;
        QTest::newRow("3000 digits") << QString(3000, u'9') << 59 << 59;
    }
    void selectorPosition()
    {
        QFETCH(QString, stored);
        QFETCH(int, maximum);
        QFETCH(int, position);
        QCOMPARE(selectorValue(stored, maximum), position);
    }

    void waveFiles()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QStringList files{"b.wav", "A.WAV",     "c.Wav",       "notes.txt",
                                "wav",   "x.wav.bak", ".hidden.wav", "ring tone.wav"};
        for (const QString& name : files) {
            QVERIFY(writeFile(dir.filePath(name)));
        }
        QVERIFY(QDir(dir.path()).mkdir("folder.wav"));
        QVERIFY(QFile::link(dir.filePath("b.wav"), dir.filePath("link.wav")));
        QVERIFY(QFile::link(dir.filePath("missing"), dir.filePath("dangling.wav")));

        const QStringList expected{"A.WAV", "b.wav", "c.Wav", "link.wav", "ring tone.wav"};
        QCOMPARE(waveFilesIn(dir.path()), expected);
        QCOMPARE(waveFilesIn(dir.path() + "/"), expected);
    }

    void waveFilesOfNothing()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QVERIFY(waveFilesIn(dir.path()).isEmpty());
        QVERIFY(waveFilesIn(dir.filePath("does-not-exist")).isEmpty());
        // An empty directory name must not list the current directory.
        const QString before = QDir::currentPath();
        QDir::setCurrent(dir.path());
        QVERIFY(writeFile(dir.filePath("here.wav")));
        QVERIFY(waveFilesIn(QString()).isEmpty());
        QDir::setCurrent(before);
    }
};

QTEST_GUILESS_MAIN(TestAlarmTime)
#include "tst_AlarmTime.moc"
