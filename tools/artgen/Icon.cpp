// The program's icon: one lit tube, upright, filling the square's height, so
// it still reads as a glowing digit at 16 pixels.

#include "Assets.h"
#include "Tube.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

#include <algorithm>

namespace artgen {

namespace {

constexpr int kIconScale = 8; // drawn this many times larger, then reduced
constexpr int kIconDigit = 2;

} // namespace

QImage renderIcon(int size)
{
    const int s = kIconScale;
    const double n = size;
    QImage big(size * s, size * s, QImage::Format_ARGB32_Premultiplied);
    big.fill(Qt::transparent);
    QPainter p(&big);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(s, s);

    // Glass: a dome on top, nearly square corners at the socket.
    const double gw = n * 0.62;
    const double gx = (n - gw) / 2.0;
    const double top = n * 0.02;
    const double bottom = n * 0.98;
    const bool socket = size >= 32;
    const double glassBottom = socket ? bottom - n * 0.12 : bottom;
    QPainterPath glass;
    glass.moveTo(gx, glassBottom);
    glass.lineTo(gx, top + gw / 2.0);
    glass.arcTo(QRectF(gx, top, gw, gw), 180.0, -180.0);
    glass.lineTo(gx + gw, glassBottom);
    glass.closeSubpath();
    QLinearGradient inside(0, top, 0, glassBottom);
    inside.setColorAt(0.0, QColor(40, 26, 18));
    inside.setColorAt(1.0, QColor(16, 10, 8));
    p.fillPath(glass, inside);

    // The glow behind the numeral.
    const QPointF centre(n / 2.0, (top + glassBottom) / 2.0 + n * 0.04);
    QRadialGradient glow(centre, gw * 0.75);
    glow.setColorAt(0.0, QColor(255, 90, 20, 150));
    glow.setColorAt(1.0, QColor(255, 60, 10, 0));
    p.fillPath(glass, glow);

    // The numeral: a wide halo, the orange wire, its hot centre. Strokes keep
    // at least about 1.6 pixels at the small sizes.
    const double dw = gw * 0.64;
    const double dh = (glassBottom - top) * 0.6;
    QTransform t;
    t.translate(centre.x() - dw / 2.0, centre.y() - dh / 2.0);
    t.scale(dw / 10.0, dh / 16.0);
    const QPainterPath digit = t.map(digitPath(kIconDigit));
    const double wire = std::max(1.6, n * 0.075);
    auto stroke = [&](const QColor& c, double width) {
        p.strokePath(digit, QPen(c, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    };
    stroke(QColor(255, 80, 10, 90), wire * 2.2);
    stroke(QColor(255, 128, 36), wire);
    stroke(QColor(255, 214, 150), wire * 0.4);

    // The glass's rim and a highlight on its left.
    p.strokePath(glass, QPen(QColor(190, 205, 225, 210), std::max(1.0, n / 28.0)));
    if (size >= 24) {
        QPainterPath shine;
        shine.moveTo(gx + gw * 0.2, glassBottom - gw * 0.3);
        shine.lineTo(gx + gw * 0.2, top + gw * 0.5);
        p.strokePath(shine, QPen(QColor(255, 255, 255, 70), n / 24.0, Qt::SolidLine, Qt::RoundCap));
    }

    // The socket with its metal ring, where there is room for it.
    if (socket) {
        const QRectF base(gx - n * 0.02, glassBottom, gw + n * 0.04, bottom - glassBottom);
        p.fillRect(base, QColor(24, 24, 28));
        p.fillRect(QRectF(base.x(), base.y(), base.width(), n * 0.025), QColor(190, 190, 196));
    }
    p.end();
    return big.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .convertToFormat(QImage::Format_ARGB32);
}

} // namespace artgen
