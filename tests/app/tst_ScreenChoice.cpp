#include "app/ScreenChoice.h"

#include <QTest>

using Rects = QList<QRect>;
Q_DECLARE_METATYPE(Rects)

namespace {
const QSize Clock(460, 234);
const QRect Left(0, 0, 1280, 1024);
const QRect Right(1280, 0, 1920, 1080);
const QRect Above(0, -1080, 1920, 1080);
} // namespace

class ScreenChoiceTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void screenOfWindow_data()
    {
        QTest::addColumn<Rects>("screens");
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<int>("screen");
        QTest::addColumn<bool>("onScreen");
        QTest::newRow("side by side, centre left")
            << Rects{Left, Right} << QPoint(1049, 100) << 0 << true;
        QTest::newRow("side by side, centre right")
            << Rects{Left, Right} << QPoint(1051, 100) << 1 << true;
        QTest::newRow("above, centre above")
            << Rects{Above, Left} << QPoint(100, -118) << 0 << true;
        QTest::newRow("above, centre below")
            << Rects{Above, Left} << QPoint(100, -117) << 1 << true;
        QTest::newRow("only a corner on") << Rects{Left} << QPoint(-459, -233) << 0 << true;
        QTest::newRow("one pixel beyond the corner")
            << Rects{Left} << QPoint(-460, -233) << 0 << false;
        QTest::newRow("in the notch below the smaller screen")
            << Rects{Left, Right} << QPoint(1000, 1080) << 1 << false;
        QTest::newRow("no screens") << Rects{} << QPoint(0, 0) << -1 << false;
    }
    void screenOfWindow()
    {
        QFETCH(Rects, screens);
        QFETCH(QPoint, at);
        QFETCH(int, screen);
        QFETCH(bool, onScreen);
        QCOMPARE(::screenOfWindow(screens, QRect(at, Clock)), screen);
        QCOMPARE(isOnAnyScreen(screens, QRect(at, Clock)), onScreen);
    }

    void startPosition_data()
    {
        QTest::addColumn<Rects>("screens");
        QTest::addColumn<int>("primary");
        QTest::addColumn<QPoint>("saved");
        QTest::addColumn<QPoint>("placed");
        QTest::newRow("far right comes back centred")
            << Rects{Left} << 0 << QPoint(6000, 200) << QPoint(410, 318);
        QTest::newRow("half off the left stays")
            << Rects{Left} << 0 << QPoint(-200, 50) << QPoint(-200, 50);
        QTest::newRow("a corner on stays")
            << Rects{Left} << 0 << QPoint(1279, 1023) << QPoint(1279, 1023);
        QTest::newRow("centred on the primary of two")
            << Rects{Left, Right} << 1 << QPoint(-5000, 0) << QPoint(2010, 342);
        QTest::newRow("on the second screen stays")
            << Rects{Left, Right} << 0 << QPoint(2500, 900) << QPoint(2500, 900);
    }
    void startPosition()
    {
        QFETCH(Rects, screens);
        QFETCH(int, primary);
        QFETCH(QPoint, saved);
        QFETCH(QPoint, placed);
        QCOMPARE(::startPosition(screens, primary, QRect(saved, Clock)), placed);
    }

    void broughtBack_data()
    {
        QTest::addColumn<Rects>("remaining");
        QTest::addColumn<QRect>("former");
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<QPoint>("placed");
        // 140 from the right edge and 300 from the top of the screen removed.
        QTest::newRow("right screen removed")
            << Rects{Left} << Right << QPoint(2600, 300) << QPoint(680, 300);
        QTest::newRow("upper screen removed")
            << Rects{Left} << Above << QPoint(300, -500) << QPoint(300, 524);
        QTest::newRow("hanging off the removed screen comes whole")
            << Rects{Left} << Right << QPoint(3000, 900) << QPoint(820, 790);
        QTest::newRow("former unknown: pulled in, height kept")
            << Rects{Left} << QRect() << QPoint(6000, 200) << QPoint(820, 200);
        QTest::newRow("nearest of two remaining")
            << Rects{Left, Right} << QRect() << QPoint(3300, 2000) << QPoint(2740, 846);
    }
    void broughtBack()
    {
        QFETCH(Rects, remaining);
        QFETCH(QRect, former);
        QFETCH(QPoint, at);
        QFETCH(QPoint, placed);
        const QPoint back = ::broughtBack(remaining, QRect(at, Clock), former);
        QCOMPARE(back, placed);
        QVERIFY(isOnAnyScreen(remaining, QRect(back, Clock)));
    }
};

QTEST_GUILESS_MAIN(ScreenChoiceTest)
#include "tst_ScreenChoice.moc"
