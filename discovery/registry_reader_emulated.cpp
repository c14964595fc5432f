#include "discovery/registry_reader.h"

#include "emulator/emulated_notebook.h"

#include <string_view>

namespace {

// The emulated machine keeps one value per device: its LocationInformation
// under the device's key in the enumeration tree.
constexpr std::string_view EnumKey = "SYSTEM\\CurrentControlSet\\Enum\\";

class EmulatedRegistryReader final : public RegistryReader
{
public:
    std::optional<std::string> readLocalMachineString(const std::string &subKey,
                                                      const std::string &valueName) override
    {
        if (valueName != "LocationInformation" || !subKey.starts_with(EnumKey))
            return std::nullopt;
        std::string value;
        if (!emulator::registryLocation(subKey.substr(EnumKey.size()), value))
            return std::nullopt;
        return value;
    }
};

} // namespace

std::unique_ptr<RegistryReader> RegistryReader::create()
{
    return std::make_unique<EmulatedRegistryReader>();
}
