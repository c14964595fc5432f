#pragma once

#include "app/binding/choice_list.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// What the options dialog decides, apart from its window: which firmware
// entry a value is, what a volume text means, how its field is repaired, and
// how long and in which way a test plays.
namespace OptionRules {

// How a test plays the current track, as the music dialog's player modes.
enum class TestPlay
{
    Once,      // mode "none": the track once, untimed
    RepeatOne, // mode "single"
    ToEnd,     // mode "all" and any other name
};

// The entry of `list` whose value is `value`, the first if several; none
// when the firmware offers no such value.
std::optional<uint32_t> entryOf(const ChoiceList &list, uint32_t value);
// Whether `entry` is one of the entries the list holds.
bool validEntry(const ChoiceList &list, int entry);
// The name of an entry, cut at its NUL or at the end of its slot.
std::string entryName(const ChoiceList &list, uint32_t entry);

// The integer a volume text holds: decimal digits with an optional leading
// minus and nothing else. Blanks, signs elsewhere and letters make it no
// number, so that the field is repaired rather than read loosely.
std::optional<int> volumeNumber(std::string_view text);
// The text the volume field must hold instead of `text`, or none when it may
// stay: above `maxVolume` the highest, below zero "0", not a number half
// the highest.
std::optional<std::string> repairedVolume(std::string_view text, int maxVolume);

// The mixer level per volume number. With fewer than two volume values there
// is no step between them: the one volume there is plays at full level.
uint32_t mixerStep(int maxVolume);
// The mixer level of a volume number; the mixer clamps what a typed highest
// number computes beyond full level.
uint32_t mixerLevel(int volumeNumber, uint32_t step);

// How many seconds a test plays for the duration's name (exact names; any
// other plays ten minutes).
uint32_t testSeconds(std::string_view duration);
// How a test plays for the repeat mode's name, which counts in lower case.
TestPlay testPlay(std::string_view mode);

} // namespace OptionRules
