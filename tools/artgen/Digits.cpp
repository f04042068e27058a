#include "Tube.h"

namespace artgen {

// Cathode wires shaped like the numerals of classic cold-cathode tubes: tall,
// thin strokes, a flat-topped 3 and 5, a 4 with an open top.
QPainterPath digitPath(int digit)
{
    QPainterPath p;
    switch (digit) {
    case 0:
        p.addEllipse(QRectF(0, 0, 10, 16));
        break;
    case 1:
        p.moveTo(5.4, 16);
        p.lineTo(5.4, 0);
        p.lineTo(2.4, 2.8);
        break;
    case 2:
        p.moveTo(0.3, 4.6);
        p.arcTo(QRectF(0.3, 0, 9.4, 9.2), 180, -180);
        p.cubicTo(9.7, 8.6, 3.0, 11.2, 0.0, 16.0);
        p.lineTo(10, 16);
        break;
    case 3:
        p.moveTo(0.4, 0);
        p.lineTo(9.8, 0);
        p.lineTo(4.3, 6.2);
        p.arcTo(QRectF(0, 6, 10, 10), 100, -240);
        break;
    case 4:
        p.moveTo(7.4, 16);
        p.lineTo(7.4, 0);
        p.lineTo(0, 11);
        p.lineTo(10, 11);
        break;
    case 5:
        p.moveTo(9.6, 0);
        p.lineTo(1.2, 0);
        p.lineTo(0.8, 7.3);
        p.arcTo(QRectF(0, 6, 10, 10), 135, -275);
        break;
    case 6:
        p.addEllipse(QRectF(0, 6.6, 10, 9.4));
        p.moveTo(0.05, 11.2);
        p.cubicTo(0.2, 4.0, 3.6, 0.2, 8.8, 0.2);
        break;
    case 7:
        p.moveTo(0, 0);
        p.lineTo(10, 0);
        p.cubicTo(7.0, 5.0, 4.6, 10.0, 3.9, 16.0);
        break;
    case 8:
        p.addEllipse(QRectF(0.9, 0, 8.2, 7.4));
        p.addEllipse(QRectF(0, 7.2, 10, 8.8));
        break;
    case 9:
        p.addEllipse(QRectF(0, 0, 10, 9.4));
        p.moveTo(9.95, 4.7);
        p.cubicTo(9.9, 11.0, 7.0, 16.0, 1.2, 15.8);
        break;
    default:
        break;
    }
    return p;
}

} // namespace artgen
