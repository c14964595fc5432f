#include "app/binding/acpi_bridge.h"

#include "app/binding/program_location.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// The text buffer grows by this much per attempt, up to MaxAttempts attempts.
constexpr uint32_t BufferStep = 1024;
constexpr uint32_t MaxAttempts = 99;

template <typename Func>
bool resolveInto(LibraryLoader &loader, LibraryLoader::Handle library, const char *name,
                 Func &target)
{
    LibraryLoader::EntryPoint entry = loader.resolve(library, name);
    target = reinterpret_cast<Func>(entry);
    return entry != nullptr;
}

} // namespace

AcpiBridge::AcpiBridge(LibraryLoader &loader) : m_loader(&loader) {}

bool AcpiBridge::bindExports(LibraryLoader::Handle library)
{
    // Every name is looked up even after a miss, in the library's own order,
    // so that the entry points all belong to the same library.
    bool complete = true;
    complete &= resolveInto(*m_loader, library, "VPGetStatus", getStatus);
    complete &= resolveInto(*m_loader, library, "VPGetInfo", getInfo);
    complete &= resolveInto(*m_loader, library, "VPSetStatus", setStatus);
    complete &= resolveInto(*m_loader, library, "VPGetPlayStatus", getPlayStatus);
    complete &= resolveInto(*m_loader, library, "VPSetPlayStatus", setPlayStatus);
    complete &= resolveInto(*m_loader, library, "VPGetTimeSetting", getTimeSetting);
    complete &= resolveInto(*m_loader, library, "VPSetTimeSetting", setTimeSetting);
    complete &= resolveInto(*m_loader, library, "VPInit", init);
    complete &= resolveInto(*m_loader, library, "VPIsSupport", isSupport);
    return complete;
}

void AcpiBridge::clearExports()
{
    getStatus = nullptr;
    init = nullptr;
    isSupport = nullptr;
    getInfo = nullptr;
    setStatus = nullptr;
    getPlayStatus = nullptr;
    setPlayStatus = nullptr;
    getTimeSetting = nullptr;
    setTimeSetting = nullptr;
}

int AcpiBridge::Load(const std::string &path)
{
    // Only a library named by its full path is loaded: with the program's
    // folder unknown the path is a bare name, which the system would look
    // for in other folders.
    if (!ProgramLocation::isLoadable(path))
        return LoadLibraryFailed;
    LibraryLoader::Handle library = m_loader->load(path);
    if (library == nullptr)
        return LoadLibraryFailed;

    // A library without one of the exports is never called through the
    // missing entry: it is treated like a library that does not load.
    if (!bindExports(library)) {
        clearExports();
        m_loader->unload(library);
        return LoadLibraryFailed;
    }

    loaded = true;
    if (init() == 0) {
        // The entry points would point into the unloaded library.
        loaded = false;
        clearExports();
        m_loader->unload(library);
        return LoadInitFailed;
    }

    uint32_t supported = 0;
    if (isSupport(&supported) == 0 || supported == 0)
        return LoadNotSupported;

    LoadList(3, modeList);
    LoadList(1, durationList);
    LoadList(0, driveList);
    LoadList(2, volumeList);
    return LoadReady;
}

const char *AcpiBridge::loadResultText(int result)
{
    switch (result) {
    case LoadLibraryFailed:
        return "Loading ACPI DLL failed...";
    case LoadInitFailed:
        return "Initiating failed...";
    case LoadNotSupported:
        return "Your BIOS does not support Vesperin !";
    default:
        return "";
    }
}

bool AcpiBridge::LoadList(uint8_t kind, ChoiceList &list)
{
    if (!loaded)
        return false;

    uint32_t first = 0;
    uint32_t second = 0;
    uint32_t third = 0;
    std::vector<char> text;
    uint32_t usable = 0;
    bool fits = false;
    for (uint32_t attempt = 1; attempt <= MaxAttempts && !fits; ++attempt) {
        const uint32_t size = BufferStep * attempt;
        // Zero-filled, so that bytes the library did not write read as
        // empty names rather than as whatever the heap held.
        text.assign(size, '\0');
        const uint32_t answer = getInfo(kind, text.data(), size, &first, &second, &third);
        if (answer <= size) {
            fits = true;
            // Only the bytes the library said it wrote are names.
            usable = answer;
        }
    }
    if (!fits)
        return false;

    const uint32_t count = std::min(third, ChoiceList::MaxEntries);
    uint32_t position = 0;
    for (uint32_t j = 0; j < count; ++j) {
        char *slot = list.names[j];
        std::memset(slot, 0, ChoiceList::NameSize);
        if (position < usable) {
            const char *name = text.data() + position;
            const uint32_t left = usable - position;
            const void *end = std::memchr(name, '\0', left);
            const uint32_t length =
                end ? static_cast<uint32_t>(static_cast<const char *>(end) - name) : left;
            std::memcpy(slot, name, std::min(length, ChoiceList::NameSize - 1));
            position += std::min(length + 1, left);
        }
        list.values[j] = first + second * j;
    }
    list.count = count;
    return true;
}

bool AcpiBridge::GetStatus(uint32_t *status)
{
    return loaded && getStatus(status) != 0;
}

bool AcpiBridge::SetStatus(bool disabled)
{
    return loaded && setStatus(disabled ? 0u : 1u) != 0;
}

bool AcpiBridge::GetTimeSetting(TimeSetting *setting)
{
    return loaded && getTimeSetting(setting) != 0;
}

bool AcpiBridge::SetTimeSetting(const TimeSetting *setting)
{
    return loaded && setTimeSetting(setting) != 0;
}

bool AcpiBridge::GetPlayStatus(PlayStatus *status)
{
    return loaded && getPlayStatus(status) != 0;
}

bool AcpiBridge::SetPlayStatus(const PlayStatus *status)
{
    return loaded && setPlayStatus(status) != 0;
}
