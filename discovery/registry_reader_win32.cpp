#include "discovery/registry_reader.h"
#include "discovery/registry_string_win32.h"

#include <array>

namespace registrystring {

std::optional<std::string> read(HKEY root, const std::string &subKey, const std::string &valueName)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, subKey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return std::nullopt;
    // Longer values are no device number; the buffer bounds what is read.
    std::array<char, ValueCapacity + 1> buffer{};
    DWORD type = 0;
    DWORD size = ValueCapacity;
    const LONG status = RegQueryValueExA(key, valueName.c_str(), nullptr, &type,
                                         reinterpret_cast<BYTE *>(buffer.data()), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
        return std::nullopt;
    // A stored string need not carry its terminating zero.
    return RegistryReader::storedText({buffer.data(), size > ValueCapacity ? ValueCapacity : size});
}

} // namespace registrystring

namespace {

class Win32RegistryReader final : public RegistryReader
{
public:
    std::optional<std::string> readLocalMachineString(const std::string &subKey,
                                                      const std::string &valueName) override
    {
        return registrystring::read(HKEY_LOCAL_MACHINE, subKey, valueName);
    }
};

} // namespace

std::unique_ptr<RegistryReader> RegistryReader::create()
{
    return std::make_unique<Win32RegistryReader>();
}
