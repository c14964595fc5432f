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
