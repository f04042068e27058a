// Colon lamps and the hand cursor of the about window.

#include "Assets.h"
#include "Render.h"

#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <array>

namespace artgen {

std::array<QImage, 2> renderLamps(bool lit)
{
    constexpr int s = 8;
    HiCanvas canvas(QSize(16, 67), s);
    QPainter p;
    beginPainter(p, canvas);
    for (const double cy : {16.5, 50.5}) {
        const QPointF c(8, cy);
        // Black bezel: the only thing touching the magenta ground.
        QRadialGradient bezel(c + QPointF(-1.5, -1.5), 8.5);
        bezel.setColorAt(0, QColor(90, 90, 96));
        bezel.setColorAt(1, QColor(18, 18, 20));
        p.setPen(Qt::NoPen);
        p.setBrush(bezel);
        p.drawEllipse(c, 7.4, 7.4);
        const double r = 5.6;
        QRadialGradient lens(c + QPointF(-0.8, -1.0), r * 1.15);
        if (lit) {
            lens.setColorAt(0, QColor(255, 236, 220));
            lens.setColorAt(0.25, QColor(255, 110, 80));
            lens.setColorAt(0.7, QColor(235, 28, 18));
            lens.setColorAt(1, QColor(150, 8, 6));
        } else {
            lens.setColorAt(0, QColor(120, 30, 26));
            lens.setColorAt(0.6, QColor(78, 12, 10));
            lens.setColorAt(1, QColor(40, 6, 5));
        }
        p.setBrush(lens);
        p.drawEllipse(c, r, r);
        // Specular highlight, white when lit, faint when dark.
        QRadialGradient spec(c + QPointF(-1.9, -2.1), 2.2);
        spec.setColorAt(0, QColor(255, 255, 255, lit ? 255 : 110));
        spec.setColorAt(1, QColor(255, 255, 255, 0));
        p.setBrush(spec);
        p.drawEllipse(c + QPointF(-1.9, -2.1), 2.2, 2.2);
    }
    p.end();
    std::array<QImage, 2> out;
    for (int f = 1; f <= 2; ++f) {
        const QImage lo = downscale(canvas.image, s / f).convertToFormat(QImage::Format_ARGB32);
        QImage& lamp = out[f - 1];
        lamp = QImage(lo.size(), QImage::Format_RGB888);
        for (int y = 0; y < lo.height(); ++y)
            for (int x = 0; x < lo.width(); ++x) {
                const QRgb c = lo.pixel(x, y);
                lamp.setPixel(x, y,
                              qAlpha(c) >= 128 ? qRgb(qRed(c), qGreen(c), qBlue(c)) : kLampGround);
            }
    }
    return out;
}

// Pointing hand, black outline and white inside. Hot spot: (15, 14), the tip
// of the index finger (row 14, first 'X' pair).
QImage renderHandCursor()
{
    static const std::array<const char*, 32> rows = {
        "                                ", //  0
        "                                ", //  1
        "                                ", //  2
        "                                ", //  3
        "                                ", //  4
        "                                ", //  5
        "                                ", //  6
        "                                ", //  7
        "                                ", //  8
        "                                ", //  9
        "                                ", // 10
        "                                ", // 11
        "                                ", // 12
        "                                ", // 13
        "               XX               ", // 14
        "              X..X              ", // 15
        "              X..X              ", // 16
        "              X..X              ", // 17
        "              X..XXX            ", // 18
        "              X..X..XXX         ", // 19
        "              X..X..X..XX       ", // 20
        "           XXXX..X..X..X.X      ", // 21
        "          X...X..X..X..X.X      ", // 22
        "          X...X..........X      ", // 23
        "          X..............X      ", // 24
        "           X.............X      ", // 25
        "            X............X      ", // 26
        "            X...........X       ", // 27
        "             X..........X       ", // 28
        "             X.........X        ", // 29
        "             X.........X        ", // 30
        "             XXXXXXXXXXX        ", // 31
    };
    QImage img(32, 32, QImage::Format_ARGB32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const char c = rows[y][x];
            img.setPixel(x, y,
                         c == 'X'   ? qRgba(0, 0, 0, 255)
                         : c == '.' ? qRgba(255, 255, 255, 255)
                                    : qRgba(0, 0, 0, 0));
        }
    return img;
}

// The same hand drawn as outlines at twice the size: index finger up, three
// folded fingers, the thumb to the left, a 2-pixel black rim. Kept two-tone
// and fully opaque or fully clear like the small one.
QImage renderHandCursor2x()
{
    constexpr int s = 4; // supersampling per 64 x 64 pixel
    QImage hi(64 * s, 64 * s, QImage::Format_ARGB32_Premultiplied);
    hi.fill(Qt::transparent);
    QPainter p(&hi);
    p.setRenderHint(QPainter::Antialiasing);
    // Coordinates in the small cursor's pixels; one of them is 2 x 2 here.
    p.scale(2.0 * s, 2.0 * s);
    const QRectF fingers[] = {
        QRectF(22.4, 20.0, 3.6, 6.0),  // little
        QRectF(19.8, 19.0, 3.6, 7.0),  // ring
        QRectF(17.2, 18.0, 3.6, 8.0),  // middle
        QRectF(10.0, 21.0, 5.6, 4.4),  // thumb
        QRectF(14.0, 14.0, 4.0, 12.0), // index
    };
    QPainterPath palm;
    palm.moveTo(10.6, 23.6);
    palm.lineTo(26.0, 24.2);
    palm.lineTo(26.0, 26.8);
    palm.lineTo(24.4, 30.2);
    palm.lineTo(24.4, 32.0);
    palm.lineTo(13.0, 32.0);
    palm.lineTo(13.0, 28.6);
    palm.closeSubpath();
    QPainterPath hand = palm;
    // Each part outlined inside its own edge (a pen twice as wide, clipped),
    // the later ones over the earlier: fingers stay apart, the palm joins them.
    auto outlined = [&p](const QPainterPath& part, bool fill) {
        p.save();
        p.setClipPath(part);
        if (fill)
            p.fillPath(part, Qt::white);
        p.strokePath(part, QPen(Qt::black, 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.restore();
    };
    for (const QRectF& r : fingers) {
        QPainterPath finger;
        finger.addRoundedRect(r, std::min(r.width(), r.height()) / 2,
                              std::min(r.width(), r.height()) / 2);
        outlined(finger, true);
        hand = hand.united(finger);
    }
    p.fillPath(palm, Qt::white);
    outlined(hand, false);
    p.end();
    const QImage lo = downscale(hi, s).convertToFormat(QImage::Format_ARGB32);
    QImage out(64, 64, QImage::Format_ARGB32);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            const QRgb c = lo.pixel(x, y);
            if (qAlpha(c) < 128) {
                out.setPixel(x, y, qRgba(0, 0, 0, 0));
                continue;
            }
            const bool white = qRed(c) + qGreen(c) + qBlue(c) >= 3 * 128;
            out.setPixel(x, y, white ? qRgba(255, 255, 255, 255) : qRgba(0, 0, 0, 255));
        }
    return out;
}

} // namespace artgen
