// The emulated hardware as the discovery and the audio code see it: the WMI
// and registry answers, the MCI command strings and the mixer.

#include "emulator/emulated_notebook.h"
#include "tests/emulator/emulator_fixture.h"

namespace emulator::test {
namespace {

using nlohmann::json;

const std::string kPrimaryPorts =
    "ASSOCIATORS OF {Win32_PortResource.StartingAddress=496} WHERE AssocClass = "
    "Win32_AllocatedResource";
const std::string kSecondaryPorts =
    "ASSOCIATORS OF {Win32_PortResource.StartingAddress=368} WHERE AssocClass = "
    "Win32_AllocatedResource";
const std::string kCdroms = "SELECT DeviceID, Drive FROM Win32_CDROMDrive";

std::string controllerQuery(const std::string &escapedId)
{
    return "ASSOCIATORS OF {Win32_IDEController.DeviceID=\"" + escapedId +
           "\"} WHERE AssocClass = Win32_IDEControllerDevice";
}

json hardwareImage()
{
    return json::parse(R"({
      "format": 1,
      "firmware": {},
      "hardware": {
        "ide": [
          { "channel": 1, "device": 0, "type": "cdrom", "instance": "IDE\\CdRomEmu\\5&1&0&1.0.0",
            "letter": "E", "disc": { "tracks_ms": [185000, 201000, 97500] } },
          { "channel": 1, "device": 1, "type": "disk", "instance": "IDE\\DiskEmu\\5&1&0&1.1.0",
            "location": "x" }
        ],
        "other_cdroms": [ { "instance": "USBSTOR\\CDROM&VEN_EMU\\7&2B&0", "letter": "F", "disc": null } ],
        "mixer": { "present": true, "speakers": true, "volume": true, "level": 0 },
        "playback": null
      }
    })");
}

class HardwareFaceTest : public EmulatorTest
{
protected:
    void SetUp() override
    {
        EmulatorTest::SetUp();
        writeImage(hardwareImage());
    }

    uint32_t send(const std::string &command)
    {
        m_reply = "stale";
        return mciSendString(command, m_reply);
    }

    json playback() const { return readImage()["hardware"]["playback"]; }

    std::string m_reply;
};

std::vector<std::string> column(const std::vector<WmiRow> &rows, const std::string &property)
{
    std::vector<std::string> values;
    for (const WmiRow &row : rows) {
        for (const auto &[name, value] : row) {
            if (name == property)
                values.push_back(value);
        }
    }
    return values;
}

TEST_F(HardwareFaceTest, PortQueriesAnswerOnlyChannelsThatHoldDevices)
{
    std::vector<WmiRow> rows;
    ASSERT_TRUE(wmiQuery(kPrimaryPorts, rows));
    EXPECT_TRUE(rows.empty());
    ASSERT_TRUE(wmiQuery(kSecondaryPorts, rows));
    EXPECT_EQ(column(rows, "DeviceID"), std::vector<std::string>{"PCIIDE\\IDECHANNEL\\4&EMU&0&1"});
}

TEST_F(HardwareFaceTest, ControllerQueryNeedsDoubledBackslashesAndKeepsListOrder)
{
    std::vector<WmiRow> rows;
    ASSERT_TRUE(wmiQuery(controllerQuery("PCIIDE\\\\IDECHANNEL\\\\4&EMU&0&1"), rows));
    EXPECT_EQ(column(rows, "DeviceID"), (std::vector<std::string>{"IDE\\CdRomEmu\\5&1&0&1.0.0",
                                                                  "IDE\\DiskEmu\\5&1&0&1.1.0"}));
    ASSERT_TRUE(wmiQuery(controllerQuery("PCIIDE\\\\IDECHANNEL\\\\4&EMU&0&0"), rows));
    EXPECT_TRUE(rows.empty());
    EXPECT_FALSE(wmiQuery(controllerQuery("PCIIDE\\IDECHANNEL\\4&EMU&0&1"), rows));
    EXPECT_FALSE(wmiQuery("SELECT * FROM Win32_CDROMDrive", rows));
}

TEST_F(HardwareFaceTest, CdromQueryListsIdeAndOtherDrives)
{
    std::vector<WmiRow> rows;
    ASSERT_TRUE(wmiQuery(kCdroms, rows));
    EXPECT_EQ(
        column(rows, "DeviceID"),
        (std::vector<std::string>{"IDE\\CDROMEMU\\5&1&0&1.0.0", "USBSTOR\\CDROM&VEN_EMU\\7&2B&0"}));
    EXPECT_EQ(column(rows, "Drive"), (std::vector<std::string>{"E:", "F:"}));
}

TEST_F(HardwareFaceTest, RegistryLocationIsTheDeviceNumberOrItsOverride)
{
    std::string value;
    ASSERT_TRUE(registryLocation("ide\\cdromemu\\5&1&0&1.0.0", value));
    EXPECT_EQ(value, "0");
    ASSERT_TRUE(registryLocation("IDE\\DiskEmu\\5&1&0&1.1.0", value));
    EXPECT_EQ(value, "x");
    EXPECT_FALSE(registryLocation("IDE\\Nothing", value));
}

TEST_F(HardwareFaceTest, PlayerCommandsReadTheDiscAndRecordPlayback)
{
    EXPECT_EQ(send("status cd media present"), 263u) << "nothing open";
    ASSERT_EQ(send("open E:\\ type cdaudio alias cd"), 0u);
    EXPECT_EQ(send("open E:\\ type cdaudio alias cd"), 289u) << "alias taken";
    EXPECT_EQ(send("set cd time format  tmsf wait"), 0u);
    EXPECT_EQ(send("status cd media present"), 0u);
    EXPECT_EQ(m_reply, "true");
    EXPECT_EQ(send("status cd number of tracks wait"), 0u);
    EXPECT_EQ(m_reply, "3");
    EXPECT_EQ(send("status cd length track 3"), 0u);
    EXPECT_EQ(m_reply, "01:37:37");
    EXPECT_EQ(send("set cd time format  ms"), 0u);
    EXPECT_EQ(send("status cd length track 2"), 0u);
    EXPECT_EQ(m_reply, "201000");
    EXPECT_EQ(send("status cd length track 4"), 282u);
    EXPECT_EQ(m_reply, "");
    EXPECT_EQ(send("play cd from 1"), 284u) << "positions are tracks only in tmsf";
    EXPECT_EQ(send("set cd time format  tmsf wait"), 0u);

    EXPECT_EQ(send("play cd from 2"), 0u);
    EXPECT_EQ(playback(), json({{"letter", "E"}, {"from", 2}, {"to", 0}}));
    EXPECT_EQ(send("play cd from 1 To 3"), 0u);
    EXPECT_EQ(playback(), json({{"letter", "E"}, {"from", 1}, {"to", 3}}));
    EXPECT_EQ(send("play cd from 3 To 4"), 282u);
    EXPECT_EQ(send("play cd from 0"), 282u);
    EXPECT_EQ(send("play cd from x"), 270u);
    EXPECT_EQ(playback()["from"], 1) << "a refused play changes nothing";
    EXPECT_EQ(send("stop cd wait"), 0u);
    EXPECT_TRUE(playback().is_null());
    EXPECT_EQ(send("eject cd"), 261u);
    EXPECT_EQ(send("close cd"), 0u);
    EXPECT_EQ(send("stop cd wait"), 263u);
}

TEST_F(HardwareFaceTest, EmptyAndUnknownDrives)
{
    EXPECT_NE(send("open Z:\\ type cdaudio alias cd"), 0u);
    ASSERT_EQ(send("open F:\\ type cdaudio alias cd"), 0u);
    EXPECT_EQ(send("set cd time format  tmsf wait"), 0u);
    EXPECT_EQ(send("status cd media present"), 0u);
    EXPECT_EQ(m_reply, "false");
    EXPECT_EQ(send("status cd number of tracks wait"), 276u);
    EXPECT_EQ(send("play cd from 1"), 276u);
    EXPECT_TRUE(playback().is_null());
    for (uint32_t code : {261u, 263u, 270u, 276u, 282u, 289u})
        EXPECT_FALSE(mciErrorText(code).empty());
    EXPECT_NE(mciErrorText(276), mciErrorText(282));
}

TEST_F(HardwareFaceTest, MixerFlagsAndStoredLevel)
{
    EXPECT_TRUE(mixerOpen());
    EXPECT_TRUE(mixerHasSpeakers());
    EXPECT_TRUE(mixerHasVolumeControl());
    EXPECT_TRUE(mixerSetLevel(65535));
    EXPECT_EQ(readImage()["hardware"]["mixer"]["level"], 65535);
    EXPECT_FALSE(mixerSetLevel(65536)) << "beyond the control's range";
    EXPECT_EQ(readImage()["hardware"]["mixer"]["level"], 65535);

    for (const char *flag : {"speakers", "volume", "set", "present"}) {
        json image = readImage();
        image["hardware"]["mixer"][flag] = false;
        writeImage(image);
        EXPECT_EQ(mixerHasSpeakers(), image["hardware"]["mixer"]["speakers"] == true) << flag;
        EXPECT_EQ(mixerHasVolumeControl(), image["hardware"]["mixer"]["volume"] == true) << flag;
        const json &mixer = image["hardware"]["mixer"];
        EXPECT_EQ(mixerSetLevel(100), mixer.value("set", true) && mixer.value("present", true))
            << flag;
    }
    EXPECT_FALSE(mixerOpen());
    EXPECT_EQ(readImage()["hardware"]["mixer"]["level"], 100) << "stored before set was turned off";
}

} // namespace
} // namespace emulator::test
