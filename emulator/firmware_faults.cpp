#include "emulator/firmware_faults.h"

#include <cstdint>

namespace emulator {
namespace {

// The item number a get or set request addresses, when it carries an id.
std::optional<uint32_t> itemNumber(const AcpiRequest &request)
{
    if (request.argument != AcpiRequest::Argument::Buffer || request.buffer.size() < 4)
        return std::nullopt;
    return uint32_t(request.buffer[0]) | uint32_t(request.buffer[1]) << 8;
}

} // namespace

const nlohmann::json *FirmwareFaults::apply(nlohmann::json &firmware, const AcpiRequest &request)
{
    if (!firmware.contains("faults"))
        return nullptr;
    for (nlohmann::json &fault : firmware["faults"]) {
        if (!matches(fault, request))
            continue;
        const uint32_t used = fault.value("used", uint32_t(0));
        fault["used"] = used == UINT32_MAX ? used : used + 1;
        return &fault;
    }
    return nullptr;
}

bool FirmwareFaults::anyApplies(const nlohmann::json &firmware, const AcpiRequest &request)
{
    if (!firmware.contains("faults"))
        return false;
    for (const nlohmann::json &fault : firmware["faults"]) {
        if (matches(fault, request))
            return true;
    }
    return false;
}

bool FirmwareFaults::matches(const nlohmann::json &fault, const AcpiRequest &request)
{
    if (fault["method"] != request.method)
        return false;
    const uint32_t used = fault.value("used", uint32_t(0));
    if (fault.contains("times") && used >= fault["times"].get<uint32_t>())
        return false;
    if (!fault.contains("item"))
        return true;
    const std::optional<uint32_t> item = itemNumber(request);
    return item && *item == fault["item"].get<uint32_t>();
}

} // namespace emulator
