// The colon lamps: their magenta ground is not part of the picture shown,
// and they take no part in dragging or the menu.
#include "ClockFixture.h"

#include "app/Windows.h"
#include "clock/ClockWindow.h"

#include <QMouseEvent>
#include <QTest>

class LampsTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void magentaGroundBecomesTransparent()
    {
        ClockFixture f;
        ClockWindow& clock = f.windows.clock();
        QImage lamp(16, 67, QImage::Format_RGB32);
        lamp.fill(qRgb(255, 0, 255));
        lamp.setPixel(8, 10, qRgb(200, 20, 20));
        lamp.setPixel(8, 11, qRgb(255, 0, 254)); // near magenta stays
        clock.setLampPictures(lamp, lamp);
        clock.loadFace();
        const QImage shown = clock.lamps()[0]->image();
        QCOMPARE(qAlpha(shown.pixel(0, 0)), 0);
        QCOMPARE(shown.pixel(8, 10), qRgb(200, 20, 20));
        QCOMPARE(shown.pixel(8, 11), qRgb(255, 0, 254));
        QVERIFY(!clock.lamps()[0]->testAttribute(Qt::WA_OpaquePaintEvent));
    }

    void opaqueLampsStayOpaque()
    {
        ClockFixture f;
        ClockWindow& clock = f.windows.clock();
        QImage lamp(16, 67, QImage::Format_RGB32);
        lamp.fill(qRgb(60, 0, 0));
        clock.setLampPictures(lamp, QImage());
        clock.loadFace();
        QVERIFY(!clock.lamps()[0]->image().hasAlphaChannel());
        QVERIFY(clock.lamps()[0]->testAttribute(Qt::WA_OpaquePaintEvent));
    }

    void lampsOutsideTheFaceAreHidden()
    {
        ClockFixture f;
        ClockWindow& clock = f.windows.clock();
        clock.loadFace(); // the built-in face, 460 wide: lamps at 478 and 506
        clock.show();
        QVERIFY(clock.lamps()[0]->isHidden());
        QVERIFY(clock.lamps()[1]->isHidden());

        ClockFixture g;
        ClockWindow& wide = g.windows.clock();
        QImage face(600, 400, QImage::Format_RGB32);
        face.fill(qRgb(90, 90, 90));
        wide.face()->setPicture(face);
        wide.face()->resize(600, 400);
        wide.loadFace();
        QVERIFY(!wide.lamps()[0]->isHidden());
        QVERIFY(!wide.lamps()[1]->isHidden());
    }

    void pressOnALampDoesNotDrag()
    {
        ClockFixture f;
        ClockWindow& clock = f.windows.clock();
        clock.loadFace();
        clock.resize(600, 400); // bring the lamps inside the window
        clock.show();
        QWidget* lamp = clock.lamps()[0];
        const QPoint inLamp(5, 5);
        QMouseEvent press(QEvent::MouseButtonPress, inLamp, lamp->mapToGlobal(inLamp),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(lamp, &press);
        QVERIFY(!clock.isDragging());
        const QPoint before = clock.pos();
        QMouseEvent move(QEvent::MouseMove, inLamp + QPoint(30, 12),
                         lamp->mapToGlobal(inLamp + QPoint(30, 12)), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(lamp, &move);
        QCOMPARE(clock.pos(), before);
    }
};

QTEST_MAIN(LampsTest)
#include "tst_Lamps.moc"
