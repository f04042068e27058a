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

bool writeIcons(const QDir& assets)
{
    bool ok = true;
    for (const int n : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString dir = assets.filePath(QStringLiteral("icons/hicolor/%1x%1/apps").arg(n));
        ok = QDir().mkpath(dir) && ok;
        ok = savePng(renderIcon(n), dir + QStringLiteral("/glimmora.png")) && ok;
    }
    return ok;
}

// "back.bmp" at factor 1, "back@2x.bmp" at factor 2.
QString sized(const QString& base, const QString& ext, int factor)
{
    return factor == 1 ? base + ext : base + QStringLiteral("@%1x").arg(factor) + ext;
}

// The face with its strips pasted in and the lamps lit, for looking at.
bool writePreview(const QImage& face, const FaceDesign& d, const std::array<QImage, 6>& strips,
                  const QString& preview, int factor)
{
    QImage view = composite(face, d, strips, kPreviewDigits, factor);
    if (d.size.width() >= 522 && d.size.height() >= 380) {
        // The colon lamps at their fixed places, keyed on magenta.
        QImage lamp = renderLamps(true)[factor - 1].convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < lamp.height(); ++y)
            for (int x = 0; x < lamp.width(); ++x)
                if (lamp.pixel(x, y) == kLampGround)
                    lamp.setPixel(x, y, 0);
        QPainter p(&view);
        p.drawImage(QPoint(478, 313) * factor, lamp);
        p.drawImage(QPoint(506, 313) * factor, lamp);
    }
    const QString name = factor == 1 ? d.name : d.name + QStringLiteral("@2x");
    bool ok = savePng(view, preview + QStringLiteral("/%1-composite.png").arg(name));
    if (factor == 1)
        ok = savePng(enlarged(view, 3),
                     preview + QStringLiteral("/%1-composite-x3.png").arg(name)) &&
             ok;
    return ok;
}

} // namespace

bool writeFaceFiles(const FaceDesign& d, const QDir& dir, bool withIni, const QString& preview)
{
    bool ok = QDir().mkpath(dir.path());
    const QImage hi = renderFaceHiRes(d, kScale, kFaceDigits);
    std::array<std::array<QImage, 6>, 2> strips;
    for (int i = 0; i < 5; ++i) {
        const std::array<QImage, 2> both =
            renderStrips(d.tubes[i], kStripCells[i], d.style, kScale);
        for (int f = 1; f <= 2; ++f) {
            strips[f - 1][i] = both[f - 1];
            ok =
                saveBmp24(both[f - 1],
                          dir.filePath(sized(QString::number(i + 1), QStringLiteral(".bmp"), f))) &&
                ok;
        }
    }
    for (int f = 1; f <= 2; ++f) {
        const QImage face = finishFace(hi, kScale, f);
        ok = saveBmp24(face,
                       dir.filePath(sized(QStringLiteral("back"), QStringLiteral(".bmp"), f))) &&
             ok;
        // The two seconds tubes share "5.bmp"; both tubes look alike around it.
        strips[f - 1][5] = strips[f - 1][4];
        // Each cell must continue the face seamlessly: the face's own tube shows
        // the same pixels as the strip cell of the same digit.
        for (int i = 0; i < 6; ++i) {
            const QRect cell(d.tubes[i].cell.topLeft() * f, d.tubes[i].cell.size() * f);
            const QImage fromFace = face.copy(cell).convertToFormat(QImage::Format_RGB888);
            const QImage fromStrip =
                strips[f - 1][i]
                    .copy(QRect(kFaceDigits[i] * cell.width(), 0, cell.width(), cell.height()))
                    .convertToFormat(QImage::Format_RGB888);
            if (fromFace != fromStrip) {
                std::fprintf(stderr, "%s: tube %d differs from its strip cell at %dx\n",
                             qPrintable(d.name), i, f);
                ok = false;
            }
        }
        if (!preview.isEmpty())
            ok = writePreview(face, d, strips[f - 1], preview, f) && ok;
    }
    if (withIni)
        ok = writeFile(dir.filePath(QStringLiteral("SkinFile.ini")), skinIni(d)) && ok;
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
    for (int f = 1; f <= 2; ++f) {
        for (const bool lit : {false, true})
            ok = saveBmp24(renderLamps(lit)[f - 1],
                           builtin.filePath(
                               sized(lit ? QStringLiteral("led_on") : QStringLiteral("led_off"),
                                     QStringLiteral(".bmp"), f))) &&
                 ok;
        ok = savePng(f == 1 ? renderHandCursor() : renderHandCursor2x(),
                     builtin.filePath(sized(QStringLiteral("hand"), QStringLiteral(".png"), f))) &&
             ok;
        // The about picture keeps its 256 colours at both sizes.
        const QImage about = renderAbout(f);
        if (about.format() != QImage::Format_Indexed8 ||
            !about.save(builtin.filePath(sized(QStringLiteral("about"), QStringLiteral(".bmp"), f)),
                        "BMP")) {
            std::fprintf(stderr, "cannot write the about picture at %dx\n", f);
            ok = false;
        }
        if (!preview.isEmpty())
            ok = savePng(about, preview + QStringLiteral("/%1.png").arg(
                                              sized(QStringLiteral("about"), QString(), f))) &&
                 ok;
    }
    ok = writeIcons(assets) && ok;
    ok = writeFile(assets.filePath(QStringLiteral("alarm.wav")), alarmWav()) && ok;

    for (const FaceDesign& skin : {bernsteinDesign(), nachtblauDesign()})
        ok = writeFaceFiles(skin, QDir(assets.filePath(QStringLiteral("Skins/") + skin.name)), true,
                            preview) &&
             ok;
    if (!preview.isEmpty()) {
        ok = savePng(enlarged(renderLamps(false)[0], 4),
                     preview + QStringLiteral("/led_off-x4.png")) &&
             ok;
        ok = savePng(enlarged(renderLamps(true)[0], 4),
                     preview + QStringLiteral("/led_on-x4.png")) &&
             ok;
        ok = savePng(enlarged(renderHandCursor(), 8), preview + QStringLiteral("/hand-x8.png")) &&
             ok;
        ok = savePng(enlarged(renderHandCursor2x(), 4),
                     preview + QStringLiteral("/hand@2x-x4.png")) &&
             ok;
    }
    return ok;
}

} // namespace artgen
