#pragma once

#include "app/binding/acpi_bridge.h"
#include "tools/vpalarm/alarm_reading.h"
#include "tools/vpalarm/set_request.h"

#include <string>

struct WriteOutcome
{
    bool stored = false;
    std::string error; // names the field the firmware refused or did not keep
    AlarmReading after;
};

// Writes what `request` changes over what `before` read, in the order the
// program's windows write (status, time setting, play status), then reads
// every record back and checks that each written field holds its value.
WriteOutcome writeAlarm(AcpiBridge &bridge, const AlarmReading &before, const SetRequest &request);
