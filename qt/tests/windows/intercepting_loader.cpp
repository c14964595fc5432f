#include "intercepting_loader.h"

#include <cstring>

namespace {

// The exports are plain functions without a context, so they reach the one
// loader of the running test through this.
InterceptingLoader *active = nullptr;

} // namespace

InterceptingLoader::InterceptingLoader()
{
    active = this;
}

InterceptingLoader::~InterceptingLoader()
{
    active = nullptr;
}

LibraryLoader::Handle InterceptingLoader::load(const std::string &path)
{
    return LibraryLoader::system().load(path);
}

void InterceptingLoader::unload(Handle library)
{
    LibraryLoader::system().unload(library);
}

LibraryLoader::EntryPoint InterceptingLoader::resolve(Handle library, const char *name)
{
    const EntryPoint real = LibraryLoader::system().resolve(library, name);
    if (!real)
        return nullptr;
    if (std::strcmp(name, "VPGetTimeSetting") == 0) {
        m_getTimeSetting = reinterpret_cast<VPGetTimeSettingFunc>(real);
        return reinterpret_cast<EntryPoint>(&getTimeSetting);
    }
    if (std::strcmp(name, "VPSetTimeSetting") == 0) {
        m_setTimeSetting = reinterpret_cast<VPSetTimeSettingFunc>(real);
        return reinterpret_cast<EntryPoint>(&setTimeSetting);
    }
    if (std::strcmp(name, "VPSetStatus") == 0) {
        m_setStatus = reinterpret_cast<VPSetStatusFunc>(real);
        return reinterpret_cast<EntryPoint>(&setStatus);
    }
    return real;
}

uint8_t InterceptingLoader::getTimeSetting(TimeSetting *setting)
{
    const uint8_t result = active->m_getTimeSetting(setting);
    setting->days |= active->extraDays;
    return result;
}

uint8_t InterceptingLoader::setTimeSetting(const TimeSetting *setting)
{
    active->timeWrites.push_back(*setting);
    active->writeOrder.push_back("time");
    return active->m_setTimeSetting(setting);
}

uint8_t InterceptingLoader::setStatus(uint32_t status)
{
    active->statusWrites.push_back(status);
    active->writeOrder.push_back("status");
    return active->m_setStatus(status);
}
