#include "audio/audio_cd_info.h"
#include "audio/set_mixer_volume.h"

#include <nlohmann/json.hpp>

#include "tests/support/temporary_machine_image.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

// Every test runs on a machine image of its own in a fresh folder; without
// a file there the emulated notebook creates its default machine.
class EmulatedAudio : public ::testing::Test
{
protected:
    nlohmann::json image() const
    {
        std::ifstream file(m_image);
        return nlohmann::json::parse(file);
    }

    void writeMixer(const std::string &mixer)
    {
        std::ofstream(m_image) << R"({"format": 1, "firmware": {}, "hardware": {"mixer": )" << mixer
                               << "}}";
    }

    std::vector<MessageBoxRequest> m_boxes;
    MessageBoxCallback boxes()
    {
        return [this](const MessageBoxRequest &box) { m_boxes.push_back(box); };
    }

    testsupport::TemporaryMachineImage m_machine{"vesperin-audio"};
    const std::filesystem::path m_image = m_machine.path();
};

} // namespace

TEST_F(EmulatedAudio, ReadsTheTwelveTracksOfTheDefaultDisc)
{
    AudioCDInfo player("D", 1);
    EXPECT_TRUE(player.IsMediaPresent());
    player.ReadTrackList();
    EXPECT_EQ(player.TrackCount, 12);
    ASSERT_EQ(player.TrackLengths.size(), 12u);
    for (const uint32_t length : player.TrackLengths) {
        EXPECT_GT(length, 0u);
        EXPECT_NE(FormatTrackLength(length), "0");
    }
    player.CloseDevice();
}

TEST_F(EmulatedAudio, RecordsPlaybackInTheImage)
{
    AudioCDInfo player("D", 1);
    player.setErrorBox(boxes());
    ASSERT_TRUE(player.PlayTracks(3, 4));
    const auto playing = image()["hardware"]["playback"];
    EXPECT_EQ(playing, (nlohmann::json{{"letter", "D"}, {"from", 3}, {"to", 4}}));

    ASSERT_TRUE(player.PlayTracks(2, 0));
    EXPECT_EQ(image()["hardware"]["playback"]["to"], 0);

    player.StopPlaying();
    EXPECT_TRUE(image()["hardware"]["playback"].is_null());
    EXPECT_TRUE(m_boxes.empty());
    player.CloseDevice();
}

TEST_F(EmulatedAudio, ShowsTheRefusalOfATrackPastTheDisc)
{
    AudioCDInfo player("D", 1);
    player.setErrorBox(boxes());
    EXPECT_FALSE(player.PlayTracks(40, 0));
    ASSERT_EQ(m_boxes.size(), 1u);
    EXPECT_FALSE(m_boxes[0].text.empty());
    EXPECT_EQ(m_boxes[0].icon, MessageBoxRequest::Icon::Error);
    EXPECT_TRUE(image()["hardware"]["playback"].is_null());
    player.CloseDevice();
}

TEST_F(EmulatedAudio, ADriveThatIsNotThereHasNoDisc)
{
    AudioCDInfo player("Q", 1);
    player.setErrorBox(boxes());
    EXPECT_FALSE(player.IsMediaPresent());
    player.ReadTrackList();
    EXPECT_EQ(player.TrackCount, 0);
    EXPECT_FALSE(player.PlayTracks(1, 0));
    EXPECT_TRUE(m_boxes.empty());
    player.CloseDevice();
}

TEST_F(EmulatedAudio, SetsTheMixerLevel)
{
    EXPECT_TRUE(SetMixerVolume(70000, boxes()));
    EXPECT_EQ(image()["hardware"]["mixer"]["level"], 65535);
    EXPECT_TRUE(SetMixerVolume(8 * 4096, boxes()));
    EXPECT_EQ(image()["hardware"]["mixer"]["level"], 32768);
    EXPECT_TRUE(m_boxes.empty());
}

TEST_F(EmulatedAudio, ReportsMixerFailures)
{
    writeMixer(R"({"present": false})");
    EXPECT_FALSE(SetMixerVolume(100, boxes()));
    EXPECT_TRUE(m_boxes.empty());

    writeMixer(R"({"present": true, "speakers": false})");
    EXPECT_TRUE(SetMixerVolume(100, boxes()));
    writeMixer(R"({"present": true, "volume": false})");
    EXPECT_TRUE(SetMixerVolume(100, boxes()));
    writeMixer(R"({"present": true, "set": false, "level": 5})");
    EXPECT_TRUE(SetMixerVolume(100, boxes()));
    EXPECT_EQ(image()["hardware"]["mixer"]["level"], 5);

    ASSERT_EQ(m_boxes.size(), 3u);
    EXPECT_EQ(m_boxes[0].text, "mixerGetLineInfo() failed");
    EXPECT_EQ(m_boxes[1].text, "mixerGetLineControls() failed");
    EXPECT_EQ(m_boxes[2].text, "mixerSetControlDetails() failed");
}
