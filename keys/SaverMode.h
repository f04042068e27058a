#pragma once

#include "keys/KeySchedule.h"

#include <QElapsedTimer>
#include <QObject>
#include <cstdint>
#include <qwindowdefs.h>

class ClockCore;
class QTimer;
struct Services;

// "Saver unterdrücken": while active, the core's key code is pressed on the
// key timer's schedule and the desktop is asked to stay awake on behalf of the
// clock's window. One timer, armed for the next press; the count survives
// switching off and on. Idle watchers that honour no inhibit and would act
// between two presses (LXQt's at one minute) see the idle time reset more
// often, which is no input and reaches no window.
class SaverMode : public QObject
{
    Q_OBJECT
public:
    // The keys and the idle inhibit are taken from `services` when used.
    SaverMode(const Services& services, const ClockCore& core, QObject* parent = nullptr);

    // `window`: the X window the desktop keeps awake for, 0 where there is none.
    void setActive(bool on, WId window);
    bool isActive() const { return m_schedule.running(); }
    std::int16_t keyTickCount() const { return m_schedule.keyTickCount(); }

    // Read at every arming, so a period set later counts.
    std::int16_t keyPeriod() const { return m_period; }
    void setKeyPeriod(std::int16_t ticks) { m_period = ticks; }

    // The key timer, armed for the next press.
    QTimer* keyTimer() const { return m_keyTimer; } // tmrPlay
    void keyTimerFired();

private:
    qint64 nowMs() const { return m_clock.elapsed(); }
    void arm(qint64 dueMs);
    void press();

    const Services& m_services;
    QTimer* m_keyTimer = nullptr;
    QTimer* m_idleReset = nullptr;
    const ClockCore& m_core;
    std::int16_t m_period = KeySchedule::KeyPeriod;
    KeySchedule m_schedule;
    QElapsedTimer m_clock;
};
