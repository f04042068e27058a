#pragma once

#include <QObject>
#include <QStringView>
#include <QTime>
#include <optional>

// The minute two texts name: exactly two ASCII digits each, "00".."23" and
// "00".."59"; anything else ("7", " 7", "24", "99") names none. The tick's
// text and the stored alarm texts go through this same rule.
std::optional<QTime> minuteOfTexts(QStringView hours, QStringView minutes);

// Where the alarm stands: waiting rings in the alarm minute; ringing plays the
// sound on every tick of that minute; acknowledged keeps silent for the rest
// of it. Any other minute makes it wait again.
enum class AlarmState
{
    Waiting,
    Ringing,
    Acknowledged,
};

// What one tick does for the alarm.
struct AlarmStep
{
    bool openNotice = false; // the first tick of the alarm minute
    bool playSound = false;  // every tick while it rings
    bool operator==(const AlarmStep&) const = default;
};

// The daily alarm: its time (none never rings), the switch and where it
// stands. The tick hands it the minute on the tubes and acts on the step it
// returns; what rings when is decided here alone.
class Alarm : public QObject
{
    Q_OBJECT
public:
    Alarm() = default;

    const std::optional<QTime>& time() const { return m_time; }
    // A new time waits again: it may ring even in a minute whose alarm was
    // acknowledged.
    void setTime(const std::optional<QTime>& time);

    bool isEnabled() const { return m_enabled; }
    // Either way the alarm waits again; switched off it keeps still.
    void setEnabled(bool on);

    AlarmState state() const { return m_state; }
    bool isRinging() const { return m_state == AlarmState::Ringing; }
    // "O K" on the notice: silent for the rest of the alarm minute.
    void acknowledge();

    // One tick showing `minuteShown` (none when the tick's text names no
    // minute). Switched off, the state stays as it is.
    AlarmStep step(const std::optional<QTime>& minuteShown);
    // Whether ticks within the second still have work in that minute: the
    // notice to open or the sound to restart.
    bool wantsTicksIn(const std::optional<QTime>& minuteShown) const;

signals:
    void timeChanged(const std::optional<QTime>& time);
    void enabledChanged(bool on);
    void stateChanged(AlarmState state);

private:
    bool rings(const std::optional<QTime>& minuteShown) const;
    void setState(AlarmState state);

    std::optional<QTime> m_time;
    bool m_enabled = false;
    AlarmState m_state = AlarmState::Waiting;
};
