// The orderly end: the eight keys, in order, then the end, whatever the file.
#include "tests/support/MenuTestSupport.h"
#include "tests/support/Files.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

class TestSettingsWriter : public QObject
{
    Q_OBJECT
private slots:
    void firstExitWritesEightKeysInOrder_data()
    {
        QTest::addColumn<QPoint>("pos");
        QTest::addColumn<bool>("standby");
        QTest::addColumn<bool>("onTop");
        QTest::addColumn<bool>("saver");
        QTest::addColumn<bool>("alarm");
        QTest::addColumn<int>("showSaver");
        QTest::addColumn<QString>("skin");
        QTest::addColumn<QByteArray>("expected");

        QTest::newRow("defaults") << QPoint(100, 50) << false << false << false << false << 0
                                  << QString()
                                  << QByteArray("[Marvane Glimmora]\n"
                                                "StandBy=0\nOnTop=0\nOnDesktop=0\n"
                                                "X=1500\nY=750\n"
                                                "Saver=0\nAlarm=0\n"
                                                "ShowSaver=0\nSkin=\n");
        QTest::newRow("all on") << QPoint(7, 3) << true << true << true << true << 2
                                << QStringLiteral("Retro")
                                << QByteArray("[Marvane Glimmora]\n"
                                              "StandBy=1\nOnTop=1\nOnDesktop=0\nX=105\nY=45\n"
                                              "Saver=1\nAlarm=1\nShowSaver=2\nSkin=Retro\n");
        QTest::newRow("off the top left") << QPoint(-20, -3) << true << false << false << true << -1
                                          << QStringLiteral("Nixie Blau")
                                          << QByteArray("[Marvane Glimmora]\n"
                                                        "StandBy=1\nOnTop=0\nOnDesktop=0\nX=-300\nY=-45\n"
                                                        "Saver=0\nAlarm=1\nShowSaver=-1\n"
                                                        "Skin=Nixie Blau\n");
        QTest::newRow("far right")
            << QPoint(2500, 1900) << false << false << true << false << 32767 << QString()
            << QByteArray("[Marvane Glimmora]\n"
                          "StandBy=0\nOnTop=0\nOnDesktop=0\nX=37500\nY=28500\n"
                          "Saver=1\nAlarm=0\nShowSaver=32767\nSkin=\n");
    }
    void firstExitWritesEightKeysInOrder()
    {
        QFETCH(QPoint, pos);
        QFETCH(bool, standby);
        QFETCH(bool, onTop);
        QFETCH(bool, saver);
        QFETCH(bool, alarm);
        QFETCH(int, showSaver);
        QFETCH(QString, skin);
        QFETCH(QByteArray, expected);

        QTemporaryDir dir;
        MenuFixture f;
        f.state.settingsFile = dir.filePath(QStringLiteral("glimmora.ini"));
        f.core.setShowSaver(static_cast<std::int16_t>(showSaver));
        f.core.setSkinName(skin);
        f.shownClock(pos);
        // The marks alone are what is saved, not the running state.
        f.core.restore(Option::Standby, standby);
        f.core.restore(Option::OnTop, onTop);
        f.core.restore(Option::Saver, saver);
        f.core.restore(Option::Alarm, alarm);
        QByteArray atExit;
        f.onExit = [&] { atExit = readFile(f.state.settingsFile); };

        f.menu().exitEntry()->trigger();

        QCOMPARE(f.exits, 1);
        QCOMPARE(atExit, expected);
    }

    // An option chosen from the menu is in the file at once, as the exit would
    // write it; what happens after (a kill) cannot lose it.
    void optionChangeIsWrittenAtOnce()
    {
        QTemporaryDir dir;
        MenuFixture f;
        f.state.settingsFile = dir.filePath(QStringLiteral("glimmora.ini"));
        f.shownClock(QPoint(100, 50));
        f.writer.followChanges();

        f.menu().entryFor(Option::Alarm)->trigger();

        QCOMPARE(f.exits, 0);
        QCOMPARE(readFile(f.state.settingsFile),
                 QByteArray("[Marvane Glimmora]\nStandBy=0\nOnTop=0\nOnDesktop=0\nX=1500\nY=750\n"
                            "Saver=0\nAlarm=1\nShowSaver=0\nSkin=\n"));
    }

    // Keys already there keep their place and spelling; others stay as they
    // were; the alarm time and key code are not written at exit.
    void existingFileIsUpdatedInPlace()
    {
        QTemporaryDir dir;
        MenuFixture f;
        f.state.settingsFile = dir.filePath(QStringLiteral("glimmora.ini"));
        QVERIFY(writeFile(f.state.settingsFile,
                          "; mine\r\n[Other]\r\nX=1\r\n[marvane glimmora]\r\n"
                          "A-Hour=07\r\nstandby=1\r\nSendKey=145\r\nSkin=Old\r\n"));
        f.core.alarm().setTime(QTime(8, 0));
        f.core.setKeyCode(120);
        f.core.setSkinName(QStringLiteral("New"));
        f.shownClock(QPoint(10, 20));

        f.menu().exitEntry()->trigger();

        QCOMPARE(f.exits, 1);
        QCOMPARE(readFile(f.state.settingsFile),
                 QByteArray("; mine\r\n[Other]\r\nX=1\r\n[marvane glimmora]\r\n"
                            "A-Hour=07\r\nstandby=0\r\nSendKey=145\r\nSkin=New\r\n"
                            "OnTop=0\r\nOnDesktop=0\r\nX=150\r\nY=300\r\nSaver=0\r\nAlarm=0\r\nShowSaver=0\r\n"));
    }

    // Nothing can be written (a settings file where no directory can be
    // made): the program still ends and nothing appears.
    void unwritableSettingsStillEnd()
    {
        QTemporaryDir dir;
        const QString blocker = dir.filePath(QStringLiteral("plainfile"));
        QVERIFY(writeFile(blocker, "x"));
        MenuFixture f;
        f.state.settingsFile = blocker + QStringLiteral("/sub/glimmora.ini");
        f.shownClock();

        f.menu().exitEntry()->trigger();

        QCOMPARE(f.exits, 1);
        QVERIFY(!QFileInfo::exists(f.state.settingsFile));
        QCOMPARE(readFile(blocker), QByteArray("x"));
    }

    // A settings directory that is a file's place: the same.
    void settingsPathIsADirectory()
    {
        QTemporaryDir dir;
        MenuFixture f;
        f.state.settingsFile = dir.filePath(QStringLiteral("glimmora.ini"));
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("glimmora.ini")));
        f.shownClock();
        f.menu().exitEntry()->trigger();
        QCOMPARE(f.exits, 1);
        QVERIFY(QFileInfo(f.state.settingsFile).isDir());
    }

    // Every way out runs the same exit.
    void exitRoutes_data()
    {
        QTest::addColumn<QString>("route");
        QTest::newRow("menu entry") << "menu";
        QTest::newRow("power switch") << "power";
        QTest::newRow("close request") << "close";
    }
    void exitRoutes()
    {
        QFETCH(QString, route);
        QTemporaryDir dir;
        MenuFixture f;
        f.state.settingsFile = dir.filePath(QStringLiteral("glimmora.ini"));
        ClockWindow& clock = f.shownClock(QPoint(40, 60));
        f.core.restore(Option::Standby, true);

        if (route == QLatin1String("menu")) {
            f.menu().exitEntry()->trigger();
        } else if (route == QLatin1String("power")) {
            sendMouse(clock.powerSwitch(), QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton,
                      QPoint(3, 3));
            sendMouse(clock.powerSwitch(), QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton,
                      QPoint(3, 3));
        } else {
            // A close request from the window manager: the window stays (the
            // end does not come from closing it) and the exit runs.
            QCloseEvent close;
            QCoreApplication::sendEvent(&clock, &close);
            QVERIFY(!close.isAccepted());
            QVERIFY(clock.isVisible());
        }

        QCOMPARE(f.exits, 1);
        QByteArray written = readFile(f.state.settingsFile);
        QVERIFY(written.contains("StandBy=1\nOnTop=0\nOnDesktop=0\nX=600\nY=900\n"));
    }
};

QTEST_MAIN(TestSettingsWriter)
#include "tst_SettingsWriter.moc"
