// The about picture: the clock as a product shot on a dark stage, its name,
// and the two link texts under the window's link areas. The version text is
// drawn by the program into the empty dark corner at the bottom right.

#include "Assets.h"
#include "Parts.h"
#include "Render.h"

#include <QLinearGradient>
#include <QRadialGradient>

#include <cmath>

namespace artgen {

namespace {

constexpr Digits kAboutDigits = {1, 0, 0, 8, 4, 2};
const QColor kLink(255, 178, 102);

// The device cut out of the hi-res face, at the given width in pixels of the
// picture (factor pixels per unit of the drawing).
QImage productShot(int width, int factor)
{
    const FaceDesign d = builtinDesign();
    const QImage hi = renderFaceHiRes(d, kScale, kAboutDigits);
    QRect box;
    for (int y = 0; y < hi.height(); y += 2)
        for (int x = 0; x < hi.width(); x += 2)
            if (qAlpha(hi.pixel(x, y)) > 8)
                box |= QRect(x, y, 2, 2);
    QImage shot = hi.copy(box).scaledToWidth(width * factor, Qt::SmoothTransformation);
    shot.setDevicePixelRatio(factor);
    return shot;
}

// Bright warm parts of the picture, blurred: the light the tubes throw.
QImage bloomOf(const QImage& shot, double radius)
{
    QImage b = shot.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < b.height(); ++y)
        for (int x = 0; x < b.width(); ++x) {
            const QRgb c = b.pixel(x, y);
            const int warm = qRed(c) - qBlue(c);
            b.setPixel(x, y, warm > 120 && qRed(c) > 180 ? qRgba(255, 120, 40, 255) : 0);
        }
    b = b.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    blur(b, radius * shot.devicePixelRatio());
    b.setDevicePixelRatio(shot.devicePixelRatio());
    return b;
}

void globeIcon(QPainter& p, QPointF c, double r, const QColor& ink)
{
    p.setPen(QPen(ink, 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, r, r);
    p.drawEllipse(c, r * 0.45, r);
    p.drawLine(c - QPointF(r, 0), c + QPointF(r, 0));
    p.drawLine(c - QPointF(0, r), c + QPointF(0, r));
}

void bookIcon(QPainter& p, QPointF c, double r, const QColor& ink)
{
    p.setPen(QPen(ink, 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    QPainterPath book;
    book.moveTo(c.x(), c.y() - r * 0.55);
    book.quadTo(c.x() - r * 0.5, c.y() - r * 0.85, c.x() - r, c.y() - r * 0.6);
    book.lineTo(c.x() - r, c.y() + r * 0.7);
    book.quadTo(c.x() - r * 0.5, c.y() + r * 0.45, c.x(), c.y() + r * 0.75);
    book.quadTo(c.x() + r * 0.5, c.y() + r * 0.45, c.x() + r, c.y() + r * 0.7);
    book.lineTo(c.x() + r, c.y() - r * 0.6);
    book.quadTo(c.x() + r * 0.5, c.y() - r * 0.85, c.x(), c.y() - r * 0.55);
    book.lineTo(c.x(), c.y() + r * 0.75);
    p.drawPath(book);
}

void linkText(QPainter& p, const QRect& area, const QString& text, bool globe)
{
    const QPointF iconCentre(area.x() + 10.5, area.center().y() + 0.5);
    if (globe)
        globeIcon(p, iconCentre, 6.5, kLink);
    else
        bookIcon(p, iconCentre, 7.5, kLink);
    QFont f = sansFont(15, true);
    f.setUnderline(true);
    p.setFont(f);
    p.setPen(kLink);
    p.drawText(QRect(area.x() + 24, area.y(), area.width() - 24, area.height()),
               Qt::AlignLeft | Qt::AlignVCenter, text);
}

} // namespace

QImage renderAbout(int factor)
{
    // Drawn in units of the small picture; the hi-res images carry their
    // ratio, so they land pixel for pixel.
    QImage img(616 * factor, 400 * factor, QImage::Format_ARGB32_Premultiplied);
    img.setDevicePixelRatio(factor);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    QLinearGradient stage(0, 0, 0, 400);
    stage.setColorAt(0, QColor(24, 26, 36));
    stage.setColorAt(0.55, QColor(10, 10, 14));
    stage.setColorAt(1, QColor(4, 4, 6));
    const QRect all(0, 0, 616, 400);
    p.fillRect(all, stage);
    QRadialGradient spot(QPointF(308, 215), 330);
    spot.setColorAt(0, QColor(90, 52, 26, 120));
    spot.setColorAt(0.5, QColor(50, 30, 20, 50));
    spot.setColorAt(1, QColor(0, 0, 0, 0));
    p.fillRect(all, spot);

    // Title.
    p.setFont(sansFont(11, true, 5.0));
    p.setPen(QColor(170, 150, 130));
    p.drawText(QRect(0, 22, 616, 16), Qt::AlignHCenter | Qt::AlignVCenter,
               QStringLiteral("MARVANE"));
    QFont title = serifFont(50, true, 9.0);
    p.setFont(title);
    p.setPen(QColor(60, 30, 10));
    p.drawText(QRect(2, 40, 616, 60), Qt::AlignHCenter | Qt::AlignVCenter,
               QStringLiteral("GLIMMORA"));
    QLinearGradient gold(0, 50, 0, 95);
    gold.setColorAt(0, QColor(255, 230, 180));
    gold.setColorAt(0.5, QColor(240, 170, 90));
    gold.setColorAt(1, QColor(170, 90, 40));
    p.setPen(QPen(QBrush(gold), 1));
    p.drawText(QRect(0, 38, 616, 60), Qt::AlignHCenter | Qt::AlignVCenter,
               QStringLiteral("GLIMMORA"));
    p.setFont(sansFont(14, false, 1.0));
    p.setPen(QColor(190, 180, 170));
    p.drawText(QRect(0, 98, 616, 20), Qt::AlignHCenter | Qt::AlignVCenter,
               QStringLiteral("Röhrenuhr für den Schreibtisch"));

    // The clock on a glossy table, with its reflection and its glow.
    const QImage shot = productShot(560, factor);
    const QSizeF shotSize = shot.deviceIndependentSize();
    const QPointF at((616 - shotSize.width()) / 2.0, 300 - shotSize.height());
    QRadialGradient pool(QPointF(308, 300), 300);
    pool.setColorAt(0, QColor(60, 40, 28, 140));
    pool.setColorAt(1, QColor(0, 0, 0, 0));
    p.save();
    p.scale(1.0, 0.12);
    p.setPen(Qt::NoPen);
    p.setBrush(pool);
    p.drawEllipse(QPointF(308, 300 / 0.12), 300, 300);
    p.restore();
    QImage bloom = bloomOf(shot, 14);
    p.save();
    p.setCompositionMode(QPainter::CompositionMode_Plus);
    p.setOpacity(0.45);
    p.drawImage(at, bloom);
    p.restore();
    QImage mirror = shot.mirrored(false, true);
    mirror.setDevicePixelRatio(factor);
    {
        QPainter mp(&mirror);
        mp.setCompositionMode(QPainter::CompositionMode_DestinationIn);
        QLinearGradient fade(0, 0, 0, 34);
        fade.setColorAt(0, QColor(0, 0, 0, 60));
        fade.setColorAt(1, QColor(0, 0, 0, 0));
        mp.fillRect(QRectF(QPointF(0, 0), mirror.deviceIndependentSize()), fade);
    }
    p.drawImage(at + QPointF(0, shotSize.height() - 2), mirror);
    p.drawImage(at, shot);

    // Links (the window's click areas lie exactly over these).
    linkText(p, QRect(160, 344, 221, 25), QStringLiteral("glimmora.example.org"), true);
    linkText(p, QRect(158, 368, 315, 25), QStringLiteral("Glimmora Benutzerhandbuch"), false);
    p.end();
    img.setDevicePixelRatio(1);
    return quantize256(img);
}

} // namespace artgen
