#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

// Decisions about windows and screens, on plain rectangles in pixels.

// The screen a window belongs to: the one holding the window's centre, else
// the one nearest to that centre; -1 when there is no screen.
int screenOfWindow(const QList<QRect>& screens, const QRect& window);

// Whether at least one pixel of the window lies on one of the screens.
bool isOnAnyScreen(const QList<QRect>& screens, const QRect& window);

// The top-left corner that centres a window of the given outer size on a
// screen, by the twips arithmetic of centreWindow.
QPoint centredTopLeft(const QRect& screen, const QSize& window);

// Where a window that lies on no screen comes back to: onto the screen nearest
// to it, at the distance it had from the nearer edges of `former` (the screen
// it was on; empty when unknown), but whole on the screen where it fits.
QPoint broughtBack(const QList<QRect>& screens, const QRect& window, const QRect& former);

// The start-up place of a window saved at `saved`: kept as it is when any
// pixel of it is on a screen, otherwise centred on the primary screen.
QPoint startPosition(const QList<QRect>& screens, int primary, const QRect& saved);
