// The bridge's Windows device on a real Windows ABI: the WOW64 decision made
// by the system's own IsWow64Process, the request layout that decision
// picks, and a missing driver device.

#include "bridge/acpi_channel.h"
#include "bridge/acpi_device.h"
#include "bridge/alarm_bridge.h"
#include "bridge/byte_order.h"

#include "tests/support/test_platform.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

// The test run may say which Windows it set up ("0" or "1" for a 32-bit
// process under WOW64), so that a wrong oracle cannot hide a wrong answer.
const char *announcedWow64()
{
    return std::getenv("VESPERIN_TEST_EXPECT_WOW64");
}

bool expectedWow64()
{
    return testsupport::runsOn64BitWindowsAs32Bit();
}

TEST(Win32AcpiDevice, Wow64AnswerMatchesTheMachine)
{
    const char *announced = announcedWow64();
    if (announced != nullptr && *announced != '\0') {
        ASSERT_EQ(expectedWow64(), std::string(announced) == "1")
            << "the test run and the native processor architecture disagree";
    }
    EXPECT_EQ(AcpiDevice::system().runsUnderWow64(), expectedWow64());
    // A 64-bit process never runs under WOW64.
    if (sizeof(void *) == 8) {
        EXPECT_FALSE(AcpiDevice::system().runsUnderWow64());
    }
}

// Records every request as the driver would receive it, reading a native
// request's argument block at the address it carries while the request is
// alive, and asks the Windows device about WOW64.
class RecordingDevice final : public AcpiDevice
{
public:
    struct Request
    {
        std::vector<uint8_t> bytes;
        std::vector<uint8_t> block;
    };

    bool open() override { return true; }

    bool control(uint32_t code, const void *in, uint32_t inSize, void *, uint32_t,
                 uint32_t &returned) override
    {
        returned = 0;
        if (code != AcpiChannel::EvaluateCode)
            return true;
        Request request;
        const auto *bytes = static_cast<const uint8_t *>(in);
        request.bytes.assign(bytes, bytes + inSize);
        if (inSize == 20 && getWord32(bytes + 12) != 0) {
            // The address is a 32-bit word: only a 32-bit process can send it.
            const uint32_t address = getWord32(bytes + 16);
            const auto *block = reinterpret_cast<const uint8_t *>(static_cast<uintptr_t>(address));
            request.block.assign(block, block + getWord32(bytes + 12));
        }
        requests.push_back(request);
        return true;
    }

    bool runsUnderWow64() override { return AcpiDevice::system().runsUnderWow64(); }

    std::vector<Request> requests;
};

std::vector<uint8_t> words(std::initializer_list<uint32_t> values)
{
    std::vector<uint8_t> bytes(4 * values.size());
    size_t at = 0;
    for (uint32_t value : values) {
        putWord32(&bytes[at], value);
        at += 4;
    }
    return bytes;
}

const uint32_t GGRP = AcpiRequest::methodWord("GGRP");
const uint32_t SITM = AcpiRequest::methodWord("SITM");

TEST(Win32AcpiDevice, RequestsTravelInTheLayoutOfThisWindows)
{
    RecordingDevice device;
    AlarmBridge bridge(device);
    ASSERT_TRUE(bridge.init());
    AcpiChannel &channel = bridge.channel();
    ASSERT_EQ(channel.wow64(), expectedWow64());

    uint8_t result[4096];
    uint32_t size = sizeof(result);
    channel.evalInt("GGRP", 10, result, size);
    const uint8_t data[12] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    size = sizeof(result);
    channel.evalBuffer("SITM", data, 12, result, size);
    ASSERT_EQ(device.requests.size(), 2u);
    const RecordingDevice::Request &integer = device.requests[0];
    const RecordingDevice::Request &buffer = device.requests[1];

    std::vector<uint8_t> integerBlock = {0, 0, 4, 0, 10, 0, 0, 0};
    std::vector<uint8_t> bufferBlock = {2, 0, 12, 0};
    bufferBlock.insert(bufferBlock.end(), data, data + 12);

    if (testsupport::expectsHost64Layout()) {
        EXPECT_EQ(channel.layout(), RequestLayout::Host64);
        std::vector<uint8_t> expected = words({2, GGRP, 1, 8});
        expected.insert(expected.end(), integerBlock.begin(), integerBlock.end());
        EXPECT_EQ(integer.bytes, expected) << "the native layout went to a 64-bit host";
        expected = words({4, SITM, 1, 16});
        expected.insert(expected.end(), bufferBlock.begin(), bufferBlock.end());
        EXPECT_EQ(buffer.bytes, expected);
    } else {
        // A 32-bit Windows: the request names its argument block by a real
        // 32-bit address, and the block is found there.
        EXPECT_EQ(channel.layout(), RequestLayout::Native);
        ASSERT_EQ(integer.bytes.size(), 20u) << "the 64-bit-host layout went to a 32-bit host";
        EXPECT_EQ(std::vector<uint8_t>(integer.bytes.begin(), integer.bytes.begin() + 16),
                  words({2, GGRP, 1, 8}));
        EXPECT_EQ(integer.block, integerBlock);
        ASSERT_EQ(buffer.bytes.size(), 20u);
        EXPECT_EQ(std::vector<uint8_t>(buffer.bytes.begin(), buffer.bytes.begin() + 16),
                  words({4, SITM, 1, 16}));
        EXPECT_EQ(buffer.block, bufferBlock);
    }
}

TEST(Win32AcpiDevice, MissingDriverFailsTheStartAndEveryEvaluationAtOnce)
{
    AlarmBridge bridge(AcpiDevice::system());
    EXPECT_FALSE(bridge.init());
    uint32_t supported = 0xAAAA;
    EXPECT_FALSE(bridge.isSupport(&supported));
    EXPECT_EQ(supported, 0xAAAAu);
    uint32_t status = 0xBBBB;
    EXPECT_FALSE(bridge.getStatus(&status));
    EXPECT_EQ(status, 0xBBBBu);

    uint8_t result[4096];
    uint32_t size = sizeof(result);
    EXPECT_FALSE(bridge.channel().eval("MBIF", result, size));
    EXPECT_EQ(size, sizeof(result));
}

} // namespace
