#include "app/binding/program_location.h"

#include <climits>
#include <unistd.h>

std::string ProgramLocation::directory()
{
    char path[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof(path));
    if (length <= 0 || static_cast<size_t>(length) >= sizeof(path))
        return {};
    const std::string file(path, static_cast<size_t>(length));
    const size_t slash = file.rfind('/');
    return slash == std::string::npos ? std::string() : file.substr(0, slash + 1);
}

std::string ProgramLocation::libraryFileName()
{
    return "libVesperlink.so";
}

bool ProgramLocation::isLoadable(const std::string &path)
{
    // A C string stops at the first NUL; the system would load a shorter
    // path than the one asked for.
    if (path.size() < 2 || path.size() >= PATH_MAX || path.find('\0') != std::string::npos)
        return false;
    return path.front() == '/' && path.back() != '/';
}
