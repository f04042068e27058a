#pragma once

#include <QImage>
#include <QString>
#include <array>

class PictureBudget;

// The companions at twice the size of the clock window's pictures; null
// where a picture has none.
struct DoubledPictures
{
    QImage back;
    std::array<QImage, 6> strips;
    std::array<QImage, 2> lamps;
};

// What a surface of `ratio` device pixels per logical pixel shows: `picture`
// as it is; at ratio 2 the companion pixel for pixel; at other ratios above 1
// the companion scaled smoothly to the device size. Either way it covers the
// picture's logical size.
QImage forRatio(const QImage& picture, const QImage& doubled, qreal ratio);

// One of the program's own pictures, by the format its name ends in (one Qt
// reads itself: BMP, PNG).
QImage readBuiltin(const QString& path);

// The built-in picture `path` for a surface of `ratio`: its companion
// (named as doubledName says) is decoded only for a dense surface.
QImage readBuiltinForRatio(const QString& path, qreal ratio);

// The same for a face whose pixels of colour `cut` are cut out of the window:
// scaled, its outline keeps a hard edge at device pixels and no kept pixel
// blends with the cut colour.
QImage faceForRatio(const QImage& face, const QImage& doubled, qreal ratio, QRgb cut);
