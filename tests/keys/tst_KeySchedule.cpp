#include "keys/KeySchedule.h"

#include <QTest>

using Times = QList<qint64>;

namespace {

// The switches alternate on, off, on, ... from the first; the timer fires
// `lateMs` after each due time, as a busy event loop lets it.
Times scheduled(std::int16_t period, const Times& switches, qint64 until, qint64 lateMs)
{
    KeySchedule schedule;
    Times sent;
    qint64 armed = -1;
    for (qsizetype i = 0; i <= switches.size(); ++i) {
        const qint64 next = i < switches.size() ? switches[i] : until;
        while (armed >= 0 && armed + lateMs <= next) {
            const KeySchedule::Step step = schedule.advance(armed + lateMs, period);
            if (step.send) {
                sent << armed + lateMs;
            }
            armed = step.nextKeyMs;
        }
        if (i == switches.size()) {
            break;
        }
        if (i % 2 == 0) {
            armed = schedule.start(next, period).nextKeyMs;
        } else {
            if (schedule.stop(next, period)) {
                sent << next;
            }
            armed = -1;
        }
    }
    return sent;
}

} // namespace

class TestKeySchedule : public QObject
{
    Q_OBJECT
private slots:
    void sendTimes_data()
    {
        QTest::addColumn<int>("period");
        QTest::addColumn<Times>("switches");
        QTest::addColumn<qint64>("until");
        QTest::addColumn<qint64>("late");
        QTest::addColumn<Times>("sent");

        QTest::newRow("180 s, then every 180.1 s")
            << 1800 << Times{0} << qint64(600000) << qint64(0) << Times{180000, 360100, 540200};
        QTest::newRow("off at 100 s, on at 250 s: 80 s more")
            << 1800 << Times{0, 100000, 250000} << qint64(600000) << qint64(0)
            << Times{330000, 510100};
        QTest::newRow("a started tick is lost")
            << 1800 << Times{0, 100050, 200000} << qint64(500000) << qint64(0)
            << Times{280000, 460100};
        QTest::newRow("off right after a key: a full 180.1 s")
            << 1800 << Times{0, 180050, 300000} << qint64(700000) << qint64(0)
            << Times{180000, 480100, 660200};
        QTest::newRow("switching within a tick counts nothing")
            << 1800 << Times{0, 50, 100, 150, 200} << qint64(400000) << qint64(0)
            << Times{180200, 360300};
        QTest::newRow("timer late keeps the phase")
            << 1800 << Times{0} << qint64(400000) << qint64(250) << Times{180250, 360350};
        QTest::newRow("largest 16-bit period")
            << 32767 << Times{0} << qint64(7000000) << qint64(0) << Times{3276700, 6553500};
        QTest::newRow("period 1") << 1 << Times{0, 350, 1000} << qint64(1400) << qint64(0)
                                  << Times{100, 300, 1200, 1400};
        QTest::newRow("period 0 never sends")
            << 0 << Times{0} << qint64(10000) << qint64(0) << Times{};
        QTest::newRow("negative period never sends")
            << -5 << Times{0} << qint64(10000) << qint64(0) << Times{};
        // Keys were due at 180 s, 360.1 s and 540.2 s; the next at 720.3 s.
        QTest::newRow("timer 400 s late: one key for three missed")
            << 1800 << Times{0} << qint64(1000000) << qint64(400000) << Times{580000};
    }
    void sendTimes()
    {
        QFETCH(int, period);
        QFETCH(Times, switches);
        QFETCH(qint64, until);
        QFETCH(qint64, late);
        QFETCH(Times, sent);
        QCOMPARE(scheduled(static_cast<std::int16_t>(period), switches, until, late), sent);
    }
};

QTEST_GUILESS_MAIN(TestKeySchedule)
#include "tst_KeySchedule.moc"
