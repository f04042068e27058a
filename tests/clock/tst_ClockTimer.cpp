// The clock tick on the real window: which tubes it draws, the lamps, the
// alarm and the standby picture.
#include "alarm/AlarmNotice.h"
#include "app/Windows.h"
#include "clock/ClockWindow.h"
#include "menu/ClockMenu.h"
#include "skin/SkinLoader.h"
#include "tests/clock/ClockFixture.h"

#include <QAction>
#include <QTest>
#include <QTimer>
#include <ctime>
#include <map>
#include <set>

namespace {

constexpr qint64 June1 = 1685577600; // 2023-06-01 00:00:00 UTC

qint64 at(int h, int m, int s)
{
    return June1 + h * 3600 + m * 60 + s;
}

// Counts paint events per widget.
class PaintCounter : public QObject
{
public:
    std::map<QObject*, int> paints;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            ++paints[watched];
        }
        return false;
    }
};

} // namespace

class ClockTimerTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<ClockFixture> f;
    ClockWindow* clock = nullptr;
    QImage dark;
    QImage lit;

    void tick(qint64 instant)
    {
        f->now = instant;
        clock->tick();
    }

    std::array<qint64, 6> tubeKeys() const
    {
        std::array<qint64, 6> keys{};
        for (std::size_t k = 0; k < keys.size(); ++k) {
            keys[k] = clock->tubes()[k]->image().cacheKey();
        }
        return keys;
    }

    QString shownDigits() const
    {
        QString digits;
        for (PictureBox* tube : clock->tubes()) {
            int found = -1;
            for (int d = 0; d < 10 && found < 0; ++d) {
                found = showsCell(tube->image(), d) ? d : -1;
            }
            digits += found < 0 ? QStringLiteral("?") : QString::number(found);
        }
        return digits;
    }

    bool lampsShow(const QImage& picture) const
    {
        return clock->lamps()[0]->image() == picture && clock->lamps()[1]->image() == picture;
    }

private slots:
    void initTestCase()
    {
        qputenv("TZ", "UTC");
        tzset();
        dark = QImage(16, 67, QImage::Format_RGB32);
        dark.fill(qRgb(70, 0, 0));
        lit = QImage(16, 67, QImage::Format_RGB32);
        lit.fill(qRgb(255, 60, 40));
    }

    void init()
    {
        f = std::make_unique<ClockFixture>();
        clock = f->own(new ClockWindow(f->state, f->core));
        LoadedSkin strips;
        for (std::size_t k = 0; k < 6; ++k) {
            const QSize size = clock->tubes()[k]->size();
            strips.strips[k] = makeStrip(10, size.width(), size.height());
        }
        clock->applySkin(strips);
        clock->setLampPictures(dark, lit);
        clock->loadFace();
    }

    void cleanup()
    {
        qputenv("TZ", "UTC");
        tzset();
        f.reset();
    }

    void firstTickDrawsEveryTubeAndLightsTheLamps()
    {
        QVERIFY(lampsShow(dark));
        tick(at(8, 15, 42));
        QCOMPARE(shownDigits(), QStringLiteral("081542"));
        QVERIFY(lampsShow(lit));
        QCOMPARE(f->core.drawnTimeText(), QStringLiteral("08:15:42"));
    }

    void onlyChangedPairsAreDrawn_data()
    {
        QTest::addColumn<qint64>("first");
        QTest::addColumn<qint64>("second");
        QTest::addColumn<QString>("drawn"); // tubes drawn by the second tick
        QTest::addColumn<QString>("digits");
        QTest::addColumn<bool>("lampsLit");
        QTest::newRow("same second") << at(12, 34, 56) << at(12, 34, 56) << ""
                                     << "123456" << false;
        QTest::newRow("next second") << at(12, 34, 55) << at(12, 34, 56) << "45"
                                     << "123456" << true;
        QTest::newRow("next minute") << at(12, 34, 59) << at(12, 35, 0) << "2345"
                                     << "123500" << true;
        QTest::newRow("12:59:59 to 13:00:00") << at(12, 59, 59) << at(13, 0, 0) << "012345"
                                              << "130000" << true;
        QTest::newRow("same seconds an hour later") << at(12, 0, 5) << at(13, 0, 5) << "01"
                                                    << "130005" << false;
        QTest::newRow("midnight") << at(23, 59, 59) << at(24, 0, 0) << "012345"
                                  << "000000" << true;
    }

    void onlyChangedPairsAreDrawn()
    {
        QFETCH(qint64, first);
        QFETCH(qint64, second);
        QFETCH(QString, drawn);
        QFETCH(QString, digits);
        QFETCH(bool, lampsLit);
        tick(first);
        const auto before = tubeKeys();
        tick(second);
        const auto after = tubeKeys();
        QString changed;
        for (std::size_t k = 0; k < 6; ++k) {
            if (before[k] != after[k]) {
                changed += QString::number(k);
            }
        }
        QCOMPARE(changed, drawn);
        QCOMPARE(shownDigits(), digits);
        QVERIFY(lampsShow(lampsLit ? lit : dark));
    }

    void lampsFlashOnceASecond()
    {
        QString lamps;
        for (qint64 ms = 0; ms < 2400; ms += 300) {
            tick(at(10, 0, 0) + ms / 1000);
            lamps += lampsShow(lit) ? u'*' : (lampsShow(dark) ? u'.' : u'?');
        }
        QCOMPARE(lamps, QStringLiteral("*...*..*"));
    }

    void repeatedTickRepaintsNothingButASecondOnlyTwoTubes()
    {
        // A window large enough to show the lamps too.
        clock->clearMask();
        clock->setFixedSize(560, 400);
        for (PictureBox* lamp : clock->lamps()) {
            lamp->show(); // hidden by the load while outside the face
        }
        clock->show();
        QVERIFY(QTest::qWaitForWindowExposed(clock));
        tick(at(9, 41, 10));
        tick(at(9, 41, 10));
        QCoreApplication::processEvents();

        PaintCounter counter;
        QList<QWidget*> all = clock->findChildren<QWidget*>();
        all.append(clock);
        for (QWidget* w : all) {
            w->installEventFilter(&counter);
        }
        tick(at(9, 41, 10)); // third tick of the second: lamps already dark
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        QVERIFY2(counter.paints.empty(), "a repeated tick repainted something");

        tick(at(9, 41, 11));
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        const std::set<QObject*> changed{clock->tubes()[4], clock->tubes()[5], clock->lamps()[0],
                                         clock->lamps()[1]};
        for (QWidget* w : all) {
            const bool painted = counter.paints[w] > 0;
            QVERIFY2(painted == (changed.count(w) > 0), qPrintable(w->metaObject()->className()));
        }
        for (QWidget* w : all) {
            w->removeEventFilter(&counter);
        }
    }

    // Timer1 waits for the next tick instant of the wall clock; the ticks
    // within a second are left out when nothing in them would change.
    void armedForTheNextTickInstant_data()
    {
        QTest::addColumn<QList<int>>("ticks"); // ms into the second, drawn before
        QTest::addColumn<bool>("lampsShown");
        QTest::addColumn<int>("wait");
        QTest::newRow("250 ms, nothing drawn yet") << QList<int>{} << false << 50;
        QTest::newRow("second begun, lamps unseen") << QList<int>{0} << false << 1000;
        QTest::newRow("second begun, lamps shown") << QList<int>{0} << true << 300;
        QTest::newRow("lamps shown and dark again") << QList<int>{0, 302} << true << 698;
    }

    void armedForTheNextTickInstant()
    {
        QFETCH(QList<int>, ticks);
        QFETCH(bool, lampsShown);
        QFETCH(int, wait);
        for (PictureBox* lamp : clock->lamps()) {
            lamp->setVisible(lampsShown);
        }
        f->now = at(7, 30, 5);
        for (int ms : ticks) {
            f->msIntoSecond = ms;
            clock->tick();
        }
        f->msIntoSecond = ticks.isEmpty() ? 250 : ticks.constLast();
        clock->setTicking(true);
        QVERIFY(clock->tickTimer()->isSingleShot());
        QCOMPARE(clock->tickTimer()->interval(), wait);
        clock->setTicking(false);
    }

    void alarmMinuteRingsUntilAcknowledged()
    {
        f->core.restore(Option::Alarm, true);
        f->core.setAlarmTime({QStringLiteral("07"), QStringLiteral("30")});
        const QString wav = QStringLiteral("/opt/glimmora/alarm.wav");

        tick(at(7, 29, 59));
        QCOMPARE(f->core.alarmState(), AlarmState::Armed);
        QCOMPARE(f->sound.playCount(), 0);

        tick(at(7, 30, 0));
        QVERIFY(f->windows.notice()); // the notice opens on the first tick
        delete f->windows.notice();   // and is not opened again in this minute
        int ticks = 1;
        for (qint64 ms = 300; ms < 20000; ms += 300, ++ticks) {
            tick(at(7, 30, 0) + ms / 1000);
            QCOMPARE(f->core.alarmState(), AlarmState::Ringing);
        }
        QVERIFY(!f->windows.notice());
        QCOMPARE(f->sound.playCount(), ticks);
        QCOMPARE(f->sound.playedPaths().constFirst(), wav);
        QCOMPARE(f->sound.playedPaths().constLast(), wav);

        f->core.acknowledge(); // "O K" pressed
        for (qint64 ms = 20100; ms < 60000; ms += 300) {
            tick(at(7, 30, 0) + ms / 1000);
        }
        QCOMPARE(f->sound.playCount(), ticks);
        QCOMPARE(f->core.alarmState(), AlarmState::Acknowledged);

        tick(at(7, 31, 0));
        QCOMPARE(f->core.alarmState(), AlarmState::Armed);
        QCOMPARE(f->sound.playCount(), ticks);
    }

    void alarmSwitchOffChangesNothing_data()
    {
        QTest::addColumn<qint64>("instant");
        QTest::addColumn<int>("state");
        QTest::newRow("alarm minute, armed") << at(7, 30, 0) << 0;
        QTest::newRow("other minute, ringing") << at(7, 31, 0) << 1;
    }

    void alarmSwitchOffChangesNothing()
    {
        QFETCH(qint64, instant);
        QFETCH(int, state);
        f->core.setAlarmTime({QStringLiteral("07"), QStringLiteral("30")});
        if (state == int(AlarmState::Ringing)) {
            f->now = at(7, 30, 0);
            f->ringAlarm();
        }
        // Switching off re-arms, and the tick leaves the alarm alone from then on.
        if (f->core.isOn(Option::Alarm)) {
            f->core.toggle(Option::Alarm);
        }
        const int plays = f->sound.playCount();
        tick(instant);
        QCOMPARE(f->core.alarmState(), AlarmState::Armed);
        QCOMPARE(f->sound.playCount(), plays);
    }

    void clockChangesAreRealTime_data()
    {
        QTest::addColumn<qint64>("before");
        QTest::addColumn<QString>("drawn");
        QTest::addColumn<QString>("digits");
        // 2024-03-31: 01:59:59 CET, then 03:00:00 CEST.
        QTest::newRow("spring forward") << qint64{1711846799} << "012345"
                                        << "030000";
        // 2024-10-27: 02:59:59 CEST, then 02:00:00 CET: the hour stays.
        QTest::newRow("fall back") << qint64{1729990799} << "2345"
                                   << "020000";
    }

    void clockChangesAreRealTime()
    {
        QFETCH(qint64, before);
        QFETCH(QString, drawn);
        QFETCH(QString, digits);
        qputenv("TZ", "Europe/Berlin");
        tzset();
        tick(before);
        const auto keys = tubeKeys();
        tick(before + 1);
        QString changed;
        for (std::size_t k = 0; k < 6; ++k) {
            changed += keys[k] != tubeKeys()[k] ? QString::number(k) : QString();
        }
        QCOMPARE(changed, drawn);
        QCOMPARE(shownDigits(), digits);
    }

    void standbyPictureIsCellZero()
    {
        tick(at(23, 59, 59));
        QCOMPARE(shownDigits(), QStringLiteral("235959"));
        clock->showTubesOff();
        QCOMPARE(shownDigits(), QStringLiteral("000000"));
    }

    void picturesAreKeptInTheScreenFormat()
    {
        LoadedSkin strip;
        strip.strips[2] = makeStrip(10, 19, 34, QImage::Format_RGB888);
        clock->applySkin(strip);
        clock->setLampPictures(dark, lit.convertToFormat(QImage::Format_RGB16));
        clock->loadFace();
        QCOMPARE(clock->digitStrip(2).format(), QImage::Format_RGB32);
        QCOMPARE(clock->lampPicture(1).format(), QImage::Format_RGB32);
        tick(at(1, 47, 0));
        QCOMPARE(shownDigits(), QStringLiteral("014700"));
    }
};

QTEST_MAIN(ClockTimerTest)
#include "tst_ClockTimer.moc"
