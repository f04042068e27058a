#include "core/ClockTick.h"

#include "platform/files/ZoneFile.h"

#include <cstdio>
#include <ctime>

QString localTimeText(qint64 secondsSinceEpoch)
{
    const auto t = static_cast<std::time_t>(secondsSinceEpoch);
    if (static_cast<qint64>(t) != secondsSinceEpoch) {
        return {};
    }
    // localtime_r keeps the zone glibc read first; tzset() looks at TZ and
    // /etc/localtime again (one stat while they are unchanged), so a zone
    // changed under the running clock shows at its next second.
    // A zone file that would block the tick or cannot be read gives UTC,
    // worked out here: even gmtime_r reads TZ's file on its first call.
    std::tm parts{};
    if (!platform::zoneFileReadable()) {
        const qint64 ofDay = (secondsSinceEpoch % 86400 + 86400) % 86400;
        parts.tm_hour = int(ofDay / 3600);
        parts.tm_min = int(ofDay / 60 % 60);
        parts.tm_sec = int(ofDay % 60);
    } else if (tzset(); !localtime_r(&t, &parts)) {
        return {};
    }
    // Written by hand: formatting runs on every tick, all day.
    const auto two = [](int v, char16_t* out) {
        v = (v < 0 || v > 99) ? 0 : v; // tm fields are in range; stay safe anyway
        out[0] = static_cast<char16_t>(u'0' + v / 10);
        out[1] = static_cast<char16_t>(u'0' + v % 10);
    };
    char16_t text[8] = {0, 0, u':', 0, 0, u':', 0, 0};
    two(parts.tm_hour, text);
    two(parts.tm_min, text + 3);
    two(parts.tm_sec, text + 6);
    return QString(reinterpret_cast<const QChar*>(text), 8);
}

std::int16_t digitValue(QChar c)
{
    return (c >= u'0' && c <= u'9') ? static_cast<std::int16_t>(c.unicode() - u'0') : 0;
}

TickPlan planTick(const QString& timeText, const std::optional<TubeDigits>& drawn)
{
    TickPlan plan;
    plan.timeText = timeText;
    const auto at = [](QStringView pair, qsizetype i) {
        return i < pair.size() ? digitValue(pair[i]) : std::int16_t{0};
    };
    const QStringView hours = plan.hours();
    const QStringView minutes = plan.minutes();
    const QStringView seconds = plan.seconds();
    plan.digits = {at(hours, 0),   at(hours, 1),   at(minutes, 0),
                   at(minutes, 1), at(seconds, 0), at(seconds, 1)};
    const auto changed = [&](std::size_t first) {
        return !drawn || (*drawn)[first] != plan.digits[first] ||
               (*drawn)[first + 1] != plan.digits[first + 1];
    };
    plan.hoursChanged = changed(0);
    plan.minutesChanged = changed(2);
    plan.secondsChanged = changed(4);
    return plan;
}
