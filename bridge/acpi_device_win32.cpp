#include "bridge/acpi_device.h"
#include "bridge/wow64_probe.h"

#include <windows.h>

namespace {

class Win32AcpiDevice final : public AcpiDevice
{
public:
    bool open() override
    {
        if (m_handle != INVALID_HANDLE_VALUE) {
            CloseHandle(m_handle);
            m_handle = INVALID_HANDLE_VALUE;
        }
        m_handle =
            CreateFileA("\\\\.\\QVXACPI", GENERIC_READ | GENERIC_WRITE,
                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
        return m_handle != INVALID_HANDLE_VALUE;
    }

    bool control(uint32_t code, const void *in, uint32_t inSize, void *out, uint32_t outSize,
                 uint32_t &returned) override
    {
        if (m_handle == INVALID_HANDLE_VALUE)
            return false;
        DWORD count = 0;
        if (!DeviceIoControl(m_handle, code, const_cast<void *>(in), inSize, out, outSize, &count,
                             nullptr))
            return false;
        returned = count;
        return true;
    }

    bool runsUnderWow64() override { return processRunsUnderWow64(); }

private:
    HANDLE m_handle = INVALID_HANDLE_VALUE;
};

Win32AcpiDevice device;

} // namespace

AcpiDevice &AcpiDevice::system()
{
    return device;
}
