#include "keys/SaverMode.h"
#include "menu/ClockMenu.h"
#include "platform/dummy/DummyIdleInhibitor.h"
#include "tests/support/WindowFixture.h"

#include <QAction>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

using Sent = std::vector<std::uint8_t>;

// The saver mode, switched by the menu: keys through the
// injector on the real timer, the desktop's inhibit alongside.
class TestKeyTimer : public QObject
{
    Q_OBJECT
private slots:
    // Unticking keeps the count; ticking again sends after the ticks left,
    // from one timer armed for the press rather than ten wake-ups a second.
    void menuSwitchKeepsCountAndInhibits()
    {
        platform::DummyIdleInhibitor idle;
        WindowFixture f;
        f.state.services.idle = &idle;
        f.core.setKeyCode(120);
        ClockMenu& menu = f.windows.menu();
        f.windows.saverMode()->setKeyPeriod(10); // 1 s
        QElapsedTimer since;
        since.start();
        menu.entryFor(Option::Saver)->trigger();
        QVERIFY(f.windows.saverMode()->keyTimer()->remainingTime() > 900);
        // Time passing is the input: the count follows it, with no tick to await.
        QTest::qWait(320);
        menu.entryFor(Option::Saver)->trigger();
        const int count = f.windows.saverMode()->keyTickCount();
        QVERIFY2(count >= 3 && count <= since.elapsed() / 100, qPrintable(QString::number(count)));
        QVERIFY(!f.windows.saverMode()->keyTimer()->isActive());
        QVERIFY(f.keys.sentKeys().empty());

        since.restart();
        menu.entryFor(Option::Saver)->trigger();
        QTRY_COMPARE_WITH_TIMEOUT(f.keys.sentKeys(), Sent{120}, 5000);
        const qint64 left = (10 - count) * 100;
        QVERIFY2(since.elapsed() >= left && since.elapsed() < left + 300,
                 qPrintable(QString::number(since.elapsed())));
        QCOMPARE(f.windows.saverMode()->keyTickCount(), 10);
        // Re-armed for the next round, one tick longer.
        QVERIFY(f.windows.saverMode()->keyTimer()->remainingTime() > 900);

        const QList<bool> on{true, false, true};
        QCOMPARE(idle.calls().size(), on.size());
        for (qsizetype i = 0; i < on.size(); ++i) {
            QCOMPARE(idle.calls()[i].on, on[i]);
        }
    }
};

QTEST_MAIN(TestKeyTimer)
#include "tst_KeyTimer.moc"
