#include "Parts.h"

#include "Render.h"

#include <QLinearGradient>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>

namespace artgen {

namespace {

// A texture covering the path's bounds (whole face pixels), one value per
// device pixel, clipped to the path.
template <typename Fn>
void fillProcedural(QPainter& p, int s, const QPainterPath& path, Fn colourAt)
{
    const QRect box = path.boundingRect().toAlignedRect().adjusted(-1, -1, 1, 1);
    QImage tex(box.size() * s, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < tex.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(tex.scanLine(y));
        const double fy = box.y() + (y + 0.5) / s;
        for (int x = 0; x < tex.width(); ++x)
            row[x] = colourAt(box.x() + (x + 0.5) / s, fy);
    }
    p.save();
    p.setClipPath(path, Qt::IntersectClip);
    blitAt(p, s, box.topLeft(), tex);
    p.restore();
}

QRgb rgbOf(const QColor& c)
{
    return c.rgba();
}

} // namespace

void fillWood(QPainter& p, int s, const QPainterPath& path, const WoodColors& c, std::uint32_t seed,
              double grainScale)
{
    fillProcedural(p, s, path, [&](double x, double y) {
        x /= grainScale;
        y /= grainScale;
        const double warp = fbm(x * 0.012, y * 0.07, seed, 4);
        const double slow = fbm(x * 0.003, y * 0.02, seed + 3, 3);
        const double ring = std::sin((y * 0.85 + warp * 22.0 + slow * 40.0) * 0.9);
        const double band = std::pow(0.5 + 0.5 * ring, 2.2);
        const double fine = fbm(x * 0.035, y * 1.4, seed + 11, 3);
        const double pore = hash01(static_cast<int>(x * 0.5), static_cast<int>(y * 3.0), seed + 5);
        double v = 0.25 + 0.45 * band + 0.45 * (fine - 0.5) + 0.2 * (slow - 0.5);
        if (pore > 0.985)
            v -= 0.25;
        return rgbOf(mix(c.dark, c.light, v));
    });
}

void fillBrushed(QPainter& p, int s, const QPainterPath& path, const QColor& base,
                 std::uint32_t seed, bool vertical)
{
    fillProcedural(p, s, path, [&](double x, double y) {
        if (vertical)
            std::swap(x, y);
        const double streaks = fbm(x * 0.008, y * 2.2, seed, 4) - 0.5;
        const double grain =
            hash01(static_cast<int>(x * 0.25), static_cast<int>(y * 4.0), seed) - 0.5;
        const double broad = fbm(x * 0.004, y * 0.03, seed + 9, 2) - 0.5;
        const double f = 1.0 + streaks * 0.22 + grain * 0.06 + broad * 0.12;
        return qRgb(std::clamp(static_cast<int>(base.red() * f), 0, 255),
                    std::clamp(static_cast<int>(base.green() * f), 0, 255),
                    std::clamp(static_cast<int>(base.blue() * f), 0, 255));
    });
}

void fillMarble(QPainter& p, int s, const QPainterPath& path, const QColor& a, const QColor& b,
                std::uint32_t seed)
{
    fillProcedural(p, s, path, [&](double x, double y) {
        const double wx = fbm(x * 0.012, y * 0.012, seed, 4);
        const double wy = fbm(x * 0.012 + 5.2, y * 0.012 + 1.3, seed + 1, 4);
        const double v = fbm(x * 0.02 + wx * 2.4, y * 0.03 + wy * 2.4, seed + 2, 5);
        const double t = std::clamp((v - 0.3) * 2.2, 0.0, 1.0);
        return rgbOf(mix(a, b, t * t * (3 - 2 * t)));
    });
}

void fillFlake(QPainter& p, int s, const QPainterPath& path, const QColor& base, std::uint32_t seed)
{
    fillProcedural(p, s, path, [&](double x, double y) {
        const double cloud = fbm(x * 0.01, y * 0.01, seed, 3) - 0.5;
        const double flake = hash01(static_cast<int>(x * 2.0), static_cast<int>(y * 2.0), seed);
        double f = 1.0 + cloud * 0.25;
        if (flake > 0.93)
            f += (flake - 0.93) * 9.0;
        return qRgb(std::clamp(static_cast<int>(base.red() * f + (f > 1.3 ? 20 : 0)), 0, 255),
                    std::clamp(static_cast<int>(base.green() * f + (f > 1.3 ? 20 : 0)), 0, 255),
                    std::clamp(static_cast<int>(base.blue() * f), 0, 255));
    });
}

void addSpeckle(QPainter& p, int s, const QPainterPath& path, int strength, std::uint32_t seed)
{
    const QRect box = path.boundingRect().toAlignedRect().adjusted(-1, -1, 1, 1);
    QImage tex(box.size() * s, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < tex.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(tex.scanLine(y));
        for (int x = 0; x < tex.width(); ++x) {
            const double n =
                fbm((box.x() + x / double(s)) * 0.9, (box.y() + y / double(s)) * 0.9, seed, 2);
            const int a = std::clamp(static_cast<int>((n - 0.5) * 2.0 * strength), -255, 255);
            row[x] = a >= 0 ? qPremultiply(qRgba(255, 255, 255, a)) : qRgba(0, 0, 0, -a);
        }
    }
    p.save();
    p.setClipPath(path, Qt::IntersectClip);
    blitAt(p, s, box.topLeft(), tex);
    p.restore();
}

void shadeBody(QPainter& p, const QPainterPath& path, const QRectF& box, int top, int bottom)
{
    QLinearGradient g(0, box.top(), 0, box.bottom());
    g.setColorAt(0, QColor(255, 255, 255, top));
    g.setColorAt(0.35, QColor(255, 255, 255, 0));
    g.setColorAt(0.6, QColor(0, 0, 0, 0));
    g.setColorAt(1, QColor(0, 0, 0, bottom));
    p.fillPath(path, g);
}

void dropShadow(QPainter& p, int s, const QPainterPath& path, QPointF offset, double radius,
                int alpha)
{
    const QRect box = path.boundingRect().translated(offset).toAlignedRect().adjusted(
        -int(radius * 3) - 2, -int(radius * 3) - 2, int(radius * 3) + 2, int(radius * 3) + 2);
    QImage layer(box.size() * s, QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    QPainter lp(&layer);
    lp.setRenderHint(QPainter::Antialiasing);
    lp.scale(s, s);
    lp.translate(-box.topLeft() + offset);
    lp.fillPath(path, QColor(0, 0, 0, alpha));
    lp.end();
    blur(layer, radius * s);
    blitAt(p, s, box.topLeft(), layer);
}

void metalRing(QPainter& p, QPointF c, double outer, double inner, const QColor& metal)
{
    QPainterPath ring;
    ring.addEllipse(c, outer, outer);
    QPainterPath hole;
    hole.addEllipse(c, inner, inner);
    ring = ring.subtracted(hole);
    QLinearGradient g(c.x() - outer, c.y() - outer, c.x() + outer, c.y() + outer);
    g.setColorAt(0, metal.lighter(150));
    g.setColorAt(0.45, metal);
    g.setColorAt(0.55, metal.darker(130));
    g.setColorAt(1, metal.darker(220));
    p.fillPath(ring, g);
    p.strokePath(ring, QPen(metal.darker(300), 0.3));
}

void toggleSwitch(QPainter& p, QPointF nut, double size, const QColor& chrome)
{
    // Knurled mounting nut seen from the front.
    metalRing(p, nut, size * 0.62, size * 0.3, chrome);
    QRadialGradient hole(nut, size * 0.3);
    hole.setColorAt(0, QColor(10, 10, 10));
    hole.setColorAt(1, QColor(40, 40, 44));
    p.setPen(Qt::NoPen);
    p.setBrush(hole);
    p.drawEllipse(nut, size * 0.3, size * 0.3);
    // The bat lever, thrown up, seen foreshortened.
    const QPointF tip(nut.x(), nut.y() - size * 1.05);
    QPainterPath lever;
    lever.moveTo(nut.x() - size * 0.16, nut.y());
    lever.lineTo(tip.x() - size * 0.11, tip.y() + size * 0.1);
    lever.lineTo(tip.x() + size * 0.11, tip.y() + size * 0.1);
    lever.lineTo(nut.x() + size * 0.16, nut.y());
    lever.closeSubpath();
    QPainterPath shadow = lever.translated(size * 0.12, size * 0.1);
    p.fillPath(shadow, QColor(0, 0, 0, 70));
    QLinearGradient lg(nut.x() - size * 0.16, 0, nut.x() + size * 0.16, 0);
    lg.setColorAt(0, chrome.darker(160));
    lg.setColorAt(0.3, chrome.lighter(160));
    lg.setColorAt(0.55, chrome);
    lg.setColorAt(1, chrome.darker(250));
    p.fillPath(lever, lg);
    QRadialGradient ball(tip + QPointF(-size * 0.06, -size * 0.05), size * 0.2);
    ball.setColorAt(0, QColor(255, 255, 255));
    ball.setColorAt(0.35, chrome.lighter(120));
    ball.setColorAt(1, chrome.darker(240));
    p.setBrush(ball);
    p.setPen(QPen(chrome.darker(300), 0.3));
    p.drawEllipse(tip, size * 0.17, size * 0.15);
}

void pushButton(QPainter& p, QPointF c, double r, const QColor& cap, const QColor& bezel)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 80));
    p.drawEllipse(c + QPointF(0.6, 0.9), r + 0.6, r + 0.6);
    metalRing(p, c, r, r * 0.74, bezel);
    p.setBrush(QColor(12, 10, 10));
    p.drawEllipse(c, r * 0.74, r * 0.74);
    const double cr = r * 0.66;
    QRadialGradient g(c + QPointF(-cr * 0.35, -cr * 0.4), cr * 1.4);
    g.setColorAt(0, cap.lighter(175));
    g.setColorAt(0.4, cap);
    g.setColorAt(1, cap.darker(220));
    p.setBrush(g);
    p.drawEllipse(c, cr, cr);
    // Slightly dished top catches a crescent of light at the bottom.
    QRadialGradient dish(c + QPointF(0, cr * 0.55), cr * 0.7);
    dish.setColorAt(0, QColor(255, 255, 255, 40));
    dish.setColorAt(1, QColor(255, 255, 255, 0));
    p.setBrush(dish);
    p.drawEllipse(c, cr, cr);
    QRadialGradient spec(c + QPointF(-cr * 0.38, -cr * 0.45), cr * 0.35);
    spec.setColorAt(0, QColor(255, 255, 255, 150));
    spec.setColorAt(1, QColor(255, 255, 255, 0));
    p.setBrush(spec);
    p.drawEllipse(c, cr, cr);
}

void screw(QPainter& p, QPointF c, double r, double slotAngle)
{
    QRadialGradient g(c + QPointF(-r * 0.3, -r * 0.3), r * 1.3);
    g.setColorAt(0, QColor(235, 235, 238));
    g.setColorAt(1, QColor(95, 95, 100));
    p.setPen(QPen(QColor(50, 50, 54), 0.3));
    p.setBrush(g);
    p.drawEllipse(c, r, r);
    const double a = slotAngle * M_PI / 180.0;
    const QPointF d(std::cos(a) * r * 0.8, std::sin(a) * r * 0.8);
    p.setPen(QPen(QColor(45, 45, 50), r * 0.35, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(c - d, c + d);
}

void pilotLamp(QPainter& p, int s, QPointF c, double r, const QColor& colour)
{
    QPainterPath halo;
    halo.addEllipse(c, r * 1.3, r * 1.3);
    QRadialGradient hg(c, r * 2.6);
    QColor hc = colour;
    hc.setAlpha(90);
    hg.setColorAt(0, hc);
    hc.setAlpha(0);
    hg.setColorAt(1, hc);
    p.setPen(Qt::NoPen);
    p.setBrush(hg);
    p.drawEllipse(c, r * 2.6, r * 2.6);
    metalRing(p, c, r * 1.35, r * 0.95, QColor(200, 200, 205));
    QRadialGradient g(c, r);
    g.setColorAt(0, colour.lighter(190));
    g.setColorAt(0.5, colour);
    g.setColorAt(1, colour.darker(250));
    p.setBrush(g);
    p.drawEllipse(c, r * 0.95, r * 0.95);
    // Facets of the jewel.
    p.setPen(QPen(QColor(255, 255, 255, 50), 0.25));
    for (int i = 0; i < 6; ++i) {
        const double a = i * M_PI / 3.0;
        p.drawLine(c, c + QPointF(std::cos(a), std::sin(a)) * r * 0.9);
    }
    QRadialGradient spec(c + QPointF(-r * 0.35, -r * 0.4), r * 0.45);
    spec.setColorAt(0, QColor(255, 255, 255, 220));
    spec.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(spec);
    p.drawEllipse(c, r, r);
    (void)s;
}

void engrave(QPainter& p, const QRectF& box, const QString& text, const QFont& font,
             const QColor& ink, const QColor& light, int flags)
{
    p.save();
    p.setFont(font);
    p.setPen(light);
    p.drawText(box.translated(0.35, 0.45), flags, text);
    p.setPen(ink);
    p.drawText(box, flags, text);
    p.restore();
}

QFont sansFont(double pixelSize, bool bold, double letterSpacing)
{
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPixelSize(std::max(1, static_cast<int>(std::lround(pixelSize))));
    f.setBold(bold);
    f.setHintingPreference(QFont::PreferNoHinting);
    if (letterSpacing != 0.0)
        f.setLetterSpacing(QFont::AbsoluteSpacing, letterSpacing);
    return f;
}

QFont serifFont(double pixelSize, bool bold, double letterSpacing)
{
    QFont f = sansFont(pixelSize, bold, letterSpacing);
    f.setFamily(QStringLiteral("Liberation Serif"));
    return f;
}

} // namespace artgen
