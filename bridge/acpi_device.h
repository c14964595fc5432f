#pragma once

#include <cstdint>

// The maker's ACPI driver device, reached through one control request at a
// time. On Windows it is the driver itself; elsewhere the emulated notebook
// stands in for it, and tests put their own devices in its place.
class AcpiDevice
{
public:
    virtual ~AcpiDevice() = default;

    // Opens the device. A handle opened before is closed first, so that
    // opening again never leaks one; after a failed open the device is closed.
    virtual bool open() = 0;

    // One synchronous control request: `in` holds the request's `inSize`
    // bytes, `out` receives at most `outSize` result bytes. On success
    // `returned` is the number of bytes the device wrote.
    virtual bool control(uint32_t code, const void *in, uint32_t inSize, void *out,
                         uint32_t outSize, uint32_t &returned) = 0;

    // Whether this process is a 32-bit process on 64-bit Windows.
    virtual bool runsUnderWow64() = 0;

    // The device of the platform the library was built for.
    static AcpiDevice &system();
};
