#pragma once

#include "bridge/acpi_channel.h"
#include "bridge/item_catalogue.h"
#include "bridge/vesperlink.h"

#include <cstdint>

// What Vesperlink's nine exports do, on a device of the caller's choosing:
// each maps the fields of a record onto firmware items and reads or writes
// one item per field. The exports forward to one static instance on the
// platform's device; tests build their own on a test device.
class AlarmBridge
{
public:
    static constexpr uint32_t StagingSize = 1024;

    explicit AlarmBridge(AcpiDevice &device) : m_channel(device), m_catalogue(m_channel) {}
    AlarmBridge(const AlarmBridge &) = delete;
    AlarmBridge &operator=(const AlarmBridge &) = delete;

    bool init();
    bool isSupport(uint32_t *supported);
    uint32_t getInfo(uint32_t kind, char *text, uint32_t size, uint32_t *first, uint32_t *second,
                     uint32_t *third) const;
    bool getStatus(uint32_t *status);
    bool setStatus(uint32_t status);
    bool getTimeSetting(TimeSetting *setting);
    bool setTimeSetting(const TimeSetting *setting);
    bool getPlayStatus(PlayStatus *status);
    bool setPlayStatus(const PlayStatus *status);

    AcpiChannel &channel() { return m_channel; }
    ItemCatalogue &catalogue() { return m_catalogue; }

private:
    uint32_t getChoiceInfo(uint16_t number, char *text, uint32_t size, uint32_t *first,
                           uint32_t *second, uint32_t *third) const;
    uint32_t getRangeInfo(uint16_t number, uint32_t size, uint32_t *first, uint32_t *second,
                          uint32_t *third) const;
    bool readInto(uint16_t number, uint32_t &field);

    AcpiChannel m_channel;
    ItemCatalogue m_catalogue;
};
