#include "tests/support/test_platform.h"

#include <dlfcn.h>
#include <unistd.h>

#include <cstdlib>

namespace testsupport {

void setEnvironment(const std::string &name, const std::string &value)
{
    ::setenv(name.c_str(), value.c_str(), 1);
}

void unsetEnvironment(const std::string &name)
{
    ::unsetenv(name.c_str());
}

int processId()
{
    return static_cast<int>(::getpid());
}

bool libraryStillLoaded(const std::string &path)
{
    void *handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (handle == nullptr)
        return false;
    ::dlclose(handle);
    return true;
}

bool runsOn64BitWindowsAs32Bit()
{
    return false;
}

bool machineHasCdromDrive()
{
    // Drive letters, and so drives the tests could find, exist on Windows only.
    return false;
}

bool runsUnderWine()
{
    return false;
}

} // namespace testsupport
