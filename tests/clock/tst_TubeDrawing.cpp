// Drawing a digit cell into a tube.
#include "clock/ImageProcessing.h"
#include "controls/PictureBox.h"
#include "tests/clock/ClockFixture.h"

#include <QTest>

class TubeDrawingTest : public QObject
{
    Q_OBJECT

private slots:
    void cellAddressing_data()
    {
        QTest::addColumn<int>("w");
        QTest::addColumn<int>("h");
        QTest::addColumn<int>("digit");
        QTest::addColumn<int>("column");
        QTest::newRow("digit 0 is the leftmost cell") << 19 << 34 << 0 << 0;
        QTest::newRow("digit 7 of a 19-wide tube") << 19 << 34 << 7 << 133;
        QTest::newRow("digit 3 of a 19-wide tube") << 19 << 34 << 3 << 57;
        QTest::newRow("widest supported cell") << 3640 << 1 << 9 << 32760;
    }

    void cellAddressing()
    {
        QFETCH(int, w);
        QFETCH(int, h);
        QFETCH(int, digit);
        QFETCH(int, column);
        const QImage strip = makeStrip(10, w, h);
        PictureBox tube;
        tube.resize(w, h);
        DrawTubeDigit(tube, strip, static_cast<std::int16_t>(digit), static_cast<std::int16_t>(h),
                      static_cast<std::int16_t>(w));
        QCOMPARE(tube.image().size(), QSize(w, h));
        QCOMPARE(tube.image().convertToFormat(QImage::Format_RGB32),
                 strip.copy(column, 0, w, h).convertToFormat(QImage::Format_RGB32));
        QVERIFY(showsCell(tube.image(), digit));
    }

    void columnOverflowSkipsTheCopy_data()
    {
        QTest::addColumn<int>("w");
        QTest::addColumn<int>("digit");
        QTest::addColumn<bool>("fits");
        QTest::newRow("3640 × 9") << 3640 << 9 << true;
        QTest::newRow("3641 × 9") << 3641 << 9 << false;
        QTest::newRow("32767 × 1") << 32767 << 1 << true;
        QTest::newRow("32767 × 2") << 32767 << 2 << false;
        QTest::newRow("negative product within range") << -1 << 32767 << true;
    }

    void columnOverflowSkipsTheCopy()
    {
        QFETCH(int, w);
        QFETCH(int, digit);
        QFETCH(bool, fits);
        std::int16_t column = 123;
        QCOMPARE(cellColumn(static_cast<std::int16_t>(w), static_cast<std::int16_t>(digit), column),
                 fits);
        QCOMPARE(int{column}, fits ? w * digit : 123);
    }

    void overflowLeavesTheTubeCleared()
    {
        // A strip wide enough that a wrapped column would find pixels.
        QImage white(40000, 2, QImage::Format_RGB32);
        white.fill(Qt::white);
        PictureBox tube;
        tube.resize(3641, 2);
        tube.setPicture(white.copy(0, 0, 3641, 2));
        DrawTubeDigit(tube, white, 9, 2, 3641);
        QCOMPARE(tube.image().size(), QSize(3641, 2));
        QCOMPARE(tube.image().pixel(0, 0), qRgb(0, 0, 0));
        QCOMPARE(tube.image().pixel(3640, 1), qRgb(0, 0, 0));
    }

    void clearsBeforeCopying_data()
    {
        QTest::addColumn<int>("stripWidth");
        QTest::addColumn<int>("digit");
        QTest::addColumn<int>("copiedColumns"); // of the 19-wide cell
        QTest::newRow("whole cell") << 57 << 2 << 19;
        QTest::newRow("strip ends inside the cell") << 123 << 6 << 9;
        QTest::newRow("cell beyond the strip") << 123 << 7 << 0;
        QTest::newRow("negative digit") << 57 << -1 << 0;
        QTest::newRow("far beyond") << 57 << 9 << 0;
    }

    void clearsBeforeCopying()
    {
        QFETCH(int, stripWidth);
        QFETCH(int, digit);
        QFETCH(int, copiedColumns);
        const QImage strip = makeStrip(10, 19, 34).copy(0, 0, stripWidth, 34);
        PictureBox tube;
        tube.resize(19, 34);
        QImage junk(19, 34, QImage::Format_RGB32);
        junk.fill(qRgb(200, 10, 200));
        tube.setPicture(junk);
        DrawTubeDigit(tube, strip, static_cast<std::int16_t>(digit), 34, 19);
        const QImage& shown = tube.image();
        for (int y = 0; y < 34; ++y) {
            for (int x = 0; x < 19; ++x) {
                const QRgb want = x < copiedColumns ? stripPixel(digit, x, y) : qRgb(0, 0, 0);
                QCOMPARE(shown.pixel(x, y), want);
            }
        }
    }

    void cellSmallerThanTheTubeLeavesTheRestBlack()
    {
        const QImage strip = makeStrip(10, 14, 26);
        PictureBox tube;
        tube.resize(19, 34);
        DrawTubeDigit(tube, strip, 4, 26, 14);
        QVERIFY(showsCell(tube.image().copy(0, 0, 14, 26), 4));
        QCOMPARE(tube.image().pixel(14, 0), qRgb(0, 0, 0));
        QCOMPARE(tube.image().pixel(0, 26), qRgb(0, 0, 0));
    }

    void resizedTubeUsesTheNewCellSize()
    {
        PictureBox tube;
        tube.resize(19, 34);
        DrawTubeDigit(tube, makeStrip(10, 19, 34), 3, 34, 19);
        tube.resize(14, 26);
        const QImage small = makeStrip(10, 14, 26);
        DrawTubeDigit(tube, small, 3, 26, 14);
        QCOMPARE(tube.image().size(), QSize(14, 26));
        QVERIFY(showsCell(tube.image(), 3));
    }

    void stripInAnotherFormat_data()
    {
        QTest::addColumn<int>("format");
        QTest::newRow("24-bit") << int{QImage::Format_RGB888};
        QTest::newRow("with alpha") << int{QImage::Format_ARGB32};
    }

    void stripInAnotherFormat()
    {
        QFETCH(int, format);
        const QImage strip = makeStrip(10, 19, 34, static_cast<QImage::Format>(format));
        PictureBox tube;
        tube.resize(19, 34);
        DrawTubeDigit(tube, strip, 8, 34, 19);
        QCOMPARE(tube.image().convertToFormat(QImage::Format_RGB32),
                 strip.copy(8 * 19, 0, 19, 34).convertToFormat(QImage::Format_RGB32));
    }

    // Only the part of a tube inside the face is kept and drawn, at its place
    // in the cell; a tube far larger than the face costs the face's size.
    void clippedToTheFace_data()
    {
        QTest::addColumn<QRect>("tube");
        QTest::addColumn<QRect>("seen"); // in the tube's coordinates
        QTest::newRow("inside") << QRect(10, 5, 19, 34) << QRect(0, 0, 19, 34);
        QTest::newRow("past the right and bottom") << QRect(90, 40, 19, 34) << QRect(0, 0, 10, 10);
        QTest::newRow("past the left and top") << QRect(-5, -3, 19, 34) << QRect(5, 3, 14, 31);
        QTest::newRow("far larger than the face")
            << QRect(-7, 0, 20000, 20000) << QRect(7, 0, 100, 50);
        QTest::newRow("outside") << QRect(120, 0, 19, 34) << QRect();
    }

    void clippedToTheFace()
    {
        QFETCH(QRect, tube);
        QFETCH(QRect, seen);
        QWidget face;
        face.resize(100, 50);
        PictureBox box(&face);
        box.setGeometry(tube);
        const QImage strip = makeStrip(10, 19, 34);
        DrawTubeDigit(box, strip, 3, static_cast<std::int16_t>(std::min(tube.height(), 32767)),
                      static_cast<std::int16_t>(std::min(tube.width(), 32767)));
        QCOMPARE(box.image().size(), seen.size());
        if (seen.isEmpty()) {
            return;
        }
        QCOMPARE(box.imageOrigin(), seen.topLeft());
        // Within the strip's cell the pixels of that cell, black beyond it.
        for (int y = 0; y < seen.height(); ++y) {
            for (int x = 0; x < seen.width(); ++x) {
                const QPoint at = seen.topLeft() + QPoint(x, y);
                const bool inCell = at.x() < 19 && at.y() < 34 && tube.width() == 19;
                QCOMPARE(box.image().pixel(x, y),
                         inCell ? stripPixel(3, at.x(), at.y()) : qRgb(0, 0, 0));
            }
        }
    }

    void noStripOrEmptyTube()
    {
        PictureBox tube;
        tube.resize(19, 34);
        DrawTubeDigit(tube, QImage(), 1, 34, 19);
        QCOMPARE(tube.image().pixel(5, 5), qRgb(0, 0, 0));

        PictureBox empty;
        empty.resize(0, 34);
        DrawTubeDigit(empty, makeStrip(10, 19, 34), 1, 34, 0);
        QVERIFY(empty.image().isNull());
    }
};

QTEST_MAIN(TubeDrawingTest)
#include "tst_TubeDrawing.moc"
