#include "core/ScreenChoice.h"

#include "core/CenterMath.h"

#include <algorithm>
#include <limits>

namespace {

// Squared distance between two rectangles; 0 when they share a pixel.
long long distanceSquared(const QRect& a, const QRect& b)
{
    const long long dx = std::max({0LL, static_cast<long long>(b.left()) - a.right(),
                                   static_cast<long long>(a.left()) - b.right()});
    const long long dy = std::max({0LL, static_cast<long long>(b.top()) - a.bottom(),
                                   static_cast<long long>(a.top()) - b.bottom()});
    return dx * dx + dy * dy;
}

int nearestScreen(const QList<QRect>& screens, const QRect& target)
{
    int best = -1;
    long long bestDistance = std::numeric_limits<long long>::max();
    for (int i = 0; i < screens.size(); ++i) {
        const long long d = distanceSquared(screens[i], target);
        if (d < bestDistance) {
            best = i;
            bestDistance = d;
        }
    }
    return best;
}

// One axis of bringing back: the window [start, start + length) keeps its
// distance from the nearer edge of the former span, then is pulled whole onto
// the target span (to its start when it does not fit).
int placeOnAxis(int start, int length, int formerStart, int formerLength, int targetStart,
                int targetLength)
{
    long long pos = start;
    if (formerLength > 0) {
        const long long fromStart = static_cast<long long>(start) - formerStart;
        const long long fromEnd = (static_cast<long long>(formerStart) + formerLength) -
                                  (static_cast<long long>(start) + length);
        pos = fromStart <= fromEnd
                  ? targetStart + fromStart
                  : static_cast<long long>(targetStart) + targetLength - length - fromEnd;
    }
    const long long last = static_cast<long long>(targetStart) + targetLength - length;
    pos = std::min(pos, last);
    pos = std::max(pos, static_cast<long long>(targetStart));
    return static_cast<int>(pos);
}

} // namespace

int screenOfWindow(const QList<QRect>& screens, const QRect& window)
{
    const QPoint centre = window.center();
    for (int i = 0; i < screens.size(); ++i) {
        if (screens[i].contains(centre)) {
            return i;
        }
    }
    return nearestScreen(screens, QRect(centre, QSize(1, 1)));
}

bool isOnAnyScreen(const QList<QRect>& screens, const QRect& window)
{
    return std::any_of(screens.begin(), screens.end(),
                       [&](const QRect& s) { return s.intersects(window); });
}

QPoint centredTopLeft(const QRect& screen, const QSize& window)
{
    const QPoint twips = centeredTopLeftTwips(
        double(screen.width()) * TwipsPerPixel, double(screen.height()) * TwipsPerPixel,
        double(window.width()) * TwipsPerPixel, double(window.height()) * TwipsPerPixel);
    return screen.topLeft() + QPoint(twipsToPixels(twips.x()), twipsToPixels(twips.y()));
}

QPoint broughtBack(const QList<QRect>& screens, const QRect& window, const QRect& former)
{
    const int target = nearestScreen(screens, window);
    if (target < 0) {
        return window.topLeft();
    }
    const QRect& to = screens[target];
    const QRect from = former.isValid() ? former : QRect();
    return {placeOnAxis(window.left(), window.width(), from.left(), from.width(), to.left(),
                        to.width()),
            placeOnAxis(window.top(), window.height(), from.top(), from.height(), to.top(),
                        to.height())};
}

QPoint startPosition(const QList<QRect>& screens, int primary, const QRect& saved)
{
    if (isOnAnyScreen(screens, saved) || primary < 0 || primary >= screens.size()) {
        return saved.topLeft();
    }
    return centredTopLeft(screens[primary], saved.size());
}
