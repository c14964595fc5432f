#include "audio/set_mixer_volume.h"
#include "tests/audio/scripted_mixer_device.h"

#include <gtest/gtest.h>

namespace {

struct Boxes
{
    MessageBoxCallback callback()
    {
        return [this](const MessageBoxRequest &box) { shown.push_back(box); };
    }
    std::vector<MessageBoxRequest> shown;
};

} // namespace

TEST(SetMixerVolume, SetsTheClampedLevelOnTheSpeakersVolume)
{
    const std::pair<uint32_t, const char *> cases[] = {
        {0, "set 11 0"},         {8 * 4096, "set 11 32768"},   {65535, "set 11 65535"},
        {70000, "set 11 65535"}, {0xFFFFFFFF, "set 11 65535"},
    };
    for (const auto &[level, set] : cases) {
        ScriptedMixerDevice mixer;
        Boxes boxes;
        EXPECT_TRUE(SetMixerVolume(level, mixer, boxes.callback()));
        const std::vector<std::string> expected = {"open", "line", "controls 7", set, "close"};
        EXPECT_EQ(mixer.calls, expected);
        EXPECT_TRUE(boxes.shown.empty());
    }
}

TEST(SetMixerVolume, FailsSilentlyWithoutAMixer)
{
    ScriptedMixerDevice mixer;
    mixer.opens = false;
    Boxes boxes;
    EXPECT_FALSE(SetMixerVolume(100, mixer, boxes.callback()));
    EXPECT_EQ(mixer.calls, std::vector<std::string>{"open"});
    EXPECT_TRUE(boxes.shown.empty());
}

TEST(SetMixerVolume, ShowsEachLaterFailureInAPlainBoxAndStillSucceeds)
{
    struct Case
    {
        bool ScriptedMixerDevice::*step;
        const char *text;
        size_t calls;
    };
    const Case cases[] = {
        {&ScriptedMixerDevice::hasSpeakers, "mixerGetLineInfo() failed", 3},
        {&ScriptedMixerDevice::hasVolume, "mixerGetLineControls() failed", 4},
        {&ScriptedMixerDevice::sets, "mixerSetControlDetails() failed", 5},
    };
    for (const auto &c : cases) {
        ScriptedMixerDevice mixer;
        mixer.*c.step = false;
        Boxes boxes;
        EXPECT_TRUE(SetMixerVolume(100, mixer, boxes.callback()));
        ASSERT_EQ(boxes.shown.size(), 1u) << c.text;
        EXPECT_EQ(boxes.shown[0].text, c.text);
        // The application's title as caption, no icon.
        EXPECT_FALSE(boxes.shown[0].caption.has_value());
        EXPECT_EQ(boxes.shown[0].icon, MessageBoxRequest::Icon::None);
        EXPECT_EQ(mixer.calls.size(), c.calls) << c.text;
        EXPECT_EQ(mixer.calls.back(), "close") << c.text;
    }
    // Without a box to show it in, the failure is still survived.
    ScriptedMixerDevice mixer;
    mixer.hasSpeakers = false;
    EXPECT_TRUE(SetMixerVolume(100, mixer, MessageBoxCallback()));
}
