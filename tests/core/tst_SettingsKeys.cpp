// The settings file as start-up reads it, each key through its rule, and the
// keys as the program writes them.
#include "core/Settings.h"
#include "core/SettingsKeys.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class SettingsKeysTest : public QObject
{
    Q_OBJECT

private slots:
    void read_data()
    {
        QTest::addColumn<QByteArray>("section");
        // skin, x:y or "-", modes "sova" (standby, on top, saver, alarm; upper case on), alarm
        // hour:minute
        // ("-" absent), send key, show saver
        QTest::addColumn<QString>("expected");
        QTest::newRow("missing keys") << QByteArray() << "|-|sova|-:-|120|0";
        QTest::newRow("set") << QByteArray("Skin=Night\nX=1500\nY=-750\nStandBy=1\nAlarm=1\n"
                                           "A-Hour=07\nA-Mins=30\nSendKey=145\nShowSaver=1\n")
                             << "Night|100:-50|SovA|07:30|145|1";
        QTest::newRow("only exactly 1 is on, any case of key")
            << QByteArray("standby=true\nONTOP=1\nSaver=yes\n") << "|-|sOva|-:-|120|0";
        QTest::newRow("one coordinate is a place") << QByteArray("Y=30\n") << "|0:2|sova|-:-|120|0";
        QTest::newRow("99 is no alarm part, other texts are kept")
            << QByteArray("A-Hour=99\nA-Mins=5\n") << "|-|sova|-:5|120|0";
        QTest::newRow("numbers beyond 16 bits keep what was")
            << QByteArray("SendKey=70000\nShowSaver=-40000\n") << "|-|sova|-:-|-1|-1";
    }

    void read()
    {
        QFETCH(QByteArray, section);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("glimmora.ini"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[Marvane Glimmora]\n" + section);
        file.close();

        const IniFile ini(path, QStringLiteral("Marvane Glimmora"));
        const StoredSettings stored(ini);
        const std::optional<QPoint> at = stored.position();
        QString modes;
        const std::array<std::pair<Setting, char>, 4> letters{{{Setting::StandBy, 's'},
                                                               {Setting::OnTop, 'o'},
                                                               {Setting::Saver, 'v'},
                                                               {Setting::Alarm, 'a'}}};
        for (const auto& [mode, letter] : letters) {
            modes += stored.isOn(mode) ? QChar(letter).toUpper() : QChar(letter);
        }
        const AlarmTime alarm = stored.alarmTime();
        std::int16_t sendKey = -1;
        std::int16_t showSaver = -1;
        stored.readNumber(Setting::SendKey, sendKey);
        stored.readNumber(Setting::ShowSaver, showSaver);
        const QStringList shown{stored.text(Setting::Skin),
                                at ? QStringLiteral("%1:%2").arg(at->x()).arg(at->y())
                                   : QStringLiteral("-"),
                                modes,
                                alarm.hour.value_or("-") + ":" + alarm.minute.value_or("-"),
                                QString::number(sendKey),
                                QString::number(showSaver)};
        QCOMPARE(shown.join(u'|'), expected);
    }

    // What is written reads back as what was meant.
    void written()
    {
        QCOMPARE(modeEntry(Setting::Saver, true), (SettingEntry{"Saver", "1"}));
        QCOMPARE(modeEntry(Setting::Alarm, false), (SettingEntry{"Alarm", "0"}));
        QCOMPARE(twipsEntry(Setting::X, -3), (SettingEntry{"X", "-45"}));
        QCOMPARE(alarmTimeEntries("07", "30"),
                 (QList<SettingEntry>{{"A-Hour", "07"}, {"A-Mins", "30"}}));
    }
};

QTEST_GUILESS_MAIN(SettingsKeysTest)
#include "tst_SettingsKeys.moc"
