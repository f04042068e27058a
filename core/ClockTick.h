#pragma once

#include <QString>
#include <QtGlobal>
#include <array>
#include <cstdint>

// The display-free decisions of the clock tick.

// The local time of an instant (seconds since the epoch) as "HH:MM:SS", 24-hour
// clock, in the process's time zone. Empty when the instant cannot be converted.
QString localTimeText(qint64 secondsSinceEpoch);

// The numeric value of one character of the time text; anything that is not a
// decimal digit counts as 0.
std::int16_t digitValue(QChar c);

// What one tick draws: which pairs changed (each pair is redrawn as a whole)
// and the digit of each tube, tube 0 = hours tens ... tube 5 = seconds units.
struct TickPlan
{
    QString hours;   // characters 1-2 of the time text
    QString minutes; // characters 4-5
    QString seconds; // characters 7-8
    bool secondsChanged = false;
    bool minutesChanged = false;
    bool hoursChanged = false;
    std::array<std::int16_t, 6> digits{};

    // The lamps are lit exactly on the first tick of a new second.
    bool lampsLit() const { return secondsChanged; }
};

TickPlan planTick(const QString& timeText, const QString& lastSeconds, const QString& lastMinutes,
                  const QString& lastHours);

// The alarm check that runs when the alarm switch is on: the stored alarm time
// matches the tick's texts exactly (case-sensitive; "7" never matches "07").
bool alarmMatches(const QString& alarmHour, const QString& alarmMinute, const QString& currentHours,
                  const QString& currentMinutes);

// Entering the check: the new AlarmState and whether the notice opens. Armed
// (0) becomes ringing (1) in the alarm minute and opens the notice once; any
// other minute re-arms.
struct AlarmEntry
{
    std::int16_t state = 0;
    bool showNotice = false;
};
AlarmEntry alarmEnter(bool matches, std::int16_t state);

// After the notice is shown: the sound starts anew on every tick of the alarm
// minute while the state is ringing (also on the tick that just set it).
bool alarmPlays(bool matches, std::int16_t state);
