// The machine image on disk: where it lives, the default notebook, the
// validation that keeps a broken image untouched, and writers that share it.

#include "emulator/emulated_notebook.h"
#include "emulator/image_path.h"
#include "tests/emulator/emulator_fixture.h"
#include "tests/support/test_platform.h"

#include <algorithm>
#include <set>

namespace emulator::test {
namespace {

using nlohmann::json;

class ImageStoreTest : public EmulatorTest
{
};

TEST_F(ImageStoreTest, MissingImageIsCreatedWithFoldersAsTheDefaultNotebook)
{
    const std::filesystem::path nested = folder() / "a" / "b" / "notebook.json";
    testsupport::setEnvironment("VESPERIN_EMULATOR_IMAGE", nested.string());
    ASSERT_TRUE(acpiOpen());
    ASSERT_TRUE(std::filesystem::exists(nested));
    testsupport::setEnvironment("VESPERIN_EMULATOR_IMAGE", imageFile().string());
    std::filesystem::copy_file(nested, imageFile());
    const json image = readImage();

    const json &firmware = image["firmware"];
    EXPECT_EQ(firmware["mbif"], json({3, 0, 0, 65536}));
    ASSERT_EQ(firmware["groups"]["10"].size(), 15u);
    std::set<uint32_t> items;
    for (const json &name : firmware["groups"]["10"]) {
        const json &method = firmware["methods"][name.get<std::string>()];
        const uint32_t id = method["id"];
        EXPECT_NE(id >> 16, 0u) << name;
        items.insert(id & 0xFFFF);
    }
    EXPECT_EQ(items.size(), 15u);
    EXPECT_EQ(*items.begin(), 1u);
    EXPECT_EQ(*items.rbegin(), 15u);

    const auto valueOf = [&](uint32_t item) { return getItem((10u << 16) | item).second; };
    EXPECT_EQ(valueOf(1), 1) << "alarm enabled";
    EXPECT_EQ(valueOf(2) + valueOf(8), 0) << "not on weekends";
    EXPECT_EQ(valueOf(3) + valueOf(4) + valueOf(5) + valueOf(6) + valueOf(7), 5);
    EXPECT_EQ(valueOf(9), 6);
    EXPECT_EQ(valueOf(10), 30);
    EXPECT_EQ(valueOf(11), 2);
    EXPECT_EQ(valueOf(12), 0);
    EXPECT_EQ(valueOf(13), 1);
    EXPECT_EQ(valueOf(14), 0);
    EXPECT_EQ(valueOf(15), 8);

    EXPECT_EQ(firmware["methods"]["AVOL"]["range"], json({0, 1, 16}));
    EXPECT_EQ(firmware["methods"]["ADUR"]["choices"][3], "1 hour");
    const json &ide = image["hardware"]["ide"];
    ASSERT_EQ(ide.size(), 2u);
    EXPECT_EQ(ide[1]["letter"], "D");
    EXPECT_EQ(ide[1]["disc"]["tracks_ms"].size(), 12u);
    EXPECT_TRUE(image["hardware"]["playback"].is_null());
    EXPECT_TRUE(mixerOpen() && mixerHasSpeakers() && mixerHasVolumeControl());
}

struct BrokenImage
{
    const char *text;
    const char *problem;
};

TEST_F(ImageStoreTest, BrokenImagesFailAndAreNeverOverwritten)
{
    const BrokenImage broken[] = {
        {"{ not json", "not valid JSON"},
        {R"({"firmware": {}})", "format"},
        {R"({"format": 2, "firmware": {}})", "format"},
        {R"({"format": 1})", "firmware"},
        {R"({"format": 1, "firmware": {"mbif": [-1]}})", "mbif"},
        {R"({"format": 1, "firmware": {"mbif": [4294967296]}})", "mbif"},
        {R"({"format": 1, "firmware": {"mbif": ["3"]}})", "mbif"},
        {R"({"format": 1, "firmware": {"groups": {"10": ["ALENX"]}}})", "four characters"},
        {R"({"format": 1, "firmware": {"methods": {"ALN": {"id": 1, "name": "x"}}}})", "ALN"},
        {R"({"format": 1, "firmware": {"methods": {"AHOU": {"id": 1, "name": "x", "range": [0, 1]}}}})",
         "range"},
        {R"({"format": 1, "firmware": {"methods": {"AHOU": {"id": "1", "name": "x"}}}})", "id"},
        {R"({"format": 1, "firmware": {"faults": [{"method": "GITM", "effect": "explode"}]}})",
         "effect"},
        {R"({"format": 1, "firmware": {"faults": [{"method": "MBIF", "effect": "refuse"}]}})",
         "refuse"},
        {R"({"format": 1, "firmware": {}, "hardware": {"ide": [{"channel": 2, "device": 0,
            "type": "disk", "instance": "X"}]}})",
         "channel"},
        {R"({"format": 1, "firmware": {}, "hardware": {"mixer": {"present": "yes"}}})", "present"},
        {R"({"format": 1, "firmware": {}, "hardware": {"playback": {"letter": "D"}}})", "playback"},
    };
    for (const BrokenImage &image : broken) {
        writeText(image.text);
        ::testing::internal::CaptureStderr();
        EXPECT_FALSE(acpiOpen()) << image.text;
        std::string reply;
        EXPECT_EQ(mciSendString("open D:\\ type cdaudio alias cd", reply), 262u);
        const std::string error = ::testing::internal::GetCapturedStderr();
        EXPECT_NE(error.find(imageFile().string()), std::string::npos) << error;
        EXPECT_NE(error.find(image.problem), std::string::npos) << error;
        EXPECT_EQ(std::count(error.begin(), error.end(), '\n'), 2)
            << "one line per call: " << error;
        EXPECT_EQ(readText(), image.text);
    }
}

// A folder where the image should be is said to be one, and no default is
// made in or over it.
TEST_F(ImageStoreTest, FolderAtTheImagePathIsReportedAndLeft)
{
    std::filesystem::create_directory(imageFile());
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(acpiOpen());
    const std::string error = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(error.find(imageFile().string() + ": is a folder, not a machine image file"),
              std::string::npos)
        << error;
    EXPECT_TRUE(std::filesystem::is_directory(imageFile()));
    EXPECT_TRUE(std::filesystem::is_empty(imageFile()));
}

TEST_F(ImageStoreTest, MinimalImageTakesTheDefaults)
{
    writeImage({{"format", 1}, {"firmware", json::object()}});
    ASSERT_TRUE(acpiOpen());
    EXPECT_FALSE(mixerOpen());
    std::vector<WmiRow> rows;
    EXPECT_TRUE(wmiQuery("SELECT DeviceID, Drive FROM Win32_CDROMDrive", rows));
    EXPECT_TRUE(rows.empty());
    EXPECT_TRUE(evaluated(integerRequest("GGRP", 10)).empty());
    EXPECT_EQ(getItem(0x000A0001), std::make_pair(int64_t(0), int64_t(0)));
}

} // namespace
} // namespace emulator::test
