// Which Qt platform the clock asks for: XWayland wherever an X display
// answers, unless the user chose something other than Wayland.
#include "platform/session/PlatformChoice.h"

#include <QTest>

using Choice = std::optional<QByteArray>;
Q_DECLARE_METATYPE(Choice)

class PlatformChoiceTest : public QObject
{
    Q_OBJECT

private slots:
    void choice_data()
    {
        QTest::addColumn<Choice>("asked");
        QTest::addColumn<bool>("x11");
        QTest::addColumn<bool>("wayland");
        QTest::addColumn<Choice>("chosen");
        const Choice keep;
        const Choice xcb = QByteArray("xcb");
        QTest::newRow("unset, X") << Choice() << true << true << xcb;
        QTest::newRow("empty, X") << Choice("") << true << false << xcb;
        QTest::newRow("wayland, X") << Choice("wayland") << true << true << xcb;
        QTest::newRow("wayland-egl, X") << Choice("wayland-egl") << true << true << xcb;
        QTest::newRow("wayland with options, X")
            << Choice("wayland:no-decor") << true << true << xcb;
        QTest::newRow("wayland;xcb, X") << Choice("wayland;xcb") << true << true << xcb;
        QTest::newRow("wayland, no X") << Choice("wayland") << false << true << keep;
        QTest::newRow("unset, only Wayland") << Choice() << false << true << Choice("wayland");
        QTest::newRow("unset, nothing") << Choice() << false << false << keep;
        QTest::newRow("xcb") << Choice("xcb") << true << true << keep;
        QTest::newRow("offscreen") << Choice("offscreen") << true << true << keep;
        QTest::newRow("minimal") << Choice("minimal") << true << false << keep;
        QTest::newRow("xcb;wayland") << Choice("xcb;wayland") << true << true << keep;
        QTest::newRow("offscreen with options")
            << Choice("offscreen:configfile=/tmp/s.json") << true << true << keep;
    }

    void choice()
    {
        QFETCH(Choice, asked);
        QFETCH(bool, x11);
        QFETCH(bool, wayland);
        QFETCH(Choice, chosen);
        QCOMPARE(platform::chooseQtPlatform(asked, x11, wayland), chosen);
    }
};

QTEST_GUILESS_MAIN(PlatformChoiceTest)
#include "tst_PlatformChoice.moc"
