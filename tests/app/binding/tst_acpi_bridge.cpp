#include "app/binding/acpi_bridge.h"
#include "app/binding/program_location.h"

#include "tests/support/test_platform.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

// ---- Against stand-in libraries loaded for real --------------------------

// The stand-in libraries are built beside the test program.
std::string stub(const char *fileName)
{
    return ProgramLocation::directory() + fileName;
}

bool stillLoaded(const char *fileName)
{
    return testsupport::libraryStillLoaded(stub(fileName));
}

TEST(AcpiBridgeLoad, MissingLibraryIsResultOne)
{
    AcpiBridge bridge;
    EXPECT_EQ(bridge.Load(ProgramLocation::directory() + "no-such-library.so"),
              AcpiBridge::LoadLibraryFailed);
    EXPECT_FALSE(bridge.loaded);
}

TEST(AcpiBridgeLoad, LibraryLackingAnExportIsUnloadedAndNeverCalled)
{
    AcpiBridge bridge;
    EXPECT_EQ(bridge.Load(stub(STUB_LACKING_EXPORT)), AcpiBridge::LoadLibraryFailed);
    EXPECT_FALSE(bridge.loaded);
    EXPECT_EQ(bridge.init, nullptr);
    EXPECT_EQ(bridge.getStatus, nullptr);
    EXPECT_FALSE(stillLoaded(STUB_LACKING_EXPORT));
    const TimeSetting setting{};
    EXPECT_FALSE(bridge.SetTimeSetting(&setting));
}

TEST(AcpiBridgeLoad, FailedStartIsResultTwoAndUnloads)
{
    AcpiBridge bridge;
    EXPECT_EQ(bridge.Load(stub(STUB_INIT_FAILS)), AcpiBridge::LoadInitFailed);
    EXPECT_FALSE(bridge.loaded);
    EXPECT_FALSE(stillLoaded(STUB_INIT_FAILS));
}

TEST(AcpiBridgeLoad, NoSupportIsResultThreeAndKeepsTheLibrary)
{
    for (const char *path : {STUB_UNSUPPORTED, STUB_SUPPORT_FAILS}) {
        AcpiBridge bridge;
        EXPECT_EQ(bridge.Load(stub(path)), AcpiBridge::LoadNotSupported) << path;
        EXPECT_TRUE(bridge.loaded);
        EXPECT_TRUE(stillLoaded(path));
        EXPECT_EQ(bridge.driveList.count, 0u);
        EXPECT_EQ(bridge.volumeList.count, 0u);
    }
}

TEST(AcpiBridgeLoad, ReadyBridgeFillsEachListFromItsKind)
{
    AcpiBridge bridge;
    ASSERT_EQ(bridge.Load(stub(STUB_READY)), AcpiBridge::LoadReady);
    EXPECT_TRUE(bridge.loaded);
    EXPECT_STREQ(bridge.driveList.names[0], "kind0");
    EXPECT_STREQ(bridge.durationList.names[0], "kind1");
    EXPECT_STREQ(bridge.volumeList.names[0], "kind2");
    EXPECT_STREQ(bridge.modeList.names[0], "kind3");
    EXPECT_STREQ(bridge.modeList.names[1], "second");
    EXPECT_EQ(bridge.modeList.count, 2u);
    EXPECT_EQ(bridge.modeList.values[1], 1u);
    uint32_t status = 0;
    EXPECT_TRUE(bridge.GetStatus(&status));
    EXPECT_EQ(status, 1u);
}

TEST(ProgramLocation, LibraryIsTakenFromTheProgramsOwnDirectory)
{
    const std::string directory = ProgramLocation::directory();
    ASSERT_FALSE(directory.empty());
    // The separator is given as its character code.
    EXPECT_EQ(directory.back(), static_cast<char>(DIRECTORY_SEPARATOR));
    EXPECT_EQ(ProgramLocation::libraryPath(), directory + VESPERLINK_FILE_NAME);
}

// ---- Against functions of this program, through a test loader ------------

// A full path in the program's folder, which the test loader "loads".
std::string anyLibrary()
{
    return ProgramLocation::directory() + "anything";
}

// The behaviour of the test library's exports, set by each test.
struct Script
{
    std::vector<std::string> calls;
    std::vector<uint32_t> infoSizes;
    uint8_t initResult = 1;
    uint32_t supported = 1;
    std::function<uint32_t(uint32_t, char *, uint32_t, uint32_t *, uint32_t *, uint32_t *)> info;
    uint32_t lastStatus = 99;
};

Script *script = nullptr;

uint8_t fakeInit()
{
    script->calls.push_back("VPInit");
    return script->initResult;
}

uint8_t fakeIsSupport(uint32_t *supported)
{
    script->calls.push_back("VPIsSupport");
    EXPECT_EQ(*supported, 0u);
    *supported = script->supported;
    return 1;
}

uint32_t fakeGetInfo(uint32_t kind, char *text, uint32_t size, uint32_t *first, uint32_t *second,
                     uint32_t *third)
{
    script->calls.push_back("VPGetInfo " + std::to_string(kind));
    script->infoSizes.push_back(size);
    if (!script->info)
        return 0;
    return script->info(kind, text, size, first, second, third);
}

uint8_t fakeGetStatus(uint32_t *status)
{
    script->calls.push_back("VPGetStatus");
    *status = 1;
    return 1;
}

uint8_t fakeSetStatus(uint32_t status)
{
    script->calls.push_back("VPSetStatus");
    script->lastStatus = status;
    return status == 1;
}

uint8_t fakeGetTime(TimeSetting *)
{
    script->calls.push_back("VPGetTimeSetting");
    return 0;
}

uint8_t fakeSetTime(const TimeSetting *)
{
    script->calls.push_back("VPSetTimeSetting");
    return 1;
}

uint8_t fakeGetPlay(PlayStatus *)
{
    script->calls.push_back("VPGetPlayStatus");
    return 1;
}

uint8_t fakeSetPlay(const PlayStatus *)
{
    script->calls.push_back("VPSetPlayStatus");
    return 0;
}

class TestLoader : public LibraryLoader
{
public:
    std::vector<std::string> resolved;
    std::string missing;
    int loads = 0;
    int unloads = 0;
    int handle = 0;

    Handle load(const std::string &) override
    {
        ++loads;
        return &handle;
    }

    EntryPoint resolve(Handle, const char *name) override
    {
        resolved.push_back(name);
        const std::map<std::string, EntryPoint> exports = {
            {"VPInit", reinterpret_cast<EntryPoint>(&fakeInit)},
            {"VPIsSupport", reinterpret_cast<EntryPoint>(&fakeIsSupport)},
            {"VPGetInfo", reinterpret_cast<EntryPoint>(&fakeGetInfo)},
            {"VPGetStatus", reinterpret_cast<EntryPoint>(&fakeGetStatus)},
            {"VPSetStatus", reinterpret_cast<EntryPoint>(&fakeSetStatus)},
            {"VPGetTimeSetting", reinterpret_cast<EntryPoint>(&fakeGetTime)},
            {"VPSetTimeSetting", reinterpret_cast<EntryPoint>(&fakeSetTime)},
            {"VPGetPlayStatus", reinterpret_cast<EntryPoint>(&fakeGetPlay)},
            {"VPSetPlayStatus", reinterpret_cast<EntryPoint>(&fakeSetPlay)},
        };
        if (name == missing)
            return nullptr;
        const auto found = exports.find(name);
        return found == exports.end() ? nullptr : found->second;
    }

    void unload(Handle) override { ++unloads; }
};

class AcpiBridgeTest : public ::testing::Test
{
protected:
    AcpiBridgeTest() { script = &m_script; }
    ~AcpiBridgeTest() override { script = nullptr; }

    // A list of `names`, answered whole whatever the buffer.
    static std::function<uint32_t(uint32_t, char *, uint32_t, uint32_t *, uint32_t *, uint32_t *)>
    answerNames(std::vector<std::string> names)
    {
        return [names](uint32_t, char *text, uint32_t size, uint32_t *first, uint32_t *second,
                       uint32_t *third) {
            std::string all;
            for (const std::string &n : names)
                all += n + '\0';
            if (all.size() <= size)
                std::memcpy(text, all.data(), all.size());
            *first = 0;
            *second = 1;
            *third = static_cast<uint32_t>(names.size());
            return static_cast<uint32_t>(all.size());
        };
    }

    Script m_script;
    TestLoader loader;
    AcpiBridge bridge{loader};
};

TEST_F(AcpiBridgeTest, ExportsAreLookedUpInTheirOrderThenStarted)
{
    ASSERT_EQ(bridge.Load(anyLibrary()), AcpiBridge::LoadReady);
    EXPECT_EQ(loader.resolved,
              (std::vector<std::string>{"VPGetStatus", "VPGetInfo", "VPSetStatus",
                                        "VPGetPlayStatus", "VPSetPlayStatus", "VPGetTimeSetting",
                                        "VPSetTimeSetting", "VPInit", "VPIsSupport"}));
    EXPECT_EQ(m_script.calls,
              (std::vector<std::string>{"VPInit", "VPIsSupport", "VPGetInfo 3", "VPGetInfo 1",
                                        "VPGetInfo 0", "VPGetInfo 2"}));
    EXPECT_EQ(loader.unloads, 0);
}

TEST_F(AcpiBridgeTest, AMissingExportStopsBeforeAnyCall)
{
    for (const char *name : {"VPGetStatus", "VPIsSupport", "VPInit", "VPGetInfo"}) {
        TestLoader lacking;
        lacking.missing = name;
        AcpiBridge other(lacking);
        m_script.calls.clear();
        EXPECT_EQ(other.Load(anyLibrary()), AcpiBridge::LoadLibraryFailed) << name;
        EXPECT_TRUE(m_script.calls.empty()) << name;
        EXPECT_EQ(lacking.unloads, 1);
        EXPECT_FALSE(other.loaded);
    }
}

TEST_F(AcpiBridgeTest, StartFailureAndNoSupport)
{
    m_script.initResult = 0;
    EXPECT_EQ(bridge.Load(anyLibrary()), AcpiBridge::LoadInitFailed);
    EXPECT_EQ(loader.unloads, 1);
    EXPECT_EQ(m_script.calls, (std::vector<std::string>{"VPInit"}));
    // Nothing may point into the library that is gone.
    EXPECT_EQ(bridge.init, nullptr);
    EXPECT_EQ(bridge.isSupport, nullptr);
    EXPECT_EQ(bridge.getInfo, nullptr);
    EXPECT_EQ(bridge.getStatus, nullptr);
    EXPECT_EQ(bridge.setStatus, nullptr);
    EXPECT_EQ(bridge.getTimeSetting, nullptr);
    EXPECT_EQ(bridge.setTimeSetting, nullptr);
    EXPECT_EQ(bridge.getPlayStatus, nullptr);
    EXPECT_EQ(bridge.setPlayStatus, nullptr);

    m_script.initResult = 1;
    m_script.supported = 0;
    m_script.calls.clear();
    EXPECT_EQ(bridge.Load(anyLibrary()), AcpiBridge::LoadNotSupported);
    EXPECT_EQ(loader.unloads, 1);
    EXPECT_TRUE(bridge.loaded);
    EXPECT_EQ(m_script.calls, (std::vector<std::string>{"VPInit", "VPIsSupport"}));
}

TEST_F(AcpiBridgeTest, ForwardingNeedsALoadedBridge)
{
    uint32_t status = 0;
    TimeSetting time{};
    PlayStatus play{};
    EXPECT_FALSE(bridge.GetStatus(&status));
    EXPECT_FALSE(bridge.SetStatus(false));
    EXPECT_FALSE(bridge.GetTimeSetting(&time));
    EXPECT_FALSE(bridge.SetTimeSetting(&time));
    EXPECT_FALSE(bridge.GetPlayStatus(&play));
    EXPECT_FALSE(bridge.SetPlayStatus(&play));
    ChoiceList list;
    EXPECT_FALSE(bridge.LoadList(0, list));
    EXPECT_TRUE(m_script.calls.empty());
}

TEST_F(AcpiBridgeTest, ForwardingPassesTheLibrarysAnswers)
{
    ASSERT_EQ(bridge.Load(anyLibrary()), AcpiBridge::LoadReady);
    m_script.calls.clear();
    EXPECT_TRUE(bridge.SetStatus(false));
    EXPECT_EQ(m_script.lastStatus, 1u);
    EXPECT_FALSE(bridge.SetStatus(true));
    EXPECT_EQ(m_script.lastStatus, 0u);
    uint32_t status = 0;
    EXPECT_TRUE(bridge.GetStatus(&status));
    TimeSetting time{};
    PlayStatus play{};
    EXPECT_FALSE(bridge.GetTimeSetting(&time));
    EXPECT_TRUE(bridge.SetTimeSetting(&time));
    EXPECT_TRUE(bridge.GetPlayStatus(&play));
    EXPECT_FALSE(bridge.SetPlayStatus(&play));
    EXPECT_EQ(m_script.calls, (std::vector<std::string>{"VPSetStatus", "VPSetStatus", "VPGetStatus",
                                                        "VPGetTimeSetting", "VPSetTimeSetting",
                                                        "VPGetPlayStatus", "VPSetPlayStatus"}));
}

TEST_F(AcpiBridgeTest, ValueRangeGivesEmptyNamesAndSteppedValues)
{
    ASSERT_EQ(bridge.Load(anyLibrary()), AcpiBridge::LoadReady);
    m_script.info = [](uint32_t, char *text, uint32_t size, uint32_t *first, uint32_t *second,
                       uint32_t *third) {
        text[0] = '\0';
        *first = 0;
        *second = 4096;
        *third = 17;
        return size;
    };
    ChoiceList list;
    ASSERT_TRUE(bridge.LoadList(2, list));
    ASSERT_EQ(list.count, 17u);
    for (uint32_t j = 0; j < 17; ++j) {
        EXPECT_EQ(list.values[j], 4096u * j);
        EXPECT_STREQ(list.names[j], "");
    }
}

TEST_F(AcpiBridgeTest, ListsAreCutToSixtyFourEntriesOfSixtyThreeCharacters)
{
    ASSERT_EQ(bridge.Load(anyLibrary()), AcpiBridge::LoadReady);
    std::vector<std::string> names;
    for (int j = 0; j < 70; ++j)
        names.push_back(std::to_string(j) + std::string(70, 'n'));
    m_script.info = answerNames(names);
    m_script.infoSizes.clear();
    ChoiceList list;
    ASSERT_TRUE(bridge.LoadList(0, list));
    EXPECT_EQ(list.count, 64u);
    EXPECT_EQ(std::string(list.names[63]), names[63].substr(0, 63));
    EXPECT_EQ(std::string(list.names[0]), names[0].substr(0, 63));
    EXPECT_EQ(list.values[63], 63u);
    // 70 names of 73 bytes need 5110 bytes: the fifth buffer.
    EXPECT_EQ(m_script.infoSizes, (std::vector<uint32_t>{1024, 2048, 3072, 4096, 5120}));
}

TEST_F(AcpiBridgeTest, ATextThatNeverFitsFailsAndLeavesTheList)
{
    ASSERT_EQ(bridge.Load(anyLibrary()), AcpiBridge::LoadReady);
    m_script.info = [](uint32_t, char *, uint32_t size, uint32_t *, uint32_t *, uint32_t *third) {
        *third = 3;
        return size + 1;
    };
    m_script.infoSizes.clear();
    ChoiceList list;
    list.count = 5;
    std::strcpy(list.names[0], "old");
    EXPECT_FALSE(bridge.LoadList(1, list));
    EXPECT_EQ(m_script.infoSizes.size(), 99u);
    EXPECT_EQ(m_script.infoSizes.back(), 99u * 1024);
    EXPECT_EQ(list.count, 5u);
    EXPECT_STREQ(list.names[0], "old");
}

TEST_F(AcpiBridgeTest, NamesComeOnlyFromTheBytesTheLibraryWrote)
{
    ASSERT_EQ(bridge.Load(anyLibrary()), AcpiBridge::LoadReady);
    // Writes more than it reports, and claims more names than it wrote.
    m_script.info = [](uint32_t, char *text, uint32_t, uint32_t *first, uint32_t *second,
                       uint32_t *third) {
        std::memcpy(text, "A\0BCDEF\0GH\0", 11);
        *first = 10;
        *second = 2;
        *third = 4;
        return 5u;
    };
    ChoiceList list;
    ASSERT_TRUE(bridge.LoadList(3, list));
    ASSERT_EQ(list.count, 4u);
    EXPECT_STREQ(list.names[0], "A");
    EXPECT_STREQ(list.names[1], "BCD");
    EXPECT_STREQ(list.names[2], "");
    EXPECT_STREQ(list.names[3], "");
    EXPECT_EQ(list.values[3], 16u);
}

TEST_F(AcpiBridgeTest, EmptyNameKeepsItsPlaceInTheList)
{
    ASSERT_EQ(bridge.Load(anyLibrary()), AcpiBridge::LoadReady);
    m_script.info = answerNames({"A", "", "C"});
    ChoiceList list;
    ASSERT_TRUE(bridge.LoadList(0, list));
    ASSERT_EQ(list.count, 3u);
    EXPECT_STREQ(list.names[0], "A");
    EXPECT_STREQ(list.names[1], "");
    EXPECT_STREQ(list.names[2], "C");
    EXPECT_EQ(list.values[2], 2u);
}

TEST_F(AcpiBridgeTest, EmptyListIsAnEmptySuccess)
{
    ASSERT_EQ(bridge.Load(anyLibrary()), AcpiBridge::LoadReady);
    m_script.info = answerNames({});
    ChoiceList list;
    list.count = 3;
    ASSERT_TRUE(bridge.LoadList(0, list));
    EXPECT_EQ(list.count, 0u);
}

} // namespace

TEST_F(AcpiBridgeTest, OnlyAFullPathInAFolderIsEverLoaded)
{
    const std::string directory = ProgramLocation::directory();
    const std::string bare = ProgramLocation::libraryFileName();
    const std::string refused[] = {
        "",
        bare, // the program's folder was unknown
        "lib" + std::string(1, directory.back()) + bare,
        directory,
        directory + "anything" + std::string(1, '\0') + "else",
        directory + std::string(5000, 'a'),
    };
    for (const std::string &path : refused) {
        EXPECT_FALSE(ProgramLocation::isLoadable(path)) << path;
        EXPECT_EQ(bridge.Load(path), AcpiBridge::LoadLibraryFailed) << path;
        EXPECT_FALSE(bridge.loaded);
        EXPECT_EQ(bridge.init, nullptr);
    }
    EXPECT_EQ(loader.loads, 0);
    EXPECT_TRUE(m_script.calls.empty());

    EXPECT_EQ(bridge.Load(anyLibrary()), AcpiBridge::LoadReady);
    EXPECT_EQ(loader.loads, 1);
}

TEST(ProgramLocation, TheLongestPathTheSystemTakesWholeIsTheLimit)
{
    const std::string directory = ProgramLocation::directory();
    ASSERT_FALSE(directory.empty());
    const size_t limit = LONGEST_LOADABLE_PATH;
    ASSERT_LT(directory.size() + 1, limit);
    const std::string longest = directory + std::string(limit - directory.size(), 'a');
    EXPECT_TRUE(ProgramLocation::isLoadable(longest));
    EXPECT_FALSE(ProgramLocation::isLoadable(longest + "a"));
}

#ifdef _WIN32
TEST(ProgramLocation, WindowsPathsOnADriveOrAShareAreFull)
{
    EXPECT_TRUE(ProgramLocation::isLoadable("C:\\Program Files\\Vesperin\\Vesperlink.dll"));
    EXPECT_TRUE(ProgramLocation::isLoadable("d:/tools/Vesperlink.dll"));
    EXPECT_TRUE(ProgramLocation::isLoadable("\\\\server\\share\\Vesperlink.dll"));
    // Relative to the current folder of a drive, or to the current drive.
    EXPECT_FALSE(ProgramLocation::isLoadable("C:Vesperlink.dll"));
    EXPECT_FALSE(ProgramLocation::isLoadable("\\Vesperlink.dll"));
    EXPECT_FALSE(ProgramLocation::isLoadable("1:\\Vesperlink.dll"));
}
#endif
