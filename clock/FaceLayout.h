#pragma once

#include "skin/SkinReader.h"

#include <QRect>
#include <QSize>
#include <array>

// Where every part of the clock's face sits, in the window's logical pixels,
// and the window's size. The window is laid out from this alone.
struct FaceLayout
{
    QRect face;
    std::array<QRect, 6> tubes;
    std::array<QRect, 2> lamps;
    QRect powerSwitch;
    std::array<QRect, 2> standbySwitches;
    QRect alarmTest;
    QSize window;

    // The same face `zoom` times as large. Edges are scaled and rounded, so
    // parts that touch keep touching, and a part at the origin is as large as
    // the window scaled alike.
    FaceLayout scaled(qreal zoom) const;

    bool operator==(const FaceLayout&) const = default;
};

// The built-in look, with a skin's description over it where there is one:
// each of its values that can be applied replaces the built-in one, and the
// second standby area copies the first. The window takes the size of the face
// picture (`picture`, logical pixels), or of the face area without one.
FaceLayout faceLayout(const SkinDescription* skin, QSize picture, qreal zoom = 1.0);
