#include "app/binding/program_location.h"

#include <windows.h>

std::string ProgramLocation::directory()
{
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof(path));
    // A length of the full buffer means the path was cut short.
    if (length == 0 || length >= sizeof(path))
        return {};
    const std::string file(path, length);
    const size_t separator = file.find_last_of("\\/");
    return separator == std::string::npos ? std::string() : file.substr(0, separator + 1);
}

std::string ProgramLocation::libraryFileName()
{
    return "Vesperlink.dll";
}
