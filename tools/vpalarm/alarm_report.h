#pragma once

#include "app/binding/acpi_bridge.h"
#include "tools/vpalarm/alarm_reading.h"

#include <ctime>
#include <string>

// What vpalarm prints: every field as the panel shows it, the firmware's
// lists of values and the next-ring line, as text or as one JSON object.
std::string alarmText(const AcpiBridge &bridge, const AlarmReading &reading, std::time_t now);
std::string alarmJson(const AcpiBridge &bridge, const AlarmReading &reading, std::time_t now);

// "06:30 AM" for hour 6, minute 30, as the panel's labels show it.
std::string twelveHourText(uint32_t hour, uint32_t minute);
// "Mon. Tue. " for the day mask, as the panel's day label shows it.
std::string daysText(uint32_t days);
// The name of the entry of `list` whose value is `value`, the value itself
// for an entry without a name, or the value marked as not on offer.
std::string entryText(const ChoiceList &list, uint32_t value);
