// Start-up drives the mode handlers with preset marks and sets which saver
// entries are shown.
#include "tests/support/MenuTestSupport.h"
#include "tests/support/Files.h"

#include "app/StartUp.h"
#include "controls/WindowHelpers.h"
#include "core/CenterMath.h"
#include "keys/SaverMode.h"
#include "platform/session/SingleInstance.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

// A program directory with a settings file, and a start of the program in it.
struct Started
{
    QTemporaryDir dir;
    MenuFixture f;
    std::unique_ptr<platform::SingleInstance> instance;

    // `face`: a skin "Other" with a face picture of that size, chosen by the
    // settings.
    explicit Started(const QByteArray& settings, QSize face = {})
    {
        const QString program = dir.filePath(QStringLiteral("glimmora"));
        if (face.isValid()) {
            QImage picture(face, QImage::Format_RGB32);
            picture.fill(qRgb(120, 80, 40));
            QDir(dir.path()).mkpath(QStringLiteral("Skins/Other"));
            picture.save(dir.filePath(QStringLiteral("Skins/Other/back.bmp")), "BMP");
            // A usable skin: its file and every strip there.
            (void)writeFile(dir.filePath(QStringLiteral("Skins/Other/SkinFile.ini")),
                            "[Marvane Glimmora]\n");
            for (const char* strip : {"1.bmp", "2.bmp", "3.bmp", "4.bmp", "5.bmp"}) {
                picture.copy(0, 0, 10, 10)
                    .save(dir.filePath(QStringLiteral("Skins/Other/") + QLatin1String(strip)),
                          "BMP");
            }
        }
        if (!settings.isNull()) {
            (void)writeFile(dir.filePath(QStringLiteral("glimmora.ini")),
                            "[Marvane Glimmora]\n" + settings);
        }
        instance = std::make_unique<platform::SingleInstance>(program);
        started = startClock(f.state, f.core, f.windows, f.writer, *instance, program, QString());
    }
    ~Started() { instance->release(); }

    bool started = false;
};

} // namespace

class TestMenuStartup : public QObject
{
    Q_OBJECT
private slots:
    // "1" switches a mode on; anything else off, and off is applied too.
    void modesRestored_data()
    {
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<bool>("standby");
        QTest::addColumn<bool>("onTop");
        QTest::addColumn<bool>("saver");
        QTest::addColumn<bool>("alarm");

        QTest::newRow("no file") << QByteArray() << false << false << false << false;
        QTest::newRow("all on") << QByteArray("StandBy=1\nOnTop=1\nSaver=1\nAlarm=1\n") << true
                                << true << true << true;
        QTest::newRow("keys in any case") << QByteArray("standby=1\nONTOP=1\nsaver=0\naLaRm=1\n")
                                          << true << true << false << true;
        QTest::newRow("only exactly 1 is on")
            << QByteArray("StandBy=true\nOnTop=-1\nSaver=01\nAlarm=1.0\n") << false << false
            << false << false;
        QTest::newRow("blanks around the value")
            << QByteArray("StandBy= 1 \nOnTop=0\n") << true << false << false << false;
        QTest::newRow("empty values")
            << QByteArray("StandBy=\nOnTop=\nSaver=\nAlarm=\n") << false << false << false << false;
    }
    void modesRestored()
    {
        QFETCH(QByteArray, settings);
        QFETCH(bool, standby);
        QFETCH(bool, onTop);
        QFETCH(bool, saver);
        QFETCH(bool, alarm);

        Started s(settings);
        QVERIFY(s.started);
        ClockMenu& menu = s.f.menu();
        ClockWindow& clock = s.f.clock();
        QCOMPARE(menu.entryFor(Option::Standby)->isChecked(), standby);
        QCOMPARE(menu.entryFor(Option::OnTop)->isChecked(), onTop);
        QCOMPARE(menu.entryFor(Option::Saver)->isChecked(), saver);
        QCOMPARE(menu.entryFor(Option::Alarm)->isChecked(), alarm);
        QCOMPARE(clock.tickTimer()->isActive(), !standby);
        QCOMPARE(isTopMost(&clock), onTop);
        QCOMPARE(s.f.windows.saverMode()->isActive(), saver);
        QCOMPARE(s.f.core.alarm().state(), AlarmState::Waiting);
        if (!standby) {
            QVERIFY(!s.f.core.drawnDigits());
        }
        QVERIFY(clock.isVisible());
        QVERIFY(!menu.isVisible());
        QCOMPARE(s.f.exits, 0);
    }

    // The saver entries and the line below them are shown exactly when
    // "ShowSaver" is non-zero; the line above them always.
    void saverEntriesShownBySetting_data()
    {
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<bool>("shown");
        QTest::newRow("missing") << QByteArray() << false;
        QTest::newRow("0") << QByteArray("ShowSaver=0\n") << false;
        QTest::newRow("1") << QByteArray("ShowSaver=1\n") << true;
        QTest::newRow("2") << QByteArray("ShowSaver=2\n") << true;
        QTest::newRow("-1") << QByteArray("ShowSaver=-1\n") << true;
        QTest::newRow("text") << QByteArray("ShowSaver=yes\n") << false;
        QTest::newRow("leading number") << QByteArray("ShowSaver=3x\n") << true;
        QTest::newRow("rounds to 0") << QByteArray("ShowSaver=0.5\n") << false;
        QTest::newRow("rounds to 2") << QByteArray("ShowSaver=1.5\n") << true;
        QTest::newRow("beyond 16 bits keeps 0") << QByteArray("ShowSaver=40000\n") << false;
    }
    void saverEntriesShownBySetting()
    {
        QFETCH(QByteArray, settings);
        QFETCH(bool, shown);
        Started s(settings);
        QVERIFY(s.started);
        QCOMPARE(shownEntries(s.f.menu()), freshMenu(shown));
    }

    // A first start: the key code read (default F9, 120) and the window
    // centred by its final size, the skin's face, not the built-in one.
    void firstStart_data()
    {
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<QSize>("face");
        QTest::addColumn<int>("sendKeyCode");
        QTest::newRow("SendKey missing") << QByteArray() << QSize() << 120;
        QTest::newRow("SendKey empty") << QByteArray("SendKey=\n") << QSize() << 120;
        QTest::newRow("145") << QByteArray("SendKey=145\n") << QSize() << 145;
        QTest::newRow("120abc") << QByteArray("SendKey=120abc\n") << QSize() << 120;
        QTest::newRow("&H78") << QByteArray("SendKey=&H78\n") << QSize() << 120;
        QTest::newRow("99999 does not fit") << QByteArray("SendKey=99999\n") << QSize() << 0;
        QTest::newRow("skin of another size")
            << QByteArray("Skin=Other\n") << QSize(300, 120) << 120;
    }
    void firstStart()
    {
        QFETCH(QByteArray, settings);
        QFETCH(QSize, face);
        QFETCH(int, sendKeyCode);
        Started s(settings, face);
        QVERIFY(s.started);
        QCOMPARE(int{s.f.core.keyCode()}, sendKeyCode);
        const ClockWindow& clock = s.f.clock();
        const QSize size = face.isValid() ? face : QSize(460, 234);
        QCOMPARE(clock.size(), size);
        const QRect screen = clock.screen()->geometry();
        auto centred = [&screen](QSize window) {
            const QPoint twips =
                centeredTopLeftTwips(screen.width() * 15.0, screen.height() * 15.0,
                                     window.width() * 15.0, window.height() * 15.0);
            return screen.topLeft() + QPoint(twipsToPixels(twips.x()), twipsToPixels(twips.y()));
        };
        QCOMPARE(clock.pos(), centred(size));
        if (face.isValid()) {
            QVERIFY(centred(size) != centred(QSize(460, 234)));
        }
    }

    // The saver keeps its saved state when its entry is hidden.
    void hiddenSaverStillRuns()
    {
        Started s("ShowSaver=0\nSaver=1\n");
        QVERIFY(s.started);
        QVERIFY(!s.f.menu().entryFor(Option::Saver)->isVisible());
        QVERIFY(s.f.menu().entryFor(Option::Saver)->isChecked());
        QVERIFY(s.f.windows.saverMode()->isActive());
    }

    // What start-up restored is what the exit writes back.
    void exitWritesBackWhatWasRead()
    {
        Started s("StandBy=1\nOnTop=0\nX=1500\nY=-750\nSaver=0\nAlarm=1\nShowSaver=2\n"
                  "Skin=\n");
        QVERIFY(s.started);
        QCOMPARE(s.f.clock().pos(), QPoint(100, -50));
        s.f.menu().exitEntry()->trigger();
        QCOMPARE(s.f.exits, 1);
        QCOMPARE(readFile(s.f.state.settingsFile),
                 QByteArray("[Marvane Glimmora]\nStandBy=1\nOnTop=0\nX=1500\nY=-750\nSaver=0\n"
                            "Alarm=1\nShowSaver=2\nSkin=\nOnDesktop=0\n"));
    }
};

QTEST_MAIN(TestMenuStartup)
#include "tst_MenuStartup.moc"
