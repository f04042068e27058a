#include "Assets.h"

#include "Render.h"

#include <QFile>

#include <cstdio>

namespace artgen {

namespace {

// What the faces' own tubes show; covered by the clock's tubes when it runs.
constexpr Digits kFaceDigits = {1, 0, 0, 8, 4, 2};
constexpr Digits kPreviewDigits = {1, 2, 3, 4, 5, 6};

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

bool savePng(const QImage& image, const QString& path)
{
    const bool ok = image.save(path, "PNG");
    if (!ok)
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return ok;
}

QImage enlarged(const QImage& image, int factor)
{
    return image.scaled(image.size() * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

// Icon: the device cut out of its surroundings, scaled into a square.
QImage iconOf(const QImage& face, int size)
{
    const QImage cut = maskToAlpha(face);
    QRect box;
    for (int y = 0; y < cut.height(); ++y)
        for (int x = 0; x < cut.width(); ++x)
            if (qAlpha(cut.pixel(x, y)) != 0)
                box |= QRect(x, y, 1, 1);
    const QImage device = cut.copy(box).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage scaled = device.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter p(&icon);
    p.drawImage((size - scaled.width()) / 2, (size - scaled.height()) / 2, scaled);
    p.end();
    return icon.convertToFormat(QImage::Format_ARGB32);
}

bool writeIcons(const QDir& assets, const QImage& face)
{
    bool ok = true;
    for (const int n : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString dir = assets.filePath(QStringLiteral("icons/hicolor/%1x%1/apps").arg(n));
        ok = QDir().mkpath(dir) && ok;
        ok = savePng(iconOf(face, n), dir + QStringLiteral("/glimmora.png")) && ok;
    }
    return ok;
}

} // namespace

bool writeFaceFiles(const FaceDesign& d, const QDir& dir, bool withIni, const QString& preview)
{
    bool ok = QDir().mkpath(dir.path());
    const QImage face = renderFace(d, kScale, kFaceDigits);
    ok = saveBmp24(face, dir.filePath(QStringLiteral("back.bmp"))) && ok;
    std::array<QImage, 6> strips;
    for (int i = 0; i < 5; ++i) {
        strips[i] = renderStrip(d.tubes[i], kStripCells[i], d.style, kScale);
        ok = saveBmp24(strips[i], dir.filePath(QStringLiteral("%1.bmp").arg(i + 1))) && ok;
    }
    // The two seconds tubes share "5.bmp"; both tubes look alike around it.
    strips[5] = strips[4];
    // Each cell must continue the face seamlessly: the face's own tube shows
    // the same pixels as the strip cell of the same digit.
    for (int i = 0; i < 6; ++i) {
        const QRect& cell = d.tubes[i].cell;
        const QImage fromFace = face.copy(cell).convertToFormat(QImage::Format_RGB888);
        const QImage fromStrip =
            strips[i]
                .copy(QRect(kFaceDigits[i] * cell.width(), 0, cell.width(), cell.height()))
                .convertToFormat(QImage::Format_RGB888);
        if (fromFace != fromStrip) {
            std::fprintf(stderr, "%s: tube %d differs from its strip cell\n", qPrintable(d.name),
                         i);
            ok = false;
        }
    }
    if (withIni)
        ok = writeFile(dir.filePath(QStringLiteral("SkinFile.ini")), skinIni(d)) && ok;
    if (!preview.isEmpty()) {
        QImage view = composite(face, d, strips, kPreviewDigits);
        if (d.size.width() >= 522 && d.size.height() >= 380) {
            // The colon lamps at their fixed places, keyed on magenta.
            QImage lamp = renderLamp(true).convertToFormat(QImage::Format_ARGB32);
            for (int y = 0; y < lamp.height(); ++y)
                for (int x = 0; x < lamp.width(); ++x)
                    if (lamp.pixel(x, y) == kLampGround)
                        lamp.setPixel(x, y, 0);
            QPainter p(&view);
            p.drawImage(478, 313, lamp);
            p.drawImage(506, 313, lamp);
        }
        ok = savePng(view, preview + QStringLiteral("/%1-composite.png").arg(d.name)) && ok;
        ok = savePng(enlarged(view, 3),
                     preview + QStringLiteral("/%1-composite-x3.png").arg(d.name)) &&
             ok;
    }
    return ok;
}

QByteArray skinIni(const FaceDesign& d)
{
    QByteArray ini = "[Marvane Glimmora]\n";
    auto line = [&ini](const QString& key, const QString& value) {
        ini += (key + QLatin1Char('=') + value + QLatin1Char('\n')).toUtf8();
    };
    line(QStringLiteral("Width"), QString::number(d.size.width()));
    line(QStringLiteral("Height"), QString::number(d.size.height()));
    for (int i = 1; i <= 6; ++i) {
        if (i == 6 && d.seconds5Shared)
            continue;
        line(QStringLiteral("Digit%1_File").arg(i), QStringLiteral("%1.bmp").arg(i == 6 ? 5 : i));
    }
    auto rect = [&line](const QString& prefix, const QRect& r) {
        line(prefix + QStringLiteral("_Top"), QString::number(r.y()));
        line(prefix + QStringLiteral("_Left"), QString::number(r.x()));
        line(prefix + QStringLiteral("_Width"), QString::number(r.width()));
        line(prefix + QStringLiteral("_Height"), QString::number(r.height()));
    };
    for (int i = 0; i < 6; ++i)
        rect(QStringLiteral("Digit%1").arg(i + 1), d.tubes[i].cell);
    rect(QStringLiteral("PowerSwitch"), d.power);
    rect(QStringLiteral("StandBy"), d.standby);
    rect(QStringLiteral("Alarm"), d.alarm);
    return ini;
}

bool writeAll(const QDir& assets, const QString& preview)
{
    bool ok = true;
    const QDir builtin(assets.filePath(QStringLiteral("builtin")));
    const FaceDesign face = builtinDesign();
    ok = writeFaceFiles(face, builtin, false, preview) && ok;
    ok = saveBmp24(renderLamp(false), builtin.filePath(QStringLiteral("led_off.bmp"))) && ok;
    ok = saveBmp24(renderLamp(true), builtin.filePath(QStringLiteral("led_on.bmp"))) && ok;
    ok = savePng(renderHandCursor(), builtin.filePath(QStringLiteral("hand.png"))) && ok;

    const QImage about = renderAbout();
    if (about.format() != QImage::Format_Indexed8 ||
        !about.save(builtin.filePath(QStringLiteral("about.bmp")), "BMP")) {
        std::fprintf(stderr, "cannot write about.bmp\n");
        ok = false;
    }
    ok = writeIcons(assets, renderFace(face, kScale, kFaceDigits)) && ok;
    ok = writeFile(assets.filePath(QStringLiteral("alarm.wav")), alarmWav()) && ok;

    for (const FaceDesign& skin : {bernsteinDesign(), nachtblauDesign()})
        ok = writeFaceFiles(skin, QDir(assets.filePath(QStringLiteral("Skins/") + skin.name)), true,
                            preview) &&
             ok;
    if (!preview.isEmpty()) {
        ok = savePng(enlarged(renderLamp(false), 4), preview + QStringLiteral("/led_off-x4.png")) &&
             ok;
        ok = savePng(enlarged(renderLamp(true), 4), preview + QStringLiteral("/led_on-x4.png")) &&
             ok;
        ok = savePng(enlarged(renderHandCursor(), 8), preview + QStringLiteral("/hand-x8.png")) &&
             ok;
        ok = savePng(about, preview + QStringLiteral("/about.png")) && ok;
    }
    return ok;
}

} // namespace artgen
