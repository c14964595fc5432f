// The CD player over the system's real MCI and the volume over the real
// winmm mixer, on a Windows without a CD drive or a sound device (Wine's
// machine here: no drive D:, no audio card).

#include "audio/audio_cd_info.h"
#include "audio/mci_device.h"
#include "audio/mixer_device.h"
#include "audio/set_mixer_volume.h"

#include "tests/support/test_platform.h"

#include <gtest/gtest.h>

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <mmsystem.h>

#include <string>
#include <vector>

namespace {

TEST(MciWithoutDrive, RawCommandsFailWithTheSystemsCodesAndTexts)
{
    if (testsupport::machineHasCdromDrive())
        GTEST_SKIP() << "this machine has a CD-ROM drive";
    const auto mci = MciDevice::create();
    std::string reply = "untouched";
    const uint32_t open = mci->sendString("open D:\\ type cdaudio alias cd", reply);
    EXPECT_NE(open, 0u);
    EXPECT_EQ(reply, "");
    // Wine refuses the open with MCIERR_INVALID_FILE. Windows' code depends
    // on what D: is there (no drive, a disk, a network share), so any
    // failure will do.
    if (testsupport::runsUnderWine()) {
        EXPECT_EQ(open, static_cast<uint32_t>(MCIERR_INVALID_FILE));
    }

    // Wine takes an alias that nobody opened for a file name to open on the
    // fly and answers MCIERR_EXTENSION_NOT_FOUND (281); Windows answers
    // MCIERR_INVALID_DEVICE_NAME (263). Either way the status fails and
    // says no text, which the player reads as no disc.
    const uint32_t status = mci->sendString("status cd media present", reply);
    EXPECT_EQ(status,
              static_cast<uint32_t>(testsupport::runsUnderWine() ? MCIERR_EXTENSION_NOT_FOUND
                                                                 : MCIERR_INVALID_DEVICE_NAME));
    EXPECT_EQ(reply, "");
    EXPECT_EQ(mci->sendString("close cd", reply),
              static_cast<uint32_t>(MCIERR_INVALID_DEVICE_NAME));

    for (uint32_t code : {open, status})
        EXPECT_FALSE(mci->errorText(code).empty()) << code;
    // Wine's text is Windows' English one; other languages have their own.
    if (testsupport::runsUnderWine() || PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_ENGLISH) {
        EXPECT_EQ(mci->errorText(MCIERR_INVALID_DEVICE_NAME),
                  "The specified device is not open or is not recognized by MCI.");
    }
}

TEST(MciWithoutDrive, PlayerSeesNoDiscAndSaysNothing)
{
    if (testsupport::machineHasCdromDrive())
        GTEST_SKIP() << "this machine has a CD-ROM drive";
    std::vector<MessageBoxRequest> boxes;
    AudioCDInfo player("D", 1);
    player.setErrorBox([&](const MessageBoxRequest &box) { boxes.push_back(box); });
    EXPECT_FALSE(player.IsMediaPresent());
    player.ReadTrackList();
    EXPECT_EQ(player.TrackCount, 0);
    EXPECT_TRUE(player.TrackLengths.empty());
    EXPECT_FALSE(player.PlayTracks(1, 0));
    EXPECT_FALSE(player.PlayTracks(3, 4));
    player.StopPlaying();
    player.CloseDevice();
    EXPECT_TRUE(boxes.empty());

    // A player on no drive at all behaves alike.
    AudioCDInfo none("", 0);
    none.setErrorBox([&](const MessageBoxRequest &box) { boxes.push_back(box); });
    EXPECT_FALSE(none.PlayTracks(1, 2));
    none.CloseDevice();
    EXPECT_TRUE(boxes.empty());
}

TEST(MixerWithoutSoundDevice, VolumeFailsQuietly)
{
    // A real mixer would get its volume changed by the test.
    if (mixerGetNumDevs() != 0)
        GTEST_SKIP() << "this machine has a mixer device";
    const auto mixer = MixerDevice::create();
    EXPECT_FALSE(mixer->open());

    int boxes = 0;
    for (uint32_t level : {0u, 32768u, 70000u})
        EXPECT_FALSE(SetMixerVolume(level, [&](const MessageBoxRequest &) { ++boxes; })) << level;
    EXPECT_EQ(boxes, 0);
}

} // namespace
