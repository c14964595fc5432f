// The nine entry points of Vesperlink. Each forwards to the one bridge on the
// platform's device, leaving the caller's error state as it found it; nothing
// else leaves the library.

#include "bridge/alarm_bridge.h"
#include "bridge/caller_error_state.h"
#include "bridge/vesperlink.h"

// On ELF platforms visibility decides what is exported; the Windows build
// lists the names in its module definition file instead.
#define VESPERLINK_EXPORT __attribute__((visibility("default")))

namespace {

// The one bridge, made when the library is loaded, before any export can be
// called: its constructor only keeps the device, and a function-local static
// would need the C++ runtime's guard for its first use.
AlarmBridge instance(AcpiDevice::system());

AlarmBridge &bridge()
{
    return instance;
}

} // namespace

extern "C" {

VESPERLINK_EXPORT uint8_t VPInit(void)
{
    const CallerErrorState kept;
    return bridge().init();
}

VESPERLINK_EXPORT uint8_t VPIsSupport(uint32_t *supported)
{
    const CallerErrorState kept;
    return bridge().isSupport(supported);
}

VESPERLINK_EXPORT uint32_t VPGetInfo(uint32_t kind, char *text, uint32_t size, uint32_t *first,
                                     uint32_t *second, uint32_t *third)
{
    const CallerErrorState kept;
    return bridge().getInfo(kind, text, size, first, second, third);
}

VESPERLINK_EXPORT uint8_t VPGetStatus(uint32_t *status)
{
    const CallerErrorState kept;
    return bridge().getStatus(status);
}

VESPERLINK_EXPORT uint8_t VPSetStatus(uint32_t status)
{
    const CallerErrorState kept;
    return bridge().setStatus(status);
}

VESPERLINK_EXPORT uint8_t VPGetTimeSetting(TimeSetting *setting)
{
    const CallerErrorState kept;
    return bridge().getTimeSetting(setting);
}

VESPERLINK_EXPORT uint8_t VPSetTimeSetting(const TimeSetting *setting)
{
    const CallerErrorState kept;
    return bridge().setTimeSetting(setting);
}

VESPERLINK_EXPORT uint8_t VPGetPlayStatus(PlayStatus *status)
{
    const CallerErrorState kept;
    return bridge().getPlayStatus(status);
}

VESPERLINK_EXPORT uint8_t VPSetPlayStatus(const PlayStatus *status)
{
    const CallerErrorState kept;
    return bridge().setPlayStatus(status);
}

} // extern "C"
