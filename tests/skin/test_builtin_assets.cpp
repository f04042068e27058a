// The committed pictures and sound: formats, sizes, clean outlines for the
// shaped window, strips that fit their faces, the shipped skins' descriptions.

#include "AssetTestSupport.h"

#include "skin/SkinFiles.h"
#include "tests/support/SettingsFiles.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QtEndian>
#include <QtTest>

#include <array>
#include <cmath>
#include <vector>

using namespace assettest;

namespace {

QList<QRect> doubled(const QList<QRect>& rects)
{
    QList<QRect> out;
    for (const QRect& r : rects)
        out << QRect(r.topLeft() * 2, r.size() * 2);
    return out;
}

// "builtin/1.bmp" -> "builtin/1@2x.bmp"
QStringList doubled(const QStringList& files)
{
    QStringList out;
    for (QString f : files)
        out << f.insert(f.lastIndexOf(QLatin1Char('.')), QStringLiteral("@2x"));
    return out;
}

} // namespace

class TestBuiltinAssets : public QObject
{
    Q_OBJECT

private slots:
    void bitmapFormats_data();
    void bitmapFormats();
    void embeddedPicturesMatchSources_data();
    void embeddedPicturesMatchSources();
    void faceOutline_data();
    void faceOutline();
    void stripsFitTheirFaces_data();
    void stripsFitTheirFaces();
    void skinDescriptions_data();
    void skinDescriptions();
    void shippedSkinsShowEveryFeature();
    void lamps_data();
    void lamps();
    void aboutPicture_data();
    void aboutPicture();
    void handCursor_data();
    void handCursor();
    void drawnAtTwiceTheSize_data();
    void drawnAtTwiceTheSize();
    void alarmSound();
    void icons_data();
    void icons();
};

void TestBuiltinAssets::bitmapFormats_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("bits");
    QTest::newRow("face") << "builtin/back.bmp" << QSize(460, 234) << 24;
    QTest::newRow("strip 1") << "builtin/1.bmp" << QSize(57, 34) << 24;
    QTest::newRow("strip 2") << "builtin/2.bmp" << QSize(190, 34) << 24;
    QTest::newRow("strip 3") << "builtin/3.bmp" << QSize(114, 34) << 24;
    QTest::newRow("strip 4") << "builtin/4.bmp" << QSize(190, 34) << 24;
    QTest::newRow("strip 5") << "builtin/5.bmp" << QSize(140, 26) << 24;
    QTest::newRow("lamp off") << "builtin/led_off.bmp" << QSize(16, 67) << 24;
    QTest::newRow("lamp on") << "builtin/led_on.bmp" << QSize(16, 67) << 24;
    QTest::newRow("about") << "builtin/about.bmp" << QSize(616, 400) << 8;
}

void TestBuiltinAssets::bitmapFormats()
{
    QFETCH(QString, file);
    QFETCH(QSize, size);
    QFETCH(int, bits);
    const BmpHeader h = readBmpHeader(asset(file));
    QVERIFY2(h.valid, qPrintable(file));
    QCOMPARE(QSize(h.width, h.height), size);
    QCOMPARE(h.bitsPerPixel, bits);
    QCOMPARE(QImage(asset(file)).size(), size);
}

void TestBuiltinAssets::embeddedPicturesMatchSources_data()
{
    QTest::addColumn<QString>("name");
    for (const char* n : {"back", "1", "2", "3", "4", "5", "led_off", "led_on", "about"}) {
        QTest::newRow(n) << QStringLiteral("%1.bmp").arg(QLatin1String(n));
        QTest::newRow(n) << QStringLiteral("%1@2x.bmp").arg(QLatin1String(n));
    }
    QTest::newRow("hand") << QStringLiteral("hand.png");
    QTest::newRow("hand") << QStringLiteral("hand@2x.png");
}

void TestBuiltinAssets::embeddedPicturesMatchSources()
{
    QFETCH(QString, name);
    const QImage embedded(QStringLiteral(":/builtin/") + name);
    QVERIFY2(!embedded.isNull(), qPrintable(name));
    const QImage source(asset(QStringLiteral("builtin/") + name));
    QCOMPARE(embedded.convertToFormat(QImage::Format_ARGB32),
             source.convertToFormat(QImage::Format_ARGB32));
}

void TestBuiltinAssets::faceOutline_data()
{
    QTest::addColumn<QString>("face");
    QTest::addColumn<QList<QRect>>("onDevice"); // tubes and front-panel areas
    QList<QRect> builtin(kBuiltinTubes.begin(), kBuiltinTubes.end());
    builtin << QRect(48, 156, 54, 35) << QRect(101, 156, 30, 33);
    QTest::newRow("built-in") << "builtin/back.bmp" << builtin;
    QTest::newRow("built-in @2x") << "builtin/back@2x.bmp" << doubled(builtin);
    for (const QString& name : shippedSkins()) {
        const SkinLayout s = readSkin(name);
        QList<QRect> rects(s.tubes.begin(), s.tubes.end());
        rects << pixelRect(s.description.powerSwitch) << pixelRect(s.description.standBy)
              << pixelRect(s.description.alarm);
        QTest::newRow(qPrintable(name)) << QStringLiteral("Skins/%1/back.bmp").arg(name) << rects;
        QTest::newRow(qPrintable(name + QStringLiteral(" @2x")))
            << QStringLiteral("Skins/%1/back@2x.bmp").arg(name) << doubled(rects);
    }
}

void TestBuiltinAssets::faceOutline()
{
    QFETCH(QString, face);
    QFETCH(QList<QRect>, onDevice);
    QCOMPARE(readBmpHeader(asset(face)).bitsPerPixel, 24);
    const QImage img = loadRgb(asset(face));
    QVERIFY(!img.isNull());
    const std::vector<bool> outside = outsideOf(img);
    const int w = img.width();
    const int h = img.height();
    for (const QPoint corner :
         {QPoint(0, 0), QPoint(w - 1, 0), QPoint(0, h - 1), QPoint(w - 1, h - 1)})
        QVERIFY2(outside[static_cast<size_t>(corner.y()) * w + corner.x()], "corner not cut away");
    int cut = 0;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (outside[static_cast<size_t>(y) * w + x]) {
                ++cut;
                continue;
            }
            const QRgb c = img.pixel(x, y);
            // A mask-coloured hole inside would be cut out of the window.
            QVERIFY2(c != kMask,
                     qPrintable(QStringLiteral("mask colour inside at %1,%2").arg(x).arg(y)));
            // The outline is hard: nothing along the cut fades into the mask.
            bool touchesCut = false;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const int nx = x + dx, ny = y + dy;
                    if (nx >= 0 && ny >= 0 && nx < w && ny < h &&
                        outside[static_cast<size_t>(ny) * w + nx])
                        touchesCut = true;
                }
            if (touchesCut)
                QVERIFY2(channelDistance(c, kMask) > 8,
                         qPrintable(QStringLiteral("soft edge at %1,%2").arg(x).arg(y)));
        }
    }
    // The device is the picture's main content, not a speck.
    QVERIFY(cut < w * h * 3 / 4);
    for (const QRect& r : onDevice)
        QVERIFY2(rectOnDevice(outside, img.size(), r),
                 qPrintable(QStringLiteral("%1,%2 %3x%4 not on the device")
                                .arg(r.x())
                                .arg(r.y())
                                .arg(r.width())
                                .arg(r.height())));
}

void TestBuiltinAssets::stripsFitTheirFaces_data()
{
    QTest::addColumn<QString>("face");
    QTest::addColumn<QList<QRect>>("tubes");
    QTest::addColumn<QStringList>("strips");
    const QList<QRect> builtinTubes(kBuiltinTubes.begin(), kBuiltinTubes.end());
    const QStringList builtinStrips(kBuiltinStrips.begin(), kBuiltinStrips.end());
    QTest::newRow("built-in") << "builtin/back.bmp" << builtinTubes << builtinStrips;
    QTest::newRow("built-in @2x") << "builtin/back@2x.bmp" << doubled(builtinTubes)
                                  << doubled(builtinStrips);
    for (const QString& name : shippedSkins()) {
        const SkinLayout s = readSkin(name);
        QStringList strips;
        for (const QString& file : s.description.digitFile)
            strips << skinFilePath(s.dir, file).mid(asset(QString()).size());
        const QList<QRect> tubes(s.tubes.begin(), s.tubes.end());
        QTest::newRow(qPrintable(name))
            << QStringLiteral("Skins/%1/back.bmp").arg(name) << tubes << strips;
        QTest::newRow(qPrintable(name + QStringLiteral(" @2x")))
            << QStringLiteral("Skins/%1/back@2x.bmp").arg(name) << doubled(tubes)
            << doubled(strips);
    }
}

// Every cell is cut to continue the glass around its tube: the face's own
// tube is one of the cells exactly, and no cell's rim stands out against the
// face more than the face's own tube does (no visible box around a digit).
void TestBuiltinAssets::stripsFitTheirFaces()
{
    QFETCH(QString, face);
    QFETCH(QList<QRect>, tubes);
    QFETCH(QStringList, strips);
    const QImage img = loadRgb(asset(face));
    for (int t = 0; t < 6; ++t) {
        const QRect& r = tubes[t];
        const QImage strip = loadRgb(asset(strips[t]));
        QVERIFY2(strip.width() >= kCellsNeeded[static_cast<size_t>(t)] * r.width(),
                 qPrintable(strips[t]));
        QVERIFY(strip.height() >= r.height());
        const QImage own = img.copy(r);
        const double ownStep = rimStep(img, r, own);
        bool faceIsACell = false;
        for (int d = 0; d < kCellsNeeded[static_cast<size_t>(t)]; ++d) {
            const QImage cell = strip.copy(d * r.width(), 0, r.width(), r.height());
            faceIsACell = faceIsACell || cell == own;
            const double step = rimStep(img, r, cell);
            QVERIFY2(step < ownStep + 6.0,
                     qPrintable(QStringLiteral("tube %1 cell %2: rim step %3, the face's own %4")
                                    .arg(t)
                                    .arg(d)
                                    .arg(step)
                                    .arg(ownStep)));
        }
        QVERIFY2(faceIsACell, qPrintable(QStringLiteral("tube %1 is none of its cells").arg(t)));
    }
}

void TestBuiltinAssets::skinDescriptions_data()
{
    QTest::addColumn<QString>("name");
    for (const QString& name : shippedSkins())
        QTest::newRow(qPrintable(name)) << name;
}

void TestBuiltinAssets::skinDescriptions()
{
    QFETCH(QString, name);
    const SkinLayout s = readSkin(name);
    QVERIFY(QFile::exists(s.dir + QStringLiteral("SkinFile.ini")));
    const QImage face(s.dir + QStringLiteral("back.bmp"));
    QVERIFY(!face.isNull());
    QCOMPARE(QSize(toPixels(s.description.width).value_or(-1),
                   toPixels(s.description.height).value_or(-1)),
             face.size());
    const QRect faceRect(QPoint(0, 0), face.size());
    for (int t = 0; t < 6; ++t) {
        const QRect& r = s.tubes[static_cast<size_t>(t)];
        QVERIFY2(!r.isEmpty() && faceRect.contains(r),
                 qPrintable(QStringLiteral("tube %1").arg(t)));
        const QString strip = skinFilePath(s.dir, s.description.digitFile[static_cast<size_t>(t)]);
        QCOMPARE(readBmpHeader(strip).bitsPerPixel, 24);
    }
    for (const SkinRect* area :
         {&s.description.powerSwitch, &s.description.standBy, &s.description.alarm}) {
        const QRect r = pixelRect(*area);
        QVERIFY(!r.isEmpty() && faceRect.contains(r));
    }
}

void TestBuiltinAssets::shippedSkinsShowEveryFeature()
{
    bool otherSizes = false;
    bool lampsOnFace = false;
    bool sharedSecondsStrip = false;
    const QStringList skins = shippedSkins();
    QVERIFY(skins.size() >= 2);
    for (const QString& name : skins) {
        const SkinLayout s = readSkin(name);
        const QImage face = loadRgb(s.dir + QStringLiteral("back.bmp"));
        const std::vector<bool> outside = outsideOf(face);
        const QRect alarm = pixelRect(s.description.alarm);
        if (face.size() != QSize(460, 234) && s.tubes[0].size() != QSize(19, 34) &&
            rectOnDevice(outside, face.size(), alarm))
            otherSizes = true;
        if (rectOnDevice(outside, face.size(), kLamps[0]) &&
            rectOnDevice(outside, face.size(), kLamps[1]))
            lampsOnFace = true;
        const QString ini = s.dir + QStringLiteral("SkinFile.ini");
        if (ReadIni(kSection, QStringLiteral("Digit6_File"), ini, QString()).isEmpty())
            sharedSecondsStrip = true;
    }
    QVERIFY2(otherSizes, "no skin with its own sizes and a reachable alarm-test button");
    QVERIFY2(lampsOnFace, "no skin shows the colon lamps");
    QVERIFY2(sharedSecondsStrip, "no skin relies on the shared seconds strip");
}

void TestBuiltinAssets::lamps_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("lit");
    QTest::addColumn<int>("factor");
    QTest::newRow("off") << "builtin/led_off.bmp" << false << 1;
    QTest::newRow("on") << "builtin/led_on.bmp" << true << 1;
    QTest::newRow("off @2x") << "builtin/led_off@2x.bmp" << false << 2;
    QTest::newRow("on @2x") << "builtin/led_on@2x.bmp" << true << 2;
}

void TestBuiltinAssets::lamps()
{
    QFETCH(QString, file);
    QFETCH(bool, lit);
    QFETCH(int, factor);
    const QImage img = loadRgb(asset(file));
    QCOMPARE(img.size(), QSize(16, 67) * factor);
    const int w = img.width(), h = img.height();
    for (const QPoint corner :
         {QPoint(0, 0), QPoint(w - 1, 0), QPoint(0, h - 1), QPoint(w - 1, h - 1), QPoint(0, h / 2)})
        QCOMPARE(img.pixel(corner), kMagenta);
    // Two round dots, one in each half, with clean edges against the ground.
    QRect top, bottom;
    int maxRed = 0;
    bool highlight = false;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QRgb c = img.pixel(x, y);
            if (c == kMagenta)
                continue;
            (y < h / 2 ? top : bottom) |= QRect(x, y, 1, 1);
            maxRed = std::max(maxRed, qRed(c));
            highlight = highlight || (qRed(c) > 220 && qGreen(c) > 220 && qBlue(c) > 220);
            QVERIFY2(channelDistance(c, kMagenta) > 120,
                     qPrintable(QStringLiteral("pink fringe at %1,%2").arg(x).arg(y)));
        }
    QVERIFY(!top.isEmpty() && !bottom.isEmpty());
    QVERIFY(std::abs(top.width() - top.height()) <= 1);
    QVERIFY(std::abs(bottom.width() - bottom.height()) <= 1);
    QCOMPARE(highlight, lit);
    QVERIFY(lit ? maxRed > 230 : maxRed < 170);
}

void TestBuiltinAssets::aboutPicture_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("factor");
    QTest::newRow("1x") << "builtin/about.bmp" << 1;
    QTest::newRow("@2x") << "builtin/about@2x.bmp" << 2;
}

void TestBuiltinAssets::aboutPicture()
{
    QFETCH(QString, file);
    QFETCH(int, factor);
    const QImage img(asset(file));
    QCOMPARE(img.size(), QSize(616, 400) * factor);
    QCOMPARE(img.format(), QImage::Format_Indexed8);
    QVERIFY(img.colorCount() <= 256);
    const auto scaled = [factor](const QRect& r) {
        return QRect(r.topLeft() * factor, r.size() * factor);
    };
    const QRect version = scaled(QRect(474, 372, 123, 17));
    double versionCorner = 0;
    for (int y = version.top(); y <= version.bottom(); ++y)
        for (int x = version.left(); x <= version.right(); ++x)
            versionCorner = std::max(versionCorner, luminance(img.pixel(x, y)));
    QVERIFY2(versionCorner < 60, "white version text would not read there");
    for (const QRect& link : {scaled(QRect(160, 344, 221, 25)), scaled(QRect(158, 368, 315, 25))}) {
        int bright = 0;
        for (int y = link.top(); y <= link.bottom(); ++y)
            for (int x = link.left(); x <= link.right(); ++x)
                bright += luminance(img.pixel(x, y)) > 140 ? 1 : 0;
        QVERIFY2(bright > 100 * factor * factor, "no link text under a link area");
    }
}

void TestBuiltinAssets::handCursor_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("factor");
    QTest::newRow("1x") << "builtin/hand.png" << 1;
    QTest::newRow("@2x") << "builtin/hand@2x.png" << 2;
}

void TestBuiltinAssets::handCursor()
{
    QFETCH(QString, file);
    QFETCH(int, factor);
    const QImage img = QImage(asset(file)).convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(img.size(), QSize(32, 32) * factor);
    // Hot spot (15, 14) in pixels of the small one: the fingertip is the
    // topmost part of the hand.
    const QPoint hot = QPoint(15, 14) * factor;
    QCOMPARE(qAlpha(img.pixel(hot)), 255);
    int opaque = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QRgb c = img.pixel(x, y);
            QVERIFY(qAlpha(c) == 0 || qAlpha(c) == 255);
            if (qAlpha(c) == 0)
                continue;
            ++opaque;
            QVERIFY2(y >= hot.y(), "hand reaches above its hot spot");
            QVERIFY(c == qRgb(0, 0, 0) || c == qRgb(255, 255, 255));
        }
    QVERIFY(opaque > 100 * factor * factor);
}

void TestBuiltinAssets::drawnAtTwiceTheSize_data()
{
    QTest::addColumn<QString>("small");
    QTest::addColumn<bool>("face");
    QTest::addColumn<int>("maxDistance"); // mean, of the @2x boxed down to 1x
    for (const QString& dir : QStringList{QStringLiteral("builtin")} +
                                  QStringList(shippedSkins())
                                      .replaceInStrings(QRegularExpression(QStringLiteral("^")),
                                                        QStringLiteral("Skins/"))) {
        QTest::newRow(qPrintable(dir + QStringLiteral(" face")))
            << dir + QStringLiteral("/back.bmp") << true << 3;
        for (const char* n : {"1", "2", "3", "4", "5"})
            QTest::newRow(qPrintable(dir + QStringLiteral(" strip ") + QLatin1String(n)))
                << QStringLiteral("%1/%2.bmp").arg(dir, QLatin1String(n)) << false << 3;
    }
    // Keyed edges against the magenta ground fall differently at each size.
    QTest::newRow("lamp off") << "builtin/led_off.bmp" << false << 8;
    QTest::newRow("lamp on") << "builtin/led_on.bmp" << false << 8;
    // Both are dithered to 256 colours.
    QTest::newRow("about") << "builtin/about.bmp" << false << 6;
}

// The @2x picture shows the same as its small one, but drawn at its own size:
// its 2 x 2 blocks are not copies of one pixel, and a face's outline steps in
// single pixels, still with a hard edge (checked in faceOutline).
void TestBuiltinAssets::drawnAtTwiceTheSize()
{
    QFETCH(QString, small);
    QFETCH(bool, face);
    QFETCH(int, maxDistance);
    const QImage one = loadRgb(asset(small));
    const QImage two = loadRgb(asset(doubled(QStringList{small}).first()));
    QVERIFY(!one.isNull() && !two.isNull());
    QCOMPARE(two.size(), one.size() * 2);
    QCOMPARE(readBmpHeader(asset(doubled(QStringList{small}).first())).bitsPerPixel,
             readBmpHeader(asset(small)).bitsPerPixel);
    const std::vector<bool> cut = face ? outsideOf(two) : std::vector<bool>();
    const auto isCut = [&](int x, int y) { return cut[static_cast<size_t>(y) * two.width() + x]; };
    long distance = 0;
    int blocks = 0, flatBlocks = 0, finerEdges = 0;
    for (int y = 0; y < one.height(); ++y)
        for (int x = 0; x < one.width(); ++x) {
            const std::array<QPoint, 4> at = {QPoint(2 * x, 2 * y), QPoint(2 * x + 1, 2 * y),
                                              QPoint(2 * x, 2 * y + 1),
                                              QPoint(2 * x + 1, 2 * y + 1)};
            int r = 0, g = 0, b = 0, cutCount = 0, same = 0;
            for (const QPoint& p : at) {
                const QRgb c = two.pixel(p);
                r += qRed(c);
                g += qGreen(c);
                b += qBlue(c);
                same += c == two.pixel(at[0]) ? 1 : 0;
                cutCount += face && isCut(p.x(), p.y()) ? 1 : 0;
            }
            distance += channelDistance(qRgb(r / 4, g / 4, b / 4), one.pixel(x, y));
            ++blocks;
            flatBlocks += same == 4 ? 1 : 0;
            finerEdges += cutCount != 0 && cutCount != 4 ? 1 : 0;
        }
    const double meanDistance = double(distance) / blocks;
    QVERIFY2(meanDistance <= maxDistance, qPrintable(QString::number(meanDistance)));
    // Face surroundings and lamp grounds are flat; the device is not.
    QVERIFY2(flatBlocks < blocks * 95 / 100, "the small picture doubled");
    if (face)
        QVERIFY2(finerEdges > 50, "outline steps in 2 x 2 blocks");
}

void TestBuiltinAssets::alarmSound()
{
    QFile f(asset(QStringLiteral("alarm.wav")));
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray d = f.readAll();
    QVERIFY(d.size() > 44 && d.startsWith("RIFF") && d.mid(8, 4) == "WAVE");
    QCOMPARE(qFromLittleEndian<quint32>(d.constData() + 4), quint32(d.size() - 8));
    QByteArray pcm;
    int rate = 0;
    for (qsizetype at = 12; at + 8 <= d.size();) {
        const QByteArray id = d.mid(at, 4);
        const auto len = static_cast<qsizetype>(qFromLittleEndian<quint32>(d.constData() + at + 4));
        QVERIFY(at + 8 + len <= d.size());
        if (id == "fmt ") {
            QCOMPARE(qFromLittleEndian<quint16>(d.constData() + at + 8), quint16(1));  // PCM
            QCOMPARE(qFromLittleEndian<quint16>(d.constData() + at + 10), quint16(1)); // mono
            rate = static_cast<int>(qFromLittleEndian<quint32>(d.constData() + at + 12));
            QCOMPARE(qFromLittleEndian<quint16>(d.constData() + at + 22), quint16(16));
        } else if (id == "data") {
            pcm = d.mid(at + 8, len);
        }
        at += 8 + len + (len % 2);
    }
    QCOMPARE(rate, 44100);
    const qsizetype samples = pcm.size() / 2;
    QVERIFY2(samples >= rate && samples <= 2 * rate, "not about one to two seconds long");
    // Only the first 300 ms are heard while the alarm rings: they must be loud,
    // unclipped, and more than one steady tone (beeps with a pause).
    const int window = rate * 3 / 10;
    double energy = 0;
    int peak = 0;
    std::vector<double> blocks;
    double block = 0;
    for (int i = 0; i < window; ++i) {
        const int v = qFromLittleEndian<qint16>(pcm.constData() + 2 * i);
        energy += double(v) * v;
        block += double(v) * v;
        peak = std::max(peak, std::abs(v));
        if ((i + 1) % (rate / 100) == 0) {
            blocks.push_back(std::sqrt(block / (rate / 100)) / 32768.0);
            block = 0;
        }
    }
    const double rms = std::sqrt(energy / window) / 32768.0;
    QVERIFY2(rms > 0.1, qPrintable(QStringLiteral("first 300 ms too quiet: %1").arg(rms)));
    QVERIFY(peak < 32767);
    const auto [quiet, loud] = std::minmax_element(blocks.begin(), blocks.end());
    QVERIFY2(*quiet < 0.02 && *loud > 0.15, "no beep pattern in the first 300 ms");
}

void TestBuiltinAssets::icons_data()
{
    QTest::addColumn<int>("size");
    for (const int n : {16, 22, 24, 32, 48, 64, 128, 256})
        QTest::newRow(qPrintable(QString::number(n))) << n;
}

void TestBuiltinAssets::icons()
{
    QFETCH(int, size);
    const QImage img =
        QImage(asset(QStringLiteral("icons/hicolor/%1x%1/apps/glimmora.png").arg(size)))
            .convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(img.size(), QSize(size, size));
    QCOMPARE(qAlpha(img.pixel(0, 0)), 0);
    QCOMPARE(qAlpha(img.pixel(size - 1, size - 1)), 0);
    QRect drawn;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const QRgb c = img.pixel(x, y);
            QVERIFY2(qAlpha(c) < 255 || c != kMask, "mask colour left in the icon");
            if (qAlpha(c) > 0)
                drawn |= QRect(x, y, 1, 1);
        }
    // One upright tube: nearly the icon's height, narrower than tall, centred.
    QVERIFY(drawn.height() >= size * 9 / 10);
    QVERIFY(drawn.width() < drawn.height());
    QVERIFY(std::abs((drawn.left() + drawn.right()) - (size - 1)) <= 2);
    // Its numeral glows: an orange pixel among the middle row's.
    bool glowing = false;
    for (int x = 0; x < size; ++x) {
        const QRgb c = img.pixel(x, size / 2);
        glowing =
            glowing || (qAlpha(c) == 255 && qRed(c) > 200 && qGreen(c) > 80 && qBlue(c) < 120);
    }
    QVERIFY(glowing);
}

QTEST_MAIN(TestBuiltinAssets)
#include "test_builtin_assets.moc"
