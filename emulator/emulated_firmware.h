#pragma once

#include "emulator/acpi_request.h"

#include <cstdint>
#include <nlohmann/json.hpp>
#include <optional>
#include <vector>

namespace emulator {

// What the firmware answers to one evaluation request.
struct FirmwareAnswer
{
    std::vector<uint8_t> result;
    // Set when a fault cuts the returned byte count short.
    std::optional<uint32_t> cutTo;
};

// The firmware behind the emulated driver, answering from the `firmware`
// part of a machine image: the support query, the item group, the item
// descriptions and the item get and set methods, with the image's injected
// faults applied first. Item writes and fault use counts change the image.
class EmulatedFirmware
{
public:
    explicit EmulatedFirmware(nlohmann::json &image);

    // A firmware that only reads `image`: a request that would change it (an
    // item write, a request a fault counts) is left unanswered, with
    // changed() true, to be evaluated again on an image that may change.
    explicit EmulatedFirmware(const nlohmann::json &image);

    // Empty when the request fails, as for a method the firmware cannot
    // evaluate or a failing fault.
    std::optional<FirmwareAnswer> evaluate(const AcpiRequest &request);

    // True once the image was changed and must be written back; for a
    // firmware that only reads, once it would have been.
    bool changed() const { return m_changed; }

private:
    std::optional<std::vector<uint8_t>> answer(const AcpiRequest &request);
    std::optional<std::vector<uint8_t>> supportInfo() const;
    std::optional<std::vector<uint8_t>> group(const AcpiRequest &request) const;
    std::optional<std::vector<uint8_t>> getItem(const AcpiRequest &request) const;
    std::optional<std::vector<uint8_t>> setItem(const AcpiRequest &request);
    std::optional<std::vector<uint8_t>> describe(const nlohmann::json &method) const;
    const nlohmann::json *methodWithId(uint32_t id) const;

    const nlohmann::json &m_firmware;
    nlohmann::json *m_writable; // the same part of the image; null when only read
    bool m_changed = false;
};

} // namespace emulator
