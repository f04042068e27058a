#pragma once

#include "core/Alarm.h"
#include "core/ClockTick.h"
#include "core/Options.h"

#include <QObject>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>

// The clock's state and the decisions that need no display: the options,
// the digits last drawn, the alarm, the key
// the saver mode sends and whether its menu entries show, and the tick. Windows draw what it
// decides, call its methods and follow its signals.
class ClockCore : public QObject
{
    Q_OBJECT
public:
    ClockCore() = default;

    bool isOn(Option option) const;
    // What choosing an option's entry does: inverts it and applies the new
    // state; turning it on turns off the option it excludes.
    void toggle(Option option);
    // Start-up: the stored state, applied even where it is the state already
    // (off too), so every window starts from it.
    void restore(Option option, bool on);

    // One tick of the clock, in its order: which tube pairs change and their
    // digits, the lamps, the digits kept, then the alarm's step for the
    // minute shown (the notice requested, the sound started).
    TickPlan tick(const QString& timeText);
    // The same for an instant (seconds since the epoch) in local time; the
    // clock window calls this from tick and draws what it returns.
    // The time text is worked out once for each second, however many ticks
    // that second has.
    TickPlan tickAt(qint64 secondsSinceEpoch);

    // The digits the tick drew last; none before the first tick and after
    // redrawEverythingNextTick.
    const std::optional<TubeDigits>& drawnDigits() const { return m_drawn; }
    // The time those digits show, "HH:MM:SS".
    std::optional<QString> drawnTimeText() const;
    // New pictures or the end of standby: the next tick draws all six tubes.
    void redrawEverythingNextTick();
    // Whether a tick before the next second has work beyond the lamps: tubes
    // to redraw, or the alarm minute on the tubes with the switch on (the
    // notice to open, the sound to restart).
    bool needsTicksWithinSecond() const;

    // The daily alarm; the alarm option switches it on and off.
    Alarm& alarm() { return m_alarm; }
    const Alarm& alarm() const { return m_alarm; }

    // The virtual-key code the saver mode presses ("SendKey").
    // The chosen skin's folder name; empty for the built-in look. Read at
    // start.
    const QString& skinName() const { return m_skinName; }
    void setSkinName(const QString& name);

    std::int16_t keyCode() const { return m_keyCode; }
    void setKeyCode(std::int16_t code);
    // "ShowSaver" as read (written back as it is); any value but 0 shows the
    // saver entry, the key entry and the line below them.
    std::int16_t showSaver() const { return m_showSaver; }
    bool saverEntriesShown() const { return m_showSaver != 0; }
    void setShowSaver(std::int16_t value);

signals:
    // An option turned on or off; its apply step has run.
    void optionChanged(Option option, bool on);
    void standbyApplied(bool on);
    void onTopApplied(bool on);
    // Below the windows, on every workspace, through "show desktop".
    void desktopModeApplied(bool on);
    // Starts or stops whatever sends the key.
    void saverApplied(bool on);
    // The first tick of the alarm minute: show the notice. Runs before the
    // sound starts; the notice may be acknowledged while it opens.
    void noticeRequested();
    // Every tick of the alarm minute while it rings: start the alarm sound.
    void alarmSoundDue();
    void keyCodeChanged(std::int16_t code);
    void skinNameChanged(const QString& name);
    void saverEntriesShownChanged(bool shown);

private:
    void set(Option option, bool on);

    std::array<bool, std::tuple_size_v<decltype(optionRows)>> m_on{};
    std::optional<TubeDigits> m_drawn;
    std::optional<qint64> m_textSecond; // the second m_timeText shows
    QString m_timeText;
    QString m_drawnText; // the time text of the last tick
    Alarm m_alarm;
    QString m_skinName;
    std::int16_t m_keyCode = 0;
    std::int16_t m_showSaver = 0;
};
