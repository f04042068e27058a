// The clock at Qt's scale factor 2: pictures drawn at twice the size are
// shown pixel for pixel, a skin's companions count file by file, and the
// geometry stays in logical pixels.
#include "about/AboutWindow.h"
#include "clock/ClockWindow.h"
#include "clock/DevicePictures.h"
#include "clock/ImageProcessing.h"
#include "tests/clock/ClockFixture.h"
#include "tests/support/Files.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>

namespace {

const QRgb Mask = qRgb(0, 0, 40);

QImage face(QSize size, QRgb body)
{
    QImage img(size, QImage::Format_RGB32);
    img.fill(Mask);
    QPainter(&img).fillRect(QRect(QPoint(2, 2), size - QSize(4, 4)), QColor(body));
    return img;
}

} // namespace

class DevicePixelsTest : public QObject
{
    Q_OBJECT

private slots:
    // Each picture of a skin brings its own companion or none; one of the
    // wrong size is no companion.
    void skinCompanionsFileByFile_data()
    {
        QTest::addColumn<QSize>("backAt2x"); // empty: no file
        QTest::addColumn<QSize>("stripAt2x");
        QTest::addColumn<bool>("crispFace");
        QTest::addColumn<bool>("crispTube");
        QTest::newRow("both") << QSize(80, 60) << QSize(48, 20) << true << true;
        QTest::newRow("none") << QSize() << QSize() << false << false;
        QTest::newRow("strip only") << QSize() << QSize(48, 20) << false << true;
        QTest::newRow("face only") << QSize(80, 60) << QSize() << true << false;
        QTest::newRow("wrong sizes") << QSize(81, 60) << QSize(50, 20) << false << false;
    }

    void skinCompanionsFileByFile()
    {
        QFETCH(QSize, backAt2x);
        QFETCH(QSize, stripAt2x);
        QFETCH(bool, crispFace);
        QFETCH(bool, crispTube);
        QTemporaryDir dir;
        const QString skin = dir.path() + QStringLiteral("/Skins/Test/");
        QVERIFY(writeFile(skin + QStringLiteral("SkinFile.ini"),
                          "[Marvane Glimmora]\nWidth=40\nHeight=30\nDigit1_File=sub\\hours.bmp\n"
                          "Digit1_Top=5\nDigit1_Left=4\nDigit1_Width=12\nDigit1_Height=10\n"));
        QVERIFY(face({40, 30}, qRgb(200, 0, 0)).save(skin + QStringLiteral("back.bmp")));
        if (!backAt2x.isEmpty())
            QVERIFY(face(backAt2x, qRgb(0, 200, 0)).save(skin + QStringLiteral("back@2x.bmp")));
        QVERIFY(QDir().mkpath(skin + QStringLiteral("sub")));
        QVERIFY(makeStrip(2, 12, 10).save(skin + QStringLiteral("sub/hours.bmp")));
        for (const char* other : {"2.bmp", "3.bmp", "4.bmp", "5.bmp"}) {
            QVERIFY(makeStrip(10, 12, 10).save(skin + QLatin1String(other)));
        }
        if (!stripAt2x.isEmpty())
            QVERIFY(makeStrip(2, stripAt2x.width() / 2, stripAt2x.height())
                        .save(skin + QStringLiteral("sub/hours@2x.bmp")));

        ClockFixture f;
        f.state.skinsDir = dir.path() + QStringLiteral("/Skins/");
        f.core.setSkinName(QStringLiteral("Test"));
        ClockWindow clock(f.state, f.core);
        clock.loadFace();
        QCOMPARE(clock.size(), QSize(40, 30));
        QCOMPARE(clock.lamps()[1]->image().size(), QSize(32, 134)); // built-in, always crisp
        const QImage shown = clock.face()->image();
        QCOMPARE(shown.deviceIndependentSize(), QSizeF(40, 30));
        QCOMPARE(shown.pixel(shown.width() / 2, shown.height() / 2),
                 crispFace ? qRgb(0, 200, 0) : qRgb(200, 0, 0));

        PictureBox& tube = *clock.tubes()[0];
        QCOMPARE(tube.geometry(), QRect(4, 5, 12, 10));
        DrawTubeDigit(tube, clock.digitStrip(0), 1, 10, 12);
        QCOMPARE(tube.image().size(), crispTube ? QSize(24, 20) : QSize(12, 10));
        QVERIFY(showsCell(tube.image(), 1));
    }

    // The outline, the tubes and the window scale together, in the layout
    // and in the window laid out from it.
    void faceAtEveryZoom_data()
    {
        QTest::addColumn<bool>("skin");
        QTest::addColumn<qreal>("zoom");
        QTest::addColumn<QSize>("window");
        QTest::addColumn<QRect>("tube");
        QTest::newRow("built-in at 1")
            << false << 1.0 << QSize(460, 234) << QRect(113, 114, 19, 34);
        QTest::newRow("built-in at 2")
            << false << 2.0 << QSize(920, 468) << QRect(226, 228, 38, 68);
        QTest::newRow("skin at 1") << true << 1.0 << QSize(40, 30) << QRect(4, 5, 12, 10);
        QTest::newRow("skin at 2") << true << 2.0 << QSize(80, 60) << QRect(8, 10, 24, 20);
        // Edges round: 7.5 and 22.5 to 8 and 23.
        QTest::newRow("skin at 1.5") << true << 1.5 << QSize(60, 45) << QRect(6, 8, 18, 15);
    }

    void faceAtEveryZoom()
    {
        QFETCH(bool, skin);
        QFETCH(qreal, zoom);
        QFETCH(QSize, window);
        QFETCH(QRect, tube);
        QTemporaryDir dir;
        ClockFixture f;
        if (skin) {
            const QString folder = dir.path() + QStringLiteral("/Test/");
            QVERIFY(writeFile(folder + QStringLiteral("SkinFile.ini"),
                              "[Marvane Glimmora]\nWidth=40\nHeight=30\nDigit1_Top=5\n"
                              "Digit1_Left=4\nDigit1_Width=12\nDigit1_Height=10\n"));
            QVERIFY(face({40, 30}, qRgb(200, 0, 0)).save(folder + QStringLiteral("back.bmp")));
            for (const char* strip : {"1.bmp", "2.bmp", "3.bmp", "4.bmp", "5.bmp"}) {
                QVERIFY(makeStrip(10, 12, 10).save(folder + QLatin1String(strip)));
            }
            f.state.skinsDir = dir.path() + QStringLiteral("/");
            f.core.setSkinName(QStringLiteral("Test"));
        }
        ClockWindow clock(f.state, f.core);
        clock.loadFace();
        const QRect atOne = clock.windowHandle()->mask().boundingRect();
        clock.setZoom(zoom);
        QCOMPARE(clock.layout().window, window);
        QCOMPARE(clock.layout().tubes[0], tube);
        QCOMPARE(clock.size(), window);
        QCOMPARE(clock.maximumSize(), clock.minimumSize());
        QCOMPARE(clock.tubes()[0]->geometry(), tube);
        // Within a pixel: the mask goes by device pixels, its bounds by whole
        // logical ones.
        const QRect outline = clock.windowHandle()->mask().boundingRect();
        const QPoint ends(1, 1);
        for (const QPoint off :
             {outline.topLeft() - atOne.topLeft() * zoom,
              outline.bottomRight() + ends - (atOne.bottomRight() + ends) * zoom}) {
            QVERIFY2(qAbs(off.x()) <= 1 && qAbs(off.y()) <= 1, qPrintable(QTest::toString(off)));
        }
    }

    void aboutPictureAndCursor()
    {
        ClockFixture f;
        AboutWindow about(f.state);
        QCOMPARE(about.size(), QSize(615, 400));
        QCOMPARE(about.picture()->image().size(), QSize(1232, 800));
        // The cursor travels in device pixels.
        const QCursor hand = about.homePageLink()->cursor();
        QCOMPARE(hand.pixmap().size(), QSize(64, 64));
        QCOMPARE(hand.hotSpot(), QPoint(30, 28));
    }

    // Between the ratios the companion is scaled; the outline stays exact.
    void faceAtOtherRatios_data()
    {
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<QSize>("device");
        QTest::newRow("1.5") << 1.5 << QSize(90, 60);
        QTest::newRow("1.25") << 1.25 << QSize(75, 50);
        QTest::newRow("3") << 3.0 << QSize(180, 120);
    }

    void faceAtOtherRatios()
    {
        QFETCH(qreal, ratio);
        QFETCH(QSize, device);
        // A device of 40 x 24 at (8, 8), on whole device pixels at every ratio
        // here.
        QImage doubled(120, 80, QImage::Format_RGB32);
        doubled.fill(Mask);
        QPainter(&doubled).fillRect(16, 16, 80, 48, QColor(200, 100, 0));
        const QImage out = faceForRatio(QImage(60, 40, QImage::Format_RGB32), doubled, ratio, Mask);
        QCOMPARE(out.size(), device);
        QCOMPARE(out.devicePixelRatio(), ratio);
        int kept = 0;
        for (int y = 0; y < out.height(); ++y)
            for (int x = 0; x < out.width(); ++x) {
                const QRgb c = out.pixel(x, y);
                const bool inside =
                    QRectF(8, 8, 40, 24).contains((x + 0.5) / ratio, (y + 0.5) / ratio);
                QCOMPARE(c == Mask, !inside);
                if (inside) {
                    // Never blended with the cut colour around it.
                    QVERIFY(std::abs(qRed(c) - 200) <= 1 && std::abs(qGreen(c) - 100) <= 1 &&
                            qBlue(c) <= 1);
                    ++kept;
                }
            }
        QVERIFY(kept > 0);
    }
};

int main(int argc, char** argv)
{
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    DevicePixelsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_DevicePixels.moc"
