#include "bridge/acpi_channel.h"

#include "tests/bridge/fake_acpi_device.h"

#include <gtest/gtest.h>

namespace {

using fake::FakeAcpiDevice;
using fake::ResultBuilder;

class AcpiChannelTest : public ::testing::Test
{
protected:
    AcpiChannelTest() { device.firmware.results["MBIF"] = ResultBuilder().integer(3).bytes(); }

    FakeAcpiDevice device;
    AcpiChannel channel{device};
    uint8_t result[4096] = {};
};

TEST_F(AcpiChannelTest, NothingIsSentBeforeTheDeviceOpens)
{
    uint32_t size = sizeof(result);
    EXPECT_FALSE(channel.eval("MBIF", result, size));
    EXPECT_EQ(size, sizeof(result));
    EXPECT_TRUE(device.log.empty());

    device.opensWell = false;
    EXPECT_FALSE(channel.open());
    EXPECT_FALSE(channel.eval("MBIF", result, size));
    EXPECT_TRUE(device.log.empty());
}

TEST_F(AcpiChannelTest, OpeningSendsTheHandshakeAndIgnoresItsAnswer)
{
    ASSERT_TRUE(channel.open());
    ASSERT_EQ(device.log.size(), 1u);
    EXPECT_EQ(device.log[0].code, AcpiChannel::HandshakeCode);
    EXPECT_TRUE(device.log[0].noInput);
    // The driver answers the handshake with one word, into a buffer of
    // exactly that size.
    EXPECT_EQ(device.log[0].outSize, 4u);

    // A device that refuses the handshake is still open.
    FakeAcpiDevice quiet;
    quiet.handshakeWorks = false;
    AcpiChannel other(quiet);
    EXPECT_TRUE(other.open());
}

TEST_F(AcpiChannelTest, SizeBecomesTheReturnedCountOnlyOnSuccess)
{
    ASSERT_TRUE(channel.open());
    uint32_t size = sizeof(result);
    ASSERT_TRUE(channel.eval("MBIF", result, size));
    EXPECT_EQ(size, 20u);
    EXPECT_EQ(device.log.back().code, AcpiChannel::EvaluateCode);

    size = sizeof(result);
    EXPECT_FALSE(channel.eval("NONE", result, size));
    EXPECT_EQ(size, sizeof(result));
}

// A device claiming more bytes than the buffer holds.
class BoastingDevice : public FakeAcpiDevice
{
public:
    bool control(uint32_t code, const void *in, uint32_t inSize, void *out, uint32_t outSize,
                 uint32_t &returned) override
    {
        const bool ok = FakeAcpiDevice::control(code, in, inSize, out, outSize, returned);
        returned = outSize + 100;
        return ok;
    }
};

TEST_F(AcpiChannelTest, ReturnedCountNeverExceedsTheBuffer)
{
    BoastingDevice boaster;
    boaster.firmware.results["MBIF"] = ResultBuilder().integer(3).bytes();
    AcpiChannel other(boaster);
    ASSERT_TRUE(other.open());
    uint32_t size = 64;
    ASSERT_TRUE(other.eval("MBIF", result, size));
    EXPECT_EQ(size, 64u);
}

TEST_F(AcpiChannelTest, LayoutFollowsTheProcessAndWow64)
{
    EXPECT_FALSE(channel.detectWow64());
    const RequestLayout plain = channel.layout();
    device.wow64 = true;
    EXPECT_TRUE(channel.detectWow64());
    EXPECT_EQ(channel.layout(), RequestLayout::Host64);
    // A 64-bit process always sends the host layout; a 32-bit one only under
    // WOW64.
    EXPECT_EQ(plain, sizeof(void *) == 8 ? RequestLayout::Host64 : RequestLayout::Native);
}

TEST_F(AcpiChannelTest, ArgumentsReachTheDeviceInTheChosenLayout)
{
    device.firmware.groups[10] = ResultBuilder().text("AHOU").bytes();
    device.firmware.values[0x000A0009] = 6;
    for (bool wow64 : {false, true}) {
        device.wow64 = wow64;
        device.log.clear();
        channel.detectWow64();
        ASSERT_TRUE(channel.open());
        uint32_t size = sizeof(result);
        ASSERT_TRUE(channel.evalInt("GGRP", 10, result, size));
        const uint8_t id[4] = {9, 0, 0x0A, 0};
        size = sizeof(result);
        ASSERT_TRUE(channel.evalBuffer("GITM", id, 4, result, size));
        ASSERT_EQ(device.log.size(), 3u);
        const fake::Request &ggrp = device.log[1];
        const fake::Request &gitm = device.log[2];
        const bool native = channel.layout() == RequestLayout::Native;
        EXPECT_EQ(ggrp.native, native);
        EXPECT_EQ(ggrp.bytes.size(), native ? 20u : 24u);
        EXPECT_EQ(ggrp.integer, 10u);
        EXPECT_EQ(gitm.bytes.size(), native ? 20u : 24u);
        EXPECT_EQ(gitm.integer, 0x000A0009u);
        EXPECT_EQ(getWord32(result + 20), 6u);
    }
}

TEST_F(AcpiChannelTest, OversizeArgumentIsRefusedWithoutARequest)
{
    ASSERT_TRUE(channel.open());
    const size_t before = device.log.size();
    uint8_t data[97] = {};
    uint32_t size = sizeof(result);
    EXPECT_FALSE(channel.evalBuffer("SITM", data, sizeof(data), result, size));
    EXPECT_EQ(device.log.size(), before);
    EXPECT_EQ(size, sizeof(result));
}

TEST_F(AcpiChannelTest, ReopeningReplacesTheOpenState)
{
    ASSERT_TRUE(channel.open());
    device.opensWell = false;
    EXPECT_FALSE(channel.open());
    uint32_t size = sizeof(result);
    EXPECT_FALSE(channel.eval("MBIF", result, size));
    EXPECT_EQ(device.opens, 2);
}

} // namespace
