#include "Tube.h"

#include "Render.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>

namespace artgen {

namespace {

struct Envelope
{
    double left, right, top, bottom, dome;
    QPainterPath path;
};

Envelope envelopeOf(const TubeGeom& g)
{
    Envelope e;
    e.left = g.cell.x() - g.sideMargin;
    e.right = g.cell.x() + g.cell.width() + g.sideMargin;
    e.top = g.glassTop + 1.6; // the exhaust tip sits above
    e.bottom = g.glassBottom;
    const double w = e.right - e.left;
    e.dome = std::min(w * 0.5, (g.cell.y() - e.top) * 0.9);
    QPainterPath p;
    p.setFillRule(Qt::WindingFill);
    p.moveTo(e.left, e.bottom);
    p.lineTo(e.left, e.top + e.dome);
    p.cubicTo(e.left, e.top + e.dome * 0.25, e.left + w * 0.2, e.top, e.left + w * 0.5, e.top);
    p.cubicTo(e.right - w * 0.2, e.top, e.right, e.top + e.dome * 0.25, e.right, e.top + e.dome);
    p.lineTo(e.right, e.bottom);
    p.closeSubpath();
    // exhaust tip
    p.addRoundedRect(QRectF(e.left + w * 0.43, g.glassTop, w * 0.14, 2.6), 0.8, 0.8);
    e.path = p.simplified();
    return e;
}

QRect boundsOf(const TubeGeom& g)
{
    const int l = static_cast<int>(std::floor(g.cell.x() - g.sideMargin - 2.5));
    const int r = static_cast<int>(std::ceil(g.cell.x() + g.cell.width() + g.sideMargin + 2.5));
    const int t = static_cast<int>(std::floor(g.glassTop - 1));
    const int b = static_cast<int>(std::ceil(g.glassBottom + g.socketHeight + 1));
    return QRect(l, t, r - l, b - t);
}

QPainterPath meshPath(const QRectF& area, double pitch, bool hex)
{
    QPainterPath p;
    if (hex) {
        const double r = pitch / std::sqrt(3.0);
        const double rowStep = 1.5 * r;
        int row = 0;
        for (double cy = area.top() - r; cy < area.bottom() + r; cy += rowStep, ++row) {
            const double off = (row % 2) ? pitch / 2 : 0.0;
            for (double cx = area.left() - pitch + off; cx < area.right() + pitch; cx += pitch) {
                QPolygonF hexagon;
                for (int k = 0; k < 6; ++k) {
                    const double a = (30.0 + 60.0 * k) * M_PI / 180.0;
                    hexagon << QPointF(cx + r * std::cos(a), cy + r * std::sin(a));
                }
                p.addPolygon(hexagon);
                p.closeSubpath();
            }
        }
    } else {
        for (double x = area.left(); x <= area.right(); x += pitch) {
            p.moveTo(x, area.top());
            p.lineTo(x, area.bottom());
        }
        for (double y = area.top(); y <= area.bottom(); y += pitch) {
            p.moveTo(area.left(), y);
            p.lineTo(area.right(), y);
        }
    }
    return p;
}

QPainterPath placedDigit(int digit, const QRect& cell, const TubeStyle& st)
{
    const double h = cell.height() * st.digitHeight;
    const double w = cell.width() * st.digitWidth;
    QTransform t;
    t.translate(cell.x() + (cell.width() - w) / 2.0, cell.y() + (cell.height() - h) / 2.0);
    t.scale(w / 10.0, h / 16.0);
    return t.map(digitPath(digit));
}

// A layer of the cell's size (hi-res) with the digit stroked and blurred.
QImage strokeLayer(const QPainterPath& digit, const QRect& cell, int s, const QColor& c,
                   double width, double blurRadius)
{
    const int pad = 0;
    QImage img(cell.size() * s + QSize(pad, pad), QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(s, s);
    p.translate(-cell.topLeft());
    QPen pen(c, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.strokePath(digit, pen);
    p.end();
    blur(img, blurRadius * s);
    return img;
}

// Fades a cell layer out towards the cell's border along a rounded outline,
// so the glow meets the static glass around the cell without a visible box.
void fadeEdges(QImage& layer)
{
    const double cx = layer.width() / 2.0;
    const double cy = layer.height() / 2.0;
    for (int y = 0; y < layer.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(layer.scanLine(y));
        const double v = std::abs((y + 0.5 - cy) / cy);
        for (int x = 0; x < layer.width(); ++x) {
            const double u = std::abs((x + 0.5 - cx) / cx);
            const double d = std::pow(std::pow(u, 4) + std::pow(v, 4), 0.25);
            const double t = std::clamp((1.0 - d) / 0.3, 0.0, 1.0);
            const double f = t * t * (3 - 2 * t);
            const QRgb c = row[x];
            row[x] =
                qRgba(static_cast<int>(qRed(c) * f + 0.5), static_cast<int>(qGreen(c) * f + 0.5),
                      static_cast<int>(qBlue(c) * f + 0.5), static_cast<int>(qAlpha(c) * f + 0.5));
        }
    }
}

// Adds a cell layer to the tube image whose top-left face pixel is origin.
void addLayer(QPainter& p, int s, QPoint origin, const QRect& cell, const QImage& layer,
              double opacity)
{
    p.save();
    p.setCompositionMode(QPainter::CompositionMode_Plus);
    p.setOpacity(opacity);
    p.resetTransform();
    p.drawImage((cell.topLeft() - origin) * s, layer);
    p.restore();
}

// A soft vertical light streak on the glass.
void streak(QPainter& p, int s, const QRect& bounds, const QRectF& r, int alpha, double fadeTop,
            double fadeBottom)
{
    QImage layer(bounds.size() * s, QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    QPainter lp(&layer);
    lp.setRenderHint(QPainter::Antialiasing);
    lp.scale(s, s);
    lp.translate(-bounds.topLeft());
    QLinearGradient gx(r.left(), 0, r.right(), 0);
    gx.setColorAt(0, QColor(255, 255, 255, 0));
    gx.setColorAt(0.35, QColor(255, 255, 255, alpha));
    gx.setColorAt(0.6, QColor(255, 255, 255, alpha * 3 / 4));
    gx.setColorAt(1, QColor(255, 255, 255, 0));
    lp.setPen(Qt::NoPen);
    lp.setBrush(gx);
    lp.drawRoundedRect(r, r.width() / 2, r.width() / 2);
    lp.setCompositionMode(QPainter::CompositionMode_DestinationIn);
    QLinearGradient gy(0, r.top(), 0, r.bottom());
    gy.setColorAt(0, QColor(0, 0, 0, static_cast<int>(255 * fadeTop)));
    gy.setColorAt(0.25, QColor(0, 0, 0, 255));
    gy.setColorAt(1, QColor(0, 0, 0, static_cast<int>(255 * fadeBottom)));
    lp.fillRect(QRectF(bounds), gy);
    lp.end();
    p.save();
    p.resetTransform();
    p.drawImage(0, 0, layer);
    p.restore();
}

void drawSocket(QPainter& p, const Envelope& e, const TubeGeom& g, const TubeStyle& st)
{
    const QRectF sock(e.left - 1.5, g.glassBottom - 2.5, e.right - e.left + 3.0,
                      g.socketHeight + 2.5);
    QLinearGradient body(0, sock.top(), 0, sock.bottom());
    body.setColorAt(0, st.socket.lighter(260));
    body.setColorAt(0.3, st.socket.lighter(140));
    body.setColorAt(1, st.socket);
    p.setPen(QPen(st.socket.darker(200), 0.5));
    p.setBrush(body);
    p.drawRoundedRect(sock, 1.2, 1.2);
    QLinearGradient ring(sock.left(), 0, sock.right(), 0);
    ring.setColorAt(0, st.socketRing.darker(170));
    ring.setColorAt(0.25, st.socketRing.lighter(130));
    ring.setColorAt(0.55, st.socketRing);
    ring.setColorAt(1, st.socketRing.darker(200));
    p.setPen(Qt::NoPen);
    p.setBrush(ring);
    p.drawRoundedRect(QRectF(sock.left(), sock.top(), sock.width(), 1.8), 0.6, 0.6);
}

} // namespace

QImage renderTube(const TubeGeom& g, int digit, const TubeStyle& st, int s, QPoint& origin)
{
    const QRect bounds = boundsOf(g);
    origin = bounds.topLeft();
    QImage img(bounds.size() * s, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(s, s);
    p.translate(-bounds.topLeft());

    const Envelope e = envelopeOf(g);
    const QRect& cell = g.cell;
    const double w = e.right - e.left;
    const double k = cell.height() / 34.0; // size relative to the classic tube

    drawSocket(p, e, g, st);
    p.fillPath(e.path, st.interior);

    // Warm light of the burning cathode filling the whole tube.
    QRadialGradient amb(QPointF(cell.center()) + QPointF(0.5, 0.5), cell.height() * 0.75);
    QColor ambC = st.glow;
    ambC.setAlpha(46);
    amb.setColorAt(0, ambC);
    ambC.setAlpha(18);
    amb.setColorAt(0.7, ambC);
    amb.setColorAt(1, QColor(0, 0, 0, 0));
    p.fillPath(e.path, amb);

    // Smoky getter film in the dome, support rods beside the electrode stack.
    QLinearGradient getter(0, e.top, 0, cell.y() - 2.0 * k);
    getter.setColorAt(0, QColor(120, 116, 112, 150));
    getter.setColorAt(0.45, QColor(70, 66, 62, 70));
    getter.setColorAt(1, QColor(0, 0, 0, 0));
    p.fillPath(e.path, getter);
    p.setPen(QPen(QColor(125, 118, 110, 150), 0.45 * k));
    p.drawLine(QPointF(e.left + 1.5 * k, cell.y() - 3.5 * k), QPointF(e.left + 1.5 * k, e.bottom));
    p.drawLine(QPointF(e.right - 1.5 * k, cell.y() - 3.5 * k),
               QPointF(e.right - 1.5 * k, e.bottom));

    // Mica spacers above and below the electrode stack, and the cathode leads.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(170, 165, 155, 110));
    p.drawRect(QRectF(e.left + 0.6, cell.y() - 3.2 * k, w - 1.2, 1.4 * k));
    p.drawRect(QRectF(e.left + 0.6, cell.bottom() + 1 + 1.6 * k, w - 1.2, 1.3 * k));
    p.setPen(QPen(QColor(110, 100, 90, 120), 0.35 * k));
    for (int i = 0; i < 5; ++i) {
        const double x = e.left + w * (0.2 + 0.15 * i);
        p.drawLine(QPointF(x, cell.bottom() + 1 + 3.0 * k), QPointF(x, e.bottom));
    }

    // The digit: unlit cathodes stacked behind, then the lit one.
    const QPainterPath lit = placedDigit(digit, cell, st);
    const double sw = st.strokeWidth * k;
    p.save();
    p.setClipRect(cell);
    for (int d = 0; d < 10; ++d) {
        if (d == digit)
            continue;
        p.strokePath(placedDigit(d, cell, st),
                     QPen(QColor(64, 52, 44, 70), sw * 0.45, Qt::SolidLine, Qt::RoundCap));
    }
    p.restore();
    QImage halo = strokeLayer(lit, cell, s, st.glow, sw * 3.4, 2.6 * k);
    QImage glow = strokeLayer(lit, cell, s, st.core, sw * 1.9, 0.9 * k);
    fadeEdges(halo);
    fadeEdges(glow);
    addLayer(p, s, bounds.topLeft(), cell, halo, st.haloStrength);
    addLayer(p, s, bounds.topLeft(), cell, glow, st.glowStrength);
    p.strokePath(lit, QPen(st.core, sw, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.strokePath(lit, QPen(st.hot, sw * 0.42, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));

    // Anode mesh in front of the cathodes, catching the glow near the digit.
    const QRectF meshArea(e.left, cell.y() - 1.6 * k, w, cell.height() + 2.6 * k);
    const QPainterPath mesh = meshPath(meshArea, st.meshPitch * k, st.hexMesh);
    p.save();
    p.setClipPath(e.path);
    p.strokePath(mesh, QPen(QColor(96, 88, 80, 120), 0.26 * k));
    p.restore();
    QImage litMesh = strokeLayer(lit, cell, s, st.core, sw * 5.0, 2.4 * k);
    {
        QPainter mp(&litMesh);
        mp.setRenderHint(QPainter::Antialiasing);
        mp.setCompositionMode(QPainter::CompositionMode_DestinationIn);
        mp.scale(s, s);
        mp.translate(-cell.topLeft());
        mp.strokePath(mesh, QPen(QColor(0, 0, 0, 255), 0.3 * k));
    }
    fadeEdges(litMesh);
    addLayer(p, s, bounds.topLeft(), cell, litMesh, 0.8);

    // Glass: bright rims, light streaks, dome highlight.
    QLinearGradient rim(e.left, 0, e.right, 0);
    rim.setColorAt(0, QColor(st.glassTint.red(), st.glassTint.green(), st.glassTint.blue(), 120));
    rim.setColorAt(0.07, QColor(st.glassTint.red(), st.glassTint.green(), st.glassTint.blue(), 26));
    rim.setColorAt(0.5, QColor(0, 0, 0, 0));
    rim.setColorAt(0.92, QColor(st.glassTint.red(), st.glassTint.green(), st.glassTint.blue(), 20));
    rim.setColorAt(1, QColor(st.glassTint.red(), st.glassTint.green(), st.glassTint.blue(), 100));
    p.fillPath(e.path, rim);
    streak(p, s, bounds,
           QRectF(e.left + w * 0.14, e.top + e.dome * 0.55, w * 0.13,
                  e.bottom - e.top - e.dome * 0.55 - 2.5),
           105, 0.2, 0.15);
    streak(p, s, bounds,
           QRectF(e.right - w * 0.2, e.top + e.dome * 0.9, w * 0.06, e.bottom - e.top - e.dome - 5),
           60, 0.1, 0.0);
    QRadialGradient dome(QPointF(e.left + w * 0.34, e.top + e.dome * 0.42), w * 0.22);
    dome.setColorAt(0, QColor(255, 255, 255, 150));
    dome.setColorAt(1, QColor(255, 255, 255, 0));
    p.fillPath(e.path, dome);
    // Light running over the shoulder of the dome.
    QPainterPath shoulder;
    shoulder.moveTo(e.left + w * 0.12, e.top + e.dome * 0.95);
    shoulder.cubicTo(e.left + w * 0.12, e.top + e.dome * 0.3, e.left + w * 0.3, e.top + 0.9,
                     e.left + w * 0.5, e.top + 0.8);
    QLinearGradient sg(e.left, 0, e.left + w * 0.5, 0);
    sg.setColorAt(0, QColor(255, 255, 255, 40));
    sg.setColorAt(0.5, QColor(255, 255, 255, 130));
    sg.setColorAt(1, QColor(255, 255, 255, 0));
    p.strokePath(shoulder, QPen(QBrush(sg), 0.7 * k, Qt::SolidLine, Qt::RoundCap));
    p.strokePath(e.path, QPen(QColor(220, 228, 236, 70), 0.45));
    p.end();
    return img;
}

void drawTube(QPainter& p, int s, const TubeGeom& g, int digit, const TubeStyle& st)
{
    QPoint origin;
    const QImage img = renderTube(g, digit, st, s, origin);
    blitAt(p, s, origin, img);
}

std::array<QImage, 2> renderStrips(const TubeGeom& g, int cells, const TubeStyle& st, int s)
{
    std::array<QImage, 2> strips;
    for (int f = 1; f <= 2; ++f)
        strips[f - 1] =
            QImage(g.cell.width() * cells * f, g.cell.height() * f, QImage::Format_RGB888);
    for (int d = 0; d < cells; ++d) {
        QPoint origin;
        const QImage hi = renderTube(g, d, st, s, origin);
        for (int f = 1; f <= 2; ++f) {
            const QRect cell(g.cell.translated(-origin).topLeft() * f, g.cell.size() * f);
            const QImage cellImg =
                downscale(hi, s / f).copy(cell).convertToFormat(QImage::Format_RGB888);
            QPainter p(&strips[f - 1]);
            p.drawImage(QPoint(d * cell.width(), 0), cellImg);
        }
    }
    return strips;
}

} // namespace artgen
