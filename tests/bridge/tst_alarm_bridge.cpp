#include "bridge/alarm_bridge.h"

#include "tests/bridge/fake_acpi_device.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

using fake::FakeAcpiDevice;
using fake::ResultBuilder;
using fake::standardId;

class AlarmBridgeTest : public ::testing::Test
{
protected:
    AlarmBridgeTest() { device.firmware = fake::standardFirmware(); }

    void start()
    {
        ASSERT_TRUE(bridge.init());
        uint32_t supported = 0;
        ASSERT_TRUE(bridge.isSupport(&supported));
        ASSERT_EQ(supported, 1u);
        device.log.clear();
    }

    // The item numbers of the item calls of one method, in order.
    std::vector<uint32_t> itemOrder(const std::string &method) const
    {
        std::vector<uint32_t> order;
        for (const fake::Request &r : device.requestsFor(method))
            order.push_back(r.word(0) & 0xFFFF);
        return order;
    }

    void setValue(uint16_t number, uint32_t value)
    {
        device.firmware.values[standardId(number)] = value;
    }
    uint32_t value(uint16_t number) { return device.firmware.values[standardId(number)]; }

    // Describes the drive item with these choices.
    void describeDrive(std::initializer_list<const char *> choices)
    {
        ResultBuilder drive;
        drive.integer(standardId(ItemDrive)).text("Drive").integer(0).integer(0).integer(
            static_cast<uint32_t>(choices.size()));
        for (const char *choice : choices)
            drive.text(choice);
        device.firmware.results[fake::standardMethod(ItemDrive)] = drive.bytes();
    }

    FakeAcpiDevice device;
    AlarmBridge bridge{device};
};

TEST_F(AlarmBridgeTest, InitOpensTheDeviceAfterAskingForWow64)
{
    device.wow64 = true;
    ASSERT_TRUE(bridge.init());
    EXPECT_TRUE(bridge.channel().wow64());
    device.opensWell = false;
    EXPECT_FALSE(bridge.init());
    uint32_t supported = 5;
    EXPECT_FALSE(bridge.isSupport(&supported));
    EXPECT_EQ(supported, 5u);
}

TEST_F(AlarmBridgeTest, SupportWithoutAFlagFailsWithoutARequest)
{
    ASSERT_TRUE(bridge.init());
    const size_t before = device.log.size();
    EXPECT_FALSE(bridge.isSupport(nullptr));
    EXPECT_EQ(device.log.size(), before);
    EXPECT_EQ(bridge.catalogue().id(ItemVolume), 0u);
}

TEST_F(AlarmBridgeTest, ChoiceListsComeBackAsConsecutiveNames)
{
    describeDrive({"A", "BC"});
    start();

    char text[64];
    std::memset(text, 'x', sizeof(text));
    uint32_t first = 9, second = 9, third = 9;
    EXPECT_EQ(bridge.getInfo(0, text, sizeof(text), &first, &second, &third), 5u);
    EXPECT_EQ(std::string(text, 6), std::string("A\0BC\0x", 6));
    EXPECT_EQ(first, 0u);
    EXPECT_EQ(second, 1u);
    EXPECT_EQ(third, 2u);

    // Too small: the text stays empty, the numbers still come.
    std::memset(text, 'x', sizeof(text));
    first = second = third = 9;
    EXPECT_EQ(bridge.getInfo(0, text, 4, &first, &second, &third), 5u);
    EXPECT_EQ(text[0], '\0');
    EXPECT_EQ(text[1], 'x');
    EXPECT_EQ(first, 0u);
    EXPECT_EQ(second, 1u);
    EXPECT_EQ(third, 2u);

    // The other two choice kinds.
    EXPECT_EQ(bridge.getInfo(1, text, sizeof(text), &first, &second, &third),
              std::string("10 mins 20 mins 30 mins 1 hour ").size());
    EXPECT_EQ(third, 4u);
    EXPECT_EQ(bridge.getInfo(3, text, sizeof(text), &first, &second, &third), 16u);
    EXPECT_EQ(std::string(text, 16), std::string("None\0Single\0All\0", 16));

    // An empty name keeps its place between the others.
    describeDrive({"A", "", "C"});
    start();
    EXPECT_EQ(bridge.getInfo(0, text, sizeof(text), &first, &second, &third), 5u);
    EXPECT_EQ(std::string(text, 5), std::string("A\0\0C\0", 5));
    EXPECT_EQ(third, 3u);
}

TEST_F(AlarmBridgeTest, RangesComeBackWithTheBufferSizeAndAnEmptyText)
{
    start();
    char text[1024];
    std::memset(text, 'x', sizeof(text));
    uint32_t first = 9, second = 9, third = 9;
    EXPECT_EQ(bridge.getInfo(2, text, 1024, &first, &second, &third), 1024u);
    EXPECT_EQ(text[0], '\0');
    EXPECT_EQ(first, 0u);
    EXPECT_EQ(second, 1u);
    EXPECT_EQ(third, 16u);
    EXPECT_EQ(bridge.getInfo(4, text, 7, &first, &second, &third), 7u);
    EXPECT_EQ(third, 24u);
    EXPECT_EQ(bridge.getInfo(5, text, 7, &first, &second, &third), 7u);
    EXPECT_EQ(third, 60u);
}

TEST_F(AlarmBridgeTest, UnknownKindsAnswerZeroAndLeaveTheNumbers)
{
    start();
    char text[8] = "keep";
    uint32_t first = 9, second = 9, third = 9;
    for (uint32_t kind : {6u, 0xFFFFFFFFu, 0x80000000u}) {
        EXPECT_EQ(bridge.getInfo(kind, text, sizeof(text), &first, &second, &third), 0u);
        EXPECT_EQ(text[0], '\0');
        EXPECT_EQ(first + second + third, 27u);
    }
}

TEST_F(AlarmBridgeTest, InfoNeverWritesIntoAMissingOrEmptyBuffer)
{
    start();
    uint32_t first = 9, second = 9, third = 9;
    EXPECT_EQ(bridge.getInfo(0, nullptr, 1024, &first, &second, &third), 62u);
    EXPECT_EQ(third, 4u);
    char guard[2] = {'x', 'x'};
    EXPECT_EQ(bridge.getInfo(0, guard, 0, &first, &second, &third), 62u);
    EXPECT_EQ(guard[0], 'x');
    EXPECT_EQ(bridge.getInfo(2, nullptr, 0, nullptr, nullptr, nullptr), 0u);
}

TEST_F(AlarmBridgeTest, StatusReadsAndWritesTheEnabledItem)
{
    start();
    uint32_t status = 7;
    ASSERT_TRUE(bridge.getStatus(&status));
    EXPECT_EQ(status, 1u);
    ASSERT_TRUE(bridge.setStatus(0));
    EXPECT_EQ(value(ItemAlarmEnabled), 0u);
    EXPECT_EQ(itemOrder("GITM"), (std::vector<uint32_t>{ItemAlarmEnabled}));
    EXPECT_EQ(itemOrder("SITM"), (std::vector<uint32_t>{ItemAlarmEnabled}));

    // One request per call, whatever else the catalogue knows.
    device.log.clear();
    ASSERT_TRUE(bridge.getStatus(&status));
    EXPECT_EQ(device.log.size(), 1u);
    ASSERT_TRUE(bridge.setStatus(1));
    EXPECT_EQ(device.log.size(), 2u);

    device.firmware.refusedItems.insert(ItemAlarmEnabled);
    status = 7;
    EXPECT_FALSE(bridge.getStatus(&status));
    EXPECT_EQ(status, 7u);
    EXPECT_FALSE(bridge.setStatus(1));
    EXPECT_FALSE(bridge.getStatus(nullptr));
}

TEST_F(AlarmBridgeTest, TimeSettingReadsHourMinuteThenTheDays)
{
    start();
    setValue(ItemMonday, 1);
    setValue(ItemFriday, 1);
    for (uint16_t n : {ItemTuesday, ItemWednesday, ItemThursday})
        setValue(n, 0);
    TimeSetting setting{0xFFFFFFFF, 0, 0};
    ASSERT_TRUE(bridge.getTimeSetting(&setting));
    EXPECT_EQ(setting.days, 0x22u);
    EXPECT_EQ(setting.hour, 6u);
    EXPECT_EQ(setting.minute, 30u);
    EXPECT_EQ(itemOrder("GITM"), (std::vector<uint32_t>{9, 10, 2, 3, 4, 5, 6, 7, 8}));
}

TEST_F(AlarmBridgeTest, TimeSettingReportsOnlyTheSaturdayRead)
{
    start();
    device.firmware.refusedItems = {ItemHour, ItemMonday};
    TimeSetting setting{0, 99, 98};
    ASSERT_TRUE(bridge.getTimeSetting(&setting));
    EXPECT_EQ(setting.hour, 99u);
    EXPECT_EQ(setting.minute, 30u);
    EXPECT_EQ(setting.days, 0x3Cu); // Tuesday to Friday; Monday counts as off

    device.firmware.refusedItems = {ItemSaturday};
    EXPECT_FALSE(bridge.getTimeSetting(&setting));
    EXPECT_EQ(setting.days, 0x3Eu);
    EXPECT_FALSE(bridge.getTimeSetting(nullptr));
}

TEST_F(AlarmBridgeTest, DayValuesBeyondOneSetOnlyTheirOwnBit)
{
    start();
    setValue(ItemSunday, 2);
    setValue(ItemMonday, 0);
    setValue(ItemTuesday, 0);
    setValue(ItemWednesday, 0);
    setValue(ItemThursday, 0);
    setValue(ItemFriday, 0);
    setValue(ItemSaturday, 0xFFFFFFFF);
    TimeSetting setting{};
    ASSERT_TRUE(bridge.getTimeSetting(&setting));
    EXPECT_EQ(setting.days, 0x41u);
}

TEST_F(AlarmBridgeTest, TimeSettingWritesEveryFieldAndAlwaysSucceeds)
{
    start();
    device.firmware.refusedItems = {ItemMinute, ItemSaturday};
    const TimeSetting setting{0xFFFFFF41, 22, 15};
    EXPECT_TRUE(bridge.setTimeSetting(&setting));
    EXPECT_EQ(itemOrder("SITM"), (std::vector<uint32_t>{9, 10, 2, 3, 4, 5, 6, 7, 8}));
    const std::vector<fake::Request> writes = device.requestsFor("SITM");
    const uint32_t expected[9] = {22, 15, 1, 0, 0, 0, 0, 0, 1};
    for (size_t i = 0; i < writes.size(); ++i)
        EXPECT_EQ(writes[i].word(1), expected[i]) << i;
    EXPECT_EQ(value(ItemHour), 22u);
    EXPECT_EQ(value(ItemMinute), 30u); // refused, kept
    EXPECT_EQ(value(ItemSunday), 1u);
    EXPECT_EQ(value(ItemMonday), 0u);
    EXPECT_FALSE(bridge.setTimeSetting(nullptr));
}

TEST_F(AlarmBridgeTest, PlayStatusReadsInFieldOrderAndReportsTheVolume)
{
    start();
    PlayStatus status{11, 12, 13, 14, 15};
    device.firmware.refusedItems = {ItemTrack};
    ASSERT_TRUE(bridge.getPlayStatus(&status));
    EXPECT_EQ(status.drive, 2u);
    EXPECT_EQ(status.track, 12u);
    EXPECT_EQ(status.repeatMode, 1u);
    EXPECT_EQ(status.duration, 0u);
    EXPECT_EQ(status.volume, 8u);
    EXPECT_EQ(itemOrder("GITM"), (std::vector<uint32_t>{11, 12, 13, 14, 15}));

    device.firmware.refusedItems = {ItemVolume};
    status = PlayStatus{};
    EXPECT_FALSE(bridge.getPlayStatus(&status));
    EXPECT_EQ(status.drive, 2u);
    EXPECT_EQ(status.volume, 0u);
}

TEST_F(AlarmBridgeTest, PlayStatusWritesInFieldOrderAndAlwaysSucceeds)
{
    start();
    device.firmware.refusedItems = {ItemDrive, ItemVolume};
    const PlayStatus status{3, 4, 2, 1, 9};
    EXPECT_TRUE(bridge.setPlayStatus(&status));
    EXPECT_EQ(itemOrder("SITM"), (std::vector<uint32_t>{11, 12, 13, 14, 15}));
    EXPECT_EQ(value(ItemDrive), 2u);
    EXPECT_EQ(value(ItemTrack), 4u);
    EXPECT_EQ(value(ItemRepeatMode), 2u);
    EXPECT_EQ(value(ItemDuration), 1u);
    EXPECT_EQ(value(ItemVolume), 8u);
}

TEST_F(AlarmBridgeTest, WithoutSupportEveryItemCallAddressesIdentifierZero)
{
    device.firmware.results["MBIF"] =
        ResultBuilder().integer(3).integer(0).integer(0).integer(0).bytes();
    ASSERT_TRUE(bridge.init());
    uint32_t supported = 1;
    ASSERT_TRUE(bridge.isSupport(&supported));
    EXPECT_EQ(supported, 0u);
    PlayStatus status{};
    EXPECT_FALSE(bridge.getPlayStatus(&status));
    EXPECT_EQ(itemOrder("GITM"), (std::vector<uint32_t>{0, 0, 0, 0, 0}));
    char text[16] = "x";
    uint32_t first = 9, second = 9, third = 9;
    EXPECT_EQ(bridge.getInfo(0, text, sizeof(text), &first, &second, &third), 0u);
    EXPECT_EQ(third, 0u);
}

} // namespace
