#pragma once

#include "app/binding/choice_list.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What the firmware offers for each field that vpalarm sets.
struct FirmwareOffer
{
    const ChoiceList &hours;
    const ChoiceList &minutes;
    const ChoiceList &drives;
    const ChoiceList &modes;
    const ChoiceList &durations;
    const ChoiceList &volumes;
};

// The fields that `vpalarm set` changes, as firmware values; a field left
// out keeps what the firmware holds.
struct SetRequest
{
    std::optional<bool> on;
    std::optional<uint32_t> hour;
    std::optional<uint32_t> minute;
    std::optional<uint32_t> days;
    std::optional<uint32_t> drive;
    std::optional<uint32_t> track; // as an index from 0
    std::optional<uint32_t> repeatMode;
    std::optional<uint32_t> duration;
    std::optional<uint32_t> volume;

    bool changesTime() const { return hour || minute || days; }
    bool changesPlay() const { return drive || track || repeatMode || duration || volume; }
};

struct SetParse
{
    SetRequest request;
    std::string error; // empty when every argument was understood and is on offer
};

// The arguments after "set", checked against what the firmware offers.
SetParse parseSetArguments(const std::vector<std::string> &arguments, const FirmwareOffer &offer);

// Parsers of single values, also for the tests. Each answers nothing for a
// malformed text.
std::optional<std::pair<uint32_t, uint32_t>> parseTime(const std::string &text);
std::optional<uint32_t> parseDays(const std::string &text);
// The value of the entry of `list` named `text` (letter case aside), or the
// value `text` writes in decimal when the list offers it.
std::optional<uint32_t> parseChoice(const ChoiceList &list, const std::string &text);

// The longest argument vpalarm reads; anything longer is malformed.
constexpr size_t MaxArgumentLength = 64;
