// The shipped Vesperlink.dll, which talks to the maker's driver, loaded the
// way the program loads it on a Windows that has no such driver.

#include "app/binding/acpi_bridge.h"
#include "app/binding/program_location.h"

#include "tests/support/test_platform.h"

#include <gtest/gtest.h>

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace {

TEST(VesperlinkWithoutDriver, BindingLoadsItFromTheProgramsFolderAndReportsTheFailedStart)
{
    const std::string path = ProgramLocation::libraryPath();
    ASSERT_EQ(path, ProgramLocation::directory() + "Vesperlink.dll");
    AcpiBridge bridge;
    EXPECT_EQ(bridge.Load(path), AcpiBridge::LoadInitFailed);
    EXPECT_FALSE(bridge.loaded);
    // Nothing is left pointing into the library that is gone.
    EXPECT_EQ(bridge.init, nullptr);
    EXPECT_EQ(bridge.setTimeSetting, nullptr);
    // A failed start unloads the library again.
    EXPECT_FALSE(testsupport::libraryStillLoaded(path));
    uint32_t status = 0;
    EXPECT_FALSE(bridge.GetStatus(&status));
}

TEST(VesperlinkWithoutDriver, EveryExportFailsAtOnceAfterTheFailedOpen)
{
    HMODULE library = LoadLibraryA(ProgramLocation::libraryPath().c_str());
    ASSERT_NE(library, nullptr);
    const auto bind = [library](const char *name) {
        return reinterpret_cast<void (*)()>(GetProcAddress(library, name));
    };
    auto init = reinterpret_cast<VPInitFunc>(bind("VPInit"));
    auto isSupport = reinterpret_cast<VPIsSupportFunc>(bind("VPIsSupport"));
    auto getStatus = reinterpret_cast<VPGetStatusFunc>(bind("VPGetStatus"));
    auto getPlayStatus = reinterpret_cast<VPGetPlayStatusFunc>(bind("VPGetPlayStatus"));
    auto getInfo = reinterpret_cast<VPGetInfoFunc>(bind("VPGetInfo"));
    ASSERT_TRUE(init && isSupport && getStatus && getPlayStatus && getInfo);

    // Before any start, and after a start that could not open the device.
    for (int round = 0; round < 2; ++round) {
        uint32_t supported = 7;
        EXPECT_EQ(isSupport(&supported), 0) << round;
        EXPECT_EQ(supported, 7u) << round;
        uint32_t status = 9;
        EXPECT_EQ(getStatus(&status), 0) << round;
        EXPECT_EQ(status, 9u) << round;
        PlayStatus play{};
        play.track = 5;
        EXPECT_EQ(getPlayStatus(&play), 0) << round;
        EXPECT_EQ(play.track, 5u) << round;
        char text[64] = "untouched";
        uint32_t first = 1, second = 2, third = 3;
        // No catalogue was read, so there is no list to give.
        EXPECT_EQ(getInfo(0, text, sizeof(text), &first, &second, &third), 0u) << round;
        EXPECT_STREQ(text, "") << round;
        // Opening the missing device fails inside the library; its caller
        // still sees its own last-error value.
        SetLastError(0x4242);
        EXPECT_EQ(init(), 0) << round;
        EXPECT_EQ(GetLastError(), 0x4242u) << round;
    }
    FreeLibrary(library);
}

} // namespace
