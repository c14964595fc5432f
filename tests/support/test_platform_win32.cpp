#include "tests/support/test_platform.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <cstdlib>

namespace testsupport {

void setEnvironment(const std::string &name, const std::string &value)
{
    // The C runtime keeps its own copy of the environment, which getenv
    // reads; _putenv_s changes both it and the process's.
    ::_putenv_s(name.c_str(), value.c_str());
}

void unsetEnvironment(const std::string &name)
{
    // An empty value removes the variable.
    ::_putenv_s(name.c_str(), "");
}

int processId()
{
    return static_cast<int>(::GetCurrentProcessId());
}

bool libraryStillLoaded(const std::string &path)
{
    return ::GetModuleHandleA(path.c_str()) != nullptr;
}

bool runsOn64BitWindowsAs32Bit()
{
    if (sizeof(void *) != 4)
        return false;
    SYSTEM_INFO info{};
    ::GetNativeSystemInfo(&info);
    return info.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_AMD64 ||
           info.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_ARM64;
}

bool runsUnderWine()
{
    const HMODULE ntdll = ::GetModuleHandleA("ntdll.dll");
    return ntdll && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

bool machineHasCdromDrive()
{
    const DWORD drives = ::GetLogicalDrives();
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        if ((drives & (1u << (letter - 'A'))) == 0)
            continue;
        const char root[] = {letter, ':', '\\', '\0'};
        if (::GetDriveTypeA(root) == DRIVE_CDROM)
            return true;
    }
    return false;
}

} // namespace testsupport
