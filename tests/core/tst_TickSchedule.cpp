// When the clock ticks: the instants within the wall clock's second, which
// ticks are left out, and a timer that fires late or early under a wall clock
// that is stepped.
#include "core/TickSchedule.h"

#include <QTest>

namespace {

constexpr qint64 June1Ms = 1685577600000; // 2023-06-01 00:00:00 UTC

} // namespace

class TickScheduleTest : public QObject
{
    Q_OBJECT

private slots:
    void nextTick_data()
    {
        QTest::addColumn<qint64>("now");
        QTest::addColumn<bool>("withinSecond");
        QTest::addColumn<qint64>("next");
        QTest::newRow("second begins") << June1Ms << true << June1Ms + 300;
        QTest::newRow("first tick 4 ms late") << June1Ms + 4 << true << June1Ms + 300;
        QTest::newRow("second tick") << June1Ms + 300 << true << June1Ms + 600;
        QTest::newRow("third tick") << June1Ms + 600 << true << June1Ms + 1000;
        QTest::newRow("last millisecond") << June1Ms + 999 << true << June1Ms + 1000;
        QTest::newRow("second begins, nothing within it") << June1Ms << false << June1Ms + 1000;
        QTest::newRow("second tick, nothing within it") << June1Ms + 301 << false << June1Ms + 1000;
        QTest::newRow("before the epoch") << qint64{-700} << true << qint64{-400};
        QTest::newRow("before the epoch, nothing within") << qint64{-700} << false << qint64{0};
    }

    void nextTick()
    {
        QFETCH(qint64, now);
        QFETCH(bool, withinSecond);
        QFETCH(qint64, next);
        QCOMPARE(TickSchedule::nextTickAfter(now, withinSecond), next);
    }

    // The wait is measured after the tick's own work; a clock set back
    // meanwhile is looked at again within a second.
    void waitUntil_data()
    {
        QTest::addColumn<qint64>("now");
        QTest::addColumn<qint64>("wait");
        QTest::newRow("tick took 2 ms") << June1Ms + 2 << qint64{298};
        QTest::newRow("tick took longer than the wait") << June1Ms + 305 << qint64{0};
        QTest::newRow("clock set back an hour") << June1Ms - 3600000 << qint64{1000};
    }

    void waitUntil()
    {
        QFETCH(qint64, now);
        QFETCH(qint64, wait);
        QCOMPARE(TickSchedule::waitUntil(June1Ms + 300, now), wait);
    }

    // A timer counting on its own clock, re-armed after every wake-up, while
    // the wall clock is stepped: every second is shown once, as it begins,
    // and after a step the new time shows at the next tick.
    void phaseKept_data()
    {
        QTest::addColumn<qint64>("start");    // ms into the second at the start
        QTest::addColumn<qint64>("lateness"); // ms every timer fires late
        QTest::addColumn<qint64>("slowPpm");  // how much slower the wall clock runs
        QTest::addColumn<qint64>("stepAt");   // ms of running when the clock is set
        QTest::addColumn<qint64>("step");     // ms the clock is set by
        const qint64 none = 0;
        QTest::newRow("started mid-second") << qint64{517} << none << none << none << none;
        QTest::newRow("timer 3 ms late") << qint64{517} << qint64{3} << none << none << none;
        // The timer's clock runs fast against the wall: it fires early.
        QTest::newRow("wall clock slewed 0.5 % slow")
            << qint64{517} << none << qint64{5000} << none << none;
        QTest::newRow("stepped back an hour")
            << none << qint64{1} << none << qint64{4150} << qint64{-3600000};
        QTest::newRow("stepped back 400 ms")
            << none << qint64{1} << none << qint64{4150} << qint64{-400};
        QTest::newRow("stepped forward 2.5 s")
            << none << qint64{1} << none << qint64{4150} << qint64{2500};
        QTest::newRow("resumed a day later")
            << qint64{300} << none << none << qint64{7000} << qint64{86400000 + 123};
    }

    void phaseKept()
    {
        QFETCH(qint64, start);
        QFETCH(qint64, lateness);
        QFETCH(qint64, slowPpm);
        QFETCH(qint64, stepAt);
        QFETCH(qint64, step);
        TickSchedule schedule;
        qint64 running = 0; // the timer's own clock
        qint64 offset = June1Ms + start;
        bool stepped = step == 0;
        std::optional<qint64> shownSecond;
        qint64 afterStep = -1; // running time of the first tick after the step
        int ticks = 0;
        while (running < 20000) {
            const qint64 wall = offset + running - running * slowPpm / 1000000;
            if (schedule.claimTickAt(wall)) {
                const qint64 second = TickSchedule::secondOf(wall);
                if (second != shownSecond) {
                    const bool stepJustShown = stepped && afterStep < 0 && step != 0;
                    if (shownSecond && !stepJustShown) {
                        QCOMPARE(second, *shownSecond + 1); // none twice, none skipped
                        // Shown as it begins, as late as the timer is.
                        QVERIFY2(wall - second * 1000 <= lateness + 1,
                                 qPrintable(QString::number(wall - second * 1000)));
                    }
                    if (stepJustShown) {
                        afterStep = running;
                    }
                    shownSecond = second;
                }
                ++ticks;
            }
            const qint64 next = TickSchedule::nextTickAfter(wall, true);
            running += TickSchedule::waitUntil(next, wall) + lateness;
            if (!stepped && running >= stepAt) {
                offset += step;
                stepped = true;
            }
        }
        // Three ticks a second, the first and last seconds partly.
        QVERIFY2(qAbs(ticks - 60) <= 3, qPrintable(QString::number(ticks)));
        if (step != 0) {
            QVERIFY(afterStep >= stepAt);
            QVERIFY(afterStep - stepAt <= TickSchedule::SpacingMs + qAbs(lateness));
        }
    }
};

QTEST_MAIN(TickScheduleTest)
#include "tst_TickSchedule.moc"
