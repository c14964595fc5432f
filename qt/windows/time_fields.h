#pragma once

#include <QString>

#include <cstdint>
#include <optional>

// The rules of the alarm time's edit fields: the firmware keeps the hour in
// 24-hour form, the user sees it in 12-hour form with AM/PM, and the fields
// repair what the user types on every change.
class TimeFields
{
public:
    struct Range
    {
        int low;
        int high;
        // The text that replaces one that is not a number at all.
        const char *notANumber;
    };
    static constexpr Range HourRange{1, 12, "06"};
    static constexpr Range MinuteRange{0, 59, "30"};

    // 12-hour form of a firmware hour: 0 is 12 AM, 12 is 12 PM, 13 is 1 PM.
    static int twelveHour(uint32_t hour24) { return hour24 % 12 == 0 ? 12 : int(hour24 % 12); }
    static bool isAfternoon(uint32_t hour24) { return hour24 >= 12; }
    // The firmware hour of a 12-hour hour: 12 counts as 0, PM adds 12.
    static uint32_t firmwareHour(int hour12, bool afternoon);

    // The number as text, with a "0" in front when it has one digit.
    static QString twoDigits(int number);
    static QString twoDigits(const QString &text);

    // The text that must replace `text` in a field of `range`, or nothing
    // when the text may stay as typed: a number above the range becomes the
    // high bound, one below it the low bound, anything else that is not a
    // number the range's fixed middle text.
    static std::optional<QString> repair(const QString &text, const Range &range);

    // The field's number, or the range's middle when the text is not one.
    static int value(const QString &text, const Range &range);

    // One arrow step, wrapping around the range: after the high bound comes
    // the low one and before the low one the high one.
    static QString stepUp(const QString &text, const Range &range);
    static QString stepDown(const QString &text, const Range &range);
};
