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
    // directory() followed by libraryFileName(); the bare file name when the
    // directory is unknown, which isLoadable() refuses.
    static std::string libraryPath() { return directory() + libraryFileName(); }
    // Whether `path` is a full path of a file inside a folder, short enough
    // for the system to take whole. Only such a path is handed to the
    // loader: a bare or relative name would be looked up along the system's
    // search order and could load a library planted in another folder.
    static bool isLoadable(const std::string &path);
};
