// The real Vesperlink, loaded through the binding as the program loads it,
// against machine images of the emulated notebook written by each test.

#include "app/binding/acpi_bridge.h"
#include "app/binding/program_location.h"

#include "tests/support/test_platform.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#endif

namespace {

using nlohmann::json;
namespace fs = std::filesystem;

// The library on the emulated notebook: the one beside the tests, or the
// test build in its own folder where the one beside them talks to the driver.
std::string libraryUnderTest()
{
    const std::string directory = ProgramLocation::directory();
    const std::string folder = EMULATED_LIBRARY_FOLDER;
    if (folder.empty() || directory.empty())
        return ProgramLocation::libraryPath();
    return directory + folder + directory.back() + ProgramLocation::libraryFileName();
}

uint32_t idOf(int number)
{
    return 0x00C30000u | static_cast<uint32_t>(number);
}

std::string methodOf(int number)
{
    return "IT" + std::string(number < 10 ? "0" : "") + std::to_string(number);
}

// Fifteen items listed under group 10, as a believable firmware has them.
json firmwareImage()
{
    json methods = json::object();
    json group = json::array();
    const uint32_t values[16] = {0, 1, 0, 1, 1, 1, 1, 1, 0, 6, 30, 2, 0, 1, 0, 8};
    for (int n = 1; n <= 15; ++n) {
        json item = {{"id", idOf(n)}, {"name", "Item " + std::to_string(n)}, {"value", values[n]}};
        if (n == 9)
            item["range"] = {0, 1, 24};
        if (n == 10)
            item["range"] = {0, 1, 60};
        if (n == 12)
            item["range"] = {0, 1, 99};
        if (n == 15)
            item["range"] = {0, 1, 16};
        if (n == 11)
            item["choices"] = {"Primary Master", "Primary Slave", "Secondary Master",
                               "Secondary Slave"};
        if (n == 13)
            item["choices"] = {"None", "Single", "All"};
        if (n == 14)
            item["choices"] = {"10 mins", "20 mins", "30 mins", "1 hour"};
        methods[methodOf(n)] = item;
        group.push_back(methodOf(n));
    }
    return {{"format", 1},
            {"firmware",
             {{"mbif", {3, 0, 0, 65536}}, {"groups", {{"10", group}}}, {"methods", methods}}}};
}

class VesperlinkEmulated : public ::testing::Test
{
protected:
    VesperlinkEmulated()
    {
        m_dir = fs::temp_directory_path() /
                ("vesperlink-test-" + std::to_string(testsupport::processId()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(m_dir);
        m_image = (m_dir / "notebook.json").string();
        m_log = (m_dir / "requests.log").string();
        testsupport::setEnvironment("VESPERIN_EMULATOR_IMAGE", m_image);
        testsupport::setEnvironment("VESPERIN_EMULATOR_LOG", m_log);
    }

    ~VesperlinkEmulated() override
    {
        testsupport::unsetEnvironment("VESPERIN_EMULATOR_LOG");
        std::error_code ignored;
        fs::remove_all(m_dir, ignored);
    }

    void writeImage(const json &image) { std::ofstream(m_image) << image.dump(2); }

    json readImage() const
    {
        std::ifstream in(m_image);
        return json::parse(in);
    }

    uint32_t storedValue(int number) const
    {
        return readImage()["firmware"]["methods"][methodOf(number)].value("value", 0u);
    }

    std::vector<std::string> logLines() const
    {
        std::vector<std::string> lines;
        std::ifstream in(m_log);
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }

    void clearLog() { fs::remove(m_log); }

    // The requests logged for one method name (its four characters as hex).
    size_t requestsFor(const std::string &name) const
    {
        std::string hex;
        static const char digits[] = "0123456789abcdef";
        for (unsigned char c : name) {
            hex += digits[c >> 4];
            hex += digits[c & 15];
        }
        size_t count = 0;
        for (const std::string &line : logLines()) {
            if (line.size() >= 25 && line.compare(9 + 8, 8, hex) == 0)
                ++count;
        }
        return count;
    }

    int load() { return m_bridge.Load(libraryUnderTest()); }

    fs::path m_dir;
    std::string m_image;
    std::string m_log;
    AcpiBridge m_bridge;
};

TEST_F(VesperlinkEmulated, DefaultNotebookStartsAndReadsTheAlarm)
{
    // No image yet: the emulator creates its default notebook.
    ASSERT_EQ(load(), AcpiBridge::LoadReady);
    EXPECT_TRUE(fs::exists(m_image));
    EXPECT_EQ(m_bridge.driveList.count, 4u);
    EXPECT_STREQ(m_bridge.driveList.names[2], "Secondary Master");
    EXPECT_EQ(m_bridge.modeList.count, 3u);
    EXPECT_STREQ(m_bridge.modeList.names[1], "Single");
    EXPECT_EQ(m_bridge.durationList.count, 4u);
    EXPECT_STREQ(m_bridge.durationList.names[3], "1 hour");
    EXPECT_EQ(m_bridge.volumeList.count, 16u);
    EXPECT_EQ(m_bridge.volumeList.values[15], 15u);

    uint32_t status = 0;
    ASSERT_TRUE(m_bridge.GetStatus(&status));
    EXPECT_EQ(status, 1u);
    TimeSetting time{};
    ASSERT_TRUE(m_bridge.GetTimeSetting(&time));
    EXPECT_EQ(time.hour, 6u);
    EXPECT_EQ(time.minute, 30u);
    EXPECT_EQ(time.days, 0x3Eu);
    PlayStatus play{};
    ASSERT_TRUE(m_bridge.GetPlayStatus(&play));
    EXPECT_EQ(play.drive, 2u);
    EXPECT_EQ(play.track, 0u);
    EXPECT_EQ(play.repeatMode, 1u);
    EXPECT_EQ(play.duration, 0u);
    EXPECT_EQ(play.volume, 8u);
}

TEST_F(VesperlinkEmulated, WritesReachTheMachineImage)
{
    writeImage(firmwareImage());
    ASSERT_EQ(load(), AcpiBridge::LoadReady);
    ASSERT_TRUE(m_bridge.SetStatus(true));
    EXPECT_EQ(storedValue(1), 0u);
    const TimeSetting time{0x41, 22, 45};
    ASSERT_TRUE(m_bridge.SetTimeSetting(&time));
    EXPECT_EQ(storedValue(9), 22u);
    EXPECT_EQ(storedValue(10), 45u);
    EXPECT_EQ(storedValue(2), 1u);
    EXPECT_EQ(storedValue(3), 0u);
    EXPECT_EQ(storedValue(8), 1u);
    const PlayStatus play{1, 11, 2, 3, 15};
    ASSERT_TRUE(m_bridge.SetPlayStatus(&play));
    for (int n = 11; n <= 15; ++n)
        EXPECT_EQ(storedValue(n), (std::vector<uint32_t>{1, 11, 2, 3, 15}[n - 11])) << n;

    TimeSetting back{};
    ASSERT_TRUE(m_bridge.GetTimeSetting(&back));
    EXPECT_EQ(back.days, 0x41u);
    EXPECT_EQ(back.hour, 22u);
}

TEST_F(VesperlinkEmulated, RefusedItemsAreReportedAsTheExportsPromise)
{
    json image = firmwareImage();
    image["firmware"]["faults"] = {{{"method", "GITM"}, {"item", 12}, {"effect", "refuse"}},
                                   {{"method", "SITM"}, {"item", 9}, {"effect", "refuse"}}};
    writeImage(image);
    ASSERT_EQ(load(), AcpiBridge::LoadReady);
    PlayStatus play{};
    play.track = 0xEEEE;
    ASSERT_TRUE(m_bridge.GetPlayStatus(&play));
    EXPECT_EQ(play.track, 0xEEEEu);
    EXPECT_EQ(play.volume, 8u);
    // A whole record reports success even when the firmware refused an item.
    const TimeSetting time{0x01, 23, 5};
    EXPECT_TRUE(m_bridge.SetTimeSetting(&time));
    EXPECT_EQ(storedValue(9), 6u);
    EXPECT_EQ(storedValue(10), 5u);
}

TEST_F(VesperlinkEmulated, ResultsCutShortAreFailedEvaluations)
{
    json image = firmwareImage();
    image["firmware"]["faults"] = {{{"method", "MBIF"}, {"effect", "truncate"}, {"bytes", 30}}};
    writeImage(image);
    EXPECT_EQ(load(), AcpiBridge::LoadNotSupported);

    image["firmware"]["faults"] = {
        {{"method", "GITM"}, {"item", 15}, {"effect", "truncate"}, {"bytes", 20}}};
    writeImage(image);
    AcpiBridge second;
    ASSERT_EQ(second.Load(libraryUnderTest()), AcpiBridge::LoadReady);
    PlayStatus play{};
    play.volume = 0xBBBB;
    EXPECT_FALSE(second.GetPlayStatus(&play));
    EXPECT_EQ(play.volume, 0xBBBBu);
    EXPECT_EQ(play.drive, 2u);
}

TEST_F(VesperlinkEmulated, StartFailuresGiveTheirResults)
{
    json image = firmwareImage();
    image["firmware"].erase("mbif");
    writeImage(image);
    EXPECT_EQ(load(), AcpiBridge::LoadNotSupported);

    image = firmwareImage();
    image["firmware"]["mbif"] = {3, 0, 0, 0};
    writeImage(image);
    AcpiBridge unsupported;
    EXPECT_EQ(unsupported.Load(libraryUnderTest()), AcpiBridge::LoadNotSupported);

    // An image the emulator cannot use: the device does not open.
    std::ofstream(m_image) << "{ \"format\": 2 }";
    AcpiBridge broken;
    EXPECT_EQ(broken.Load(libraryUnderTest()), AcpiBridge::LoadInitFailed);
    EXPECT_FALSE(broken.loaded);
}

TEST_F(VesperlinkEmulated, OversizeCatalogueIsCutToTheLibrarysSlots)
{
    json image = firmwareImage();
    json &methods = image["firmware"]["methods"];
    json choices = json::array();
    for (int j = 0; j < 12; ++j)
        choices.push_back("Drive choice number " + std::to_string(j) + " with a long name");
    methods[methodOf(11)]["choices"] = choices;
    methods["XTRA"] = {{"id", 0x00C30010}, {"name", std::string(100, 'x')}, {"value", 5}};
    json &group = image["firmware"]["groups"]["10"];
    group.insert(group.begin(), "XTRA");
    for (int j = 0; j < 30; ++j)
        group.push_back(methodOf(11));
    writeImage(image);

    ASSERT_EQ(load(), AcpiBridge::LoadReady);
    EXPECT_EQ(m_bridge.driveList.count, 10u);
    EXPECT_EQ(std::string(m_bridge.driveList.names[9]),
              std::string("Drive choice number 9 with a long name").substr(0, 31));
    // The first 32 entries of the list are described, no more.
    EXPECT_EQ(requestsFor(methodOf(11)), 17u);
    EXPECT_EQ(requestsFor("XTRA"), 1u);
    EXPECT_EQ(requestsFor(methodOf(15)), 1u);
}

TEST_F(VesperlinkEmulated, EachExportMakesItsNumberOfRequests)
{
    writeImage(firmwareImage());
    ASSERT_EQ(load(), AcpiBridge::LoadReady);
    // The start: the handshake, MBIF, GGRP and one description per item.
    EXPECT_EQ(logLines().size(), 1u + 1 + 1 + 15);
    const std::vector<std::string> start = logLines();
    EXPECT_EQ(start[0].substr(0, 8), "0022240c");
    const std::string ggrp = start[2];
    if (testsupport::expectsHost64Layout()) {
        EXPECT_EQ(ggrp, "00222404 02000000474752500100000008000000000004000a000000");
    } else {
        // The native layout: the address of the block, then the block itself.
        EXPECT_EQ(ggrp.substr(0, 9 + 32), "00222404 02000000474752500100000008000000");
        EXPECT_EQ(ggrp.substr(ggrp.size() - 17), " 000004000a000000");
    }

    clearLog();
    uint32_t status = 0;
    m_bridge.GetStatus(&status);
    EXPECT_EQ(logLines().size(), 1u);
    m_bridge.SetStatus(status == 0);
    EXPECT_EQ(logLines().size(), 2u);
    EXPECT_EQ(requestsFor("SITM"), 1u);

    clearLog();
    TimeSetting time{};
    m_bridge.GetTimeSetting(&time);
    EXPECT_EQ(requestsFor("GITM"), 9u);
    m_bridge.SetTimeSetting(&time);
    EXPECT_EQ(requestsFor("SITM"), 9u);
    clearLog();
    PlayStatus play{};
    m_bridge.GetPlayStatus(&play);
    m_bridge.SetPlayStatus(&play);
    EXPECT_EQ(requestsFor("GITM"), 5u);
    EXPECT_EQ(requestsFor("SITM"), 5u);
    clearLog();
    ChoiceList list;
    ASSERT_TRUE(m_bridge.LoadList(0, list));
    EXPECT_TRUE(logLines().empty());
}

TEST(VesperlinkLibrary, ExportsTheNineNamesAndNothingOfItsInside)
{
    LibraryLoader &loader = LibraryLoader::system();
    LibraryLoader::Handle library = loader.load(libraryUnderTest());
    ASSERT_NE(library, nullptr);
    for (const char *name :
         {"VPInit", "VPIsSupport", "VPGetInfo", "VPGetStatus", "VPSetStatus", "VPGetTimeSetting",
          "VPSetTimeSetting", "VPGetPlayStatus", "VPSetPlayStatus"})
        EXPECT_NE(loader.resolve(library, name), nullptr) << name;
    for (const char *name : {"_ZN11AlarmBridge4initEv", "_ZN13ItemCatalogue7getItemEjRj",
                             "_ZN11AcpiChannel4openEv", "_ZN8emulator8acpiOpenEv"})
        EXPECT_EQ(loader.resolve(library, name), nullptr) << name;
    loader.unload(library);
}

} // namespace

TEST_F(VesperlinkEmulated, NoExportChangesTheCallersErrorState)
{
    ASSERT_EQ(load(), AcpiBridge::LoadReady);
    uint32_t value = 0;
    TimeSetting time{};
    PlayStatus play{};
    char text[256];
    uint32_t first = 0, second = 0, third = 0;
    const std::vector<std::pair<const char *, std::function<void()>>> exports = {
        {"VPInit", [&] { m_bridge.init(); }},
        {"VPIsSupport", [&] { m_bridge.isSupport(&value); }},
        {"VPGetInfo", [&] { m_bridge.getInfo(0, text, sizeof(text), &first, &second, &third); }},
        {"VPGetStatus", [&] { m_bridge.getStatus(&value); }},
        {"VPSetStatus", [&] { m_bridge.setStatus(1); }},
        {"VPGetTimeSetting", [&] { m_bridge.getTimeSetting(&time); }},
        {"VPSetTimeSetting", [&] { m_bridge.setTimeSetting(&time); }},
        {"VPGetPlayStatus", [&] { m_bridge.getPlayStatus(&play); }},
        {"VPSetPlayStatus", [&] { m_bridge.setPlayStatus(&play); }},
    };
    // Each export works on a machine image that is gone (the emulator makes
    // its default one again, after failing to open the old), and on one that
    // cannot be read: both make the library's own calls fail on the way.
    for (const bool broken : {false, true}) {
        for (const auto &[name, call] : exports) {
            if (broken)
                std::ofstream(m_image) << "{";
            else
                fs::remove(m_image);
            errno = 4242;
#ifdef _WIN32
            SetLastError(0x4242);
#endif
            call();
            EXPECT_EQ(errno, 4242) << name << (broken ? " on a broken image" : "");
#ifdef _WIN32
            EXPECT_EQ(GetLastError(), 0x4242u) << name << (broken ? " on a broken image" : "");
#endif
        }
    }
}
