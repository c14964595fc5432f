#pragma once

#include <cstdint>
#include <memory>
#include <string>

// The media control interface's command strings.
class MciDevice
{
public:
    virtual ~MciDevice() = default;

    // Sends one command string without a callback window; answers the MCI
    // error code (0 for success) and the reply text.
    virtual uint32_t sendString(const std::string &command, std::string &reply) = 0;

    // The system's text for an MCI error code; empty when it has none.
    virtual std::string errorText(uint32_t error) = 0;

    // The platform's MCI: winmm on Windows, the emulated notebook elsewhere.
    static std::unique_ptr<MciDevice> create();
};
