// The context menu's entries and the effects of its handlers.
#include "tests/support/MenuTestSupport.h"

#include "controls/WindowHelpers.h"
#include "keys/SaverMode.h"
#include "platform/dummy/DummyDesktopLayer.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <algorithm>

namespace {

// An entry by the caption the user reads.
QAction* entryCaptioned(const ClockMenu& menu, const QString& caption)
{
    const QList<QAction*> entries = menu.actions();
    const auto found = std::find_if(entries.begin(), entries.end(),
                                    [&](const QAction* e) { return e->text() == caption; });
    return found == entries.end() ? nullptr : *found;
}

} // namespace

class TestFrmMenu : public QObject
{
    Q_OBJECT
private slots:
    // The menu top to bottom as the user sees it.
    void entriesTopToBottom()
    {
        MenuFixture f;
        f.core.setShowSaver(1);
        QCOMPARE(shownEntries(f.menu()), freshMenu(true));
    }

    // Choosing a mode entry from the menu inverts its mark exactly once and
    // applies the new state, from either starting state.
    void triggerInvertsOnce_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("before");
        for (const char* c :
             {"StandBy", "Immer im Vordergrund", "Alarm aktivieren", "Saver unterdrücken"}) {
            QTest::addRow("%s off->on", c) << QString::fromUtf8(c) << false;
            QTest::addRow("%s on->off", c) << QString::fromUtf8(c) << true;
        }
    }
    void triggerInvertsOnce()
    {
        QFETCH(QString, caption);
        QFETCH(bool, before);

        MenuFixture f;
        ClockWindow& clock = f.shownClock();
        QAction* entry = entryCaptioned(f.menu(), caption);
        QVERIFY(entry);
        const auto row =
            std::find_if(optionRows.begin(), optionRows.end(), [&](const OptionRow& r) {
                return QString::fromUtf8(r.caption) == caption;
            });
        f.core.restore(row->option, before);
        QCOMPARE(entry->isChecked(), before);
        f.core.alarm().acknowledge();
        int toggles = 0;
        connect(entry, &QAction::toggled, entry, [&toggles] { ++toggles; });

        entry->trigger();

        const bool on = !before;
        QCOMPARE(entry->isChecked(), on);
        if (caption == QLatin1String("StandBy")) {
            QCOMPARE(clock.tickTimer()->isActive(), !on);
        } else if (caption == QLatin1String("Immer im Vordergrund")) {
            QCOMPARE(isTopMost(&clock), on);
        } else if (caption == QLatin1String("Alarm aktivieren")) {
            QCOMPARE(f.core.alarm().state(), AlarmState::Waiting);
        } else {
            QCOMPARE(f.windows.saverMode()->isActive(), on);
        }
        // The one inversion that is seen at the end.
        QCOMPARE(toggles % 2, 1);
    }

    void standbyOnStopsTheClockAndShowsCellZero()
    {
        MenuFixture f;
        ClockWindow& clock = f.shownClock();
        giveColouredStrips(clock);
        fillTubes(clock, Qt::red);
        clock.tickTimer()->start();

        f.menu().entryFor(Option::Standby)->trigger();

        QVERIFY(f.menu().entryFor(Option::Standby)->isChecked());
        QVERIFY(!clock.tickTimer()->isActive());
        for (int k = 0; k < 6; ++k) {
            QVERIFY2(tubeShows(clock, k, cellColour(k, 0)), qPrintable(QString::number(k)));
        }
    }

    void standbyOffForcesRedrawAndRestartsTheClock()
    {
        MenuFixture f;
        ClockWindow& clock = f.shownClock();
        f.core.restore(Option::Standby, true);
        f.core.tick("05:34:12");
        fillTubes(clock, Qt::red);

        f.menu().entryFor(Option::Standby)->trigger();

        QVERIFY(!f.menu().entryFor(Option::Standby)->isChecked());
        QVERIFY(!f.core.drawnDigits());
        QVERIFY(clock.tickTimer()->isActive());
        QCOMPARE(clock.tickTimer()->interval(), 300);
        // Leaving standby draws nothing itself; the next tick does.
        QVERIFY(tubeShows(clock, 0, Qt::red));
    }

    // The clock follows the desktop mode where the platform offers it, and
    // asks nothing to start off; a native Wayland window greys the entry.
    void desktopModeWhereOffered()
    {
        for (const bool offered : {true, false}) {
            TestState t;
            platform::DummyDesktopLayer layer(offered);
            t.state.services.desktop = &layer;
            ClockWindow clock(t.state, t.core);
            QAction* entry = clock.menu()->entryFor(Option::OnDesktop);
            QCOMPARE(entry->isEnabled(), offered);
            QCOMPARE(entry->toolTip().contains(QLatin1String("Wayland")), !offered);
            t.core.restore(Option::OnDesktop, false);
            entry->trigger();
            entry->trigger();
            QCOMPARE(layer.calls(), (offered ? QList<bool>{true, false} : QList<bool>{}));
        }
    }

    // Above others and back, on the same native window, without hiding or
    // moving it.
    void onTopTogglesTheAboveBandInPlace()
    {
        MenuFixture f;
        ClockWindow& clock = f.shownClock(QPoint(321, 123));
        QVERIFY(QTest::qWaitForWindowExposed(&clock));
        const WId id = clock.winId();
        QWindow* handle = clock.windowHandle();

        f.menu().entryFor(Option::OnTop)->trigger();
        QVERIFY(f.menu().entryFor(Option::OnTop)->isChecked());
        QVERIFY(isTopMost(&clock));
        QVERIFY(handle->flags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(handle->flags().testFlag(Qt::FramelessWindowHint));
        QCOMPARE(clock.winId(), id);
        QCOMPARE(clock.windowHandle(), handle);
        QVERIFY(clock.isVisible());
        QCOMPARE(clock.pos(), QPoint(321, 123));

        f.menu().entryFor(Option::OnTop)->trigger();
        QVERIFY(!f.menu().entryFor(Option::OnTop)->isChecked());
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
            f.core.alarm().acknowledge();
        }
        QCOMPARE(int(f.core.alarm().state()), alarmState);
        f.core.restore(Option::Alarm, before);
        f.menu().entryFor(Option::Alarm)->trigger();
        QCOMPARE(f.menu().entryFor(Option::Alarm)->isChecked(), !before);
        QCOMPARE(f.core.alarm().state(), AlarmState::Waiting);
    }

    // The key timer follows the mark.
    void saverSwitchesTheKeyTimer()
    {
        MenuFixture f;
        f.shownClock();
        f.menu().entryFor(Option::Saver)->trigger();
        QVERIFY(f.menu().entryFor(Option::Saver)->isChecked());
        QVERIFY(f.windows.saverMode()->keyTimer()->isActive());
        f.menu().entryFor(Option::Saver)->trigger();
        QVERIFY(!f.menu().entryFor(Option::Saver)->isChecked());
        QVERIFY(!f.windows.saverMode()->keyTimer()->isActive());
    }

    // Standby leaves the key timer alone, and the saver the clock timer.
    void modesAreIndependent()
    {
        MenuFixture f;
        ClockWindow& clock = f.shownClock();
        f.menu().entryFor(Option::Saver)->trigger();
        f.menu().entryFor(Option::Standby)->trigger();
        QVERIFY(f.windows.saverMode()->isActive());
        QVERIFY(!clock.tickTimer()->isActive());
        f.menu().entryFor(Option::Saver)->trigger();
        QVERIFY(!clock.tickTimer()->isActive());
        QVERIFY(f.menu().entryFor(Option::Standby)->isChecked());
    }

    // Each command opens its window without waiting for it, and a second
    // choice brings up the same window.
    void windowCommandsOpenOneNonModalWindow_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::newRow("Über...") << QStringLiteral("Über...");
        QTest::newRow("Alarmzeit einstellen") << QStringLiteral("Alarmzeit einstellen");
        QTest::newRow("Taste definieren...") << QStringLiteral("Taste definieren...");
    }
    void windowCommandsOpenOneNonModalWindow()
    {
        QFETCH(QString, caption);
        MenuFixture f;
        f.shownClock();
        auto window = [&]() -> QWidget* {
            if (caption.startsWith(u'Ü')) {
                return f.windows.about();
            }
            if (caption.startsWith(u'A')) {
                return f.windows.alarm();
            }
            return f.windows.keyStroke();
        };
        QAction* entry = entryCaptioned(f.menu(), caption);
        QVERIFY(entry);

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
#include "tst_ClockMenu.moc"
