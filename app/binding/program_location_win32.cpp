#include "app/binding/program_location.h"

#include <cctype>

#include <windows.h>

namespace {

bool isSeparator(char c)
{
    return c == '\\' || c == '/';
}

} // namespace

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

bool ProgramLocation::isLoadable(const std::string &path)
{
    // A C string stops at the first NUL; the system would load a shorter
    // path than the one asked for.
    if (path.empty() || path.size() >= MAX_PATH || path.find('\0') != std::string::npos)
        return false;
    // "X:\..." on a drive or "\\server\share\..." on the network; "X:name"
    // and "\name" depend on the current folder or drive.
    const bool onDrive = path.size() > 3 && std::isalpha(static_cast<unsigned char>(path[0])) &&
                         path[1] == ':' && isSeparator(path[2]);
    const bool onShare = path.size() > 2 && isSeparator(path[0]) && isSeparator(path[1]);
    return (onDrive || onShare) && !isSeparator(path.back());
}
