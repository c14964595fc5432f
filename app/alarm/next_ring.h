#pragma once

#include "bridge/vesperlink.h"

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>

// The next moment the firmware rings for an alarm set to `setting`, strictly
// after `now`, in local time; empty when no day is set or the time is not a
// time of day. A time of day that the clock skips on a day (the hour lost to
// daylight saving) does not ring that day; a time the clock passes twice
// rings the first time.
std::optional<std::time_t> nextRing(const TimeSetting &setting, std::time_t now);

// The line that tells the user when the alarm rings next:
// "Rings Tuesday at 6:30 AM, in 7 h 12 min", "No day is set" or
// "The alarm is off". The time left is rounded up to the minute, so a ring
// less than a minute away reads "in 0 h 1 min"; beyond a day it reads
// "in 6 d 23 h 30 min".
std::string nextRingText(uint32_t status, const TimeSetting &setting, std::time_t now);

// The same, read at the alarm clock's current time.
std::string nextRingText(uint32_t status, const TimeSetting &setting);
