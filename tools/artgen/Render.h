#pragma once

// Shared raster helpers of the picture generator. Everything is drawn on
// supersampled canvases (face pixel coordinates, scaled by an integer factor)
// and boxed down afterwards, so anti-aliasing is exact and repeatable.

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QString>

#include <cstdint>

namespace artgen {

// Pixels of exactly this colour are cut out of the clock window.
inline constexpr QRgb kMaskColor = 0xff000028;
inline constexpr QRgb kLampGround = 0xffff00ff;

// A transparent canvas of size * scale pixels with a painter that works in
// face pixels.
struct HiCanvas
{
    HiCanvas(QSize facePixels, int scale);
    QImage image;
    int scale;
};

// Starts a painter on a canvas: face-pixel coordinates, anti-aliased.
void beginPainter(QPainter& p, HiCanvas& canvas);

// Draws an image 1:1 in device pixels at a face-pixel position (no resampling).
void blitAt(QPainter& p, int scale, QPoint facePos, const QImage& image);

// Exact box-filter reduction by an integer factor (premultiplied ARGB in and out).
QImage downscale(const QImage& hi, int factor);

// Gaussian-like blur (three box passes) of a premultiplied ARGB image, in place.
void blur(QImage& image, double radius);

// Smooth value noise in [0, 1] and a few octaves of it.
double valueNoise(double x, double y, std::uint32_t seed);
double fbm(double x, double y, std::uint32_t seed, int octaves);
// Per-pixel hash in [0, 1).
double hash01(int x, int y, std::uint32_t seed);

QColor mix(const QColor& a, const QColor& b, double t);

// Turns a face rendered on transparency into a 24-bit face: opaque enough
// pixels keep their colour, the rest become the mask colour. The outline is
// hard (no pixel blends into the mask colour), no device pixel equals the mask
// colour, and kept pixels along the cut are kept clearly apart from it.
QImage finalizeFace(const QImage& argb);

// Copy of an RGB image with every exact mask-colour pixel made transparent.
QImage maskToAlpha(const QImage& face);

// True where a pixel is cut away: flood fill of the mask colour from the border.
QImage outsideMap(const QImage& face);

bool saveBmp24(const QImage& image, const QString& path);

} // namespace artgen
