#pragma once

#include "audio/mixer_device.h"

#include <string>
#include <vector>

// A mixer stand-in whose every step can be made to fail; it records the
// calls it sees with their arguments.
class ScriptedMixerDevice : public MixerDevice
{
public:
    bool open() override
    {
        calls.push_back("open");
        return opens;
    }
    bool speakersLine(uint32_t &lineId) override
    {
        calls.push_back("line");
        lineId = 7;
        return hasSpeakers;
    }
    bool volumeControl(uint32_t lineId, uint32_t &controlId) override
    {
        calls.push_back("controls " + std::to_string(lineId));
        controlId = 11;
        return hasVolume;
    }
    bool setLevel(uint32_t controlId, uint32_t level) override
    {
        calls.push_back("set " + std::to_string(controlId) + " " + std::to_string(level));
        return sets;
    }
    void close() override { calls.push_back("close"); }

    bool opens = true;
    bool hasSpeakers = true;
    bool hasVolume = true;
    bool sets = true;
    std::vector<std::string> calls;
};
