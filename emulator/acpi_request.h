#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace emulator {

// One evaluation request of the ACPI driver, taken apart. The driver accepts
// two layouts: the native one, whose argument block stays in the caller's
// memory and is reached through a 32-bit address in the request, and the
// 64-bit-host one, whose argument block travels inside the request.
struct AcpiRequest
{
    enum class Argument
    {
        None,
        Integer,
        Buffer
    };

    std::string method;
    Argument argument = Argument::None;
    uint32_t integer = 0;
    std::vector<uint8_t> buffer;

    // Reads a request of `size` bytes. Empty when its layout is malformed.
    // `nativeBlock` receives the bytes of an argument block that was read at
    // the address a native request carries, even when the request is then
    // found malformed, so that the log shows what the driver saw.
    static std::optional<AcpiRequest> parse(const uint8_t *bytes, uint32_t size,
                                            std::vector<uint8_t> &nativeBlock);
};

} // namespace emulator
