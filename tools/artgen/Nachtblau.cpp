// "Nachtblau": a desk instrument in midnight-blue metallic enamel with chrome
// bezels: large tubes in a window above, a control panel below with the
// switches, a speaker and the two seconds lamps in their sockets.

#include "Design.h"
#include "Parts.h"
#include "Render.h"

#include <QLinearGradient>
#include <QRadialGradient>

#include <cmath>

namespace artgen {

namespace {

const QColor kEnamel(22, 40, 98);
const QColor kChrome(206, 212, 222);
const QColor kPanel(40, 50, 72);
const QColor kPanelInk(196, 206, 226);

// The colon lamps sit at fixed places of every face (16 x 67 each).
constexpr QPointF kLampLeft(478, 313);
constexpr QPointF kLampRight(506, 313);

TubeStyle nightStyle()
{
    TubeStyle st;
    st.glow = QColor(255, 74, 20);
    st.core = QColor(255, 132, 52);
    st.hot = QColor(255, 222, 176);
    st.interior = QColor(14, 12, 16);
    st.glassTint = QColor(170, 200, 255);
    st.socket = QColor(16, 20, 34);
    st.socketRing = kChrome;
    st.meshPitch = 2.4;
    return st;
}

void chromeFrame(QPainter& p, const QRectF& outer, double width, double radius)
{
    QPainterPath frame;
    frame.addRoundedRect(outer, radius, radius);
    QPainterPath inner;
    inner.addRoundedRect(outer.adjusted(width, width, -width, -width), radius - width * 0.7,
                         radius - width * 0.7);
    frame = frame.subtracted(inner);
    QLinearGradient g(0, outer.top(), 0, outer.bottom());
    g.setColorAt(0, kChrome.lighter(125));
    g.setColorAt(0.18, kChrome.darker(110));
    g.setColorAt(0.5, kChrome.lighter(110));
    g.setColorAt(0.52, kChrome.darker(160));
    g.setColorAt(1, kChrome.darker(130));
    p.fillPath(frame, g);
    p.strokePath(frame, QPen(QColor(30, 36, 50), 0.4));
}

void speaker(QPainter& p, const QRectF& r)
{
    p.setPen(Qt::NoPen);
    for (double y = r.top() + 3; y < r.bottom() - 2; y += 5.2) {
        const int row = static_cast<int>((y - r.top()) / 5.2);
        for (double x = r.left() + 3 + (row % 2) * 2.6; x < r.right() - 2; x += 5.2) {
            p.setBrush(QColor(150, 165, 200, 90));
            p.drawEllipse(QPointF(x + 0.35, y + 0.45), 1.55, 1.55);
            p.setBrush(QColor(4, 6, 12));
            p.drawEllipse(QPointF(x, y), 1.5, 1.5);
        }
    }
}

void lampSockets(QPainter& p)
{
    chromeFrame(p, QRectF(468, 303, 64, 87), 3.2, 10);
    QPainterPath plate;
    plate.addRoundedRect(QRectF(471.2, 306.2, 57.6, 80.6), 7, 7);
    p.fillPath(plate, QColor(12, 16, 28));
    for (const QPointF at : {kLampLeft, kLampRight}) {
        const QRectF well(at.x() - 2, at.y() - 2, 20, 71);
        QPainterPath w;
        w.addRoundedRect(well, 9, 9);
        QLinearGradient g(well.left(), 0, well.right(), 0);
        g.setColorAt(0, QColor(2, 3, 6));
        g.setColorAt(0.5, QColor(24, 28, 40));
        g.setColorAt(1, QColor(6, 8, 12));
        p.fillPath(w, g);
        p.strokePath(w, QPen(QColor(150, 160, 185, 110), 0.5));
    }
}

void drawBody(QPainter& p, int s)
{
    const QRectF caseRect(10, 10, 560, 398);
    QPainterPath shell;
    shell.addRoundedRect(caseRect, 28, 28);
    fillFlake(p, s, shell, kEnamel, 91);
    QLinearGradient light(0, 10, 0, 408);
    light.setColorAt(0, QColor(160, 190, 255, 80));
    light.setColorAt(0.12, QColor(160, 190, 255, 10));
    light.setColorAt(0.8, QColor(0, 0, 0, 30));
    light.setColorAt(1, QColor(0, 0, 0, 120));
    p.fillPath(shell, light);
    QRadialGradient sheen(QPointF(140, 60), 300);
    sheen.setColorAt(0, QColor(120, 160, 255, 60));
    sheen.setColorAt(1, QColor(120, 160, 255, 0));
    p.fillPath(shell, sheen);
    chromeFrame(p, caseRect, 3.4, 28);

    // Display window.
    chromeFrame(p, QRectF(96, 36, 388, 164), 5, 16);
    QPainterPath window;
    window.addRoundedRect(QRectF(101, 41, 378, 154), 12, 12);
    QLinearGradient back(0, 41, 0, 195);
    back.setColorAt(0, QColor(8, 10, 22));
    back.setColorAt(0.7, QColor(16, 20, 40));
    back.setColorAt(1, QColor(6, 8, 16));
    p.fillPath(window, back);
    QRadialGradient warm(QPointF(290, 130), 190);
    warm.setColorAt(0, QColor(120, 50, 20, 60));
    warm.setColorAt(1, QColor(120, 50, 20, 0));
    p.fillPath(window, warm);
    QLinearGradient shelf(0, 163, 0, 174);
    shelf.setColorAt(0, kChrome.lighter(120));
    shelf.setColorAt(0.4, kChrome.darker(120));
    shelf.setColorAt(1, QColor(20, 24, 36));
    p.save();
    p.setClipPath(window);
    p.fillRect(QRectF(101, 163, 378, 12), shelf);
    p.fillRect(QRectF(101, 175, 378, 20), QColor(8, 10, 18));
    p.restore();
    for (const QPointF c : {QPointF(50, 50), QPointF(530, 50), QPointF(50, 186), QPointF(530, 186)})
        screw(p, c, 3.4, 45);

    // Control panel.
    chromeFrame(p, QRectF(26, 216, 528, 186), 3, 14);
    QPainterPath panel;
    panel.addRoundedRect(QRectF(29, 219, 522, 180), 11, 11);
    fillBrushed(p, s, panel, kPanel, 55);
    shadeBody(p, panel, QRectF(29, 219, 522, 180), 30, 70);
    engrave(p, QRectF(48, 232, 240, 26), QStringLiteral("GLIMMORA"), serifFont(22, true, 6.0),
            kChrome, QColor(0, 0, 0, 160), Qt::AlignLeft | Qt::AlignVCenter);
    engrave(p, QRectF(50, 258, 240, 12), QStringLiteral("NACHTBLAU  ·  MARVANE"),
            sansFont(8, false, 2.0), kPanelInk.darker(130), QColor(0, 0, 0, 140),
            Qt::AlignLeft | Qt::AlignVCenter);
    const QColor shadow(0, 0, 0, 150);
    toggleSwitch(p, QPointF(78, 343), 20, kChrome);
    engrave(p, QRectF(48, 366, 60, 12), QStringLiteral("NETZ"), sansFont(9, true, 1.2), kPanelInk,
            shadow);
    pushButton(p, QPointF(146, 338), 15, QColor(30, 60, 150), kChrome);
    engrave(p, QRectF(116, 366, 60, 12), QStringLiteral("BEREIT"), sansFont(9, true, 1.2),
            kPanelInk, shadow);
    pushButton(p, QPointF(212, 338), 15, QColor(176, 30, 22), kChrome);
    engrave(p, QRectF(182, 366, 60, 12), QStringLiteral("ALARM"), sansFont(9, true, 1.2), kPanelInk,
            shadow);
    QPainterPath grill;
    grill.addRoundedRect(QRectF(262, 300, 184, 80), 8, 8);
    p.fillPath(grill, QColor(20, 26, 40));
    speaker(p, QRectF(264, 302, 180, 76));
    p.strokePath(grill, QPen(kChrome.darker(140), 1.2));
    pilotLamp(p, s, QPointF(500, 250), 5, QColor(80, 160, 255));
    engrave(p, QRectF(460, 284, 80, 12), QStringLiteral("SEKUNDE"), sansFont(8, true, 1.6),
            kPanelInk, shadow);
    lampSockets(p);
}

} // namespace

FaceDesign nachtblauDesign()
{
    FaceDesign d;
    d.name = QStringLiteral("Nachtblau");
    d.size = QSize(580, 416);
    d.style = nightStyle();
    const int xs[6] = {132, 184, 259, 311, 385, 425};
    for (int i = 0; i < 6; ++i) {
        TubeGeom& g = d.tubes[i];
        const bool small = i >= 4;
        g.cell = small ? QRect(xs[i], 106, 24, 44) : QRect(xs[i], 92, 32, 58);
        g.sideMargin = small ? 5.2 : 6.6;
        g.glassTop = small ? 88.5 : 69.5;
        g.glassBottom = 158.5;
        g.socketHeight = 7;
    }
    d.power = QRect(58, 312, 40, 50);
    d.standby = QRect(130, 322, 32, 32);
    d.alarm = QRect(196, 322, 32, 32);
    d.seconds5Shared = false;
    d.drawBody = drawBody;
    return d;
}

} // namespace artgen
