#pragma once

#include <string>

// Where the program and Vesperlink live: the library is always taken from
// the directory of the program's own file.
class ProgramLocation
{
public:
    // The directory of the running program, with its trailing separator;
    // empty when it cannot be found.
    static std::string directory();
    // The file name of Vesperlink on this platform.
    static std::string libraryFileName();
    // directory() followed by libraryFileName().
    static std::string libraryPath() { return directory() + libraryFileName(); }
};
