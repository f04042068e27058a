#pragma once

// A glowing digit tube: glass envelope, anode mesh, stacked cathodes, socket.
// The part inside the cell rectangle is what a strip cell holds; it is fully
// opaque and depends only on the tube's own geometry, so a cell cut from the
// tube rendered alone matches the face pixel for pixel around it.

#include <QColor>
#include <QImage>
#include <QPainterPath>
#include <QRect>

#include <array>

namespace artgen {

struct TubeStyle
{
    QColor glow{255, 70, 10};  // halo
    QColor core{255, 128, 36}; // wire
    QColor hot{255, 214, 150}; // centre of the wire
    double haloStrength = 0.5;
    double glowStrength = 0.55;
    QColor interior{22, 15, 12}; // dark inside of the tube
    QColor glassTint{180, 200, 220};
    QColor socket{18, 18, 20};
    QColor socketRing{190, 190, 196};
    bool hexMesh = true;
    double meshPitch = 2.3; // face pixels
    double strokeWidth = 1.3;
    double digitHeight = 0.74; // of the cell height
    double digitWidth = 0.62;  // of the cell width
};

struct TubeGeom
{
    QRect cell;          // the part a strip cell replaces
    double glassTop = 0; // top of the dome
    double glassBottom = 0;
    double sideMargin = 4; // glass beyond the cell on each side
    double socketHeight = 7;
};

// Outline of a nixie-style numeral 0..9 in a 10 x 16 box.
QPainterPath digitPath(int digit);

// Hi-res picture (scale s) of the whole tube lit with the digit, anchored at
// the face pixel returned in origin.
QImage renderTube(const TubeGeom& g, int digit, const TubeStyle& st, int s, QPoint& origin);

// A strip of cells 0 .. cells-1 (24-bit, cells * cell width wide), at its
// size ([0]) and at twice its size ([1]), both from the same hi-res tubes.
std::array<QImage, 2> renderStrips(const TubeGeom& g, int cells, const TubeStyle& st, int s);

// Draws the tube lit with the digit onto a canvas painter (scale s).
void drawTube(QPainter& p, int s, const TubeGeom& g, int digit, const TubeStyle& st);

} // namespace artgen
