// The settings file as start-up reads it, each key through its rule, and the
// keys as the program writes them.
#include "core/Settings.h"
#include "core/SettingsKeys.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using Place = std::optional<QPoint>;

class SettingsKeysTest : public QObject
{
    Q_OBJECT

private slots:
    void read_data()
    {
        QTest::addColumn<QByteArray>("section");
        QTest::addColumn<QString>("skin");
        QTest::addColumn<Place>("at");
        QTest::addColumn<QStringList>("modesOn");
        QTest::addColumn<QTime>("alarm"); // none: invalid
        QTest::addColumn<int>("sendKey"); // -1 stands for the value before reading
        QTest::addColumn<int>("showSaver");
        const QTime none;
        QTest::newRow("missing keys")
            << QByteArray() << QString() << Place() << QStringList() << none << 120 << 0;
        QTest::newRow("every key set")
            << QByteArray("Skin=Night\nX=1500\nY=-750\nStandBy=1\nAlarm=1\n"
                          "A-Hour=07\nA-Mins=30\nSendKey=145\nShowSaver=1\n")
            << QStringLiteral("Night") << Place(QPoint(100, -50))
            << QStringList{QStringLiteral("StandBy"), QStringLiteral("Alarm")} << QTime(7, 30)
            << 145 << 1;
        // Only exactly "1" is on, whatever the case of the key.
        QTest::newRow("standby=true ONTOP=1 Saver=yes")
            << QByteArray("standby=true\nONTOP=1\nSaver=yes\n") << QString() << Place()
            << QStringList{QStringLiteral("OnTop")} << none << 120 << 0;
        // One coordinate is a place; twips to whole pixels.
        QTest::newRow("Y=30 alone") << QByteArray("Y=30\n") << QString() << Place(QPoint(0, 2))
                                    << QStringList() << none << 120 << 0;
        // Half a time is none.
        QTest::newRow("A-Hour=99 A-Mins=05") << QByteArray("A-Hour=99\nA-Mins=05\n") << QString()
                                             << Place() << QStringList() << none << 120 << 0;
        // Numbers beyond 16 bits keep what was there before.
        QTest::newRow("SendKey=70000 ShowSaver=-40000")
            << QByteArray("SendKey=70000\nShowSaver=-40000\n") << QString() << Place()
            << QStringList() << none << -1 << -1;
    }

    void read()
    {
        QFETCH(QByteArray, section);
        QFETCH(QString, skin);
        QFETCH(Place, at);
        QFETCH(QStringList, modesOn);
        QFETCH(QTime, alarm);
        QFETCH(int, sendKey);
        QFETCH(int, showSaver);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("glimmora.ini"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[Marvane Glimmora]\n" + section);
        file.close();

        const IniFile ini(path, QStringLiteral("Marvane Glimmora"));
        const StoredSettings stored(ini);
        QCOMPARE(stored.read(SettingKeys::Skin), skin);
        QCOMPARE(stored.position(), at);
        QStringList on;
        for (const auto& mode :
             {SettingKeys::StandBy, SettingKeys::OnTop, SettingKeys::Saver, SettingKeys::Alarm}) {
            if (stored.read(mode)) {
                on << mode.key();
            }
        }
        QCOMPARE(on, modesOn);
        QCOMPARE(stored.alarmTime().value_or(QTime()), alarm);
        QCOMPARE(stored.read(SettingKeys::SendKey).value_or(-1), sendKey);
        QCOMPARE(stored.read(SettingKeys::ShowSaver).value_or(-1), showSaver);
    }

    // What is written reads back as what was meant.
    void written()
    {
        QCOMPARE(settingEntry(SettingKeys::Saver, true), (SettingEntry{"Saver", "1"}));
        QCOMPARE(settingEntry(SettingKeys::Alarm, false), (SettingEntry{"Alarm", "0"}));
        QCOMPARE(settingEntry(SettingKeys::X, -3), (SettingEntry{"X", "-45"}));
        QCOMPARE(settingEntry(SettingKeys::SendKey, std::int16_t{-32768}),
                 (SettingEntry{"SendKey", "-32768"}));
        QCOMPARE(alarmTimeEntries(QTime(7, 5)),
                 (QList<SettingEntry>{{"A-Hour", "07"}, {"A-Mins", "05"}}));
        QCOMPARE(alarmTimeEntries(std::nullopt),
                 (QList<SettingEntry>{{"A-Hour", "99"}, {"A-Mins", "99"}}));
    }
};

QTEST_GUILESS_MAIN(SettingsKeysTest)
#include "tst_SettingsKeys.moc"
