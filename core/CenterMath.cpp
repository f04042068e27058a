#include "core/CenterMath.h"

#include "core/NumericValue.h"

long long halfOf(double a)
{
    return static_cast<long long>(roundHalfEven(a)) / 2;
}

QPoint centeredTopLeftTwips(double screenWidth, double screenHeight, double windowWidth,
                            double windowHeight)
{
    long long top = halfOf(screenHeight * 0.85) - halfOf(windowHeight);
    long long left = halfOf(screenWidth) - halfOf(windowWidth);
    if (top < 0) {
        top = 0;
    }
    if (left < 0) {
        left = 0;
    }
    return {static_cast<int>(left), static_cast<int>(top)};
}

int twipsToPixels(double twips)
{
    int px = 0;
    toInt32(twips / TwipsPerPixel, px);
    return px;
}
