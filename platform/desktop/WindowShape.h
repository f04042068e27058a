#pragma once

#include <QImage>
#include <QRegion>
#include <memory>

class QWindow;

namespace platform {

// Gives a top-level window its outline, for drawing and for mouse input. The
// outline travels as a one-bit mask, so its cost does not grow with how
// ragged it is.
class WindowShape
{
public:
    virtual ~WindowShape() = default;

    // `mask` holds one bit per device pixel of the window (a set bit keeps
    // the pixel); its devicePixelRatio() is the window's scale. A mask
    // without any set bit leaves nothing of the window, not a rectangle.
    virtual void apply(QWindow& window, const QImage& mask) = 0;
};

// The window's QWindow mask, in logical pixels: where there is no X server
// (Qt's offscreen platform in tests, Wayland).
std::unique_ptr<WindowShape> makeRegionWindowShape();

// The one-bit mask of `picture`: set where the pixel's colour is not exactly
// `cut`. Format_MonoLSB with colour 1 black, as QBitmap reads it.
QImage keptPixels(const QImage& picture, QRgb cut);

// The region of the set bits of a mask made by keptPixels, in its pixels.
QRegion regionOfMask(const QImage& mask);

} // namespace platform
