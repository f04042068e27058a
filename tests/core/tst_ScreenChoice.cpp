#include "core/ScreenChoice.h"

#include <QTest>

using Rects = QList<QRect>;

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
            << Rects{Left, Right} << QPoint(1049, 0) << 0 << true;
        QTest::newRow("side by side, centre right")
            << Rects{Left, Right} << QPoint(1051, 0) << 1 << true;
        QTest::newRow("centre below") << Rects{Above, Left} << QPoint(100, -117) << 1 << true;
        QTest::newRow("a corner on") << Rects{Left} << QPoint(-459, -233) << 0 << true;
        QTest::newRow("a pixel beyond") << Rects{Left} << QPoint(-460, -233) << 0 << false;
        QTest::newRow("under the smaller screen, nearest the other")
            << Rects{Left, Right} << QPoint(1000, 1080) << 1 << false;
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

    void placement_data()
    {
        QTest::addColumn<Rects>("screens");
        QTest::addColumn<int>("primary"); // -1: brought back from `former`
        QTest::addColumn<QRect>("former");
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<QPoint>("placed");
        QTest::newRow("start far right: centred")
            << Rects{Left} << 0 << QRect() << QPoint(6000, 200) << QPoint(410, 318);
        QTest::newRow("start a corner on: kept")
            << Rects{Left} << 0 << QRect() << QPoint(1279, 1023) << QPoint(1279, 1023);
        QTest::newRow("start off both: on the primary")
            << Rects{Left, Right} << 1 << QRect() << QPoint(-5000, 0) << QPoint(2010, 342);
        // 140 from the right edge and 300 from the top of the removed screen.
        QTest::newRow("right screen removed")
            << Rects{Left} << -1 << Right << QPoint(2600, 300) << QPoint(680, 300);
        QTest::newRow("upper screen removed")
            << Rects{Left} << -1 << Above << QPoint(300, -500) << QPoint(300, 524);
        QTest::newRow("hanging off the removed screen: whole")
            << Rects{Left} << -1 << Right << QPoint(3000, 900) << QPoint(820, 790);
        QTest::newRow("nearest of two remaining, edge unknown")
            << Rects{Left, Right} << -1 << QRect() << QPoint(3300, 2000) << QPoint(2740, 846);
        // No screen reported (yet): the window stays where it is.
        QTest::newRow("start without screens: kept")
            << Rects{} << 0 << QRect() << QPoint(6000, 200) << QPoint(6000, 200);
        QTest::newRow("no screen left: kept")
            << Rects{} << -1 << Right << QPoint(2600, 300) << QPoint(2600, 300);
    }
    void placement()
    {
        QFETCH(Rects, screens);
        QFETCH(int, primary);
        QFETCH(QRect, former);
        QFETCH(QPoint, at);
        QFETCH(QPoint, placed);
        const QPoint got = primary >= 0 ? startPosition(screens, primary, QRect(at, Clock))
                                        : broughtBack(screens, QRect(at, Clock), former);
        QCOMPARE(got, placed);
        QCOMPARE(isOnAnyScreen(screens, QRect(got, Clock)), !screens.isEmpty());
    }
};

QTEST_GUILESS_MAIN(ScreenChoiceTest)
#include "tst_ScreenChoice.moc"
