#include "keys/SaverMode.h"

#include "core/AppState.h"
#include "core/ClockCore.h"
#include "keys/KeySender.h"
#include "platform/IdleInhibitor.h"
#include "platform/keys/KeyInjector.h"

#include <QTimer>
#include <climits>

SaverMode::SaverMode(const Services& services, const ClockCore& core, QObject* parent)
    : QObject(parent), m_services(services), m_core(core)
{
    m_clock.start();
    m_keyTimer = new QTimer(this);
    m_keyTimer->setObjectName(QStringLiteral("tmrPlay"));
    m_keyTimer->setSingleShot(true);
    // A coarse timer may fire up to 5 % off, 9 s on a 180 s wait.
    m_keyTimer->setTimerType(Qt::PreciseTimer);
    connect(m_keyTimer, &QTimer::timeout, this, &SaverMode::keyTimerFired);
    // Well inside the shortest idle time desktops offer, one minute.
    m_idleReset = new QTimer(this);
    m_idleReset->setInterval(std::chrono::seconds(20));
    connect(m_idleReset, &QTimer::timeout, this, [this] { m_services.keys.resetIdleTime(); });
}

void SaverMode::setActive(bool on, WId window)
{
    if (on == isActive()) {
        return;
    }
    if (on) {
        arm(m_schedule.start(nowMs(), m_period).nextKeyMs);
        m_idleReset->start();
    } else {
        m_keyTimer->stop();
        m_idleReset->stop();
        if (m_schedule.stop(nowMs(), m_period)) {
            press();
        }
    }
    if (m_services.idle) {
        m_services.idle->setInhibited(on, on ? window : 0);
    }
}

void SaverMode::keyTimerFired()
{
    const KeySchedule::Step step = m_schedule.advance(nowMs(), m_period);
    if (step.send) {
        press();
    }
    arm(step.nextKeyMs);
}

void SaverMode::arm(qint64 dueMs)
{
    if (dueMs < 0) {
        return;
    }
    m_keyTimer->start(static_cast<int>(qBound(qint64{0}, dueMs - nowMs(), qint64{INT_MAX})));
}

void SaverMode::press()
{
    sendKeyStroke(m_services.keys, m_core.keyCode());
}
