// Which hints keep the clock on the desktop under each window manager, by
// the name it gives itself.
#include "platform/desktop/DesktopHints.h"

#include <QTest>

using platform::DesktopWindowType;

class DesktopHintsTest : public QObject
{
    Q_OBJECT

private slots:
    void choice_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<DesktopWindowType>("type");
        QTest::addColumn<bool>("raises");
        QTest::newRow("openbox") << QByteArray("Openbox") << DesktopWindowType::Splash << false;
        QTest::newRow("mutter") << QByteArray("Mutter") << DesktopWindowType::Dock << false;
        QTest::newRow("GNOME") << QByteArray("GNOME Shell") << DesktopWindowType::Dock << false;
        QTest::newRow("muffin") << QByteArray("Mutter (Muffin)") << DesktopWindowType::Dock
                                << false;
        QTest::newRow("KWin") << QByteArray("KWin") << DesktopWindowType::Desktop << true;
        QTest::newRow("xfwm4") << QByteArray("Xfwm4") << DesktopWindowType::Normal << false;
        QTest::newRow("unknown") << QByteArray("i3") << DesktopWindowType::Normal << false;
        QTest::newRow("none") << QByteArray() << DesktopWindowType::Normal << false;
    }

    void choice()
    {
        QFETCH(QByteArray, name);
        QFETCH(DesktopWindowType, type);
        QFETCH(bool, raises);
        const platform::DesktopHints hints = platform::desktopHintsFor(name);
        QCOMPARE(hints.type, type);
        QCOMPARE(hints.raiseOverDesktops, raises);
        QVERIFY(hints.below);
    }
};

QTEST_GUILESS_MAIN(DesktopHintsTest)
#include "tst_DesktopHints.moc"
