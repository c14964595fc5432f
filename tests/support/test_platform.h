#pragma once

// The few things tests need from the operating system whose form differs
// between POSIX and Windows, so that the same test sources build for both.

#include <string>

namespace testsupport {

// Sets or removes a variable of this process's environment, where the C
// library's getenv (in this program and in the libraries it loads) sees it.
void setEnvironment(const std::string &name, const std::string &value);
void unsetEnvironment(const std::string &name);

int processId();

// Whether the shared library at `path` is loaded in this process now,
// without loading it.
bool libraryStillLoaded(const std::string &path);

// An answer that does not come from the code under test: whether this is a
// 32-bit process on a 64-bit Windows, told by the machine's native
// processor architecture.
bool runsOn64BitWindowsAs32Bit();

// Whether the machine has a CD-ROM drive (a drive letter of that type); the
// tests that pin down the answers of a machine without one skip otherwise.
bool machineHasCdromDrive();

// Whether this is Wine rather than Windows (ntdll exports wine_get_version):
// the few tests that pin down an answer in which the two differ ask it.
bool runsUnderWine();

// Whether the driver must get its requests in the 64-bit-host layout here.
inline bool expectsHost64Layout()
{
    return sizeof(void *) == 8 || runsOn64BitWindowsAs32Bit();
}

} // namespace testsupport
