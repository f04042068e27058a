// The option table: each row read from a settings file, applied, clicked and
// written back by the exit's keys; the alarm's reading of its texts, its steps
// through the minutes and the tick acting on them.
#include "core/Settings.h"
#include "core/SettingsWriter.h"
#include "tests/support/Files.h"
#include "tests/support/TestState.h"

#include <QTemporaryDir>
#include <QTest>

class ClockCoreTest : public QObject
{
    Q_OBJECT

private slots:
    void options_data()
    {
        QTest::addColumn<int>("option");
        QTest::addColumn<QByteArray>("stored"); // the line in the file
        QTest::addColumn<int>("clicks");        // choices of the entry after start-up
        QTest::addColumn<QStringList>("seen");
        QTest::addColumn<QByteArray>("written");

        const auto row = [](const char* name, Option o, const char* stored, int clicks,
                            QStringList seen, const char* written) {
            QTest::newRow(name) << int(o) << QByteArray(stored) << clicks << seen
                                << QByteArray(written);
        };
        row("standby on", Option::Standby, "StandBy=1", 0, {"standby 1", "changed 1"}, "StandBy=1");
        // The off state is applied too: tubes marked for redraw, clock started.
        row("standby off", Option::Standby, "StandBy=0", 0, {"redraw", "standby 0", "changed 0"},
            "StandBy=0");
        row("standby: only exactly 1 is on", Option::Standby, "StandBy=true", 0,
            {"redraw", "standby 0", "changed 0"}, "StandBy=0");
        row("standby on, clicked off", Option::Standby, "StandBy=1", 1,
            {"standby 1", "changed 1", "redraw", "standby 0", "changed 0"}, "StandBy=0");
        row("on top on", Option::OnTop, "OnTop=1", 0, {"top 1", "changed 1"}, "OnTop=1");
        row("on top missing, clicked twice", Option::OnTop, "", 2,
            {"top 0", "changed 0", "top 1", "changed 1", "top 0", "changed 0"}, "OnTop=0");
        row("desktop on", Option::OnDesktop, "OnDesktop=1", 0, {"desktop 1", "changed 1"},
            "OnDesktop=1");
        row("desktop: only exactly 1 is on", Option::OnDesktop, "OnDesktop=yes", 0,
            {"desktop 0", "changed 0"}, "OnDesktop=0");
        row("saver on", Option::Saver, "Saver=1", 0, {"saver 1", "changed 1"}, "Saver=1");
        row("saver empty", Option::Saver, "Saver=", 0, {"saver 0", "changed 0"}, "Saver=0");
        // The alarm switch re-arms the alarm in both directions.
        row("alarm on", Option::Alarm, "Alarm=1", 0, {"rearmed", "changed 1"}, "Alarm=1");
        row("alarm on, clicked off", Option::Alarm, "Alarm=1", 1,
            {"rearmed", "changed 1", "rearmed", "changed 0"}, "Alarm=0");
    }

    void options()
    {
        QFETCH(int, option);
        QFETCH(QByteArray, stored);
        QFETCH(int, clicks);
        QFETCH(QStringList, seen);
        QFETCH(QByteArray, written);
        const auto chosen = static_cast<Option>(option);

        QTemporaryDir dir;
        TestState t;
        t.placeProgramIn(dir.path() + u'/');
        QVERIFY(writeFile(t.state.settingsFile, "[Marvane Glimmora]\n" + stored + "\n"));
        ClockCore& core = t.core;
        QStringList log;
        const auto flag = [](bool b) { return QString::number(int(b)); };
        connect(&core, &ClockCore::optionChanged, this, [&](Option o, bool b) {
            QCOMPARE(int(o), option);
            log << "changed " + flag(b);
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
        connect(&core, &ClockCore::desktopModeApplied, this,
                [&](bool b) { log << "desktop " + flag(b); });

        core.tick("12:12:12");
        const auto step = [&](auto&& run) {
            core.alarm().acknowledge();
            run();
            if (core.alarm().state() == AlarmState::Waiting) {
                log << "rearmed";
                log.move(log.size() - 1, log.size() - 2);
            }
        };
        const IniFile file = readSettingsFile(t.state);
        step([&] { core.restore(chosen, StoredSettings(file).read(optionRow(chosen).key)); });
        for (int i = 0; i < clicks; ++i) {
            step([&] { core.toggle(chosen); });
        }
        QCOMPARE(log, seen);
        for (const OptionRow& other : optionRows) {
            QCOMPARE(core.isOn(other.option), other.option == chosen && written.endsWith("1"));
        }
        QCOMPARE(core.alarm().isEnabled(), core.isOn(Option::Alarm));

        SettingsWriter(t.state, core, [] { return QPoint(); }).saveExitKeys();
        const QByteArray after = readFile(t.state.settingsFile);
        QVERIFY2(after.contains("\n" + written + "\n"), after.constData());
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
        for (const char* texts : {"99|99", "7|30", " 7|30", "24|00", "07|60", "07|5", "007|30",
                                     "07|", "\uff10\uff17|30", "0x|30"}) {
            const QStringList parts = QString::fromUtf8(texts).split(u'|');
            QTest::newRow(texts) << parts[0] << parts[1] << QTime();
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
        core.toggle(Option::Alarm);
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

    // On top and on the desktop exclude each other: from the file (both on
    // starts on the desktop) and by the menu, the one turned off applied
    // before the other.
    void onTopAndDesktop_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<int>("chosen"); // -1: nothing chosen after start-up
        QTest::addColumn<QStringList>("seen");
        QTest::newRow("both stored") << QByteArray("OnTop=1\nOnDesktop=1") << -1
                                     << QStringList{"top 1", "top 0", "desktop 1"};
        QTest::newRow("desktop over top")
            << QByteArray("OnTop=1") << int(Option::OnDesktop)
            << QStringList{"top 1", "desktop 0", "top 0", "desktop 1"};
        QTest::newRow("top over desktop")
            << QByteArray("OnDesktop=1") << int(Option::OnTop)
            << QStringList{"top 0", "desktop 1", "desktop 0", "top 1"};
    }

    void onTopAndDesktop()
    {
        QFETCH(QByteArray, stored);
        QFETCH(int, chosen);
        QFETCH(QStringList, seen);
        QTemporaryDir dir;
        TestState t;
        t.placeProgramIn(dir.path() + u'/');
        QVERIFY(writeFile(t.state.settingsFile, "[Marvane Glimmora]\n" + stored + "\n"));
        QStringList log;
        const auto note = [&log](const char* what) {
            return [&log, what](bool on) { log << QStringLiteral("%1 %2").arg(what).arg(int(on)); };
        };
        connect(&t.core, &ClockCore::onTopApplied, this, note("top"));
        connect(&t.core, &ClockCore::desktopModeApplied, this, note("desktop"));
        const IniFile file = readSettingsFile(t.state);
        for (const OptionRow& row : optionRows) {
            t.core.restore(row.option, StoredSettings(file).read(row.key));
        }
        if (chosen >= 0) {
            t.core.toggle(static_cast<Option>(chosen));
        }
        QCOMPARE(log, seen);
    }
};

QTEST_GUILESS_MAIN(ClockCoreTest)
#include "tst_ClockCore.moc"
