#pragma once

#include "bridge/acpi_channel.h"
#include "bridge/item_info.h"

#include <cstdint>

// The firmware's catalogue of alarm items. The firmware hands out each item's
// identifier in the item's description, so the catalogue walks the alarm
// group's describing methods before any item can be read or written. All of
// it lives in this object's own storage; nothing is allocated.
class ItemCatalogue
{
public:
    static constexpr uint32_t ResultSize = 4096;
    static constexpr uint32_t MaxGroupEntries = 32;
    static constexpr uint32_t GroupNameSize = 8; // 7 characters and the NUL
    static constexpr uint32_t AlarmGroup = 10;

    explicit ItemCatalogue(AcpiChannel &channel) : m_channel(channel) {}

    // Asks "MBIF" whether the firmware supports the alarm; reads the
    // catalogue when it does. Succeeds when "MBIF" answered whole, and only
    // then writes `supported` (1 or 0).
    bool checkSupport(uint32_t &supported);
    // Reads the alarm group's list of describing methods and each of their
    // descriptions. Fails when the list could not be read.
    bool readCatalogue();
    // Evaluates one describing method (the first four characters of `name`)
    // and stores the item it describes. A description that did not come back
    // whole changes nothing.
    void readItemDescription(const char *name);

    // Succeed only when the firmware confirms; only then is `value` written.
    bool getItem(uint32_t id, uint32_t &value);
    bool setItem(uint32_t id, uint32_t value);

    const ItemInfo &item(uint16_t number) const { return m_items[number - FirstItemNumber]; }
    uint32_t id(uint16_t number) const { return item(number).id; }
    const char *groupName(uint32_t slot) const { return m_groupNames[slot]; }

private:
    bool parseDescription(const uint8_t *result, uint32_t returned, ItemInfo &info,
                          uint16_t &number) const;
    // The word at result offset 16: its bit 0 tells whether an item call worked.
    static bool confirmed(const uint8_t *result, uint32_t returned);

    AcpiChannel &m_channel;
    ItemInfo m_items[LastItemNumber - FirstItemNumber + 1];
    char m_groupNames[MaxGroupEntries][GroupNameSize] = {};
};
