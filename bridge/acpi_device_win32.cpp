#include "bridge/acpi_device_win32.h"

#include "bridge/wow64_probe.h"

bool Win32AcpiDevice::open()
{
    if (m_handle != INVALID_HANDLE_VALUE) {
        m_calls.closeHandle(m_handle);
        m_handle = INVALID_HANDLE_VALUE;
    }
    m_handle = m_calls.createFile("\\\\.\\QVXACPI", GENERIC_READ | GENERIC_WRITE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                                  nullptr);
    return m_handle != INVALID_HANDLE_VALUE;
}

bool Win32AcpiDevice::control(uint32_t code, const void *in, uint32_t inSize, void *out,
                              uint32_t outSize, uint32_t &returned)
{
    if (m_handle == INVALID_HANDLE_VALUE)
        return false;
    DWORD count = 0;
    if (!m_calls.deviceIoControl(m_handle, code, const_cast<void *>(in), inSize, out, outSize,
                                 &count, nullptr))
        return false;
    returned = count;
    return true;
}

bool Win32AcpiDevice::runsUnderWow64()
{
    return processRunsUnderWow64();
}

namespace {

Win32AcpiDevice device;

} // namespace

AcpiDevice &AcpiDevice::system()
{
    return device;
}
