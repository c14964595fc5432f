#include "emulator/request_log.h"

#include "emulator/image_path.h"

#include <filesystem>
#include <fstream>

namespace emulator {
namespace {

void appendHex(std::string &text, const uint8_t *bytes, size_t size)
{
    static const char digits[] = "0123456789abcdef";
    for (size_t i = 0; i < size; ++i) {
        text.push_back(digits[bytes[i] >> 4]);
        text.push_back(digits[bytes[i] & 0x0F]);
    }
}

} // namespace

std::string RequestLog::line(uint32_t controlCode, const uint8_t *input, uint32_t inputSize,
                             const std::vector<uint8_t> &nativeBlock)
{
    std::string text;
    const uint8_t code[4] = {uint8_t(controlCode >> 24), uint8_t(controlCode >> 16),
                             uint8_t(controlCode >> 8), uint8_t(controlCode)};
    appendHex(text, code, sizeof code);
    text.push_back(' ');
    if (input)
        appendHex(text, input, inputSize);
    if (!nativeBlock.empty()) {
        text.push_back(' ');
        appendHex(text, nativeBlock.data(), nativeBlock.size());
    }
    return text;
}

void RequestLog::append(const std::string &line)
{
    const std::string path = requestLogPath();
    if (path.empty())
        return;
    // One write per line, in append mode, so that lines of processes sharing
    // the log do not interleave.
    std::ofstream log(std::filesystem::path(path), std::ios::binary | std::ios::app);
    const std::string text = line + "\n";
    log.write(text.data(), static_cast<std::streamsize>(text.size()));
    log.flush();
}

} // namespace emulator
