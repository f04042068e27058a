// The context menu's entries and the effects of its handlers.
#include "MenuTestSupport.h"

#include "controls/WindowHelpers.h"
#include "keys/SaverMode.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <QWindow>

namespace {

// An entry by its form name, as tools find it.
QAction* entryNamed(const frmMenu& menu, const QString& name)
{
    return menu.findChild<QAction*>(name);
}

} // namespace

class TestFrmMenu : public QObject
{
    Q_OBJECT
private slots:
    void entries_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("member");
        QTest::addColumn<QString>("caption"); // "-" for a separator
        QTest::addColumn<bool>("checkable");
        QTest::addColumn<bool>("enabled");

        QTest::newRow("1") << 0 << "mnuAbout" << QString::fromUtf8("Über...") << false << true;
        QTest::newRow("2") << 1 << "mnuNixe"
                           << "-" << false << true;
        QTest::newRow("3") << 2 << "mnuStdby"
                           << "StandBy" << true << true;
        QTest::newRow("4") << 3 << "mnuOnTop"
                           << "Immer im Vordergrund" << true << true;
        QTest::newRow("5") << 4 << "mnu"
                           << "-" << false << true;
        QTest::newRow("6") << 5 << "mnuSetAlarm"
                           << "Alarmzeit einstellen" << false << true;
        QTest::newRow("7") << 6 << "mnuAlarm"
                           << "Alarm aktivieren" << true << true;
        QTest::newRow("8") << 7 << "mmu"
                           << "-" << false << true;
        QTest::newRow("9") << 8 << "mnuSkin"
                           << "Skin" << false << false;
        QTest::newRow("10") << 9 << "mnuNeischt"
                            << "-" << false << true;
        QTest::newRow("11") << 10 << "mnuSaver" << QString::fromUtf8("Saver unterdrücken") << true
                            << true;
        QTest::newRow("12") << 11 << "mnuKey"
                            << "Taste definieren..." << false << true;
        QTest::newRow("13") << 12 << "mnuNix"
                            << "-" << false << true;
        QTest::newRow("14") << 13 << "mnuExit"
                            << "Beenden" << false << true;
    }
    void entries()
    {
        QFETCH(int, index);
        QFETCH(QString, member);
        QFETCH(QString, caption);
        QFETCH(bool, checkable);
        QFETCH(bool, enabled);

        MenuFixture f;
        const QList<QAction*> actions = f.menu().popupMenu()->actions();
        QCOMPARE(actions.size(), 14);
        QAction* entry = actions.at(index);
        QCOMPARE(entry, entryNamed(f.menu(), member));
        QCOMPARE(entry->objectName(), member);
        QCOMPARE(entry->isSeparator(), caption == QLatin1String("-"));
        if (!entry->isSeparator()) {
            QCOMPARE(entry->text(), caption);
        }
        QCOMPARE(entry->isCheckable(), checkable);
        QVERIFY(!entry->isChecked());
        QCOMPARE(entry->isEnabled(), enabled);
        QVERIFY(entry->isVisible());
        QVERIFY(entry->shortcut().isEmpty());
        QVERIFY(entry->menu() == nullptr);
    }

    void menuWindowIsNeverShown()
    {
        MenuFixture f;
        f.shownClock();
        f.menu().mnuStdby_Click();
        f.menu().mnuOnTop_Click();
        QCOMPARE(f.menu().windowTitle(), QStringLiteral("Menu"));
        QCOMPARE(f.menu().popupMenu()->title(), QStringLiteral("Popup"));
        QVERIFY(!f.menu().isVisible());
        QVERIFY(!f.menu().popupMenu()->isVisible());
    }

    // Choosing a mode entry from the menu inverts its mark exactly once and
    // applies the new state, from either starting state.
    void triggerInvertsOnce_data()
    {
        QTest::addColumn<QString>("member");
        QTest::addColumn<bool>("before");
        for (const char* m : {"mnuStdby", "mnuOnTop", "mnuAlarm", "mnuSaver"}) {
            QTest::addRow("%s off->on", m) << QString::fromLatin1(m) << false;
            QTest::addRow("%s on->off", m) << QString::fromLatin1(m) << true;
        }
    }
    void triggerInvertsOnce()
    {
        QFETCH(QString, member);
        QFETCH(bool, before);

        MenuFixture f;
        frmClock& clock = f.shownClock();
        QAction* entry = entryNamed(f.menu(), member);
        entry->setChecked(before);
        f.state.core.acknowledge();
        int toggles = 0;
        connect(entry, &QAction::toggled, entry, [&toggles] { ++toggles; });

        entry->trigger();

        const bool on = !before;
        QCOMPARE(entry->isChecked(), on);
        if (member == QLatin1String("mnuStdby")) {
            QCOMPARE(clock.tickTimer()->isActive(), !on);
        } else if (member == QLatin1String("mnuOnTop")) {
            QCOMPARE(isTopMost(&clock), on);
        } else if (member == QLatin1String("mnuAlarm")) {
            QCOMPARE(f.state.core.alarmState(), AlarmState::Armed);
        } else {
            QCOMPARE(clock.saverMode()->isActive(), on);
        }
        // The one inversion that is seen at the end.
        QCOMPARE(toggles % 2, 1);
    }

    void standbyOnStopsTheClockAndShowsCellZero()
    {
        MenuFixture f;
        frmClock& clock = f.shownClock();
        giveColouredStrips(clock);
        fillTubes(clock, Qt::red);
        clock.tickTimer()->start();

        f.menu().mnuStdby_Click();

        QVERIFY(f.menu().standbyEntry()->isChecked());
        QVERIFY(!clock.tickTimer()->isActive());
        for (int k = 0; k < 6; ++k) {
            QVERIFY2(tubeShows(clock, k, cellColour(k, 0)), qPrintable(QString::number(k)));
        }
    }

    void standbyOffForcesRedrawAndRestartsTheClock()
    {
        MenuFixture f;
        frmClock& clock = f.shownClock();
        f.menu().standbyEntry()->setChecked(true);
        f.state.core.tick("05:34:12");
        fillTubes(clock, Qt::red);

        f.menu().mnuStdby_Click();

        QVERIFY(!f.menu().standbyEntry()->isChecked());
        QVERIFY(!f.state.core.drawnDigits());
        QVERIFY(clock.tickTimer()->isActive());
        QCOMPARE(clock.tickTimer()->interval(), 300);
        // Leaving standby draws nothing itself; the next tick does.
        QVERIFY(tubeShows(clock, 0, Qt::red));
    }

    // Above others and back, on the same native window, without hiding or
    // moving it.
    void onTopTogglesTheAboveBandInPlace()
    {
        MenuFixture f;
        frmClock& clock = f.shownClock(QPoint(321, 123));
        QVERIFY(QTest::qWaitForWindowExposed(&clock));
        const WId id = clock.winId();
        QWindow* handle = clock.windowHandle();

        f.menu().mnuOnTop_Click();
        QVERIFY(f.menu().onTopEntry()->isChecked());
        QVERIFY(isTopMost(&clock));
        QVERIFY(handle->flags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(handle->flags().testFlag(Qt::FramelessWindowHint));
        QCOMPARE(clock.winId(), id);
        QCOMPARE(clock.windowHandle(), handle);
        QVERIFY(clock.isVisible());
        QCOMPARE(clock.pos(), QPoint(321, 123));

        f.menu().mnuOnTop_Click();
        QVERIFY(!f.menu().onTopEntry()->isChecked());
        QVERIFY(!isTopMost(&clock));
        QVERIFY(!handle->flags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(handle->flags().testFlag(Qt::FramelessWindowHint));
        QCOMPARE(clock.winId(), id);
        QVERIFY(clock.isVisible());
        QCOMPARE(clock.pos(), QPoint(321, 123));
    }

    void alarmResetsTheAlarmState_data()
    {
        QTest::addColumn<bool>("before");
        QTest::addColumn<int>("alarmState");
        for (int s : {0, 1, 2}) {
            QTest::addRow("arm, state %d", s) << false << s;
            QTest::addRow("disarm, state %d", s) << true << s;
        }
    }
    void alarmResetsTheAlarmState()
    {
        QFETCH(bool, before);
        QFETCH(int, alarmState);
        MenuFixture f;
        if (alarmState == int(AlarmState::Ringing)) {
            f.ringAlarm();
        } else if (alarmState == int(AlarmState::Acknowledged)) {
            f.state.core.acknowledge();
        }
        QCOMPARE(int(f.state.core.alarmState()), alarmState);
        f.menu().alarmEntry()->setChecked(before);
        f.menu().mnuAlarm_Click();
        QCOMPARE(f.menu().alarmEntry()->isChecked(), !before);
        QCOMPARE(f.state.core.alarmState(), AlarmState::Armed);
    }

    // The key timer follows the mark.
    void saverSwitchesTheKeyTimer()
    {
        MenuFixture f;
        frmClock& clock = f.shownClock();
        clock.setKeyPeriod(1800);
        f.menu().mnuSaver_Click();
        QVERIFY(f.menu().saverEntry()->isChecked());
        QVERIFY(clock.saverMode()->keyTimer()->isActive());
        f.menu().mnuSaver_Click();
        QVERIFY(!f.menu().saverEntry()->isChecked());
        QVERIFY(!clock.saverMode()->keyTimer()->isActive());
    }

    // Standby leaves the key timer alone, and the saver the clock timer.
    void modesAreIndependent()
    {
        MenuFixture f;
        frmClock& clock = f.shownClock();
        f.menu().mnuSaver_Click();
        f.menu().mnuStdby_Click();
        QVERIFY(clock.saverMode()->isActive());
        QVERIFY(!clock.tickTimer()->isActive());
        f.menu().mnuSaver_Click();
        QVERIFY(!clock.tickTimer()->isActive());
        QVERIFY(f.menu().standbyEntry()->isChecked());
    }

    // Each command opens its window without waiting for it, and a second
    // choice brings up the same window.
    void windowCommandsOpenOneNonModalWindow_data()
    {
        QTest::addColumn<QString>("member");
        QTest::newRow("about") << "mnuAbout";
        QTest::newRow("alarm time") << "mnuSetAlarm";
        QTest::newRow("key") << "mnuKey";
    }
    void windowCommandsOpenOneNonModalWindow()
    {
        QFETCH(QString, member);
        MenuFixture f;
        f.shownClock();
        auto window = [&]() -> QWidget* {
            if (member == QLatin1String("mnuAbout")) {
                return f.windows.about();
            }
            if (member == QLatin1String("mnuSetAlarm")) {
                return f.windows.alarm();
            }
            return f.windows.keyStroke();
        };
        QAction* entry = entryNamed(f.menu(), member);

        entry->trigger(); // returns: nothing waits for the window
        QWidget* first = window();
        QVERIFY(first);
        QVERIFY(first->isVisible());
        QCOMPARE(first->windowModality(), Qt::NonModal);
        QVERIFY(!QApplication::activeModalWidget());

        entry->trigger();
        QCOMPARE(window(), first);
        QVERIFY(first->isVisible());
        QCOMPARE(f.exits, 0);
    }
};

QTEST_MAIN(TestFrmMenu)
#include "tst_frmMenu.moc"
