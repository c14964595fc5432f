#include "bridge/wow64_probe.h"

#include <windows.h>

namespace {

using IsWow64ProcessFunc = BOOL(WINAPI *)(HANDLE, PBOOL);

// IsWow64Process is missing from the oldest 32-bit systems, so it is looked
// up by name in the already loaded kernel32 instead of being imported.
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

// Looked up once, when the module that holds the probe is loaded.
const IsWow64ProcessFunc isWow64Process = lookUpIsWow64Process();

} // namespace

bool processRunsUnderWow64()
{
    if (isWow64Process == nullptr)
        return false;
    BOOL wow64 = FALSE;
    if (!isWow64Process(GetCurrentProcess(), &wow64))
        return false;
    return wow64 != FALSE;
}
