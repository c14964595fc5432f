#pragma once

#include "audio/message_box_request.h"
#include "audio/mixer_device.h"

#include <cstdint>

// Sets the volume control of the speakers line of the first mixer to `level`
// (at most 65535). A failure after the mixer opened is shown in a plain box
// and still answers true; only a mixer that cannot be opened answers false.
bool SetMixerVolume(uint32_t level, MixerDevice &mixer, const MessageBoxCallback &box);

inline bool SetMixerVolume(uint32_t level, const MessageBoxCallback &box)
{
    const auto mixer = MixerDevice::create();
    return SetMixerVolume(level, *mixer, box);
}
