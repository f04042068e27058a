#include "app/ClockPlacement.h"

#include "core/ScreenChoice.h"
#include "controls/ScreensLog.h"
#include "controls/WindowHelpers.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>

void placeClockAtStart(QWidget& clock, std::optional<QPoint> saved)
{
    const QList<QRect> screens = screenRects();
    const QRect at(saved.value_or(QPoint()), clock.frameGeometry().size());
    const QPoint place =
        saved ? startPosition(screens, 0, at)
              : (screens.isEmpty() ? QPoint() : centredTopLeft(screens[0], at.size()));
    if (saved && place != *saved) {
        qCDebug(lcScreens) << "clock saved at" << *saved << "is on no screen; centred at" << place;
    }
    clock.move(place);
    new ScreenGuard(clock, screenRects);
}

ScreenGuard::ScreenGuard(QWidget& clock, ScreenSource screens)
    : QObject(&clock), m_clock(clock), m_screens(std::move(screens)), m_known(m_screens())
{
    for (QScreen* screen : QGuiApplication::screens()) {
        watch(screen);
    }
    connect(qApp, &QGuiApplication::screenAdded, this, [this](QScreen* screen) {
        watch(screen);
        schedule();
    });
    connect(qApp, &QGuiApplication::screenRemoved, this, &ScreenGuard::schedule);
}

void ScreenGuard::watch(QScreen* screen)
{
    connect(screen, &QScreen::geometryChanged, this, &ScreenGuard::schedule);
}

void ScreenGuard::schedule()
{
    // Screens change in bursts (one removed, the others moved): look once
    // they have settled.
    if (!m_scheduled) {
        m_scheduled = true;
        QTimer::singleShot(0, this, &ScreenGuard::check);
    }
}

void ScreenGuard::check()
{
    m_scheduled = false;
    const QList<QRect> screens = m_screens();
    const QRect clock = m_clock.frameGeometry();
    if (!screens.isEmpty() && !isOnAnyScreen(screens, clock)) {
        const int former = screenOfWindow(m_known, clock);
        const QPoint back = broughtBack(screens, clock, former >= 0 ? m_known[former] : QRect());
        qCDebug(lcScreens) << "clock at" << clock.topLeft() << "is on no screen; back to" << back;
        m_clock.move(back);
    }
    if (!screens.isEmpty()) {
        m_known = screens;
    }
}
