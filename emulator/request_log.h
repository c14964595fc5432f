#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace emulator {

// The log of device control requests that VESPERIN_EMULATOR_LOG turns on:
// one line per request, whatever its outcome.
class RequestLog
{
public:
    // The line of one request: the control code as 8 lower-case hex digits,
    // a blank and the input bytes in lower-case hex; for a native-layout
    // request one more blank and the argument block's bytes.
    static std::string line(uint32_t controlCode, const uint8_t *input, uint32_t inputSize,
                            const std::vector<uint8_t> &nativeBlock);

    // Appends the line to the log file, when the log is on.
    static void append(const std::string &line);
};

} // namespace emulator
