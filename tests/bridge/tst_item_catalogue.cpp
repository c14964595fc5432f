#include "bridge/item_catalogue.h"

#include "tests/bridge/fake_acpi_device.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using fake::FakeAcpiDevice;
using fake::ResultBuilder;

class ItemCatalogueTest : public ::testing::Test
{
protected:
    ItemCatalogueTest() { device.firmware = fake::standardFirmware(); }

    void openChannel() { ASSERT_TRUE(channel.open()); }

    // Lists the given describing methods under group 10.
    void listGroup(std::initializer_list<std::string> names)
    {
        ResultBuilder group;
        for (const std::string &name : names)
            group.text(name);
        device.firmware.groups[10] = group.bytes();
    }

    FakeAcpiDevice device;
    AcpiChannel channel{device};
    ItemCatalogue catalogue{channel};
};

TEST_F(ItemCatalogueTest, SupportFlagFollowsTheInterfaceVersion)
{
    openChannel();
    struct Case
    {
        std::vector<uint32_t> mbif;
        uint32_t supported;
    } cases[] = {
        {{2, 0, 0, 0xFFFFFFFF, 0, 0x00000100}, 0}, // old version: low byte of element 5
        {{2, 0, 0, 0, 0, 0x00000001}, 1},
        {{3, 0, 0, 0x00010000}, 1}, // new version: bits 16 to 23 of element 3
        {{3, 0, 0, 0xFF00FFFF, 0, 0xFF}, 0},
        {{0xFFFFFFFF, 0, 0, 0x00800000}, 1}, // versions compare unsigned
    };
    for (const Case &c : cases) {
        ResultBuilder mbif;
        for (uint32_t v : c.mbif)
            mbif.integer(v);
        device.firmware.results["MBIF"] = mbif.bytes();
        uint32_t supported = 77;
        ASSERT_TRUE(catalogue.checkSupport(supported)) << c.mbif[0];
        EXPECT_EQ(supported, c.supported) << c.mbif[0] << " " << c.mbif.back();
    }
}

TEST_F(ItemCatalogueTest, UnanswerableOrShortSupportQueryFailsAndWritesNoFlag)
{
    openChannel();
    uint32_t supported = 77;
    device.firmware.failing.insert("MBIF");
    EXPECT_FALSE(catalogue.checkSupport(supported));
    device.firmware.failing.clear();
    // Version 2 needs element 5, which this answer lacks.
    device.firmware.results["MBIF"] =
        ResultBuilder().integer(2).integer(0).integer(0).integer(0).bytes();
    EXPECT_FALSE(catalogue.checkSupport(supported));
    // The answer is whole, but the driver returned only part of it.
    device.firmware.results["MBIF"] =
        ResultBuilder().integer(3).integer(0).integer(0).integer(0x10000).bytes();
    device.firmware.truncated["MBIF"] = 12 + 3 * 8 + 4;
    EXPECT_FALSE(catalogue.checkSupport(supported));
    EXPECT_EQ(supported, 77u);
    EXPECT_TRUE(device.requestsFor("GGRP").empty());
}

TEST_F(ItemCatalogueTest, SupportReadsTheCatalogueOnlyWhenSupported)
{
    openChannel();
    device.firmware.results["MBIF"] =
        ResultBuilder().integer(3).integer(0).integer(0).integer(0).bytes();
    uint32_t supported = 1;
    ASSERT_TRUE(catalogue.checkSupport(supported));
    EXPECT_EQ(supported, 0u);
    EXPECT_TRUE(device.requestsFor("GGRP").empty());
    EXPECT_EQ(catalogue.id(ItemHour), 0u);

    device.firmware = fake::standardFirmware();
    ASSERT_TRUE(catalogue.checkSupport(supported));
    EXPECT_EQ(supported, 1u);
    ASSERT_EQ(device.requestsFor("GGRP").size(), 1u);
    EXPECT_EQ(device.requestsFor("GGRP")[0].integer, 10u);
    for (uint16_t n = FirstItemNumber; n <= LastItemNumber; ++n)
        EXPECT_EQ(catalogue.id(n), fake::standardId(n));
    EXPECT_STREQ(catalogue.item(ItemVolume).name, "Item 15");
    EXPECT_EQ(catalogue.item(ItemVolume).attribute8, 0x11);
    EXPECT_EQ(catalogue.item(ItemVolume).attribute32, 0x2222u);
    EXPECT_EQ(catalogue.item(ItemMinute).range.count, 60u);
    EXPECT_EQ(catalogue.item(ItemRepeatMode).choices.count, 3u);
    EXPECT_STREQ(catalogue.item(ItemRepeatMode).choices.names[2], "All");
}

TEST_F(ItemCatalogueTest, UnknownNumbersAreIgnoredAndFullIdsAreKept)
{
    openChannel();
    device.firmware.results["XTRA"] =
        ResultBuilder().integer(0x00050010).text("Sixteen").integer(0).integer(0).bytes();
    device.firmware.results["ZERO"] =
        ResultBuilder().integer(0x00050000).text("Zero").integer(0).integer(0).bytes();
    device.firmware.results["HOUR"] = ResultBuilder()
                                          .integer(0x000A0009)
                                          .text("Alarm Hour")
                                          .integer(1)
                                          .integer(2)
                                          .integer(0)
                                          .integer(1)
                                          .integer(24)
                                          .bytes();
    device.firmware.values[0x000A0009] = 7;
    listGroup({"XTRA", "ZERO", "HOUR"});
    ASSERT_TRUE(catalogue.readCatalogue());
    EXPECT_EQ(catalogue.id(ItemHour), 0x000A0009u);
    EXPECT_EQ(catalogue.item(ItemHour).range.count, 24u);
    for (uint16_t n = FirstItemNumber; n <= LastItemNumber; ++n) {
        if (n != ItemHour) {
            EXPECT_EQ(catalogue.id(n), 0u) << n;
        }
    }

    uint32_t value = 0;
    ASSERT_TRUE(catalogue.getItem(catalogue.id(ItemHour), value));
    EXPECT_EQ(value, 7u);
    EXPECT_EQ(device.requestsFor("GITM").back().word(0), 0x000A0009u);
}

TEST_F(ItemCatalogueTest, OversizeNamesAndCountsAreCutToTheSlots)
{
    openChannel();
    const std::string longName(200, 'N');
    ResultBuilder drive;
    drive.integer(0x0001000B).text(longName).integer(0x1FF).integer(0).integer(12);
    for (int j = 0; j < 12; ++j)
        drive.text("Choice " + std::to_string(j) + std::string(40, 'c'));
    device.firmware.results["ADRV"] = drive.bytes();
    ResultBuilder group;
    for (int j = 0; j < 40; ++j)
        group.text("ADRV" + std::string(20, 'x'));
    device.firmware.groups[10] = group.bytes();

    ASSERT_TRUE(catalogue.readCatalogue());
    const ItemInfo &item = catalogue.item(ItemDrive);
    EXPECT_EQ(std::string(item.name), longName.substr(0, 63));
    EXPECT_EQ(item.attribute8, 0xFF);
    EXPECT_EQ(item.choices.count, 10u);
    EXPECT_EQ(std::string(item.choices.names[9]),
              ("Choice 9" + std::string(40, 'c')).substr(0, 31));
    EXPECT_STREQ(catalogue.groupName(31), "ADRVxxx");
    // One description per kept group entry, no more.
    EXPECT_EQ(device.requestsFor("ADRV").size(), 32u);
}

TEST_F(ItemCatalogueTest, ShortOrTooFewGroupNamesNameTheirMethodsAsWritten)
{
    openChannel();
    device.firmware.results[std::string("AB\0\0", 4)] =
        ResultBuilder().integer(0x00020001).text("On").integer(0).integer(0).bytes();
    listGroup({"AB"});
    ASSERT_TRUE(catalogue.readCatalogue());
    EXPECT_EQ(catalogue.id(ItemAlarmEnabled), 0x00020001u);

    // A count above the elements that came back is a failed evaluation:
    // none of the list is used.
    device.log.clear();
    device.firmware.groups[10] = ResultBuilder().text("AI01").text("AI09").count(3).bytes();
    EXPECT_FALSE(catalogue.readCatalogue());
    EXPECT_EQ(device.log.size(), 1u);
}

TEST_F(ItemCatalogueTest, GroupCountBelowTheNamesPresentDescribesOnlyTheCountedNames)
{
    openChannel();
    device.firmware.groups[10] = ResultBuilder()
                                     .text(fake::standardMethod(ItemHour))
                                     .text(fake::standardMethod(ItemMinute))
                                     .text(fake::standardMethod(ItemVolume))
                                     .count(2)
                                     .bytes();
    ASSERT_TRUE(catalogue.readCatalogue());
    EXPECT_EQ(catalogue.id(ItemHour), fake::standardId(ItemHour));
    EXPECT_EQ(catalogue.id(ItemMinute), fake::standardId(ItemMinute));
    EXPECT_EQ(catalogue.id(ItemVolume), 0u);
    EXPECT_TRUE(device.requestsFor(fake::standardMethod(ItemVolume)).empty());
    EXPECT_STREQ(catalogue.groupName(2), "");
}

TEST_F(ItemCatalogueTest, ItemThatDropsOutOfTheListKeepsItsSlot)
{
    openChannel();
    ASSERT_TRUE(catalogue.readCatalogue());
    listGroup({fake::standardMethod(ItemHour)});
    device.log.clear();
    ASSERT_TRUE(catalogue.readCatalogue());
    EXPECT_TRUE(device.requestsFor(fake::standardMethod(ItemVolume)).empty());

    // What the first reading found still addresses the item.
    EXPECT_EQ(catalogue.id(ItemVolume), fake::standardId(ItemVolume));
    EXPECT_EQ(catalogue.item(ItemVolume).range.count, 16u);
    uint32_t value = 0;
    ASSERT_TRUE(catalogue.getItem(catalogue.id(ItemVolume), value));
    EXPECT_EQ(value, 8u);
}

TEST_F(ItemCatalogueTest, DescriptionThatEndsEarlyChangesNothing)
{
    openChannel();
    device.firmware.groups[10] = ResultBuilder().text(fake::standardMethod(ItemDrive)).bytes();
    ASSERT_TRUE(catalogue.readCatalogue());
    ASSERT_EQ(catalogue.item(ItemDrive).choices.count, 4u);

    // Claims five choices but carries two, then a truncated range.
    device.firmware.results["ADRV"] = ResultBuilder()
                                          .integer(0x0009000B)
                                          .text("Drive")
                                          .integer(0)
                                          .integer(0)
                                          .integer(5)
                                          .text("A")
                                          .text("B")
                                          .bytes();
    device.firmware.results["AMIN"] = ResultBuilder()
                                          .integer(0x0009000A)
                                          .text("Minute")
                                          .integer(0)
                                          .integer(0)
                                          .integer(0)
                                          .integer(1)
                                          .bytes();
    listGroup({"ADRV", "AMIN"});
    ASSERT_TRUE(catalogue.readCatalogue());
    EXPECT_EQ(catalogue.id(ItemDrive), fake::standardId(ItemDrive));
    EXPECT_EQ(catalogue.item(ItemDrive).choices.count, 4u);
    EXPECT_STREQ(catalogue.item(ItemDrive).choices.names[0], "Primary Master");
    EXPECT_EQ(catalogue.id(ItemMinute), 0u);
}

TEST_F(ItemCatalogueTest, ChoiceItemWithNoChoicesKeepsNoNames)
{
    openChannel();
    device.firmware.results["AMOD"] =
        ResultBuilder().integer(0x0001000D).text("Mode").integer(0).integer(0).integer(0).bytes();
    listGroup({fake::standardMethod(ItemRepeatMode), "AMOD"});
    ASSERT_TRUE(catalogue.readCatalogue());
    EXPECT_EQ(catalogue.id(ItemRepeatMode), 0x0001000Du);
    EXPECT_EQ(catalogue.item(ItemRepeatMode).choices.count, 0u);
    EXPECT_STREQ(catalogue.item(ItemRepeatMode).choices.names[0], "");
}

TEST_F(ItemCatalogueTest, ItemCallsSucceedOnlyWhenTheFirmwareConfirms)
{
    openChannel();
    uint32_t supported = 0;
    ASSERT_TRUE(catalogue.checkSupport(supported));

    uint32_t value = 55;
    device.firmware.refusedItems.insert(ItemTrack);
    EXPECT_FALSE(catalogue.getItem(catalogue.id(ItemTrack), value));
    EXPECT_FALSE(catalogue.setItem(catalogue.id(ItemTrack), 3));
    EXPECT_EQ(value, 55u);

    device.firmware.refusedItems.clear();
    ASSERT_TRUE(catalogue.getItem(catalogue.id(ItemHour), value));
    EXPECT_EQ(value, 6u);
    ASSERT_TRUE(catalogue.setItem(catalogue.id(ItemHour), 9));
    EXPECT_EQ(device.firmware.values[fake::standardId(ItemHour)], 9u);
    const fake::Request set = device.requestsFor("SITM").back();
    EXPECT_EQ(set.argument.size(), 12u);
    EXPECT_EQ(set.word(0), fake::standardId(ItemHour));
    EXPECT_EQ(set.word(1), 9u);
    EXPECT_EQ(set.word(2), 1u);

    device.firmware.failing.insert("GITM");
    EXPECT_FALSE(catalogue.getItem(catalogue.id(ItemHour), value));
    device.firmware.failing.clear();
    // The status came back, the value did not.
    device.firmware.truncated["GITM"] = 20;
    value = 55;
    EXPECT_FALSE(catalogue.getItem(catalogue.id(ItemHour), value));
    EXPECT_EQ(value, 55u);
}

// Answers "GITM" with a status word of 2: bit 0 clear.
class StatusTwoDevice : public FakeAcpiDevice
{
public:
    bool control(uint32_t code, const void *in, uint32_t inSize, void *out, uint32_t outSize,
                 uint32_t &returned) override
    {
        if (!FakeAcpiDevice::control(code, in, inSize, out, outSize, returned))
            return false;
        if (log.back().name == "GITM")
            putWord32(static_cast<uint8_t *>(out) + 16, 2);
        return true;
    }
};

TEST(ItemCatalogueStatus, StatusWithBitZeroClearIsARefusal)
{
    StatusTwoDevice device;
    device.firmware = fake::standardFirmware();
    AcpiChannel channel(device);
    ItemCatalogue catalogue(channel);
    ASSERT_TRUE(channel.open());
    uint32_t value = 55;
    EXPECT_FALSE(catalogue.getItem(fake::standardId(ItemHour), value));
    EXPECT_EQ(value, 55u);
}

TEST_F(ItemCatalogueTest, WithoutACatalogueItemCallsSendIdentifierZero)
{
    openChannel();
    uint32_t value = 0;
    catalogue.getItem(catalogue.id(ItemAlarmEnabled), value);
    EXPECT_EQ(device.requestsFor("GITM").back().word(0), 0u);
}

} // namespace
