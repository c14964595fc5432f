#pragma once

#include "app/binding/acpi_bridge.h"

#include <cstdint>

// The alarm as the firmware holds it, with what could be read of it. The
// bridge leaves a field it could not read as the caller had it, so each
// record is read twice into two different fill patterns: a field that comes
// back the same both times was read, one that keeps its pattern was not.
struct AlarmReading
{
    uint32_t status = 0;
    TimeSetting time{};
    PlayStatus play{};

    bool statusRead = false;
    bool hourRead = false;
    bool minuteRead = false;
    // The bridge reports the day items as a whole, by its Saturday read.
    bool daysRead = false;
    bool driveRead = false;
    bool trackRead = false;
    bool repeatRead = false;
    bool durationRead = false;
    bool volumeRead = false;

    bool timeRead() const { return hourRead && minuteRead && daysRead; }
    bool playRead() const
    {
        return driveRead && trackRead && repeatRead && durationRead && volumeRead;
    }
};

AlarmReading readAlarm(AcpiBridge &bridge);
