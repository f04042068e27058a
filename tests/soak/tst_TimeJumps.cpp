// The local time jumping under the running clock: set back an hour, forward a
// day, and across both clock changes of the year. At every tick the tubes show
// the local time of that tick, and the alarm rings for exactly the minutes the
// clock shows.
#include "alarm/AlarmNotice.h"
#include "clock/ClockWindow.h"
#include "core/AppState.h"
#include "menu/ClockMenu.h"
#include "tests/support/WindowFixture.h"

#include <QAction>
#include <QDateTime>
#include <QTest>
#include <ctime>

namespace {

using Fixture = WindowFixture;

// The digit each tube shows, found by comparing it with every cell of its own
// strip; "?" where it shows none of them.
QString shownDigits(const ClockWindow& clock)
{
    QString digits;
    for (std::size_t k = 0; k < 6; ++k) {
        const QImage shown = clock.tubes()[k]->image();
        const QImage& strip = clock.digitStrip(k);
        QChar found = u'?';
        for (int d = 0; d < 10 && found == u'?'; ++d) {
            const QImage cell = strip.copy(d * shown.width(), 0, shown.width(), shown.height())
                                    .convertToFormat(shown.format());
            if ((d + 1) * shown.width() <= strip.width() && cell == shown) {
                found = QChar(u'0' + d);
            }
        }
        digits += found;
    }
    return digits;
}

// The local wall-clock time of an instant, by Qt's own conversion.
QString wallClock(qint64 seconds)
{
    return QDateTime::fromSecsSinceEpoch(seconds).toString(QStringLiteral("HHmmss"));
}

qint64 utc(const char* iso)
{
    return QDateTime::fromString(QString::fromLatin1(iso), Qt::ISODate).toSecsSinceEpoch();
}

} // namespace

class TimeJumpsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        qputenv("TZ", "Europe/Berlin");
        tzset();
        // The strips' cells must differ, or the comparison proves nothing.
        Fixture f;
        ClockWindow& clock = *f.own(new ClockWindow(f.state, f.core));
        clock.loadFace();
        for (std::size_t k = 0; k < 6; ++k) {
            const QSize cell = clock.tubes()[k]->size();
            const int cells = clock.digitStrip(k).width() / cell.width();
            QVERIFY(cells > 1);
            for (int a = 0; a < cells; ++a) {
                for (int b = a + 1; b < cells; ++b) {
                    QVERIFY(
                        clock.digitStrip(k).copy(a * cell.width(), 0, cell.width(),
                                                 cell.height()) !=
                        clock.digitStrip(k).copy(b * cell.width(), 0, cell.width(), cell.height()));
                }
            }
        }
    }

    void jumps_data()
    {
        QTest::addColumn<qint64>("start");    // first tick
        QTest::addColumn<int>("before");      // seconds of ticks before the jump
        QTest::addColumn<qint64>("jump");     // seconds the clock is set by
        QTest::addColumn<int>("after");       // seconds of ticks after it
        QTest::addColumn<QString>("alarm");   // "HH:MM"
        QTest::addColumn<QString>("landing"); // the display at the first tick after
        QTest::addColumn<int>("notices");     // the times the alarm started ringing

        // 2024-06-12, summer time all day.
        QTest::newRow("back an hour into the alarm minute")
            << utc("2024-06-12T08:14:30Z") << 40 << qint64{-3600} << 70 << "09:15"
            << "091510" << 1;
        QTest::newRow("back an hour out of a ringing minute")
            << utc("2024-06-12T08:15:00Z") << 20 << qint64{-3600} << 70 << "10:15"
            << "091520" << 1;
        QTest::newRow("back a minute and a half: the alarm minute comes again")
            << utc("2024-06-12T08:15:50Z") << 20 << qint64{-90} << 90 << "10:16"
            << "101440" << 2;
        QTest::newRow("forward a day inside a ringing minute")
            << utc("2024-06-12T08:14:50Z") << 20 << qint64{86400} << 60 << "10:15"
            << "101510" << 1;
        QTest::newRow("forward a day over the alarm minute")
            << utc("2024-06-12T08:14:50Z") << 5 << qint64{86400 + 90} << 60 << "10:15"
            << "101625" << 0;
        QTest::newRow("forward a day into the alarm minute")
            << utc("2024-06-12T08:29:40Z") << 5 << qint64{86400 + 33} << 30 << "10:30"
            << "103018" << 1;
        // 2024-03-31: 01:59:59 CET is followed by 03:00:00 CEST.
        QTest::newRow("spring forward skips 02:00")
            << utc("2024-03-31T00:59:00Z") << 90 << qint64{0} << 0 << "02:00"
            << "030030" << 0;
        QTest::newRow("spring forward reaches 03:00")
            << utc("2024-03-31T00:59:30Z") << 40 << qint64{0} << 60 << "03:00"
            << "030010" << 1;
        // 2024-10-27: 02:59:59 CEST is followed by 02:00:00 CET; the hour
        // from 02:00 is shown twice, so its alarm minute rings twice.
        QTest::newRow("fall back shows 02:00 twice")
            << utc("2024-10-26T23:59:50Z") << 3600 + 40 << qint64{0} << 40 << "02:00"
            << "020030" << 2;
    }

    void jumps()
    {
        QFETCH(qint64, start);
        QFETCH(int, before);
        QFETCH(qint64, jump);
        QFETCH(int, after);
        QFETCH(QString, alarm);
        QFETCH(QString, landing);
        QFETCH(int, notices);

        Fixture f;
        f.state.programDir = QStringLiteral("/opt/glimmora/");
        ClockWindow* clock = f.own(new ClockWindow(f.state, f.core));
        clock->loadFace();
        f.core.restore(Option::Alarm, true);
        f.core.setAlarmTime({alarm.left(2), alarm.right(2)});

        // The alarm's rules applied to what the clock shows.
        int modelState = 0;
        int modelPlays = 0;
        int modelNotices = 0;
        int rings = 0;
        QString firstAfterJump;

        const auto tickAt = [&](qint64 ms, bool firstAfter) {
            f.now = ms / 1000;
            const AlarmState stateBefore = f.core.alarmState();
            clock->tick();
            const QString wall = wallClock(f.now);
            QCOMPARE(shownDigits(*clock), wall);
            if (firstAfter) {
                firstAfterJump = wall;
            }
            if (wall.left(4) == alarm.left(2) + alarm.right(2)) {
                modelNotices += modelState == 0 ? 1 : 0;
                modelState = 1;
                modelPlays += 1;
            } else {
                modelState = 0;
            }
            QCOMPARE(int(f.core.alarmState()), modelState);
            rings +=
                (stateBefore == AlarmState::Armed && f.core.alarmState() == AlarmState::Ringing)
                    ? 1
                    : 0;
        };

        const qint64 first = start * 1000;
        qint64 ms = first;
        for (; ms < first + before * 1000; ms += 300) {
            tickAt(ms, false);
            if (QTest::currentTestFailed()) {
                return;
            }
        }
        // The clock is set: the timer goes on at its pace from the new time.
        const qint64 resumed = ms + jump * 1000;
        for (qint64 t = resumed; t == resumed || t < resumed + after * 1000; t += 300) {
            tickAt(t, t == resumed);
            if (QTest::currentTestFailed()) {
                return;
            }
        }

        QCOMPARE(firstAfterJump, landing);
        QCOMPARE(rings, notices);
        QCOMPARE(modelNotices, notices);
        QCOMPARE(f.sound.playCount(), modelPlays);
        QCOMPARE(bool(f.windows.notice()), notices > 0);
    }
};

QTEST_MAIN(TimeJumpsTest)
#include "tst_TimeJumps.moc"
