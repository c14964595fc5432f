#include "discovery/drive_search.h"
#include "discovery/ide_devices.h"

#include "tests/support/temporary_machine_image.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

namespace {

// Every test runs on a machine image of its own in a fresh folder; without
// a file there the emulated notebook creates its default machine.
class EmulatedDiscovery : public ::testing::Test
{
protected:
    void writeImage(const std::string &hardware)
    {
        std::ofstream(m_image) << R"({"format": 1, "firmware": {}, "hardware": )" << hardware
                               << "}";
    }

    testsupport::TemporaryMachineImage m_machine{"vesperin-discovery"};
    const std::filesystem::path m_image = m_machine.path();
};

} // namespace

TEST_F(EmulatedDiscovery, FindsTheDefaultNotebooksDriveOnTheSecondaryChannel)
{
    IDEDevices devices;
    ASSERT_EQ(devices.Discover(), IDEDevices::Found) << devices.message();
    EXPECT_EQ(devices.Count, 2);
    EXPECT_EQ(devices.Kind[0], 0);
    EXPECT_EQ(devices.Position[0], 0);
    EXPECT_EQ(devices.Kind[1], IDEDevices::DriveCdrom);
    EXPECT_EQ(devices.Letter[1], 'D');
    EXPECT_EQ(devices.Position[1], 2);
    EXPECT_EQ(devices.message(), "");
}

TEST_F(EmulatedDiscovery, PlacesDrivesByChannelAndLocation)
{
    writeImage(R"({
      "ide": [
        {"channel": 0, "device": 0, "type": "disk", "instance": "IDE\\DiskEmu\\5&1&0&0.0.0"},
        {"channel": 0, "device": 1, "type": "cdrom", "instance": "IDE\\CdRomEmu\\5&1&0&0.1.0",
         "letter": "E", "disc": null},
        {"channel": 1, "device": 0, "type": "cdrom", "instance": "IDE\\CdRomEmu\\5&1&0&1.0.0",
         "letter": "F", "disc": null, "location": "2"}
      ],
      "other_cdroms": [{"instance": "USBSTOR\\CDROM&VEN_EMU\\7&2B&0", "letter": "G", "disc": null}]
    })");
    IDEDevices devices;
    ASSERT_EQ(devices.Discover(), IDEDevices::Found) << devices.message();
    EXPECT_EQ(devices.Count, 3);
    EXPECT_EQ(devices.Position[0], 0);
    // The drive rows name the instances in upper case; they still match.
    EXPECT_EQ(devices.Letter[1], 'E');
    EXPECT_EQ(devices.Position[1], 1);
    EXPECT_EQ(devices.Letter[2], 'F');
    EXPECT_EQ(devices.Position[2], 4);
    for (const char letter : devices.Letter)
        EXPECT_NE(letter, 'G');
}

TEST_F(EmulatedDiscovery, ReportsAMachineWithoutIdeDevicesOrDrives)
{
    writeImage(
        R"({"other_cdroms": [{"instance": "USBSTOR\\CDROM", "letter": "G", "disc": null}]})");
    IDEDevices none;
    EXPECT_EQ(none.Discover(), IDEDevices::NoIdeDevices);
    EXPECT_EQ(none.message(), "No IDE devices found.");

    writeImage(R"({"ide": [{"channel": 0, "device": 0, "type": "disk", "instance": "IDE\\D"}]})");
    IDEDevices disksOnly;
    EXPECT_EQ(disksOnly.Discover(), IDEDevices::NoCdromDrive);
    EXPECT_EQ(disksOnly.message(), "No Win32_CDROMDrive found.");
    EXPECT_EQ(disksOnly.Count, 1);
}

TEST_F(EmulatedDiscovery, TheDriveSearchRunsThePlatformsDiscoveryUnlessOneIsInstalled)
{
    DriveSearch::install(nullptr);
    DriveSearch search;
    for (int polls = 0; search.running() && polls < 10000; ++polls)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    ASSERT_FALSE(search.running());
    EXPECT_EQ(search.letters(), "D");
    const std::unique_ptr<IDEDevices> devices = search.takeDevices();
    ASSERT_NE(devices, nullptr);
    EXPECT_EQ(devices->Position[1], 2);
}
