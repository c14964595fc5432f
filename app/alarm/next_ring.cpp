#include "app/alarm/next_ring.h"

#include "app/alarm/alarm_clock.h"

#include <cstdio>

namespace {

constexpr int DaysInWeek = 7;

// The local calendar time of `t`. The C library's localtime is used on
// purpose: it is the one form that every C runtime the program runs on
// offers (the old Windows runtime has neither localtime_r nor localtime_s);
// its static result is copied at once, and the alarm code runs on one thread.
bool localTime(std::time_t t, std::tm &out)
{
    const std::tm *result = std::localtime(&t);
    if (result == nullptr)
        return false;
    out = *result;
    return true;
}

// The moment the local clock shows hour:minute on the day `offset` days after
// `today`, if it shows that time at all; the first such moment when it shows
// it twice. Also tells the weekday of that day.
std::optional<std::time_t> ringOnDay(const std::tm &today, int offset, const TimeSetting &setting,
                                     int &weekday)
{
    std::optional<std::time_t> earliest;
    weekday = -1;
    // Standard time and summer time are both tried: in the hour the clock
    // passes twice each gives one of the two moments.
    for (int isdst : {0, 1}) {
        std::tm wanted{};
        wanted.tm_year = today.tm_year;
        wanted.tm_mon = today.tm_mon;
        wanted.tm_mday = today.tm_mday + offset;
        wanted.tm_hour = static_cast<int>(setting.hour);
        wanted.tm_min = static_cast<int>(setting.minute);
        wanted.tm_isdst = isdst;
        const std::time_t t = std::mktime(&wanted);
        if (t == static_cast<std::time_t>(-1))
            continue;
        // mktime moves a time the clock skips, or a guess of the wrong
        // season, to another wall time; only a moment the clock really shows
        // as hour:minute on that day counts.
        std::tm shown{};
        if (!localTime(t, shown))
            continue;
        std::tm day{};
        day.tm_year = today.tm_year;
        day.tm_mon = today.tm_mon;
        day.tm_mday = today.tm_mday + offset;
        day.tm_hour = 12;
        day.tm_isdst = -1;
        if (std::mktime(&day) == static_cast<std::time_t>(-1))
            continue;
        if (shown.tm_year != day.tm_year || shown.tm_yday != day.tm_yday ||
            shown.tm_hour != static_cast<int>(setting.hour) ||
            shown.tm_min != static_cast<int>(setting.minute))
            continue;
        weekday = day.tm_wday;
        if (!earliest || t < *earliest)
            earliest = t;
    }
    return earliest;
}

std::string timeLeftText(std::time_t ring, std::time_t now)
{
    // Rounded up: a ring 30 seconds away is a minute away, never "0 min".
    const long long minutes = (static_cast<long long>(ring - now) + 59) / 60;
    const long long days = minutes / (24 * 60);
    const long long hours = minutes / 60 % 24;
    char text[64];
    if (days > 0)
        std::snprintf(text, sizeof text, "%lld d %lld h %lld min", days, hours, minutes % 60);
    else
        std::snprintf(text, sizeof text, "%lld h %lld min", hours, minutes % 60);
    return text;
}

} // namespace

std::optional<std::time_t> nextRing(const TimeSetting &setting, std::time_t now)
{
    if ((setting.days & 0x7Fu) == 0 || setting.hour > 23 || setting.minute > 59)
        return std::nullopt;
    std::tm today{};
    if (!localTime(now, today))
        return std::nullopt;
    // Two weeks ahead: a day set only for today whose time has passed rings a
    // week from today, and one whose time the clock skips that day a week
    // after that day.
    for (int offset = 0; offset <= 2 * DaysInWeek; ++offset) {
        int weekday = -1;
        const std::optional<std::time_t> ring = ringOnDay(today, offset, setting, weekday);
        if (ring && *ring > now && (setting.days & (1u << weekday)) != 0)
            return ring;
    }
    return std::nullopt;
}

std::string nextRingText(uint32_t status, const TimeSetting &setting, std::time_t now)
{
    // Any nonzero status means on, as the firmware keeps it.
    if (status == 0)
        return "The alarm is off";
    if ((setting.days & 0x7Fu) == 0)
        return "No day is set";
    if (setting.hour > 23 || setting.minute > 59)
        return "The alarm time is not a time of day";
    const std::optional<std::time_t> ring = nextRing(setting, now);
    if (!ring)
        return "The alarm does not ring in the coming week";
    std::tm shown{};
    if (!localTime(*ring, shown))
        return "The alarm does not ring in the coming week";
    static const char *const weekdays[DaysInWeek] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                     "Thursday", "Friday", "Saturday"};
    const int hour12 = shown.tm_hour % 12 == 0 ? 12 : shown.tm_hour % 12;
    char text[128];
    std::snprintf(text, sizeof text, "Rings %s at %d:%02d %s, in %s", weekdays[shown.tm_wday],
                  hour12, shown.tm_min, shown.tm_hour < 12 ? "AM" : "PM",
                  timeLeftText(*ring, now).c_str());
    return text;
}

std::string nextRingText(uint32_t status, const TimeSetting &setting)
{
    return nextRingText(status, setting, AlarmClock::current().now());
}
