#pragma once

// The whole interface of Vesperlink: nine functions exported by their plain
// names and the records they read and write. The program loads the library at
// run time and binds these names; it includes this header only for the
// declarations and never links the library.
//
// Every record lives in the caller's memory; the library never keeps a
// caller's pointer and never allocates for the caller. Every function except
// VPGetInfo answers an 8-bit truth value (nonzero for success).

#include <cstdint>

extern "C" {

// The alarm time. `days` is the day mask: bit 0 Sunday, bit 1 Monday, ...,
// bit 6 Saturday; a set bit means the alarm rings on that day. `hour` is in
// 24-hour form.
struct TimeSetting
{
    uint32_t days;
    uint32_t hour;
    uint32_t minute;
};

// What the firmware plays: the drive and the repeat mode and duration as
// indexes into their choice lists, the track as an index from 0, and the
// volume as a value of its range.
struct PlayStatus
{
    uint32_t drive;
    uint32_t track;
    uint32_t repeatMode;
    uint32_t duration;
    uint32_t volume;
};

static_assert(sizeof(TimeSetting) == 12, "TimeSetting crosses the library boundary as 12 bytes");
static_assert(sizeof(PlayStatus) == 20, "PlayStatus crosses the library boundary as 20 bytes");

// Opens the ACPI driver device. A second call closes the handle it replaces.
uint8_t VPInit(void);

// Asks the firmware whether it supports the alarm and, when it does, reads its
// catalogue of alarm items. Succeeds when the firmware could be asked; then
// `*supported` is 1 or 0.
uint8_t VPIsSupport(uint32_t *supported);

// Describes one list of values. Kinds 0 (drives), 1 (durations) and 3 (repeat
// modes) are choice lists: their names come back in `text` as consecutive
// NUL-terminated names when `size` has room for all of them, and the answer
// is their total length, NULs included. Kinds 2 (volume), 4 (hour) and
// 5 (minute) are value ranges: the text is empty and the answer is `size`.
// Either way the values on offer are *first + *second * j for j below *third.
// Any other kind answers 0 and leaves the three numbers alone.
uint32_t VPGetInfo(uint32_t kind, char *text, uint32_t size, uint32_t *first, uint32_t *second,
                   uint32_t *third);

// The alarm switch: nonzero when the alarm is on. Writers send 1 or 0.
uint8_t VPGetStatus(uint32_t *status);
uint8_t VPSetStatus(uint32_t status);

// Reads write a field only when the firmware gave its value, so a caller
// clears the record first. A read answers the result of its last item
// (Saturday, volume); a write of a whole record always answers success.
uint8_t VPGetTimeSetting(TimeSetting *setting);
uint8_t VPSetTimeSetting(const TimeSetting *setting);
uint8_t VPGetPlayStatus(PlayStatus *status);
uint8_t VPSetPlayStatus(const PlayStatus *status);

} // extern "C"

// The entry point types by which the program binds the exports.
using VPInitFunc = uint8_t (*)(void);
using VPIsSupportFunc = uint8_t (*)(uint32_t *);
using VPGetInfoFunc = uint32_t (*)(uint32_t, char *, uint32_t, uint32_t *, uint32_t *, uint32_t *);
using VPGetStatusFunc = uint8_t (*)(uint32_t *);
using VPSetStatusFunc = uint8_t (*)(uint32_t);
using VPGetTimeSettingFunc = uint8_t (*)(TimeSetting *);
using VPSetTimeSettingFunc = uint8_t (*)(const TimeSetting *);
using VPGetPlayStatusFunc = uint8_t (*)(PlayStatus *);
using VPSetPlayStatusFunc = uint8_t (*)(const PlayStatus *);
