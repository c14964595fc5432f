#pragma once

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <optional>
#include <string>

// The registry reader's one read, under any root key: the string value
// `valueName` of the key `root`\`subKey`, opened for reading only. Nothing
// when the key or the value is missing, when the value is not a string, or
// when it does not fit the reader's buffer of ValueCapacity bytes (the
// terminating zero counted when it is stored). The discovery reads only
// HKEY_LOCAL_MACHINE; other roots are for tests, which may not write there.
namespace registrystring {

constexpr DWORD ValueCapacity = 256;

std::optional<std::string> read(HKEY root, const std::string &subKey, const std::string &valueName);

} // namespace registrystring
