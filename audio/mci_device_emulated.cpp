#include "audio/mci_device.h"

#include "emulator/emulated_notebook.h"

namespace {

class EmulatedMciDevice final : public MciDevice
{
public:
    uint32_t sendString(const std::string &command, std::string &reply) override
    {
        return emulator::mciSendString(command, reply);
    }

    std::string errorText(uint32_t error) override { return emulator::mciErrorText(error); }
};

} // namespace

std::unique_ptr<MciDevice> MciDevice::create()
{
    return std::make_unique<EmulatedMciDevice>();
}
