#pragma once

#include <cstdint>
#include <optional>
#include <string>

// The rules of the alarm time's edit fields: the firmware keeps the hour in
// 24-hour form, the user sees it in 12-hour form with AM/PM, and the fields
// repair what the user types on every change.
namespace TimeFields {

struct Range
{
    int low;
    int high;
    // The text that replaces one that is not a number at all.
    const char *notANumber;
};
inline constexpr Range HourRange{1, 12, "06"};
inline constexpr Range MinuteRange{0, 59, "30"};

// The 12-hour number shown for a firmware hour: hours above 12 lose 12 once
// and 0 becomes 12, so 0 is 12 AM, 12 is 12 PM and 13 is 1 PM. An hour the
// firmware should not hold (24 and more) keeps the rest, which the field
// then repairs to its high bound.
uint32_t twelveHour(uint32_t hour24);
inline bool isAfternoon(uint32_t hour24)
{
    return hour24 >= 12;
}
// The firmware hour of a 12-hour hour: 12 counts as 0, PM adds 12.
uint32_t firmwareHour(int hour12, bool afternoon);

// The text with a "0" in front when it is shorter than two characters.
std::string twoDigits(const std::string &text);
std::string twoDigits(long long number);

// The whole text as a decimal integer (an optional sign and digits only,
// nothing before or after them), or nothing.
std::optional<long long> integer(const std::string &text);

// The text that must replace `text` in a field of `range`, or nothing when
// the text may stay as typed: a number above the range becomes the high
// bound, one below it the low bound, anything else the range's middle text.
std::optional<std::string> repair(const std::string &text, const Range &range);

// The field's number, or the range's middle when the text is not one.
int value(const std::string &text, const Range &range);

// One arrow step, wrapping around the range, padded to two digits.
std::string stepUp(const std::string &text, const Range &range);
std::string stepDown(const std::string &text, const Range &range);

} // namespace TimeFields
