#include "app/CommandLine.h"

#include <QTest>

// Each call as a user types it; Qt's own options must pass through untouched.
class CommandLineTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void decides_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("action");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("platform");
        QTest::addColumn<QString>("display");
        const int start = int(CommandLine::Action::Start);
        const int refuse = int(CommandLine::Action::Refuse);
        QTest::newRow("nothing") << QStringList{} << start << ""
                                 << ""
                                 << "";
        QTest::newRow("Qt options, both spellings")
            << QStringList{"-platform",        "offscreen", "--display", ":3",
                           "-style=Fusion",    "-reverse",  "-session",  "s_1",
                           "-qwindowgeometry", "9x9"}
            << start << ""
            << "offscreen"
            << ":3";
        QTest::newRow("version wins over Qt options")
            << QStringList{"-reverse", "-v"} << int(CommandLine::Action::ShowVersion) << "glimmora "
            << ""
            << "";
        QTest::newRow("help wins over version")
            << QStringList{"--version", "--help"} << int(CommandLine::Action::ShowHelp)
            << "Aufruf: glimmora [Optionen]"
            << ""
            << "";
        QTest::newRow("unknown long, named as typed")
            << QStringList{"--frob=2"} << refuse
            << "glimmora: unbekannte Option „--frob“. Hilfe: glimmora --help\n"
            << ""
            << "";
        QTest::newRow("bundled letters are no option")
            << QStringList{"-hv"} << refuse << "unbekannte Option „-hv“"
            << ""
            << "";
        QTest::newRow("unknown wins over help")
            << QStringList{"--help", "-x"} << refuse << "unbekannte Option „-x“"
            << ""
            << "";
        QTest::newRow("argument without option")
            << QStringList{"datei.ini"} << refuse << "unerwartetes Argument „datei.ini“"
            << ""
            << "";
        QTest::newRow("value missing")
            << QStringList{"-reverse", "-display"} << refuse << "Gebrauch der Option „-display“"
            << ""
            << "";
        QTest::newRow("value given to a switch")
            << QStringList{"--version=2", "-reverse"} << refuse << "Gebrauch der Option „--version“"
            << ""
            << "";
    }
    void decides()
    {
        QFETCH(QStringList, args);
        QFETCH(int, action);
        QFETCH(QString, text);
        QFETCH(QString, platform);
        QFETCH(QString, display);
        const CommandLine line = parseCommandLine(QStringList{"glimmora"} + args);
        QCOMPARE(int(line.action), action);
        QVERIFY2(text.isEmpty() ? line.text.isEmpty() : line.text.contains(text),
                 qPrintable(line.text));
        if (action == int(CommandLine::Action::Refuse)) {
            QCOMPARE(line.text.count(QLatin1Char('\n')), 1);
        }
        QCOMPARE(line.platform, platform);
        QCOMPARE(line.display, display);
    }
};

QTEST_APPLESS_MAIN(CommandLineTest)
#include "tst_CommandLine.moc"
