#include "discovery/registry_reader.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <array>

namespace {

// Longer values are no device number; the buffer bounds what is read.
constexpr DWORD ValueCapacity = 256;

class Win32RegistryReader final : public RegistryReader
{
public:
    std::optional<std::string> readLocalMachineString(const std::string &subKey,
                                                      const std::string &valueName) override
    {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, subKey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return std::nullopt;
        std::array<char, ValueCapacity + 1> buffer{};
        DWORD type = 0;
        DWORD size = ValueCapacity;
        const LONG status = RegQueryValueExA(key, valueName.c_str(), nullptr, &type,
                                             reinterpret_cast<BYTE *>(buffer.data()), &size);
        RegCloseKey(key);
        if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
            return std::nullopt;
        return storedText({buffer.data(), size > ValueCapacity ? ValueCapacity : size});
    }
};

} // namespace

std::unique_ptr<RegistryReader> RegistryReader::create()
{
    return std::make_unique<Win32RegistryReader>();
}
