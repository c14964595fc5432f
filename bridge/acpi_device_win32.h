#pragma once

#include "bridge/acpi_device.h"

#include <windows.h>

// The three system calls the driver device makes, so that a test can stand
// in for the driver and see the exact arguments; the system's own by default.
struct DeviceFileCalls
{
    decltype(&CreateFileA) createFile = &CreateFileA;
    decltype(&CloseHandle) closeHandle = &CloseHandle;
    decltype(&DeviceIoControl) deviceIoControl = &DeviceIoControl;
};

// The maker's ACPI driver device, through the one handle this object owns.
class Win32AcpiDevice final : public AcpiDevice
{
public:
    explicit Win32AcpiDevice(const DeviceFileCalls &calls = {}) : m_calls(calls) {}
    Win32AcpiDevice(const Win32AcpiDevice &) = delete;
    Win32AcpiDevice &operator=(const Win32AcpiDevice &) = delete;

    bool open() override;
    bool control(uint32_t code, const void *in, uint32_t inSize, void *out, uint32_t outSize,
                 uint32_t &returned) override;
    bool runsUnderWow64() override;

private:
    DeviceFileCalls m_calls;
    HANDLE m_handle = INVALID_HANDLE_VALUE;
};
