#pragma once

#include <cstdint>
#include <memory>

// The first audio mixer device, one call per mixer call that setting the
// playback volume makes.
class MixerDevice
{
public:
    virtual ~MixerDevice() = default;

    // Opens mixer device 0 by its index.
    virtual bool open() = 0;
    // The identifier of the speakers destination line.
    virtual bool speakersLine(uint32_t &lineId) = 0;
    // The identifier of the line's one volume control.
    virtual bool volumeControl(uint32_t lineId, uint32_t &controlId) = 0;
    // Sets every channel of the control to `level`.
    virtual bool setLevel(uint32_t controlId, uint32_t level) = 0;
    virtual void close() = 0;

    // The platform's mixer: winmm on Windows, the emulated notebook elsewhere.
    static std::unique_ptr<MixerDevice> create();
};
