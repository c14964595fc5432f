#include "audio/mci_device.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <mmsystem.h>

#include <array>

namespace {

constexpr UINT TextCapacity = 256;

// The text of a zero-terminated buffer, never past its end.
std::string bufferText(const std::array<char, TextCapacity> &buffer)
{
    size_t length = 0;
    while (length < buffer.size() && buffer[length] != '\0')
        ++length;
    return std::string(buffer.data(), length);
}

class Win32MciDevice final : public MciDevice
{
public:
    uint32_t sendString(const std::string &command, std::string &reply) override
    {
        std::array<char, TextCapacity> buffer{};
        const MCIERROR error =
            mciSendStringA(command.c_str(), buffer.data(), TextCapacity, nullptr);
        reply = bufferText(buffer);
        return static_cast<uint32_t>(error);
    }

    std::string errorText(uint32_t error) override
    {
        std::array<char, TextCapacity> buffer{};
        if (!mciGetErrorStringA(error, buffer.data(), TextCapacity))
            return {};
        return bufferText(buffer);
    }
};

} // namespace

std::unique_ptr<MciDevice> MciDevice::create()
{
    return std::make_unique<Win32MciDevice>();
}
