#include "app/Windows.h"
#include "clock/frmClock.h"
#include "core/AppState.h"
#include "keys/SaverMode.h"
#include "menu/frmMenu.h"
#include "platform/dummy/DummyIdleInhibitor.h"
#include "platform/dummy/DummyKeyInjector.h"
#include "platform/dummy/DummySoundOutput.h"

#include <QAction>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

using Sent = std::vector<std::uint8_t>;

// The saver mode on the clock window, switched by the menu: keys through the
// injector on the real timer, the desktop's inhibit alongside.
class TestKeyTimer : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        m_keys = std::make_unique<platform::DummyKeyInjector>();
        m_idle = std::make_unique<platform::DummyIdleInhibitor>();
        m_state = std::make_unique<AppState>(Services{m_sound, *m_keys, [] { return 0; }});
        m_state->services.idle = m_idle.get();
        m_state->SendKeyCode = 120;
        m_windows = std::make_unique<Windows>(*m_state);
    }
    void cleanup()
    {
        m_windows.reset();
        m_state.reset();
    }

    // Unticking keeps the count; ticking again sends after the ticks left,
    // from one timer armed for the press rather than ten wake-ups a second.
    void menuSwitchKeepsCountAndInhibits()
    {
        frmClock& clock = m_windows->clock();
        frmMenu& menu = m_windows->menu();
        clock.setKeyPeriod(10); // 1 s
        QElapsedTimer since;
        since.start();
        menu.mnuSaver_Click();
        QVERIFY(clock.saverMode()->keyTimer()->remainingTime() > 900);
        QTest::qWait(320);
        menu.mnuSaver_Click();
        const int count = clock.saverMode()->KeyTickCount();
        QVERIFY2(count >= 3 && count <= since.elapsed() / 100, qPrintable(QString::number(count)));
        QVERIFY(!clock.saverMode()->keyTimer()->isActive());
        QVERIFY(m_keys->sentKeys().empty());

        since.restart();
        menu.mnuSaver_Click();
        QTRY_COMPARE_WITH_TIMEOUT(m_keys->sentKeys(), Sent{120}, 5000);
        const qint64 left = (10 - count) * 100;
        QVERIFY2(since.elapsed() >= left && since.elapsed() < left + 300,
                 qPrintable(QString::number(since.elapsed())));
        QCOMPARE(clock.saverMode()->KeyTickCount(), 10);
        // Re-armed for the next round, one tick longer.
        QVERIFY(clock.saverMode()->keyTimer()->remainingTime() > 900);

        const QList<bool> on{true, false, true};
        QCOMPARE(m_idle->calls().size(), on.size());
        for (qsizetype i = 0; i < on.size(); ++i) {
            QCOMPARE(m_idle->calls()[i].on, on[i]);
        }
    }

private:
    platform::DummySoundOutput m_sound;
    std::unique_ptr<platform::DummyKeyInjector> m_keys;
    std::unique_ptr<platform::DummyIdleInhibitor> m_idle;
    std::unique_ptr<AppState> m_state;
    std::unique_ptr<Windows> m_windows;
};

QTEST_MAIN(TestKeyTimer)
#include "tst_KeyTimer.moc"
