#pragma once

#include <QPoint>

// 15 twips to a pixel, always.
inline constexpr int TwipsPerPixel = 15;

// Integer halving as the centring needs it: round half to even, then halve
// towards 0.
long long halfOf(double a);

// The top-left corner, in twips, that centres a window of the given size on a
// screen of the given size: horizontally centred, vertical centre at 42.5 % of
// the screen height, clamped to 0 at the top and left.
QPoint centeredTopLeftTwips(double screenWidth, double screenHeight, double windowWidth,
                            double windowHeight);

// Twips to pixels (divide by 15, round half to even) and back.
int twipsToPixels(double twips);
