#include "app/windows/option_rules.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstring>

namespace OptionRules {

namespace {

constexpr uint32_t FullLevel = 65535;
constexpr uint32_t DefaultTestSeconds = 600;

uint32_t entries(const ChoiceList &list)
{
    return std::min(list.count, ChoiceList::MaxEntries);
}

std::string lowered(std::string_view text)
{
    std::string lower(text);
    for (char &c : lower)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

} // namespace

std::optional<uint32_t> entryOf(const ChoiceList &list, uint32_t value)
{
    for (uint32_t entry = 0; entry < entries(list); ++entry) {
        if (list.values[entry] == value)
            return entry;
    }
    return std::nullopt;
}

bool validEntry(const ChoiceList &list, int entry)
{
    return entry >= 0 && uint32_t(entry) < entries(list);
}

std::string entryName(const ChoiceList &list, uint32_t entry)
{
    if (entry >= entries(list))
        return {};
    const char *name = list.names[entry];
    return std::string(name, strnlen(name, ChoiceList::NameSize));
}

std::optional<int> volumeNumber(std::string_view text)
{
    if (text.empty())
        return std::nullopt;
    int number = 0;
    const char *end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, number);
    if (error != std::errc() || stop != end)
        return std::nullopt;
    return number;
}

std::optional<std::string> repairedVolume(std::string_view text, int maxVolume)
{
    const std::optional<int> number = volumeNumber(text);
    if (!number)
        return std::to_string(maxVolume / 2);
    if (*number > maxVolume)
        return std::to_string(maxVolume);
    if (*number < 0)
        return std::string("0");
    return std::nullopt;
}

uint32_t mixerStep(int maxVolume)
{
    return maxVolume >= 2 ? FullLevel / uint32_t(maxVolume - 1) : FullLevel;
}

uint32_t mixerLevel(int volumeNumber, uint32_t step)
{
    return uint32_t(std::max(volumeNumber, 0)) * step;
}

uint32_t testSeconds(std::string_view duration)
{
    struct Known
    {
        std::string_view name;
        uint32_t seconds;
    };
    static constexpr Known known[] = {
        {"10 mins", 600}, {"20 mins", 1200}, {"30 mins", 1800}, {"1 hour", 3600}};
    for (const Known &entry : known) {
        if (duration == entry.name)
            return entry.seconds;
    }
    return DefaultTestSeconds;
}

TestPlay testPlay(std::string_view mode)
{
    const std::string lower = lowered(mode);
    if (lower == "none")
        return TestPlay::Once;
    if (lower == "single")
        return TestPlay::RepeatOne;
    return TestPlay::ToEnd;
}

} // namespace OptionRules
