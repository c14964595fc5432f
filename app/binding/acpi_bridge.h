#pragma once

#include "app/binding/choice_list.h"
#include "app/binding/library_loader.h"
#include "bridge/vesperlink.h"

#include <cstdint>
#include <string>

// The application's binding to Vesperlink: loads the library at run time,
// binds its nine exports by name, starts the bridge and keeps the firmware's
// four lists of values for the life of the program. The dialogs read and
// write the alarm records through the forwarding operations.
class AcpiBridge
{
public:
    // The results of Load().
    enum LoadResult : int
    {
        LoadReady = 0,
        LoadLibraryFailed = 1, // missing file, not loadable, or an export is missing
        LoadInitFailed = 2,    // the ACPI driver device could not be opened
        LoadNotSupported = 3,  // the firmware could not be asked or has no alarm
    };

    explicit AcpiBridge(LibraryLoader &loader = LibraryLoader::system());
    AcpiBridge(const AcpiBridge &) = delete;
    AcpiBridge &operator=(const AcpiBridge &) = delete;

    // Loads the library at `path` (normally ProgramLocation::libraryPath()),
    // starts the bridge and fills the four lists. Answers a LoadResult; a
    // path ProgramLocation::isLoadable() refuses is result 1 without any
    // attempt to load it, and after results 1 and 2 no entry point is bound.
    int Load(const std::string &path);

    // The text shown to the user for a failed Load(); empty for LoadReady.
    static const char *loadResultText(int result);

    // Fills `list` from info kind `kind` of VPGetInfo. False when not loaded
    // or when the firmware's text never fits; `list` is then left alone.
    bool LoadList(uint8_t kind, ChoiceList &list);

    // Forward to the library; false without a call when not loaded.
    bool GetStatus(uint32_t *status);
    // Sends status 1 when `disabled` is false and 0 when it is true.
    bool SetStatus(bool disabled);
    bool GetTimeSetting(TimeSetting *setting);
    bool SetTimeSetting(const TimeSetting *setting);
    bool GetPlayStatus(PlayStatus *status);
    bool SetPlayStatus(const PlayStatus *status);

    // The bound entry points; null until Load() found them.
    VPGetStatusFunc getStatus = nullptr;
    VPInitFunc init = nullptr;
    VPIsSupportFunc isSupport = nullptr;
    VPGetInfoFunc getInfo = nullptr;
    VPSetStatusFunc setStatus = nullptr;
    VPGetPlayStatusFunc getPlayStatus = nullptr;
    VPSetPlayStatusFunc setPlayStatus = nullptr;
    VPGetTimeSettingFunc getTimeSetting = nullptr;
    VPSetTimeSettingFunc setTimeSetting = nullptr;
    // The library is loaded and VPInit succeeded.
    bool loaded = false;
    ChoiceList driveList;    // info kind 0: the drive positions
    ChoiceList modeList;     // info kind 3: the repeat modes
    ChoiceList durationList; // info kind 1: the durations
    ChoiceList volumeList;   // info kind 2: the volume range

private:
    bool bindExports(LibraryLoader::Handle library);
    void clearExports();

    LibraryLoader *m_loader;
};
