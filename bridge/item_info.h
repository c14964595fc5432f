#pragma once

#include <cstdint>

// The firmware's alarm items, by item number: the low 16 bits of an item's
// identifier. Descriptions with any other number are ignored.
enum ItemNumber : uint16_t
{
    ItemAlarmEnabled = 1,
    ItemSunday = 2,
    ItemMonday = 3,
    ItemTuesday = 4,
    ItemWednesday = 5,
    ItemThursday = 6,
    ItemFriday = 7,
    ItemSaturday = 8,
    ItemHour = 9,
    ItemMinute = 10,
    ItemDrive = 11,
    ItemTrack = 12,
    ItemRepeatMode = 13,
    ItemDuration = 14,
    ItemVolume = 15,
};

constexpr uint16_t FirstItemNumber = ItemAlarmEnabled;
constexpr uint16_t LastItemNumber = ItemVolume;

// The values an item offers: minimum + step * j for j below count.
struct ItemRange
{
    uint32_t minimum = 0;
    uint32_t step = 0;
    uint32_t count = 0;
};

// An item whose values are 0 to count - 1, each with a name.
struct ItemChoices
{
    static constexpr uint32_t MaxChoices = 10;
    static constexpr uint32_t NameSize = 32; // 31 characters and the NUL

    uint32_t count = 0; // the names kept, at most MaxChoices
    char names[MaxChoices][NameSize] = {};
};

// What the firmware's description of one item told.
struct ItemInfo
{
    static constexpr uint32_t NameSize = 64; // 63 characters and the NUL

    uint32_t id = 0; // all 32 bits of the identifier; 0 while the item is unknown
    char name[NameSize] = {};
    uint8_t attribute8 = 0;
    uint32_t attribute32 = 0;
    ItemRange range;     // the hour, minute, track and volume items
    ItemChoices choices; // the drive, repeat mode and duration items
};

inline bool hasRange(uint16_t number)
{
    return number == ItemHour || number == ItemMinute || number == ItemTrack ||
           number == ItemVolume;
}

inline bool hasChoices(uint16_t number)
{
    return number == ItemDrive || number == ItemRepeatMode || number == ItemDuration;
}
