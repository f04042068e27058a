#include "app/AppState.h"
#include "app/Forms.h"
#include "clock/frmClock.h"
#include "menu/frmMenu.h"
#include "platform/dummy/DummyKeyInjector.h"
#include "platform/dummy/DummySoundOutput.h"

#include <QAction>
#include <QTest>
#include <QTimer>

using Sent = std::vector<std::uint8_t>;
Q_DECLARE_METATYPE(Sent)

// The clock's key timer: ticks counted by the clock window, keys pressed
// through the injector, switched by the menu's check mark.
class TestKeyTimer : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        m_keys = std::make_unique<platform::DummyKeyInjector>();
        m_state = std::make_unique<AppState>(Services{m_sound, *m_keys, [] { return 0; }});
        m_state->SendKeyCode = 120;
    }
    void cleanup()
    {
        delete m_state->menuWindow;
        delete m_state->clockWindow;
        m_state.reset();
    }

    void sendsAtPeriodThenOneTickLater()
    {
        frmClock& clock = Clock(*m_state);
        clock.KeyPeriod = 3;
        std::vector<int> sentAt;
        for (int tick = 1; tick <= 12; ++tick) {
            const auto before = m_keys->sentKeys().size();
            clock.tmrPlay_Timer();
            if (m_keys->sentKeys().size() != before) {
                sentAt.push_back(tick);
            }
        }
        QCOMPARE(sentAt, (std::vector<int>{3, 7, 11}));
        QCOMPARE(m_keys->sentKeys(), (Sent{120, 120, 120}));
    }

    void codeBeyondEightBitsSendsNothing_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<Sent>("sent");
        QTest::newRow("Scroll Lock") << 145 << Sent{145};
        QTest::newRow("0") << 0 << Sent{0};
        QTest::newRow("300") << 300 << Sent{};
        QTest::newRow("-1") << -1 << Sent{};
    }
    void codeBeyondEightBitsSendsNothing()
    {
        QFETCH(int, code);
        QFETCH(Sent, sent);
        m_state->SendKeyCode = static_cast<std::int16_t>(code);
        frmClock& clock = Clock(*m_state);
        clock.KeyPeriod = 1;
        clock.tmrPlay_Timer();
        QCOMPARE(m_keys->sentKeys(), sent);
        QCOMPARE(clock.KeyTickCount, 1); // counting goes on either way
    }

    // Unticking stops the timer; ticking again resumes from the count reached.
    void menuSwitchKeepsCount()
    {
        frmClock& clock = Clock(*m_state);
        frmMenu& menu = Menu(*m_state);
        clock.KeyPeriod = 30; // 3 s
        QVERIFY(!clock.tmrPlay->isActive());
        menu.mnuSaver_Click();
        QVERIFY(menu.mnuSaver->isChecked());
        QVERIFY(clock.tmrPlay->isActive());
        QCOMPARE(clock.tmrPlay->interval(), 100);
        QTRY_VERIFY_WITH_TIMEOUT(clock.KeyTickCount >= 10, 5000);
        menu.mnuSaver_Click();
        QVERIFY(!clock.tmrPlay->isActive());
        const std::int16_t reached = clock.KeyTickCount;
        QTest::qWait(300);
        QCOMPARE(clock.KeyTickCount, reached);
        QVERIFY(m_keys->sentKeys().empty());
        menu.mnuSaver_Click();
        QTRY_COMPARE_WITH_TIMEOUT(m_keys->sentKeys(), Sent{120}, 5000);
        QCOMPARE(clock.KeyTickCount, 30);
    }

private:
    platform::DummySoundOutput m_sound;
    std::unique_ptr<platform::DummyKeyInjector> m_keys;
    std::unique_ptr<AppState> m_state;
};

QTEST_MAIN(TestKeyTimer)
#include "tst_KeyTimer.moc"
