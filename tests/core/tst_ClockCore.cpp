// The four modes as the core holds them: start-up's invert-and-apply, a click
// from either state, and what each mode applies on the way; the alarm's
// reading of its texts and its steps through the minutes.
#include "core/SettingsKeys.h"
#include "tests/support/TestState.h"

#include <QTest>

class ClockCoreTest : public QObject
{
    Q_OBJECT

private slots:
    void modes_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("saved"); // the settings text start-up restores
        QTest::addColumn<int>("clicks");    // clicks on the entry after start-up
        QTest::addColumn<QStringList>("seen");
        QTest::addColumn<bool>("on");

        const int sb = ClockCore::Standby;
        QTest::newRow("standby restored on")
            << sb << "1" << 0 << QStringList{"mark 1", "standby 1"} << true;
        // The off state is applied too: tubes marked for redraw, clock started.
        QTest::newRow("standby restored off")
            << sb << "0" << 0 << QStringList{"mark 1", "mark 0", "redraw", "standby 0"} << false;
        QTest::newRow("standby: only exactly 1 is on")
            << sb << "true" << 0 << QStringList{"mark 1", "mark 0", "redraw", "standby 0"} << false;
        QTest::newRow("standby on, then clicked off")
            << sb << "1" << 1 << QStringList{"mark 1", "standby 1", "mark 0", "redraw", "standby 0"}
            << false;
        QTest::newRow("on top restored on")
            << int(ClockCore::OnTop) << "1" << 0 << QStringList{"mark 1", "top 1"} << true;
        QTest::newRow("on top restored off, clicked twice")
            << int(ClockCore::OnTop) << "" << 2
            << QStringList{"mark 1", "mark 0", "top 0", "mark 1", "top 1", "mark 0", "top 0"}
            << false;
        QTest::newRow("saver restored on")
            << int(ClockCore::Saver) << "1" << 0 << QStringList{"mark 1", "saver 1"} << true;
        QTest::newRow("saver restored off") << int(ClockCore::Saver) << "0" << 0
                                            << QStringList{"mark 1", "mark 0", "saver 0"} << false;
        // The alarm switch re-arms the alarm in both directions.
        QTest::newRow("alarm restored on")
            << int(ClockCore::Alarm) << "1" << 0 << QStringList{"mark 1", "rearmed"} << true;
        QTest::newRow("alarm restored off") << int(ClockCore::Alarm) << "0" << 0
                                            << QStringList{"mark 1", "mark 0", "rearmed"} << false;
        QTest::newRow("alarm on, then clicked off")
            << int(ClockCore::Alarm) << "1" << 1
            << QStringList{"mark 1", "rearmed", "mark 0", "rearmed"} << false;
    }

    void modes()
    {
        QFETCH(int, mode);
        QFETCH(QString, saved);
        QFETCH(int, clicks);
        QFETCH(QStringList, seen);
        QFETCH(bool, on);

        TestState t;
        ClockCore& core = t.core;
        QStringList log;
        const auto flag = [](bool b) { return QString::number(int(b)); };
        connect(&core, &ClockCore::markChanged, this, [&](ClockCore::Mode m, bool b) {
            QCOMPARE(int(m), mode);
            log << "mark " + flag(b);
        });
        connect(&core, &ClockCore::standbyApplied, this, [&](bool b) {
            if (!core.drawnDigits()) {
                log << "redraw";
                core.tick("12:12:12");
            }
            log << "standby " + flag(b);
        });
        connect(&core, &ClockCore::onTopApplied, this, [&](bool b) { log << "top " + flag(b); });
        connect(&core, &ClockCore::saverApplied, this, [&](bool b) { log << "saver " + flag(b); });

        const auto mark = static_cast<ClockCore::Mode>(mode);
        core.tick("12:12:12");
        const auto step = [&](auto&& run) {
            core.alarm().acknowledge();
            run();
            if (core.alarm().state() == AlarmState::Waiting) {
                log << "rearmed";
            }
        };
        step([&] { core.restore(mark, settingRules::mode(saved)); });
        for (int i = 0; i < clicks; ++i) {
            step([&] { core.toggle(mark); });
        }
        QCOMPARE(log, seen);
        QCOMPARE(core.isOn(mark), on);
        QCOMPARE(core.alarm().isEnabled(), core.isOn(ClockCore::Alarm));
        for (int other = ClockCore::Standby; other <= ClockCore::Alarm; ++other) {
            QCOMPARE(core.isOn(static_cast<ClockCore::Mode>(other)), other == mode && on);
        }
    }

    void alarmTimeFromTexts_data()
    {
        QTest::addColumn<QString>("hour");
        QTest::addColumn<QString>("minute");
        QTest::addColumn<QTime>("time"); // invalid: none
        QTest::newRow("07 30") << "07"
                               << "30" << QTime(7, 30);
        QTest::newRow("00 00") << "00"
                               << "00" << QTime(0, 0);
        QTest::newRow("23 59") << "23"
                               << "59" << QTime(23, 59);
        // None: "99", one digit, a space, out of range, three digits, empty, wide digits.
        for (const QString& texts : {"99|99", "7|30", " 7|30", "24|00", "07|60", "07|5", "007|30",
                                     "07|", "\uff10\uff17|30", "0x|30"}) {
            const QStringList parts = texts.split(u'|');
            QTest::newRow(qPrintable(texts)) << parts[0] << parts[1] << QTime();
        }
    }
    void alarmTimeFromTexts()
    {
        QFETCH(QString, hour);
        QFETCH(QString, minute);
        QFETCH(QTime, time);
        QCOMPARE(minuteOfTexts(hour, minute), time.isValid() ? std::optional(time) : std::nullopt);
    }

    // From 07:30, switched on: each event and what follows it, as the state
    // (w waiting, r ringing, a acknowledged), then N notice, S sound, T ticks
    // wanted within the second, t time changed, e switch changed.
    void alarmMinutes_data()
    {
        QTest::addColumn<QString>("events"); // HH:MM a tick, ack, on, off, =HH:MM a new time
        QTest::addColumn<QString>("seen");
        QTest::newRow("rings, acknowledged, next minute waits")
            << "07:29 07:30 07:30 ack 07:30 07:31 07:30"
            << "w rNST rST a a w rNST";
        QTest::newRow("another hour, a tick with no time") << "08:30 99:30 07:30"
                                                           << "w w rNST";
        QTest::newRow("switching waits again") << "07:30 ack on 07:30 off 07:30 on 07:30"
                                               << "rNST a wT rNST we w wTe rNST";
        QTest::newRow("a new time waits again, the same time too")
            << "07:30 ack =07:30 07:30 =08:00 07:30 =none 00:00"
            << "rNST a wT rNST wt w wt w";
    }
    void alarmMinutes()
    {
        QFETCH(QString, events);
        QFETCH(QString, seen);
        Alarm alarm;
        alarm.setTime(QTime(7, 30));
        alarm.setEnabled(true);
        QString flags;
        AlarmState signalled = alarm.state();
        connect(&alarm, &Alarm::stateChanged, this, [&](AlarmState s) { signalled = s; });
        connect(&alarm, &Alarm::timeChanged, this, [&] { flags += u't'; });
        connect(&alarm, &Alarm::enabledChanged, this, [&] { flags += u'e'; });
        std::optional<QTime> minute;
        QStringList log;
        for (const QString& event : events.split(u' ')) {
            flags.clear();
            AlarmStep step;
            if (event == u"ack") {
                alarm.acknowledge();
            } else if (event == u"on" || event == u"off") {
                alarm.setEnabled(event == u"on");
            } else if (event.startsWith(u'=')) {
                alarm.setTime(minuteOfTexts(event.mid(1, 2), event.mid(4, 2)));
            } else {
                minute = minuteOfTexts(event.left(2), event.mid(3, 2));
                step = alarm.step(minute);
            }
            QCOMPARE(signalled, alarm.state());
            log << QString(QStringLiteral("wra")[int(alarm.state())]) +
                       (step.openNotice ? "N" : "") + (step.playSound ? "S" : "") +
                       (alarm.wantsTicksIn(minute) ? "T" : "") + flags;
        }
        QCOMPARE(log.join(u' '), seen);
    }

    // The tick asks the alarm and acts on its step; "O K" pressed while the
    // notice opens silences that very tick.
    void alarmTick_data()
    {
        QTest::addColumn<bool>("acknowledged");
        QTest::addColumn<int>("sounds");
        QTest::newRow("rings") << false << 2;
        QTest::newRow("acknowledged as the notice opens") << true << 0;
    }
    void alarmTick()
    {
        QFETCH(bool, acknowledged);
        QFETCH(int, sounds);
        ClockCore core;
        core.alarm().setTime(QTime(7, 30));
        core.toggle(ClockCore::Alarm);
        int notices = 0;
        int played = 0;
        connect(&core, &ClockCore::noticeRequested, this, [&] {
            ++notices;
            if (acknowledged) {
                core.alarm().acknowledge();
            }
        });
        connect(&core, &ClockCore::alarmSoundDue, this, [&] { ++played; });
        for (const char* time : {"07:29:59", "07:30:00", "07:30:00", "07:31:00"}) {
            core.tick(QString::fromLatin1(time));
        }
        QCOMPARE(notices, 1);
        QCOMPARE(played, sounds);
    }
};

QTEST_GUILESS_MAIN(ClockCoreTest)
#include "tst_ClockCore.moc"
