#include "audio/set_mixer_volume.h"

#include <algorithm>

namespace {

constexpr uint32_t MaxLevel = 0xFFFF;

void show(const MessageBoxCallback &box, const char *text)
{
    if (box)
        box({text, std::nullopt, MessageBoxRequest::Icon::None});
}

} // namespace

bool SetMixerVolume(uint32_t level, MixerDevice &mixer, const MessageBoxCallback &box)
{
    level = std::min(level, MaxLevel);
    if (!mixer.open())
        return false;
    // Past the open, every failure is the mixer's own to report; the caller
    // goes on at the volume that was set before.
    uint32_t lineId = 0;
    uint32_t controlId = 0;
    if (!mixer.speakersLine(lineId))
        show(box, "mixerGetLineInfo() failed");
    else if (!mixer.volumeControl(lineId, controlId))
        show(box, "mixerGetLineControls() failed");
    else if (!mixer.setLevel(controlId, level))
        show(box, "mixerSetControlDetails() failed");
    mixer.close();
    return true;
}
