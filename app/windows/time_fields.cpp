#include "app/windows/time_fields.h"

#include <cstdlib>

namespace TimeFields {

uint32_t twelveHour(uint32_t hour24)
{
    if (hour24 == 0)
        return 12;
    return hour24 > 12 ? hour24 - 12 : hour24;
}

uint32_t firmwareHour(int hour12, bool afternoon)
{
    const uint32_t hour = hour12 == 12 ? 0 : uint32_t(hour12);
    return afternoon ? hour + 12 : hour;
}

std::string twoDigits(const std::string &text)
{
    return text.size() < 2 ? "0" + text : text;
}

std::string twoDigits(long long number)
{
    return twoDigits(std::to_string(number));
}

std::optional<long long> integer(const std::string &text)
{
    size_t at = 0;
    if (at < text.size() && (text[at] == '-' || text[at] == '+'))
        ++at;
    if (at == text.size())
        return std::nullopt;
    // Two characters fit the fields; a longer text never overflows here.
    if (text.size() - at > 9)
        return std::nullopt;
    for (size_t i = at; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9')
            return std::nullopt;
    }
    return std::strtoll(text.c_str(), nullptr, 10);
}

std::optional<std::string> repair(const std::string &text, const Range &range)
{
    const std::optional<long long> number = integer(text);
    if (!number)
        return std::string(range.notANumber);
    if (*number > range.high)
        return std::to_string(range.high);
    if (*number < range.low)
        return std::to_string(range.low);
    return std::nullopt;
}

int value(const std::string &text, const Range &range)
{
    const std::optional<long long> number = integer(text);
    return number ? int(*number) : std::atoi(range.notANumber);
}

std::string stepUp(const std::string &text, const Range &range)
{
    const int number = value(text, range);
    return twoDigits(number >= range.high ? range.low : number + 1);
}

std::string stepDown(const std::string &text, const Range &range)
{
    const int number = value(text, range);
    return twoDigits(number <= range.low ? range.high : number - 1);
}

} // namespace TimeFields
