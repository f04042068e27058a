// The shaped-window control: exactly the pixels not of the mask colour stay.
#include "controls/WindowOutline.h"

#include <QPainter>
#include <QTest>
#include <QWidget>
#include <QWindow>

namespace {

const QColor Mask(0, 0, 40);

// The shape given to the native window; none before the window exists.
QRegion shapeOf(const QWidget& w)
{
    return w.windowHandle() ? w.windowHandle()->mask() : QRegion();
}

// A picture of mask colour with a few pixels in other colours, some of them
// one step away from the mask colour in each channel.
QImage speckled(QSize size)
{
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(Mask);
    const QRgb near[] = {qRgb(0, 0, 41), qRgb(0, 0, 39), qRgb(1, 0, 40), qRgb(0, 1, 40),
                         qRgb(200, 150, 90)};
    int i = 0;
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            if ((x * 7 + y * 3) % 5 == 0) {
                picture.setPixel(x, y, near[i++ % 5]);
            }
        }
    }
    return picture;
}

// The pixels of the region inside `size` that differ from the expectation.
int wrongPixels(const QRegion& region, const QImage& picture, QRgb cut)
{
    int wrong = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const bool kept = (picture.pixel(x, y) & 0xFFFFFF) != (cut & 0xFFFFFF);
            wrong += region.contains(QPoint(x, y)) != kept ? 1 : 0;
        }
    }
    return wrong;
}

} // namespace

class WindowOutlineTest : public QObject
{
    Q_OBJECT

private slots:
    void regionIsExactlyTheOtherColours_data()
    {
        QTest::addColumn<int>("format");
        QTest::newRow("32-bit") << int{QImage::Format_RGB32};
        QTest::newRow("24-bit") << int{QImage::Format_RGB888};
        QTest::newRow("with alpha") << int{QImage::Format_ARGB32};
    }

    void regionIsExactlyTheOtherColours()
    {
        QFETCH(int, format);
        const QImage picture =
            speckled(QSize(37, 23)).convertToFormat(static_cast<QImage::Format>(format));
        const QRegion region = WindowOutline::regionOf(picture, Mask);
        QCOMPARE(wrongPixels(region, picture, Mask.rgb()), 0);
        QVERIFY(!region.contains(QPoint(0, 1))); // mask colour
        QVERIFY(region.contains(QPoint(0, 0)));  // RGB(0, 0, 41)
        QVERIFY((region & QRect(0, 0, 37, 23)) == region);
    }

    void pictureWithoutMaskColourIsARectangle()
    {
        QImage picture(50, 20, QImage::Format_RGB32);
        picture.fill(qRgb(0, 0, 41));
        QVERIFY(WindowOutline::regionOf(picture, Mask).xored(QRect(0, 0, 50, 20)).isEmpty());
    }

    void shapeCoversTheWindow()
    {
        QWidget window;
        window.resize(120, 60);
        WindowOutline shaper(&window);

        shaper.setMaskColor(Mask); // no picture yet: nothing changes
        QVERIFY(shapeOf(window).isEmpty());

        QImage picture(120, 60, QImage::Format_RGB32);
        picture.fill(Mask);
        QPainter(&picture).fillRect(10, 10, 30, 20, QColor(90, 60, 30));
        shaper.setMaskPicture(picture);
        QVERIFY(shapeOf(window).xored(QRect(10, 10, 30, 20)).isEmpty());
        QCOMPARE(shaper.MaskPicture(), picture);
        QCOMPARE(shaper.MaskColor(), Mask);

        // Another colour reshapes at once: now the body is cut away.
        shaper.setMaskColor(QColor(90, 60, 30));
        QVERIFY(shapeOf(window).xored(QRegion(0, 0, 120, 60) - QRect(10, 10, 30, 20)).isEmpty());

        // A picture of another size is stretched over the window, which keeps
        // its size.
        shaper.setMaskColor(Mask);
        window.resize(240, 120);
        shaper.setMaskPicture(picture);
        QCOMPARE(window.size(), QSize(240, 120));
        QVERIFY(shapeOf(window).xored(QRect(20, 20, 60, 40)).isEmpty());
    }

    void nullPictureKeepsTheShape()
    {
        QWidget window;
        window.resize(20, 20);
        WindowOutline shaper(&window);
        shaper.setMaskColor(Mask);
        QImage picture(20, 20, QImage::Format_RGB32);
        picture.fill(Qt::white);
        shaper.setMaskPicture(picture);
        const QRegion before = shapeOf(window);
        shaper.setMaskPicture(QImage());
        QCOMPARE(shapeOf(window), before);
    }

    void allMaskColourLeavesNothing()
    {
        QWidget window;
        WindowOutline shaper(&window);
        shaper.setMaskColor(Mask);
        QImage picture(64, 32, QImage::Format_RGB32);
        picture.fill(Mask);
        window.resize(64, 32);
        shaper.setMaskPicture(picture);
        QVERIFY(!shapeOf(window).isEmpty());
        QVERIFY((shapeOf(window) & window.rect()).isEmpty());
    }

    void defaultColourIsTheButtonFace()
    {
        QWidget window;
        window.resize(10, 10);
        WindowOutline shaper(&window);
        QCOMPARE(shaper.MaskColor(), window.palette().color(QPalette::Button));
        QImage picture(10, 10, QImage::Format_RGB32);
        picture.fill(Mask);
        picture.setPixel(3, 3, shaper.MaskColor().rgb());
        shaper.setMaskPicture(picture);
        QVERIFY(!shapeOf(window).contains(QPoint(3, 3)));
        QVERIFY(shapeOf(window).contains(QPoint(4, 4)));
    }
};

QTEST_MAIN(WindowOutlineTest)
#include "tst_WindowOutline.moc"
