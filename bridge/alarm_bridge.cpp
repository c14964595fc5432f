#include "bridge/alarm_bridge.h"

#include <cstring>

namespace {

// The info kinds, in the numbering the program asks for them.
enum InfoKind : uint32_t
{
    InfoDrive = 0,
    InfoDuration = 1,
    InfoVolume = 2,
    InfoRepeatMode = 3,
    InfoHour = 4,
    InfoMinute = 5,
};

constexpr uint16_t DayItems[7] = {ItemSunday,   ItemMonday, ItemTuesday, ItemWednesday,
                                  ItemThursday, ItemFriday, ItemSaturday};

// The length of a text in a slot of `size` bytes, never looking past the slot.
size_t boundedLength(const char *text, size_t size)
{
    const void *nul = std::memchr(text, '\0', size);
    return nul ? static_cast<size_t>(static_cast<const char *>(nul) - text) : size;
}

void writeIfGiven(uint32_t *target, uint32_t value)
{
    if (target != nullptr)
        *target = value;
}

} // namespace

bool AlarmBridge::init()
{
    m_channel.detectWow64();
    return m_channel.open();
}

bool AlarmBridge::isSupport(uint32_t *supported)
{
    // Like the records' exports: with nowhere to put the answer the caller
    // could not tell support from none, so nothing is asked.
    if (supported == nullptr)
        return false;
    uint32_t flag = 0;
    if (!m_catalogue.checkSupport(flag))
        return false;
    *supported = flag;
    return true;
}

uint32_t AlarmBridge::getInfo(uint32_t kind, char *text, uint32_t size, uint32_t *first,
                              uint32_t *second, uint32_t *third) const
{
    // The text is emptied whatever the kind, but only in a buffer that exists
    // and has room for the NUL.
    if (text != nullptr && size > 0)
        text[0] = '\0';
    switch (kind) {
    case InfoDrive:
        return getChoiceInfo(ItemDrive, text, size, first, second, third);
    case InfoDuration:
        return getChoiceInfo(ItemDuration, text, size, first, second, third);
    case InfoRepeatMode:
        return getChoiceInfo(ItemRepeatMode, text, size, first, second, third);
    case InfoVolume:
        return getRangeInfo(ItemVolume, size, first, second, third);
    case InfoHour:
        return getRangeInfo(ItemHour, size, first, second, third);
    case InfoMinute:
        return getRangeInfo(ItemMinute, size, first, second, third);
    default:
        return 0;
    }
}

// The names go out as consecutive NUL-terminated texts, all or none: a
// buffer too small for all of them keeps the empty text, and the answer
// tells the size it needed.
uint32_t AlarmBridge::getChoiceInfo(uint16_t number, char *text, uint32_t size, uint32_t *first,
                                    uint32_t *second, uint32_t *third) const
{
    static_assert(ItemChoices::MaxChoices * ItemChoices::NameSize <= StagingSize,
                  "every kept name fits the staging area");
    const ItemChoices &choices = m_catalogue.item(number).choices;
    char staging[StagingSize];
    uint32_t total = 0;
    for (uint32_t j = 0; j < choices.count; ++j) {
        const size_t length = boundedLength(choices.names[j], ItemChoices::NameSize - 1);
        std::memcpy(staging + total, choices.names[j], length);
        total += static_cast<uint32_t>(length);
        staging[total++] = '\0';
    }
    if (text != nullptr && total > 0 && size >= total)
        std::memcpy(text, staging, total);
    writeIfGiven(first, 0);
    writeIfGiven(second, 1);
    writeIfGiven(third, choices.count);
    return total;
}

uint32_t AlarmBridge::getRangeInfo(uint16_t number, uint32_t size, uint32_t *first,
                                   uint32_t *second, uint32_t *third) const
{
    const ItemRange &range = m_catalogue.item(number).range;
    writeIfGiven(first, range.minimum);
    writeIfGiven(second, range.step);
    writeIfGiven(third, range.count);
    return size;
}

bool AlarmBridge::getStatus(uint32_t *status)
{
    if (status == nullptr)
        return false;
    return m_catalogue.getItem(m_catalogue.id(ItemAlarmEnabled), *status);
}

bool AlarmBridge::setStatus(uint32_t status)
{
    return m_catalogue.setItem(m_catalogue.id(ItemAlarmEnabled), status);
}

bool AlarmBridge::readInto(uint16_t number, uint32_t &field)
{
    return m_catalogue.getItem(m_catalogue.id(number), field);
}

bool AlarmBridge::getTimeSetting(TimeSetting *setting)
{
    if (setting == nullptr)
        return false;
    readInto(ItemHour, setting->hour);
    readInto(ItemMinute, setting->minute);
    // Each day sets its own bit only: any nonzero firmware value means the
    // alarm rings that day, and a day that cannot be read counts as off.
    uint32_t days = 0;
    bool last = false;
    for (uint32_t k = 0; k < 7; ++k) {
        uint32_t value = 0;
        last = readInto(DayItems[k], value);
        if (last && value != 0)
            days |= 1u << k;
    }
    setting->days = days;
    return last;
}

bool AlarmBridge::setTimeSetting(const TimeSetting *setting)
{
    if (setting == nullptr)
        return false;
    m_catalogue.setItem(m_catalogue.id(ItemHour), setting->hour);
    m_catalogue.setItem(m_catalogue.id(ItemMinute), setting->minute);
    for (uint32_t k = 0; k < 7; ++k)
        m_catalogue.setItem(m_catalogue.id(DayItems[k]), (setting->days >> k) & 1u);
    return true;
}

bool AlarmBridge::getPlayStatus(PlayStatus *status)
{
    if (status == nullptr)
        return false;
    readInto(ItemDrive, status->drive);
    readInto(ItemTrack, status->track);
    readInto(ItemRepeatMode, status->repeatMode);
    readInto(ItemDuration, status->duration);
    return readInto(ItemVolume, status->volume);
}

bool AlarmBridge::setPlayStatus(const PlayStatus *status)
{
    if (status == nullptr)
        return false;
    const uint32_t values[5] = {status->drive, status->track, status->repeatMode, status->duration,
                                status->volume};
    const uint16_t items[5] = {ItemDrive, ItemTrack, ItemRepeatMode, ItemDuration, ItemVolume};
    for (int i = 0; i < 5; ++i)
        m_catalogue.setItem(m_catalogue.id(items[i]), values[i]);
    return true;
}
