#pragma once

#include "emulator/acpi_request.h"

#include <nlohmann/json.hpp>

namespace emulator {

// The injected faults of a machine image's firmware, applied to requests in
// the order of the list: the first entry that matches a request and has not
// used up its `times` applies, and its `used` count goes up by one.
class FirmwareFaults
{
public:
    // The entry that applies to `request`, its use already counted in
    // `firmware`; null when none applies.
    static const nlohmann::json *apply(nlohmann::json &firmware, const AcpiRequest &request);

    // Whether an entry applies to `request`, counting nothing.
    static bool anyApplies(const nlohmann::json &firmware, const AcpiRequest &request);

private:
    static bool matches(const nlohmann::json &fault, const AcpiRequest &request);
};

} // namespace emulator
