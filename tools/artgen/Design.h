#pragma once

// A clock face: the device body, six tubes and the front-panel click areas.
// The built-in face and each shipped skin are one of these.

#include "Tube.h"

#include <QImage>
#include <QPainter>
#include <QRect>
#include <QSize>
#include <QString>

#include <array>
#include <functional>

namespace artgen {

using Digits = std::array<int, 6>;

struct FaceDesign
{
    QString name;
    QSize size;
    std::array<TubeGeom, 6> tubes;
    TubeStyle style;
    QRect power;
    QRect standby;
    QRect alarm;
    bool seconds5Shared = true;                    // tube 6 takes "5.bmp" through the default
    std::function<void(QPainter&, int)> drawBody;  // under the tubes
    std::function<void(QPainter&, int)> drawFront; // over the tubes (never over a cell)
};

// Cells each strip holds, per tube.
inline constexpr std::array<int, 6> kStripCells = {3, 10, 6, 10, 10, 10};

FaceDesign builtinDesign();
FaceDesign bernsteinDesign();
FaceDesign nachtblauDesign();

// The face with the tubes showing the digits, on transparency, at scale s.
QImage renderFaceHiRes(const FaceDesign& d, int s, const Digits& digits);
// The finished 24-bit face picture (mask colour around the device).
QImage renderFace(const FaceDesign& d, int s, const Digits& digits);
// The finished face at factor times its size (1 or 2), from a canvas of scale s.
QImage finishFace(const QImage& hi, int s, int factor);
// The face with each tube's rectangle replaced by the strip cell of its digit,
// exactly as the clock shows it; face and strips at factor times their size.
QImage composite(const QImage& face, const FaceDesign& d, const std::array<QImage, 6>& strips,
                 const Digits& digits, int factor = 1);

// A neon lamp in a small glass capsule showing a colon, lit.
void colonBulb(QPainter& p, int s, QPointF base, double height, const TubeStyle& st);

} // namespace artgen
