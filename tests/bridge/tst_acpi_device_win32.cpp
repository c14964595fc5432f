// The bridge's Windows device on a real Windows ABI: the WOW64 decision made
// by the system's own IsWow64Process, the request layout that decision
// picks, a missing driver device, and the system calls that open, use and
// close the device's handle.

#include "bridge/acpi_channel.h"
#include "bridge/acpi_device.h"
#include "bridge/acpi_device_win32.h"
#include "bridge/alarm_bridge.h"
#include "bridge/byte_order.h"

#include "tests/support/test_platform.h"

#include <gtest/gtest.h>

#include <cstdint>
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

// Stands in for the system calls of the device: hands out a new handle per
// opening (or none) and records every call with its arguments.
struct DeviceCalls
{
    static inline std::vector<std::string> calls;
    static inline bool opens = true;
    static inline uintptr_t nextHandle = 0x100;

    static HANDLE WINAPI createFile(LPCSTR name, DWORD access, DWORD share,
                                    LPSECURITY_ATTRIBUTES security, DWORD disposition,
                                    DWORD attributes, HANDLE model)
    {
        calls.push_back("CreateFileA " + std::string(name) + " " + std::to_string(access) + " " +
                        std::to_string(share) + " " + std::to_string(security == nullptr) + " " +
                        std::to_string(disposition) + " " + std::to_string(attributes) + " " +
                        std::to_string(model == nullptr));
        if (!opens)
            return INVALID_HANDLE_VALUE;
        return reinterpret_cast<HANDLE>(nextHandle++);
    }

    static BOOL WINAPI closeHandle(HANDLE handle)
    {
        calls.push_back("CloseHandle " + std::to_string(reinterpret_cast<uintptr_t>(handle)));
        return TRUE;
    }

    static BOOL WINAPI deviceIoControl(HANDLE handle, DWORD code, LPVOID, DWORD inSize, LPVOID,
                                       DWORD outSize, LPDWORD returned, LPOVERLAPPED overlapped)
    {
        calls.push_back("DeviceIoControl " + std::to_string(reinterpret_cast<uintptr_t>(handle)) +
                        " " + std::to_string(code) + " " + std::to_string(inSize) + " " +
                        std::to_string(outSize) + " " + std::to_string(overlapped == nullptr));
        *returned = outSize;
        return TRUE;
    }

    static Win32AcpiDevice device()
    {
        calls.clear();
        opens = true;
        nextHandle = 0x100;
        return Win32AcpiDevice(DeviceFileCalls{&createFile, &closeHandle, &deviceIoControl});
    }
};

const std::string OpenDevice = "CreateFileA \\\\.\\QVXACPI " +
                               std::to_string(GENERIC_READ | GENERIC_WRITE) + " " +
                               std::to_string(FILE_SHARE_READ | FILE_SHARE_WRITE) + " 1 " +
                               std::to_string(OPEN_EXISTING) + " 0 1";

TEST(Win32AcpiDeviceCalls, OpensTheDriverForReadingAndWritingAndSendsOnItsHandle)
{
    Win32AcpiDevice device = DeviceCalls::device();
    AcpiChannel channel(device);
    ASSERT_TRUE(channel.open());
    uint8_t result[64];
    uint32_t size = sizeof(result);
    ASSERT_TRUE(channel.eval("MBIF", result, size));
    EXPECT_EQ(DeviceCalls::calls,
              (std::vector<std::string>{
                  OpenDevice,
                  // The handshake: no input, a 4-byte output buffer.
                  "DeviceIoControl 256 " + std::to_string(AcpiChannel::HandshakeCode) + " 0 4 1",
                  "DeviceIoControl 256 " + std::to_string(AcpiChannel::EvaluateCode) + " 20 64 1",
              }));
}

TEST(Win32AcpiDeviceCalls, OpeningAgainClosesTheOldHandleFirst)
{
    Win32AcpiDevice device = DeviceCalls::device();
    AlarmBridge bridge(device);
    ASSERT_TRUE(bridge.init());
    ASSERT_TRUE(bridge.init());
    const std::vector<std::string> &calls = DeviceCalls::calls;
    ASSERT_EQ(calls.size(), 5u);
    EXPECT_EQ(calls[2], "CloseHandle 256");
    EXPECT_EQ(calls[3], OpenDevice);
    EXPECT_EQ(calls[4].substr(0, 20), "DeviceIoControl 257 ");

    // A failed opening leaves no handle: nothing is sent, and the next
    // opening has nothing to close.
    DeviceCalls::opens = false;
    EXPECT_FALSE(bridge.init());
    EXPECT_EQ(calls[5], "CloseHandle 257");
    uint8_t result[64];
    uint32_t size = sizeof(result);
    EXPECT_FALSE(device.control(AcpiChannel::EvaluateCode, result, 20, result, size, size));
    DeviceCalls::opens = true;
    ASSERT_TRUE(bridge.init());
    EXPECT_EQ(calls.size(), 9u);
    EXPECT_EQ(calls[7], OpenDevice);
}

} // namespace
