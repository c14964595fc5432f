#include "app/windows/startup_phases.h"

#ifdef VESPERIN_STARTUP_PHASES

#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

// The log's handle, opened at the first mark; null when no log is asked for.
// The marks come from the user-interface thread only.
HANDLE phaseLog()
{
    static const HANDLE log = [] {
        char path[MAX_PATH];
        const DWORD length = GetEnvironmentVariableA("VESPERIN_STARTUP_PHASES_LOG", path, MAX_PATH);
        if (length == 0 || length >= MAX_PATH)
            return HANDLE(nullptr);
        const HANDLE file = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                        CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        return file == INVALID_HANDLE_VALUE ? HANDLE(nullptr) : file;
    }();
    return log;
}

} // namespace

void StartupPhases::mark(const char *name)
{
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    const HANDLE log = phaseLog();
    if (!log)
        return;
    char line[128];
    const int length = std::snprintf(line, sizeof line, "%.80s %lld\n", name, now.QuadPart);
    if (length <= 0 || length >= int(sizeof line))
        return;
    DWORD written = 0;
    WriteFile(log, line, DWORD(length), &written, nullptr);
}

#else

void StartupPhases::mark(const char *) {}

#endif
