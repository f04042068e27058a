#pragma once

#include <QString>
#include <QtGlobal>
#include <array>
#include <cstdint>
#include <optional>

// The display-free decisions of the clock tick.

// The local time of an instant (seconds since the epoch) as "HH:MM:SS", 24-hour
// clock, in the time zone TZ or /etc/localtime names at the call. Empty when
// the instant cannot be converted.
QString localTimeText(qint64 secondsSinceEpoch);

// The numeric value of one character of the time text; anything that is not a
// decimal digit counts as 0.
std::int16_t digitValue(QChar c);

// The digit of each tube, tube 0 = hours tens ... tube 5 = seconds units.
using TubeDigits = std::array<std::int16_t, 6>;

// What one tick draws: which pairs changed (each pair is redrawn as a whole)
// and the digit of each tube.
struct TickPlan
{
    // The time text the plan was made for; its pairs are views into it, so
    // a tick allocates no text of its own.
    QString timeText;
    QStringView hours() const { return QStringView(timeText).mid(0, 2); }   // characters 1-2
    QStringView minutes() const { return QStringView(timeText).mid(3, 2); } // characters 4-5
    QStringView seconds() const                                             // characters 7-8
    {
        return timeText.size() >= 2 ? QStringView(timeText).right(2) : QStringView(timeText);
    }
    bool secondsChanged = false;
    bool minutesChanged = false;
    bool hoursChanged = false;
    TubeDigits digits{};

    // The lamps are lit exactly on the first tick of a new second.
    bool lampsLit() const { return secondsChanged; }
};

// A pair changes when its digits differ from those drawn last; with no digits
// drawn yet every pair does.
TickPlan planTick(const QString& timeText, const std::optional<TubeDigits>& drawn);
