#pragma once

#include <string>

// Loads a shared library by its full path and finds its exports by name. One
// implementation per platform; tests put their own in its place.
class LibraryLoader
{
public:
    using Handle = void *;
    // The generic function pointer type: every export is cast back to its
    // own type by the caller.
    using EntryPoint = void (*)();

    virtual ~LibraryLoader() = default;

    // Null when the library cannot be loaded.
    virtual Handle load(const std::string &path) = 0;
    // Null when the library has no export of that name.
    virtual EntryPoint resolve(Handle library, const char *name) = 0;
    virtual void unload(Handle library) = 0;

    // The loader of the running platform.
    static LibraryLoader &system();
};
