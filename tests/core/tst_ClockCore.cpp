// The option table: each row read from a settings file, applied, clicked and
// written back by the exit's keys.
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

        core.tick("12:12:12");
        const auto step = [&](auto&& run) {
            core.acknowledge();
            run();
            if (core.alarmState() == AlarmState::Armed) {
                log << "rearmed";
                log.move(log.size() - 1, log.size() - 2);
            }
        };
        const IniFile file = ReadSettingsFile(t.state);
        step([&] { core.restore(chosen, StoredSettings(file).read(optionRow(chosen).key)); });
        for (int i = 0; i < clicks; ++i) {
            step([&] { core.toggle(chosen); });
        }
        QCOMPARE(log, seen);
        for (const OptionRow& other : optionRows) {
            QCOMPARE(core.isOn(other.option), other.option == chosen && written.endsWith("1"));
        }

        SettingsWriter(t.state, core, [] { return QPoint(); }).saveExitKeys();
        const QByteArray after = readFile(t.state.settingsFile);
        QVERIFY2(after.contains("\n" + written + "\n"), after.constData());
    }
};

QTEST_GUILESS_MAIN(ClockCoreTest)
#include "tst_ClockCore.moc"
