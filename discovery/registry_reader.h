#pragma once

#include <memory>
#include <optional>
#include <span>
#include <string>

// Read-only access to the machine's registry.
class RegistryReader
{
public:
    virtual ~RegistryReader() = default;

    // The string value `valueName` of the key HKEY_LOCAL_MACHINE\`subKey`,
    // opened for reading only. Nothing when the key or the value is missing,
    // when the value is not a string, or when it is too long to be one that
    // the discovery reads.
    virtual std::optional<std::string> readLocalMachineString(const std::string &subKey,
                                                              const std::string &valueName) = 0;

    // The text of a string value from the bytes the registry stored for it:
    // up to its first zero, or all of them, as a stored string need not
    // carry its terminating zero.
    static std::string storedText(std::span<const char> stored);

    // The platform's registry: the real one on Windows, the emulated
    // notebook's elsewhere.
    static std::unique_ptr<RegistryReader> create();
};
