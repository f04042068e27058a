#include "AlarmTestState.h"
#include "alarm/AlarmDialog.h"
#include "alarm/AlarmNotice.h"
#include "app/Windows.h"
#include "clock/ClockWindow.h"
#include "menu/ClockMenu.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

// The alarm over whole simulated minutes, driven through the clock window's
// tick with a fake clock and a recording sound output.
class TestAlarmMinute : public QObject
{
    Q_OBJECT
private:
    const QDate m_day{2024, 3, 5};

    struct Run
    {
        AlarmTestState t;
        ClockWindow* clock = nullptr;
        ClockMenu* menu = nullptr;
        QDateTime at;    // time of the next tick
        int notices = 0; // times the notice was opened
        QPointer<AlarmNotice> lastNotice;
    };

    static void start(Run& r, const QString& hour, const QString& minute, const QDateTime& from,
                      bool alarmOn = true)
    {
        r.t.core.setAlarmTime(alarmTimeFromFile(hour, minute));
        r.clock = &r.t.windows.clock();
        r.clock->loadFace();
        r.menu = &r.t.windows.menu();
        r.t.core.restore(Option::Alarm, !alarmOn);
        r.menu->entryFor(Option::Alarm)->trigger();
        r.at = from;
    }

    // One tick at r.at, then the clock moves on by 300 ms.
    static void tick(Run& r)
    {
        r.t.setTime(r.at);
        r.clock->tick();
        if (r.t.windows.notice() && r.t.windows.notice() != r.lastNotice) {
            ++r.notices;
            r.lastNotice = r.t.windows.notice();
        }
        r.at = r.at.addMSecs(300);
    }

    // Ticks up to (not including) `until`; returns the plays they made.
    static int tickUntil(Run& r, const QDateTime& until)
    {
        const int before = r.t.sound.playCount();
        while (r.at < until) {
            tick(r);
        }
        return r.t.sound.playCount() - before;
    }

    static int ticksBetween(const QDateTime& from, const QDateTime& until)
    {
        int n = 0;
        for (QDateTime at = from; at < until; at = at.addMSecs(300)) {
            ++n;
        }
        return n;
    }

    QDateTime at(int h, int m, int s, int ms = 0) const
    {
        return QDateTime(m_day, QTime(h, m, s, ms));
    }

private slots:
    // The sound restarts on three ticks a second while the alarm minute
    // rings; other seconds of the built-in face (lamps unseen) need only
    // their first.
    void ticksWithinTheAlarmMinute_data()
    {
        QTest::addColumn<QTime>("time");
        QTest::addColumn<bool>("acknowledged");
        QTest::addColumn<int>("wait");
        QTest::newRow("07:30:00.000") << QTime(7, 30, 0) << false << 300;
        QTest::newRow("07:30:41.300") << QTime(7, 30, 41, 300) << false << 300;
        QTest::newRow("07:30:41.300, acknowledged") << QTime(7, 30, 41, 300) << true << 700;
        QTest::newRow("07:29:59.000") << QTime(7, 29, 59) << false << 1000;
        QTest::newRow("07:31:00.300") << QTime(7, 31, 0, 300) << false << 700;
    }

    void ticksWithinTheAlarmMinute()
    {
        QFETCH(QTime, time);
        QFETCH(bool, acknowledged);
        QFETCH(int, wait);
        Run r;
        start(r, "07", "30", QDateTime(m_day, time));
        tick(r);
        if (acknowledged) {
            r.t.core.acknowledge();
        }
        r.clock->setTicking(true);
        QCOMPARE(r.clock->tickTimer()->interval(), wait);
        r.clock->setTicking(false);
    }

    // Not acknowledged: one notice, a sound start on every tick of the minute,
    // then no more starts and the notice stays.
    void ringsTheWholeMinute()
    {
        Run r;
        start(r, "07", "30", at(7, 29, 58));
        QCOMPARE(tickUntil(r, at(7, 30, 0)), 0);
        QCOMPARE(r.t.core.alarmState(), AlarmState::Armed);
        QCOMPARE(r.notices, 0);

        tick(r); // the first tick of the alarm minute
        QCOMPARE(r.t.core.alarmState(), AlarmState::Ringing);
        QCOMPARE(r.notices, 1);
        QVERIFY(r.lastNotice && r.lastNotice->isVisible());
        const QString wav = r.t.state.programDir + "alarm.wav";
        QCOMPARE(r.t.sound.playedPaths(), QStringList{wav});

        const int expected = ticksBetween(r.at, at(7, 31, 0));
        QCOMPARE(tickUntil(r, at(7, 31, 0)), expected);
        QCOMPARE(r.t.sound.playedPaths(), QStringList(expected + 1, wav));
        QCOMPARE(r.t.sound.stopCount(), 0);
        QCOMPARE(r.notices, 1);
        QCOMPARE(r.t.core.alarmState(), AlarmState::Ringing);

        tick(r); // 07:31:00: re-armed, the sound is no longer renewed
        QCOMPARE(r.t.core.alarmState(), AlarmState::Armed);
        QCOMPARE(tickUntil(r, at(7, 32, 0)), 0);
        QVERIFY(r.lastNotice && r.lastNotice->isVisible());
    }

    // "O K" at 07:30:20 silences the rest of the minute; the next day rings.
    void acknowledgedThenNextDay()
    {
        Run r;
        start(r, "07", "30", at(7, 30, 0));
        const int ringing = tickUntil(r, at(7, 30, 20));
        QCOMPARE(ringing, ticksBetween(at(7, 30, 0), at(7, 30, 20)));
        QVERIFY(r.lastNotice);
        QTest::mouseClick(r.lastNotice->okButton(), Qt::LeftButton);
        QCOMPARE(r.t.core.alarmState(), AlarmState::Acknowledged);
        QVERIFY(!r.t.sound.isPlaying());
        QTRY_VERIFY(!r.t.windows.notice());

        QCOMPARE(tickUntil(r, at(7, 31, 0)), 0);
        QCOMPARE(r.t.core.alarmState(), AlarmState::Acknowledged);
        QVERIFY(!r.t.windows.notice());
        QCOMPARE(r.notices, 1);
        tick(r);
        QCOMPARE(r.t.core.alarmState(), AlarmState::Armed);

        r.at = QDateTime(m_day.addDays(1), QTime(7, 29, 59, 900));
        QCOMPARE(tickUntil(r, QDateTime(m_day.addDays(1), QTime(7, 30, 0))), 0);
        tick(r);
        QVERIFY(r.t.sound.isPlaying());
        QCOMPARE(r.t.core.alarmState(), AlarmState::Ringing);
        QCOMPARE(r.notices, 2);
    }

    // The menu toggle within the minute: unticking stops the renewals and
    // keeps the notice; ticking again re-arms, so the minute rings again.
    void menuToggleWithinTheMinute()
    {
        Run r;
        start(r, "07", "30", at(7, 30, 0));
        tickUntil(r, at(7, 30, 10));
        QCOMPARE(r.t.core.alarmState(), AlarmState::Ringing);

        r.menu->entryFor(Option::Alarm)->trigger(); // untick
        QVERIFY(!r.menu->entryFor(Option::Alarm)->isChecked());
        QCOMPARE(r.t.core.alarmState(), AlarmState::Armed);
        QCOMPARE(tickUntil(r, at(7, 30, 20)), 0);
        QCOMPARE(r.t.core.alarmState(), AlarmState::Armed);
        QVERIFY(r.lastNotice && r.lastNotice->isVisible());

        r.menu->entryFor(Option::Alarm)->trigger(); // tick again: rings again, same notice
        QVERIFY(r.menu->entryFor(Option::Alarm)->isChecked());
        tick(r);
        QCOMPARE(r.t.core.alarmState(), AlarmState::Ringing);
        QCOMPARE(r.notices, 1);
        QCOMPARE(tickUntil(r, at(7, 30, 30)), ticksBetween(r.at, at(7, 30, 30)));

        // After "O K", ticking off and on again within the minute rings anew.
        r.lastNotice->acknowledge();
        QTRY_VERIFY(!r.t.windows.notice());
        QCOMPARE(tickUntil(r, at(7, 30, 35)), 0);
        r.menu->entryFor(Option::Alarm)->trigger();
        r.menu->entryFor(Option::Alarm)->trigger();
        QCOMPARE(r.t.core.alarmState(), AlarmState::Armed);
        tick(r);
        QCOMPARE(r.t.core.alarmState(), AlarmState::Ringing);
        QCOMPARE(r.notices, 2);
        QVERIFY(r.t.sound.isPlaying());

        // With the switch off at the minute's end the state is left alone.
        r.menu->entryFor(Option::Alarm)->trigger();
        r.t.core.acknowledge();
        QCOMPARE(tickUntil(r, at(7, 31, 5)), 0);
        QCOMPARE(r.t.core.alarmState(), AlarmState::Acknowledged);
    }

    // A notice closed without "O K" leaves the alarm ringing to the minute's
    // end, and no second notice opens.
    void noticeClosedOtherwise()
    {
        Run r;
        start(r, "07", "30", at(7, 30, 0));
        tickUntil(r, at(7, 30, 2));
        QVERIFY(r.lastNotice);
        QVERIFY(r.lastNotice->close());
        QTRY_VERIFY(!r.t.windows.notice());
        QCOMPARE(r.t.core.alarmState(), AlarmState::Ringing);
        const int rest = ticksBetween(r.at, at(7, 31, 0));
        QCOMPARE(tickUntil(r, at(7, 31, 0)), rest);
        QCOMPARE(r.t.sound.stopCount(), 0);
        QCOMPARE(r.notices, 1);
        QVERIFY(!r.t.windows.notice());
        tick(r);
        QCOMPARE(r.t.core.alarmState(), AlarmState::Armed);
    }

    // Applying a time in the alarm dialog re-arms an acknowledged minute.
    void applyingReArms()
    {
        Run r;
        start(r, "07", "30", at(7, 30, 0));
        tickUntil(r, at(7, 30, 5));
        r.lastNotice->acknowledge();
        flushDeletes(); // the closed notice goes at the loop's next turn
        QCOMPARE(tickUntil(r, at(7, 30, 10)), 0);

        r.t.windows.showAlarm();
        QVERIFY(r.t.windows.alarm());
        QCOMPARE(r.t.windows.alarm()->hourLabel()->text(), QStringLiteral("07"));
        r.t.windows.alarm()->applyAlarmTime();
        QCOMPARE(r.t.core.alarmState(), AlarmState::Armed);
        tick(r);
        QCOMPARE(r.t.core.alarmState(), AlarmState::Ringing);
        QCOMPARE(r.notices, 2);
    }

    // Standby stops the tick, so the alarm is neither renewed nor re-armed;
    // leaving it within the minute carries on ringing.
    void standbyWithinTheMinute()
    {
        Run r;
        start(r, "07", "30", at(7, 30, 0));
        r.t.core.restore(Option::Standby, true);
        r.menu->entryFor(Option::Standby)->trigger(); // leave standby: the timer runs
        QVERIFY(r.clock->tickTimer()->isActive());
        tickUntil(r, at(7, 30, 3));
        QCOMPARE(r.t.core.alarmState(), AlarmState::Ringing);

        r.menu->entryFor(Option::Standby)->trigger(); // into standby
        QVERIFY(r.menu->entryFor(Option::Standby)->isChecked());
        QVERIFY(!r.clock->tickTimer()->isActive());
        const int plays = r.t.sound.playCount();
        r.t.setTime(at(7, 30, 30));
        QTest::qWait(700); // a running timer would have ticked twice
        QCOMPARE(r.t.sound.playCount(), plays);
        QCOMPARE(r.t.core.alarmState(), AlarmState::Ringing);

        r.menu->entryFor(Option::Standby)->trigger(); // back, still within the minute
        QVERIFY(r.clock->tickTimer()->isActive());
        r.at = at(7, 30, 50);
        tick(r);
        QCOMPARE(r.t.sound.playCount(), plays + 1);
        QCOMPARE(r.notices, 1);
        r.clock->tickTimer()->stop();
    }

    void storedTimes_data()
    {
        QTest::addColumn<QString>("hour");
        QTest::addColumn<QString>("minute");
        QTest::addColumn<int>("rings");
        QTest::newRow("07:30") << "07"
                               << "30" << 1;
        QTest::newRow("00:00") << "00"
                               << "00" << 1;
        QTest::newRow("23:59") << "23"
                               << "59" << 1;
        QTest::newRow("no alarm time") << "99"
                                       << "99" << 0;
        QTest::newRow("one-character hour") << "7"
                                            << "30" << 0;
        QTest::newRow("one-character minute") << "07"
                                              << "5" << 0;
        QTest::newRow("hour 24") << "24"
                                 << "00" << 0;
        QTest::newRow("negative") << "-3"
                                  << "-3" << 0;
        QTest::newRow("no number") << "abc"
                                   << "abc" << 0;
        QTest::newRow("blank in front") << " 7"
                                        << "30" << 0;
        QTest::newRow("3000 characters") << QString(3000, u'0') << QString(3000, u'0') << 0;
    }
    // A whole day of ticks, two per minute: only a proper time rings, once.
    void storedTimes()
    {
        QFETCH(QString, hour);
        QFETCH(QString, minute);
        QFETCH(int, rings);
        Run r;
        start(r, hour, minute, at(0, 0, 0));
        int opened = 0;
        AlarmState previous = r.t.core.alarmState();
        for (int m = 0; m < 24 * 60; ++m) {
            for (int s : {0, 30}) {
                r.at = at(m / 60, m % 60, s);
                tick(r);
                const AlarmState now = r.t.core.alarmState();
                opened += previous != AlarmState::Ringing && now == AlarmState::Ringing;
                previous = now;
            }
        }
        QCOMPARE(opened, rings);
        QCOMPARE(r.notices, rings);
        QCOMPARE(r.t.sound.playCount(), 2 * rings);
    }

    void switchedOffNeverRings()
    {
        Run r;
        start(r, "07", "30", at(7, 29, 59), false);
        QCOMPARE(tickUntil(r, at(7, 31, 0)), 0);
        QCOMPARE(r.notices, 0);
        QCOMPARE(r.t.core.alarmState(), AlarmState::Armed);
    }
};

QTEST_MAIN(TestAlarmMinute)
#include "tst_AlarmMinute.moc"
