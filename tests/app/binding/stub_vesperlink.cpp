// A stand-in Vesperlink for the binding's tests, built several times with
// different behaviour: its start can fail, its firmware can lack the alarm,
// and one build lacks an export.

#include "bridge/vesperlink.h"

#include <cstring>

#define STUB_EXPORT extern "C" __attribute__((visibility("default")))

STUB_EXPORT uint8_t VPInit(void)
{
    return STUB_INIT_RESULT;
}

STUB_EXPORT uint8_t VPIsSupport(uint32_t *supported)
{
    *supported = STUB_SUPPORTED;
    return STUB_SUPPORT_RESULT;
}

STUB_EXPORT uint32_t VPGetInfo(uint32_t kind, char *text, uint32_t size, uint32_t *first,
                               uint32_t *second, uint32_t *third)
{
    // Every kind is a two-name list whose names tell the kind.
    char names[] = "kind0\0second";
    names[4] = static_cast<char>('0' + kind);
    if (size >= sizeof(names))
        std::memcpy(text, names, sizeof(names));
    *first = 0;
    *second = 1;
    *third = 2;
    return sizeof(names);
}

STUB_EXPORT uint8_t VPGetStatus(uint32_t *status)
{
    *status = 1;
    return 1;
}

STUB_EXPORT uint8_t VPSetStatus(uint32_t)
{
    return 1;
}

STUB_EXPORT uint8_t VPGetTimeSetting(TimeSetting *setting)
{
    setting->hour = 7;
    return 1;
}

#ifndef STUB_LACKS_SET_TIME
STUB_EXPORT uint8_t VPSetTimeSetting(const TimeSetting *)
{
    return 1;
}
#endif

STUB_EXPORT uint8_t VPGetPlayStatus(PlayStatus *status)
{
    status->volume = 3;
    return 1;
}

STUB_EXPORT uint8_t VPSetPlayStatus(const PlayStatus *)
{
    return 1;
}
