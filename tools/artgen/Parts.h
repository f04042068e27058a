#pragma once

// Materials and small hardware shared by the faces: wood, brushed metal,
// enamel, toggle switches, push buttons, screws, pilot lamps, engraving.

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QRectF>
#include <QString>

#include <cstdint>

namespace artgen {

struct WoodColors
{
    QColor dark;
    QColor light;
};

// Procedural textures, drawn into the path on a canvas painter of scale s.
void fillWood(QPainter& p, int s, const QPainterPath& path, const WoodColors& c, std::uint32_t seed,
              double grainScale = 1.0);
void fillBrushed(QPainter& p, int s, const QPainterPath& path, const QColor& base,
                 std::uint32_t seed, bool vertical = false);
// Swirled cast resin (bakelite/catalin) between two colours.
void fillMarble(QPainter& p, int s, const QPainterPath& path, const QColor& a, const QColor& b,
                std::uint32_t seed);
// Metallic enamel: the colour with fine sparkling flakes.
void fillFlake(QPainter& p, int s, const QPainterPath& path, const QColor& base,
               std::uint32_t seed);
// Fine speckle for enamel or bakelite surfaces (adds to what is there).
void addSpeckle(QPainter& p, int s, const QPainterPath& path, int strength, std::uint32_t seed);

// Light and shade on a rounded body: a top highlight and a darker bottom.
void shadeBody(QPainter& p, const QPainterPath& path, const QRectF& box, int top, int bottom);
// A soft drop shadow under a path (drawn before the path).
void dropShadow(QPainter& p, int s, const QPainterPath& path, QPointF offset, double radius,
                int alpha);

void toggleSwitch(QPainter& p, QPointF nut, double size, const QColor& chrome);
void pushButton(QPainter& p, QPointF centre, double radius, const QColor& cap, const QColor& bezel);
void screw(QPainter& p, QPointF centre, double radius, double slotAngle);
void pilotLamp(QPainter& p, int s, QPointF centre, double radius, const QColor& colour);
void engrave(QPainter& p, const QRectF& box, const QString& text, const QFont& font,
             const QColor& ink, const QColor& light, int flags = Qt::AlignCenter);

// Liberation Sans at a pixel size (the generator registers the font files).
QFont sansFont(double pixelSize, bool bold, double letterSpacing = 0.0);
QFont serifFont(double pixelSize, bool bold, double letterSpacing = 0.0);

// A chrome or brass ring with shading, centred, between two radii.
void metalRing(QPainter& p, QPointF centre, double outer, double inner, const QColor& metal);

} // namespace artgen
