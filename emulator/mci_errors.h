#pragma once

#include <cstdint>
#include <string>

namespace emulator {

// The Windows MCI error codes the emulated CD audio device answers with.
namespace mci {
constexpr uint32_t kBase = 256;
constexpr uint32_t kUnrecognizedKeyword = kBase + 3;
constexpr uint32_t kUnrecognizedCommand = kBase + 5;
constexpr uint32_t kHardware = kBase + 6;
constexpr uint32_t kInvalidDeviceName = kBase + 7;
constexpr uint32_t kMissingCommandString = kBase + 11;
constexpr uint32_t kBadInteger = kBase + 14;
constexpr uint32_t kMissingParameter = kBase + 17;
constexpr uint32_t kDeviceNotReady = kBase + 20;
constexpr uint32_t kOutOfRange = kBase + 26;
constexpr uint32_t kFlagsNotCompatible = kBase + 28;
constexpr uint32_t kDuplicateAlias = kBase + 33;
constexpr uint32_t kBadTimeFormat = kBase + 37;

// A short English text for an error code.
std::string errorText(uint32_t error);
} // namespace mci

} // namespace emulator
