// The four modes as the core holds them: start-up's invert-and-apply, a click
// from either state, and what each mode applies on the way.
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
            core.acknowledge();
            run();
            if (core.alarmState() == AlarmState::Armed) {
                log << "rearmed";
            }
        };
        step([&] { core.restore(mark, settingRules::mode(saved)); });
        for (int i = 0; i < clicks; ++i) {
            step([&] { core.toggle(mark); });
        }
        QCOMPARE(log, seen);
        QCOMPARE(core.isOn(mark), on);
        for (int other = ClockCore::Standby; other <= ClockCore::Alarm; ++other) {
            QCOMPARE(core.isOn(static_cast<ClockCore::Mode>(other)), other == mode && on);
        }
    }
};

QTEST_GUILESS_MAIN(ClockCoreTest)
#include "tst_ClockCore.moc"
