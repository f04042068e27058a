// "Bernstein": an art-deco cabinet of swirled amber resin with brass trim,
// six equal tubes behind an arched window, a speaker grille and three
// controls, the alarm-test button among them.

#include "Design.h"
#include "Parts.h"
#include "Render.h"

#include <QLinearGradient>
#include <QRadialGradient>

#include <cmath>

namespace artgen {

namespace {

const QColor kBrass(214, 170, 92);
const QColor kResinDark(138, 62, 12);
const QColor kResinLight(236, 152, 52);
const QColor kInk(64, 26, 4);

TubeStyle amberStyle()
{
    TubeStyle st;
    st.glow = QColor(255, 104, 12);
    st.core = QColor(255, 160, 48);
    st.hot = QColor(255, 236, 168);
    st.interior = QColor(26, 16, 10);
    st.glassTint = QColor(240, 214, 168);
    st.socket = QColor(44, 24, 12);
    st.socketRing = kBrass;
    st.hexMesh = false;
    st.meshPitch = 2.1;
    return st;
}

QPainterPath cabinet()
{
    QPainterPath p;
    p.moveTo(20, 274);
    p.lineTo(20, 118);
    p.arcTo(QRectF(20, 14, 380, 208), 180, -180);
    p.lineTo(400, 274);
    p.closeSubpath();
    return p;
}

void knob(QPainter& p, QPointF c, double r)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 90));
    p.drawEllipse(c + QPointF(1.2, 1.6), r, r);
    QRadialGradient body(c + QPointF(-r * 0.3, -r * 0.35), r * 1.3);
    body.setColorAt(0, QColor(120, 64, 30));
    body.setColorAt(0.6, QColor(64, 30, 12));
    body.setColorAt(1, QColor(30, 14, 6));
    p.setBrush(body);
    p.drawEllipse(c, r, r);
    // Knurled rim.
    p.setPen(QPen(QColor(20, 8, 2, 160), 0.5));
    for (int i = 0; i < 48; ++i) {
        const double a = i * 2 * M_PI / 48;
        const QPointF d(std::cos(a), std::sin(a));
        p.drawLine(c + d * r * 0.86, c + d * r * 0.99);
    }
    metalRing(p, c, r * 0.55, r * 0.42, kBrass);
    QRadialGradient cap(c + QPointF(-r * 0.12, -r * 0.15), r * 0.45);
    cap.setColorAt(0, QColor(110, 60, 28));
    cap.setColorAt(1, QColor(46, 22, 8));
    p.setPen(Qt::NoPen);
    p.setBrush(cap);
    p.drawEllipse(c, r * 0.42, r * 0.42);
    // Pointer towards "on".
    const double a = -125 * M_PI / 180;
    p.setPen(QPen(kBrass.lighter(120), r * 0.1, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c + QPointF(std::cos(a), std::sin(a)) * r * 0.58,
               c + QPointF(std::cos(a), std::sin(a)) * r * 0.84);
}

void bell(QPainter& p, QPointF c, double r, const QColor& ink)
{
    QPainterPath b;
    b.moveTo(c.x() - r, c.y() + r * 0.55);
    b.cubicTo(c.x() - r * 0.6, c.y() + r * 0.3, c.x() - r * 0.75, c.y() - r * 0.85, c.x(),
              c.y() - r * 0.85);
    b.cubicTo(c.x() + r * 0.75, c.y() - r * 0.85, c.x() + r * 0.6, c.y() + r * 0.3, c.x() + r,
              c.y() + r * 0.55);
    b.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawPath(b);
    p.drawEllipse(QPointF(c.x(), c.y() + r * 0.78), r * 0.22, r * 0.22);
    p.drawEllipse(QPointF(c.x(), c.y() - r * 0.92), r * 0.14, r * 0.14);
}

void grille(QPainter& p, const QRectF& r)
{
    QPainterPath back;
    back.addRoundedRect(r, 10, 10);
    QLinearGradient bg(0, r.top(), 0, r.bottom());
    bg.setColorAt(0, QColor(30, 16, 8));
    bg.setColorAt(1, QColor(56, 30, 12));
    p.fillPath(back, bg);
    // Cloth behind the bars.
    p.setPen(QPen(QColor(90, 56, 30, 60), 0.3));
    for (double x = r.left(); x < r.right(); x += 1.2)
        p.drawLine(QPointF(x, r.top()), QPointF(x, r.bottom()));
    const int bars = 6;
    const double gap = r.height() / bars;
    for (int i = 0; i < bars; ++i) {
        const double y = r.top() + gap * (i + 0.5);
        const double inset = 10 + std::abs(i - 2.5) * 7;
        const QRectF bar(r.left() + inset, y - 2.1, r.width() - 2 * inset, 4.2);
        p.fillRect(bar.translated(0.8, 1.2), QColor(0, 0, 0, 80));
        QLinearGradient g(0, bar.top(), 0, bar.bottom());
        g.setColorAt(0, kBrass.lighter(150));
        g.setColorAt(0.45, kBrass);
        g.setColorAt(1, kBrass.darker(200));
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawRoundedRect(bar, 2.1, 2.1);
    }
    QLinearGradient spine(r.center().x() - 3, 0, r.center().x() + 3, 0);
    spine.setColorAt(0, kBrass.darker(180));
    spine.setColorAt(0.4, kBrass.lighter(140));
    spine.setColorAt(1, kBrass.darker(200));
    p.setBrush(spine);
    p.drawRoundedRect(QRectF(r.center().x() - 3, r.top() + 3, 6, r.height() - 6), 3, 3);
    p.strokePath(back, QPen(kBrass.darker(130), 1.6));
}

void drawBody(QPainter& p, int s)
{
    // Foot, cabinet, brass trim.
    QPainterPath foot;
    foot.addRoundedRect(QRectF(10, 266, 400, 26), 6, 6);
    fillMarble(p, s, foot, QColor(60, 26, 8), QColor(110, 50, 16), 5);
    shadeBody(p, foot, QRectF(10, 266, 400, 26), 60, 120);
    const QPainterPath body = cabinet();
    dropShadow(p, s, body, QPointF(0, 3), 2.5, 120);
    fillMarble(p, s, body, kResinDark, kResinLight, 77);
    QRadialGradient gloss(QPointF(150, 60), 260);
    gloss.setColorAt(0, QColor(255, 240, 210, 70));
    gloss.setColorAt(1, QColor(255, 240, 210, 0));
    p.fillPath(body, gloss);
    shadeBody(p, body, QRectF(20, 14, 380, 260), 40, 90);
    p.strokePath(body, QPen(QColor(70, 30, 6), 1.0));
    QPainterPath trim;
    trim.moveTo(30, 270);
    trim.lineTo(30, 118);
    trim.arcTo(QRectF(30, 24, 360, 188), 180, -180);
    trim.lineTo(390, 270);
    p.strokePath(trim, QPen(kBrass.darker(140), 2.6));
    p.strokePath(trim, QPen(kBrass.lighter(115), 1.2));

    // Emblem in the arch: the name between two stepped brass lines.
    for (const double dir : {-1.0, 1.0}) {
        const double x0 = 210 + dir * 76;
        p.setPen(QPen(kBrass.darker(170), 1.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(x0, 40), QPointF(x0 + dir * 34, 40));
        p.drawLine(QPointF(x0 + dir * 6, 44), QPointF(x0 + dir * 26, 44));
        p.setPen(QPen(kBrass.lighter(140), 0.7));
        p.drawLine(QPointF(x0, 39.4), QPointF(x0 + dir * 34, 39.4));
    }
    engrave(p, QRectF(110, 34, 200, 16), QStringLiteral("GLIMMORA"), serifFont(14, true, 3.0), kInk,
            QColor(255, 220, 160, 160));

    // Window with its tube shelf.
    QPainterPath window;
    window.addRoundedRect(QRectF(52, 58, 316, 94), 14, 14);
    QRadialGradient back(QPointF(210, 110), 200);
    back.setColorAt(0, QColor(40, 22, 12));
    back.setColorAt(1, QColor(10, 6, 3));
    p.fillPath(window, back);
    QLinearGradient shelf(0, 136, 0, 146);
    shelf.setColorAt(0, kBrass.lighter(140));
    shelf.setColorAt(0.5, kBrass);
    shelf.setColorAt(1, kBrass.darker(220));
    p.save();
    p.setClipPath(window);
    p.fillRect(QRectF(52, 136, 316, 16), shelf);
    p.fillRect(QRectF(52, 144, 316, 8), QColor(30, 16, 8));
    p.restore();
    QPainterPath frame;
    frame.addRoundedRect(QRectF(48, 54, 324, 102), 17, 17);
    frame = frame.subtracted(window);
    QLinearGradient fg(0, 54, 0, 156);
    fg.setColorAt(0, kBrass.lighter(150));
    fg.setColorAt(0.5, kBrass);
    fg.setColorAt(1, kBrass.darker(190));
    p.fillPath(frame, fg);
    p.strokePath(frame, QPen(kBrass.darker(250), 0.5));

    const TubeStyle st = amberStyle();
    colonBulb(p, s, QPointF(159, 137), 24, st);
    colonBulb(p, s, QPointF(261, 137), 24, st);

    grille(p, QRectF(66, 164, 288, 50));

    // Controls: power knob, alarm test, standby.
    knob(p, QPointF(74, 240), 16.5);
    pushButton(p, QPointF(210, 240), 14, kBrass, kBrass.darker(115));
    bell(p, QPointF(210, 240), 4.6, QColor(90, 50, 10));
    pushButton(p, QPointF(346, 240), 13, QColor(110, 24, 14), kBrass);
    const QColor light(255, 225, 170, 150);
    engrave(p, QRectF(44, 257, 60, 10), QStringLiteral("NETZ"), sansFont(8, true, 1.0), kInk,
            light);
    engrave(p, QRectF(180, 257, 60, 10), QStringLiteral("ALARM"), sansFont(8, true, 1.0), kInk,
            light);
    engrave(p, QRectF(316, 257, 60, 10), QStringLiteral("BEREIT"), sansFont(8, true, 1.0), kInk,
            light);
}

} // namespace

FaceDesign bernsteinDesign()
{
    FaceDesign d;
    d.name = QStringLiteral("Bernstein");
    d.size = QSize(420, 300);
    d.style = amberStyle();
    const int xs[6] = {77, 115, 179, 217, 281, 319};
    for (int i = 0; i < 6; ++i) {
        TubeGeom& g = d.tubes[i];
        g.cell = QRect(xs[i], 82, 24, 44);
        g.sideMargin = 5.2;
        g.glassTop = 64.5;
        g.glassBottom = 131.5;
        g.socketHeight = 5.5;
    }
    d.power = QRect(56, 222, 36, 36);
    d.standby = QRect(331, 225, 30, 30);
    d.alarm = QRect(194, 224, 32, 32);
    d.seconds5Shared = true;
    d.drawBody = drawBody;
    return d;
}

} // namespace artgen
