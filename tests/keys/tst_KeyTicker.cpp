#include "tests/keys/KeyTicker.h"

#include <QTest>
#include <vector>

// Runs the timer for `ticks` ticks and returns the ticks (1-based) that sent.
static std::vector<int> run(std::int16_t& count, std::int16_t period, int ticks, int firstTick = 1)
{
    std::vector<int> sent;
    for (int tick = firstTick; tick < firstTick + ticks; ++tick) {
        const KeyTick next = nextKeyTick(count, period);
        count = next.KeyTickCount;
        if (next.send) {
            sent.push_back(tick);
        }
    }
    return sent;
}

class TestKeyTicker : public QObject
{
    Q_OBJECT
private slots:
    void singleTick_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("period");
        QTest::addColumn<int>("nextCount");
        QTest::addColumn<bool>("send");

        QTest::newRow("first tick") << 0 << 1800 << 1 << false;
        QTest::newRow("one before") << 1798 << 1800 << 1799 << false;
        QTest::newRow("reaches the period") << 1799 << 1800 << 1800 << true;
        QTest::newRow("past the period resets") << 1800 << 1800 << 0 << false;
        QTest::newRow("far past resets") << 5000 << 1800 << 0 << false;
        QTest::newRow("negative count counts up") << -3 << 1800 << -2 << false;
        QTest::newRow("period 1") << 0 << 1 << 1 << true;
        QTest::newRow("period 0 never reached") << 0 << 0 << 0 << false;
        QTest::newRow("negative period") << 0 << -5 << 0 << false;
        QTest::newRow("largest period reached") << 32766 << 32767 << 32767 << true;
        QTest::newRow("count at the 16-bit limit") << 32767 << 32767 << 0 << false;
        QTest::newRow("limit with small period") << 32767 << 1800 << 0 << false;
    }
    void singleTick()
    {
        QFETCH(int, count);
        QFETCH(int, period);
        QFETCH(int, nextCount);
        QFETCH(bool, send);
        const KeyTick next =
            nextKeyTick(static_cast<std::int16_t>(count), static_cast<std::int16_t>(period));
        QCOMPARE(next.KeyTickCount, nextCount);
        QCOMPARE(next.send, send);
    }

    // 180 s to the first key, then 180.1 s between keys.
    void periodFromStart()
    {
        std::int16_t count = 0;
        const std::vector<int> sent = run(count, 1800, 1800 + 1801 * 3);
        QCOMPARE(sent, (std::vector<int>{1800, 3601, 5402, 7203}));
    }

    // Switching off at 100 s keeps the count: the next key follows 80 s after
    // switching on again, however long the pause was.
    void pauseKeepsCount()
    {
        std::int16_t count = 0;
        QVERIFY(run(count, 1800, 1000).empty());
        QCOMPARE(count, 1000);
        const std::vector<int> sent = run(count, 1800, 1000);
        QCOMPARE(sent, (std::vector<int>{800}));
    }

    // A period of 32767 must not make every later tick send.
    void largestPeriodSendsOncePerRound()
    {
        std::int16_t count = 32760;
        const std::vector<int> sent = run(count, 32767, 20);
        QCOMPARE(sent, (std::vector<int>{7}));
        QCOMPARE(count, 12);
    }
};

QTEST_GUILESS_MAIN(TestKeyTicker)
#include "tst_KeyTicker.moc"
