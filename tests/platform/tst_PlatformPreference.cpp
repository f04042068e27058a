// The platform asked of Qt before it starts, from what really answers: a
// DISPLAY left over in a Wayland session names no X server.
#include "platform/Backends.h"

#include <QTest>

class PlatformPreferenceTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void prefers_data()
    {
        QTest::addColumn<QByteArray>("display");
        QTest::addColumn<QByteArray>("chosen");
        QTest::newRow("stale DISPLAY") << QByteArray(":87") << QByteArray("wayland");
        QTest::newRow("no DISPLAY") << QByteArray() << QByteArray("wayland");
    }

    void prefers()
    {
        QFETCH(QByteArray, display);
        QFETCH(QByteArray, chosen);
        qunsetenv("QT_QPA_PLATFORM");
        qputenv("WAYLAND_DISPLAY", "wayland-1");
        qputenv("DISPLAY", display);
        platform::preferX11Platform();
        QCOMPARE(qgetenv("QT_QPA_PLATFORM"), chosen);
    }
};

QTEST_APPLESS_MAIN(PlatformPreferenceTest)
#include "tst_PlatformPreference.moc"
