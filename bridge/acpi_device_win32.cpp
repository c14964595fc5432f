#include "bridge/acpi_device.h"

#include <windows.h>

namespace {

using IsWow64ProcessFunc = BOOL(WINAPI *)(HANDLE, PBOOL);

// IsWow64Process is missing from the oldest 32-bit systems, so it is looked
// up by name instead of being imported.
IsWow64ProcessFunc lookUpIsWow64Process()
{
    HMODULE kernel = GetModuleHandleA("kernel32");
    if (kernel == nullptr)
        return nullptr;
    // The detour over the generic function type keeps the compiler from
    // comparing the two signatures.
    return reinterpret_cast<IsWow64ProcessFunc>(
        reinterpret_cast<void (*)()>(GetProcAddress(kernel, "IsWow64Process")));
}

class Win32AcpiDevice final : public AcpiDevice
{
public:
    Win32AcpiDevice() : m_isWow64Process(lookUpIsWow64Process()) {}

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

    bool runsUnderWow64() override
    {
        if (m_isWow64Process == nullptr)
            return false;
        BOOL wow64 = FALSE;
        if (!m_isWow64Process(GetCurrentProcess(), &wow64))
            return false;
        return wow64 != FALSE;
    }

private:
    HANDLE m_handle = INVALID_HANDLE_VALUE;
    IsWow64ProcessFunc m_isWow64Process;
};

// Constructed when the library is loaded, which looks up IsWow64Process.
Win32AcpiDevice device;

} // namespace

AcpiDevice &AcpiDevice::system()
{
    return device;
}
