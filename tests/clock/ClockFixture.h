#pragma once

// A program state with recording fakes and a settable clock, for tests of the
// clock window.
#include "tests/support/WindowFixture.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <memory>

struct ClockFixture : WindowFixture
{
    ClockFixture() { state.programDir = QStringLiteral("/opt/glimmora/"); }
};

// The colour of pixel (x, y) of digit cell `cell` in a test strip: every
// pixel differs, so a copy from the wrong column or row shows.
inline QRgb stripPixel(int cell, int x, int y)
{
    return qRgb(20 + cell * 23, (x * 7) & 0xFF, (y * 5) & 0xFF);
}

// A strip of `cells` cells of w × h pixels.
inline QImage makeStrip(int cells, int w, int h, QImage::Format format = QImage::Format_RGB32)
{
    QImage strip(cells * w, h, QImage::Format_RGB32);
    for (int c = 0; c < cells; ++c) {
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                strip.setPixel(c * w + x, y, stripPixel(c, x, y));
            }
        }
    }
    return strip.convertToFormat(format);
}

// Whether `image` shows cell `cell` of a strip made by makeStrip, completely.
inline bool showsCell(const QImage& image, int cell)
{
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != stripPixel(cell, x, y)) {
                return false;
            }
        }
    }
    return !image.isNull();
}
