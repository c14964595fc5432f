#include "app/binding/library_loader.h"

#include <windows.h>

namespace {

class Win32LibraryLoader final : public LibraryLoader
{
public:
    Handle load(const std::string &path) override { return LoadLibraryA(path.c_str()); }

    EntryPoint resolve(Handle library, const char *name) override
    {
        return reinterpret_cast<EntryPoint>(GetProcAddress(static_cast<HMODULE>(library), name));
    }

    void unload(Handle library) override { FreeLibrary(static_cast<HMODULE>(library)); }
};

} // namespace

LibraryLoader &LibraryLoader::system()
{
    static Win32LibraryLoader loader;
    return loader;
}
