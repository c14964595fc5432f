#include "bridge/item_catalogue.h"

#include "bridge/byte_order.h"
#include "bridge/result_walker.h"

#include <algorithm>
#include <cstring>

namespace {

// Where the two words of a "GITM" or "SITM" answer sit in the result: the
// data of its one buffer element.
constexpr uint32_t StatusOffset = 16;
constexpr uint32_t ValueOffset = 20;

} // namespace

bool ItemCatalogue::checkSupport(uint32_t &supported)
{
    alignas(8) uint8_t result[ResultSize];
    uint32_t size = ResultSize;
    if (!m_channel.eval("MBIF", result, size))
        return false;

    // Element 0 is the interface version. From version 3 on, bits 16 to 23 of
    // element 3 tell support; before it, the low byte of element 5 does.
    ResultWalker walker(result, size);
    uint32_t version = 0;
    uint32_t flags = 0;
    if (!walker.integer(version) || !walker.skip(3))
        return false;
    if (version >= 3) {
        if (!walker.integer(flags))
            return false;
        flags &= 0x00FF0000u;
    } else {
        if (!walker.skip(2) || !walker.integer(flags))
            return false;
        flags &= 0x000000FFu;
    }
    supported = flags != 0 ? 1 : 0;
    if (supported == 1)
        readCatalogue();
    return true;
}

bool ItemCatalogue::readCatalogue()
{
    alignas(8) uint8_t result[ResultSize];
    uint32_t size = ResultSize;
    if (!m_channel.evalInt("GGRP", AlarmGroup, result, size))
        return false;

    // Only the first MaxGroupEntries names are kept. A list that ends before
    // its last kept name did not come back whole and is not used at all.
    ResultWalker walker(result, size);
    uint32_t count = 0;
    if (!walker.count(count))
        return false;
    const uint32_t entries = std::min(count, MaxGroupEntries);
    ResultWalker check = walker;
    if (!check.skip(entries))
        return false;

    for (uint32_t slot = 0; slot < entries; ++slot) {
        walker.text(m_groupNames[slot], GroupNameSize);
        readItemDescription(m_groupNames[slot]);
        walker.next();
    }
    return true;
}

void ItemCatalogue::readItemDescription(const char *name)
{
    alignas(8) uint8_t result[ResultSize];
    uint32_t size = ResultSize;
    if (!m_channel.eval(name, result, size))
        return;
    ItemInfo info;
    uint16_t number = 0;
    if (parseDescription(result, size, info, number))
        m_items[number - FirstItemNumber] = info;
}

// Element 0 the identifier, 1 the name, 2 and 3 the attributes; then the
// range (elements 4 to 6) or the choice count and names (element 4 on).
bool ItemCatalogue::parseDescription(const uint8_t *result, uint32_t returned, ItemInfo &info,
                                     uint16_t &number) const
{
    ResultWalker walker(result, returned);
    uint32_t attribute8 = 0;
    if (!walker.integer(info.id) || !walker.next() || !walker.text(info.name, ItemInfo::NameSize) ||
        !walker.next() || !walker.integer(attribute8) || !walker.next() ||
        !walker.integer(info.attribute32) || !walker.next())
        return false;
    info.attribute8 = static_cast<uint8_t>(attribute8);

    number = static_cast<uint16_t>(info.id & 0xFFFFu);
    if (number < FirstItemNumber || number > LastItemNumber)
        return false;

    if (hasRange(number)) {
        ItemRange &range = info.range;
        return walker.integer(range.minimum) && walker.next() && walker.integer(range.step) &&
               walker.next() && walker.integer(range.count);
    }
    if (hasChoices(number)) {
        ItemChoices &choices = info.choices;
        uint32_t count = 0;
        if (!walker.integer(count))
            return false;
        // More choices than the slots hold are cut to the first ones.
        choices.count = std::min(count, ItemChoices::MaxChoices);
        for (uint32_t j = 0; j < choices.count; ++j) {
            if (!walker.next() || !walker.text(choices.names[j], ItemChoices::NameSize))
                return false;
        }
    }
    return true;
}

bool ItemCatalogue::confirmed(const uint8_t *result, uint32_t returned)
{
    uint32_t status = 0;
    return ResultWalker(result, returned).word(StatusOffset, status) && (status & 1u) != 0;
}

bool ItemCatalogue::getItem(uint32_t id, uint32_t &value)
{
    uint8_t argument[4];
    putWord32(argument, id);
    alignas(8) uint8_t result[ResultSize];
    uint32_t size = ResultSize;
    if (!m_channel.evalBuffer("GITM", argument, sizeof(argument), result, size))
        return false;
    uint32_t read = 0;
    if (!confirmed(result, size) || !ResultWalker(result, size).word(ValueOffset, read))
        return false;
    value = read;
    return true;
}

bool ItemCatalogue::setItem(uint32_t id, uint32_t value)
{
    uint8_t argument[12];
    putWord32(argument, id);
    putWord32(argument + 4, value);
    putWord32(argument + 8, 1);
    alignas(8) uint8_t result[ResultSize];
    uint32_t size = ResultSize;
    if (!m_channel.evalBuffer("SITM", argument, sizeof(argument), result, size))
        return false;
    return confirmed(result, size);
}
