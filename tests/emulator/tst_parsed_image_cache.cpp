// The image is parsed anew only when its file has changed: every change a
// writer makes, in place or by replacing the file, is still seen by the next
// request, and a file that turns bad is reported, never served from before.

#include "emulator/emulated_notebook.h"
#include "tests/emulator/emulator_fixture.h"

#include <chrono>
#include <fstream>
#include <string>

namespace emulator::test {
namespace {

using nlohmann::json;

constexpr uint32_t kAlarmHour = (10u << 16) | 9u;

class ParsedImageCacheTest : public EmulatorTest
{
protected:
    // The default image with the alarm hour at `hour`, as the emulator
    // writes it, so that one hour of one digit gives a file of one size.
    std::string imageText(int hour) const
    {
        json image = readImage();
        image["firmware"]["methods"]["AHOU"]["value"] = hour;
        return image.dump(2) + "\n";
    }

    // The file's time put back, as if it had been written a while ago: the
    // image has settled, and the emulator keeps what it parsed.
    void settle() const
    {
        std::filesystem::last_write_time(
            imageFile(), std::filesystem::file_time_type::clock::now() - std::chrono::seconds(30));
    }
};

TEST_F(ParsedImageCacheTest, ChangesInPlaceAreSeenByTheNextRequest)
{
    ASSERT_TRUE(acpiOpen());
    writeText(imageText(6));
    settle();
    ASSERT_EQ(getItem(kAlarmHour).second, 6);
    ASSERT_EQ(getItem(kAlarmHour).second, 6) << "the kept image answers";

    // Same size, written now: the time differs from the settled one.
    writeText(imageText(7));
    EXPECT_EQ(getItem(kAlarmHour).second, 7);

    // Changed again within the step of the file system's clock, which then
    // keeps the time as it was: the image written a moment ago was not kept,
    // so this is seen too.
    const auto written = std::filesystem::last_write_time(imageFile());
    writeText(imageText(8));
    std::filesystem::last_write_time(imageFile(), written);
    EXPECT_EQ(getItem(kAlarmHour).second, 8);
}

TEST_F(ParsedImageCacheTest, ItsOwnWritesAndOtherWritersReplacementsAreSeen)
{
    ASSERT_TRUE(acpiOpen());
    writeText(imageText(6));
    settle();
    ASSERT_EQ(getItem(kAlarmHour).second, 6);
    EXPECT_EQ(setItem(kAlarmHour, 5).second, 5);
    EXPECT_EQ(getItem(kAlarmHour).second, 5);

    settle();
    ASSERT_EQ(getItem(kAlarmHour).second, 5);
    const std::string four = imageText(4);
    const std::string three = imageText(3);
    const std::filesystem::path other = folder() / "other.json";
    std::filesystem::rename(imageFile(), other);
    writeText(four);
    EXPECT_EQ(getItem(kAlarmHour).second, 4);
#ifndef _WIN32
    // A file put in the image's place with the size and the time of the one
    // kept is still another file. Windows tells files apart by their times
    // when it asks by path, so this case holds on POSIX only.
    settle();
    const auto kept = std::filesystem::last_write_time(imageFile());
    ASSERT_EQ(getItem(kAlarmHour).second, 4);
    std::filesystem::remove(other);
    {
        std::ofstream(other, std::ios::binary) << three;
    }
    std::filesystem::last_write_time(other, kept);
    std::filesystem::rename(other, imageFile());
    EXPECT_EQ(getItem(kAlarmHour).second, 3);
#endif
}

TEST_F(ParsedImageCacheTest, ImageThatTurnsBadFailsAndIsReported)
{
    ASSERT_TRUE(acpiOpen());
    settle();
    ASSERT_TRUE(acpiOpen());
    writeText("{ not json");
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(acpiOpen());
    std::vector<WmiRow> rows;
    EXPECT_FALSE(wmiQuery("SELECT DeviceID, Drive FROM Win32_CDROMDrive", rows));
    const std::string error = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(error.find("not valid JSON"), std::string::npos) << error;
    EXPECT_EQ(readText(), "{ not json");
}

} // namespace
} // namespace emulator::test
