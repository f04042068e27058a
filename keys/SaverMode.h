#pragma once

#include "keys/KeySchedule.h"

#include <QElapsedTimer>
#include <QObject>
#include <cstdint>
#include <qwindowdefs.h>

class QTimer;
class QWidget;
struct AppState;

// "Saver unterdrücken": while active, the key `SendKeyCode` is pressed on the
// key timer's schedule and the desktop is asked to stay awake on behalf of
// `window`. One timer, armed for the next press; the count survives switching
// off and on.
class SaverMode : public QObject
{
    Q_OBJECT
public:
    // `KeyPeriod` is read at every arming, so a period set later counts.
    SaverMode(AppState& state, QWidget& window, const std::int16_t& KeyPeriod);

    void setActive(bool on);
    bool isActive() const { return m_schedule.running(); }
    std::int16_t KeyTickCount() const { return m_schedule.KeyTickCount(); }

    // The key timer, armed for the next press.
    QTimer* keyTimer() const { return m_keyTimer; } // tmrPlay
    void tmrPlay_Timer();

private:
    qint64 nowMs() const { return m_clock.elapsed(); }
    void arm(qint64 dueMs);
    void press();
    WId xWindow() const;

    AppState& m_state;
    QWidget& m_window;
    QTimer* m_keyTimer = nullptr;
    const std::int16_t& m_period;
    KeySchedule m_schedule;
    QElapsedTimer m_clock;
};
