#include "keys/KeyNames.h"

#include <QTest>

class TestKeyNames : public QObject
{
    Q_OBJECT
private slots:
    void describe_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("shift");
        QTest::addColumn<QString>("text"); // "<none>": the typed character shows
        QTest::addColumn<QString>("longName");
        QTest::addColumn<bool>("consumed");
        QTest::addColumn<bool>("selectText");
        QTest::addColumn<bool>("logo");

        const QString none = QStringLiteral("<none>");
        QTest::newRow("Backspace") << 8 << 0 << "BS"
                                   << "Backspace" << false << false << false;
        QTest::newRow("Tab") << 9 << 0 << "TAB"
                             << "Tabulator" << true << true << false;
        QTest::newRow("Enter") << 13 << 0 << "Return"
                               << "ENTER" << false << false << false;
        QTest::newRow("Shift") << 16 << 1 << "SHIFT"
                               << "Umschalt" << false << false << false;
        QTest::newRow("Ctrl") << 17 << 2 << "CTRL"
                              << "Steuerung" << false << false << false;
        QTest::newRow("Alt") << 18 << 4 << "ALT"
                             << "Alternativ" << true << false << false;
        QTest::newRow("AltGr") << 18 << 6 << "Alt Gr"
                               << "Alt Gr" << true << false << false;
        QTest::newRow("Shift+Alt") << 18 << 5 << "Alt Gr"
                                   << "Alt Gr" << true << false << false;
        QTest::newRow("Alt, no bits") << 18 << 0 << "Alt Gr"
                                      << "Alt Gr" << true << false << false;
        QTest::newRow("Pause") << 19 << 0 << "Pause"
                               << "Unterbrechung" << false << false << false;
        QTest::newRow("Escape") << 27 << 0 << "ESC"
                                << "Escape" << false << false << false;
        QTest::newRow("Space") << 32 << 0 << "SPACE"
                               << "Leertaste" << false << false << false;
        QTest::newRow("Page up") << 33 << 0 << "PgUp"
                                 << "Bild Hoch" << false << false << false;
        QTest::newRow("Page down") << 34 << 0 << "PgDn"
                                   << "Bild Runter" << false << false << false;
        QTest::newRow("End") << 35 << 0 << "End"
                             << "Ende" << false << false << false;
        QTest::newRow("Home") << 36 << 0 << "Home"
                              << "Position 1" << false << false << false;
        QTest::newRow("Left") << 37 << 0 << "Left"
                              << "Pfeil Links" << false << false << false;
        QTest::newRow("Up") << 38 << 0 << "Up"
                            << "Pfeil Hoch" << false << false << false;
        QTest::newRow("Right") << 39 << 0 << "Right"
                               << "Pfeil Rechts" << false << false << false;
        QTest::newRow("Down") << 40 << 0 << "Down"
                              << "Pfeil Runter" << false << false << false;
        QTest::newRow("Insert") << 45 << 0 << "Ins"
                                << "Einfügen" << false << false << false;
        QTest::newRow("Delete") << 46 << 0 << "Del"
                                << "Entfernen" << true << false << false;
        QTest::newRow("left Windows") << 91 << 0 << "ÿ"
                                      << "Win-Taste Links" << false << false << true;
        QTest::newRow("right Windows") << 92 << 0 << "ÿ"
                                       << "Win-Taste Rechts" << false << false << true;
        QTest::newRow("Menu") << 93 << 0 << "Menu"
                              << "Menü-Taste" << false << false << false;
        QTest::newRow("keypad 0") << 96 << 0 << none << "Nummernblock" << false << false << false;
        QTest::newRow("keypad 9") << 105 << 0 << none << "Nummernblock" << false << false << false;
        QTest::newRow("keypad plus")
            << 107 << 0 << none << "Nummernblock" << false << false << false;
        QTest::newRow("keypad separator is not keypad")
            << 108 << 0 << none << "" << false << false << false;
        QTest::newRow("keypad minus")
            << 109 << 0 << none << "Nummernblock" << false << false << false;
        QTest::newRow("keypad divide")
            << 111 << 0 << none << "Nummernblock" << false << false << false;
        QTest::newRow("F1") << 112 << 0 << "F1"
                            << "" << false << false << false;
        QTest::newRow("F5") << 116 << 0 << "F5"
                            << "" << false << false << false;
        QTest::newRow("F9 with Shift") << 120 << 1 << "F9"
                                       << "" << false << false << false;
        QTest::newRow("F12") << 123 << 0 << "F12"
                             << "" << false << false << false;
        QTest::newRow("F13 has no name") << 124 << 0 << none << "" << false << false << false;
        QTest::newRow("Num Lock") << 144 << 0 << "NUM"
                                  << "Num Lock" << false << false << false;
        QTest::newRow("Scroll Lock") << 145 << 0 << "Scroll"
                                     << "Rollen" << false << false << false;
        QTest::newRow("A") << 65 << 0 << none << "" << false << false << false;
        QTest::newRow("ü key") << 186 << 0 << none << "" << false << false << false;
        QTest::newRow("0") << 0 << 0 << none << "" << false << false << false;
        QTest::newRow("negative") << -1 << 0 << none << "" << false << false << false;
    }
    void describe()
    {
        QFETCH(int, code);
        QFETCH(int, shift);
        QFETCH(QString, text);
        QFETCH(QString, longName);
        QFETCH(bool, consumed);
        QFETCH(bool, selectText);
        QFETCH(bool, logo);

        const KeyDescription d =
            describeKey(static_cast<std::int16_t>(code), static_cast<std::int16_t>(shift));
        if (text == QLatin1String("<none>")) {
            QVERIFY2(d.text.isNull(), qPrintable(d.text));
        } else {
            QCOMPARE(d.text, text);
        }
        QCOMPARE(d.longName, longName);
        QCOMPARE(d.consumed, consumed);
        QCOMPARE(d.selectText, selectText);
        QCOMPARE(d.windowsLogo, logo);
    }
};

QTEST_GUILESS_MAIN(TestKeyNames)
#include "tst_KeyNames.moc"
