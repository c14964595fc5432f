#include "app/binding/library_loader.h"

#include <dlfcn.h>

namespace {

class PosixLibraryLoader final : public LibraryLoader
{
public:
    Handle load(const std::string &path) override { return dlopen(path.c_str(), RTLD_NOW); }

    EntryPoint resolve(Handle library, const char *name) override
    {
        return reinterpret_cast<EntryPoint>(dlsym(library, name));
    }

    void unload(Handle library) override { dlclose(library); }
};

} // namespace

LibraryLoader &LibraryLoader::system()
{
    static PosixLibraryLoader loader;
    return loader;
}
