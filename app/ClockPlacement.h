#pragma once

#include <QList>
#include <QObject>
#include <QRect>
#include <functional>
#include <optional>

class QScreen;
class QWidget;

// Start-up place of the clock: `saved` (pixels) when any pixel of the clock is
// on a screen there, centred on the primary screen otherwise or without a
// saved place. Then keeps the clock reachable while screens come and go.
void placeClockAtStart(QWidget& clock, std::optional<QPoint> saved);

// Brings the clock back onto the nearest screen when a screen it was on goes
// away or shrinks so that no pixel of the clock is left on any screen.
class ScreenGuard final : public QObject
{
public:
    using ScreenSource = std::function<QList<QRect>()>;

    explicit ScreenGuard(QWidget& clock, ScreenSource screens);

    // Compares the screens with those of the last check; runs deferred after
    // every change the desktop reports.
    void check();

private:
    void watch(QScreen* screen);
    void schedule();

    QWidget& m_clock;
    ScreenSource m_screens;
    QList<QRect> m_known;
    bool m_scheduled = false;
};
