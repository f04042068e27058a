#include "Design.h"
#include "Parts.h"
#include "Render.h"

#include <QLinearGradient>
#include <QRadialGradient>

namespace artgen {

QImage renderFaceHiRes(const FaceDesign& d, int s, const Digits& digits)
{
    HiCanvas canvas(d.size, s);
    QPainter p;
    beginPainter(p, canvas);
    if (d.drawBody)
        d.drawBody(p, s);
    for (int i = 0; i < 6; ++i)
        drawTube(p, s, d.tubes[i], digits[i], d.style);
    if (d.drawFront)
        d.drawFront(p, s);
    p.end();
    return canvas.image;
}

QImage renderFace(const FaceDesign& d, int s, const Digits& digits)
{
    return finalizeFace(downscale(renderFaceHiRes(d, s, digits), s));
}

QImage finishFace(const QImage& hi, int s, int factor)
{
    return finalizeFace(downscale(hi, s / factor));
}

QImage composite(const QImage& face, const FaceDesign& d, const std::array<QImage, 6>& strips,
                 const Digits& digits, int factor)
{
    QImage out = face.convertToFormat(QImage::Format_RGB888);
    QPainter p(&out);
    for (int i = 0; i < 6; ++i) {
        const QRect cell(d.tubes[i].cell.topLeft() * factor, d.tubes[i].cell.size() * factor);
        p.drawImage(cell.topLeft(), strips[i],
                    QRect(digits[i] * cell.width(), 0, cell.width(), cell.height()));
    }
    return out;
}

void colonBulb(QPainter& p, int s, QPointF base, double height, const TubeStyle& st)
{
    const double w = height * 0.4;
    const QRectF glass(base.x() - w / 2, base.y() - height, w, height);
    QPainterPath env;
    env.addRoundedRect(glass, w / 2, w / 2);
    p.fillPath(env, st.interior);
    const double r = w * 0.24;
    for (const double f : {0.34, 0.66}) {
        const QPointF c(base.x(), glass.top() + height * f);
        QRadialGradient g(c, r * 3.2);
        QColor glow = st.glow;
        glow.setAlpha(110);
        g.setColorAt(0, st.hot);
        g.setColorAt(0.2, st.core);
        g.setColorAt(0.33, glow);
        glow.setAlpha(0);
        g.setColorAt(1, glow);
        p.save();
        p.setClipPath(env);
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawEllipse(c, r * 3.2, r * 3.2);
        p.restore();
    }
    QLinearGradient rim(glass.left(), 0, glass.right(), 0);
    rim.setColorAt(0, QColor(200, 215, 230, 120));
    rim.setColorAt(0.2, QColor(255, 255, 255, 60));
    rim.setColorAt(0.32, QColor(255, 255, 255, 0));
    rim.setColorAt(0.85, QColor(0, 0, 0, 0));
    rim.setColorAt(1, QColor(200, 215, 230, 90));
    p.fillPath(env, rim);
    p.strokePath(env, QPen(QColor(220, 228, 236, 70), 0.4));
    // Socket collar.
    QLinearGradient collar(0, base.y() - 2.5, 0, base.y() + 1.5);
    collar.setColorAt(0, st.socketRing.lighter(120));
    collar.setColorAt(1, st.socket);
    p.setPen(Qt::NoPen);
    p.setBrush(collar);
    p.drawRoundedRect(QRectF(base.x() - w / 2 - 1, base.y() - 2.5, w + 2, 4), 0.8, 0.8);
    (void)s;
}

namespace {

const WoodColors kWalnut{QColor(46, 24, 13), QColor(128, 74, 40)};
// Horizontal centres of the six built-in tubes.
constexpr double kTubeCentres[6] = {122.5, 162.5, 216.5, 257.5, 313.0, 346.0};

void drawBuiltinBody(QPainter& p, int s)
{
    // Walnut plinth: a narrow top surface seen from slightly above, the front.
    const QRectF plinth(24, 145, 412, 64);
    QPainterPath body;
    body.addRoundedRect(plinth, 7, 7);
    QPainterPath feet;
    feet.addRoundedRect(QRectF(48, 204, 34, 9), 2.5, 2.5);
    feet.addRoundedRect(QRectF(378, 204, 34, 9), 2.5, 2.5);
    QLinearGradient footG(0, 205, 0, 213);
    footG.setColorAt(0, QColor(30, 28, 27));
    footG.setColorAt(1, QColor(62, 58, 56));
    p.fillPath(feet, footG);

    fillWood(p, s, body, kWalnut, 17);
    shadeBody(p, body, plinth, 30, 110);

    QPainterPath top;
    top.addRoundedRect(QRectF(24, 145, 412, 11), 6, 6);
    top = top.intersected(body);
    fillWood(p, s, top, {QColor(80, 46, 26), QColor(160, 102, 60)}, 23, 0.7);
    QLinearGradient topShade(0, 145, 0, 156);
    topShade.setColorAt(0, QColor(0, 0, 0, 90));
    topShade.setColorAt(0.5, QColor(0, 0, 0, 0));
    topShade.setColorAt(0.88, QColor(255, 235, 210, 40));
    topShade.setColorAt(1, QColor(255, 235, 210, 120));
    p.fillPath(top, topShade);
    // Warm light of the tubes on the lacquered top.
    for (const double x : kTubeCentres) {
        QRadialGradient pool(QPointF(x, 152), 22);
        pool.setColorAt(0, QColor(255, 120, 40, 70));
        pool.setColorAt(1, QColor(255, 120, 40, 0));
        p.fillPath(top, pool);
    }
    // Contact shadows of the sockets standing on the top.
    for (int i = 0; i < 6; ++i) {
        const double x = kTubeCentres[i];
        const double half = i < 4 ? 16 : 12;
        QRadialGradient sh(QPointF(x, 154.5), half);
        sh.setColorAt(0, QColor(0, 0, 0, 120));
        sh.setColorAt(1, QColor(0, 0, 0, 0));
        p.save();
        p.translate(x, 154.5);
        p.scale(1.0, 0.18);
        p.translate(-x, -154.5);
        p.setPen(Qt::NoPen);
        p.setBrush(sh);
        p.drawEllipse(QPointF(x, 154.5), half, half);
        p.restore();
    }
    // Lacquer edge where top and front meet.
    p.setPen(QPen(QColor(255, 228, 196, 110), 0.6));
    p.drawLine(QPointF(30, 156), QPointF(430, 156));
    p.setPen(QPen(QColor(20, 10, 5, 160), 0.6));
    p.drawLine(QPointF(30, 156.7), QPointF(430, 156.7));
    p.strokePath(body, QPen(QColor(30, 15, 8), 0.8));

    // Brushed aluminium panel set into the front.
    QPainterPath groove;
    groove.addRoundedRect(QRectF(36.5, 159.5, 387, 42), 3.5, 3.5);
    p.fillPath(groove, QColor(22, 12, 6));
    QPainterPath panel;
    panel.addRoundedRect(QRectF(37.5, 160.5, 385, 40), 3, 3);
    fillBrushed(p, s, panel, QColor(196, 198, 202), 41);
    QLinearGradient sheen(0, 160, 0, 201);
    sheen.setColorAt(0, QColor(255, 255, 255, 70));
    sheen.setColorAt(0.45, QColor(255, 255, 255, 0));
    sheen.setColorAt(1, QColor(0, 0, 0, 60));
    p.fillPath(panel, sheen);
    QLinearGradient glint(60, 0, 420, 0);
    glint.setColorAt(0, QColor(255, 255, 255, 0));
    glint.setColorAt(0.55, QColor(255, 255, 255, 45));
    glint.setColorAt(0.75, QColor(255, 255, 255, 0));
    p.fillPath(panel, glint);
    for (const QPointF c :
         {QPointF(43, 166), QPointF(417, 166), QPointF(43, 195), QPointF(417, 195)})
        screw(p, c, 2.1, c.x() < 200 ? 30 : 120);

    // Power switch (click area 48,156 54x35) and standby button (101,156 30x33).
    const QColor ink(40, 40, 44);
    const QColor light(255, 255, 255, 150);
    toggleSwitch(p, QPointF(75, 181), 14.5, QColor(205, 206, 212));
    engrave(p, QRectF(50, 192, 50, 8), QStringLiteral("NETZ"), sansFont(6, true, 0.4), ink, light);
    pushButton(p, QPointF(116, 176), 11.5, QColor(150, 28, 20), QColor(210, 210, 215));
    engrave(p, QRectF(96, 192, 40, 8), QStringLiteral("BEREIT"), sansFont(6, true, 0.3), ink,
            light);

    // Maker's plate and the pilot lamp.
    engrave(p, QRectF(160, 167, 200, 20), QStringLiteral("GLIMMORA"), serifFont(15, true, 4.2),
            QColor(52, 50, 50), QColor(255, 255, 255, 170));
    engrave(p, QRectF(160, 186, 200, 9), QStringLiteral("MARVANE  RÖHRENUHR"),
            sansFont(6, false, 1.6), QColor(70, 68, 68), QColor(255, 255, 255, 140));
    pilotLamp(p, s, QPointF(398, 180.5), 4.2, QColor(230, 40, 25));

    // Colon lamps between the tube pairs.
    const TubeStyle st;
    colonBulb(p, s, QPointF(189.5, 153), 24, st);
    colonBulb(p, s, QPointF(286.5, 153), 20, st);
}

} // namespace

FaceDesign builtinDesign()
{
    FaceDesign d;
    d.name = QStringLiteral("builtin");
    d.size = QSize(460, 234);
    const QRect cells[6] = {QRect(113, 114, 19, 34), QRect(153, 113, 19, 34),
                            QRect(207, 113, 19, 34), QRect(248, 113, 19, 34),
                            QRect(306, 120, 14, 26), QRect(339, 120, 14, 26)};
    for (int i = 0; i < 6; ++i) {
        TubeGeom& g = d.tubes[i];
        g.cell = cells[i];
        const bool small = cells[i].width() < 19;
        g.sideMargin = small ? 3.2 : 4.2;
        g.glassTop = small ? 108.5 : 99.5;
        g.glassBottom = 151.5;
        g.socketHeight = 3.5;
    }
    d.power = QRect(48, 156, 54, 35);
    d.standby = QRect(101, 156, 30, 33);
    d.alarm = QRect(667, 45, 50, 44);
    d.drawBody = drawBuiltinBody;
    return d;
}

} // namespace artgen
