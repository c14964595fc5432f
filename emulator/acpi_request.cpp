#include "emulator/acpi_request.h"

#include <algorithm>
#include <cstring>

namespace emulator {
namespace {

constexpr uint32_t kHeaderSize = 16;
constexpr uint32_t kNativeSize = 20;
constexpr uint16_t kIntegerType = 0;
constexpr uint16_t kBufferType = 2;

uint32_t word(const uint8_t *bytes)
{
    return uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 |
           uint32_t(bytes[3]) << 24;
}

uint16_t halfWord(const uint8_t *bytes)
{
    return static_cast<uint16_t>(bytes[0] | bytes[1] << 8);
}

// The size an argument block of `length` data bytes is declared with.
uint32_t blockSizeFor(uint32_t length)
{
    return length <= 4 ? 8 : length + 4;
}

// Reads the argument block a native request points at, never more than the
// `blockSize` bytes the request declares: the block's own length is only
// checked against that size afterwards, and trusting it first would read
// past the caller's block. Only a 32-bit process can be handed such an
// address; a 64-bit process cannot tell it from garbage, so there the native
// layout counts as malformed.
bool readNativeBlock(uint32_t address, uint32_t blockSize, std::vector<uint8_t> &block)
{
    if constexpr (sizeof(void *) != 4) {
        return false;
    } else {
        if (address == 0 || blockSize < 4)
            return false;
        const auto *start = reinterpret_cast<const uint8_t *>(static_cast<uintptr_t>(address));
        block.assign(start, start + 4);
        const uint32_t data = std::min<uint32_t>(blockSize - 4, halfWord(start + 2));
        block.insert(block.end(), start + 4, start + 4 + data);
        return true;
    }
}

// Checks an argument block (type, length, data) against the request header
// and takes its argument.
bool takeArgument(uint32_t kind, uint32_t blockSize, const uint8_t *block, uint32_t available,
                  AcpiRequest &request)
{
    if (available < 4)
        return false;
    const uint16_t type = halfWord(block);
    const uint16_t length = halfWord(block + 2);
    if (length > available - 4 || blockSize != blockSizeFor(length))
        return false;
    if (kind == 2) {
        if (type != kIntegerType || length != 4)
            return false;
        request.argument = AcpiRequest::Argument::Integer;
        request.integer = word(block + 4);
        return true;
    }
    if (type != kBufferType)
        return false;
    request.argument = AcpiRequest::Argument::Buffer;
    request.buffer.assign(block + 4, block + 4 + length);
    return true;
}

bool parseArgument(uint32_t kind, const uint8_t *bytes, uint32_t size, AcpiRequest &request,
                   std::vector<uint8_t> &nativeBlock)
{
    const uint32_t count = word(bytes + 8);
    const uint32_t blockSize = word(bytes + 12);
    if (count != 1)
        return false;
    if (size == kNativeSize) {
        if (!readNativeBlock(word(bytes + 16), blockSize, nativeBlock))
            return false;
        return takeArgument(kind, blockSize, nativeBlock.data(),
                            static_cast<uint32_t>(nativeBlock.size()), request);
    }
    if (size != kHeaderSize + blockSize)
        return false;
    return takeArgument(kind, blockSize, bytes + kHeaderSize, blockSize, request);
}

} // namespace

std::optional<AcpiRequest> AcpiRequest::parse(const uint8_t *bytes, uint32_t size,
                                              std::vector<uint8_t> &nativeBlock)
{
    if (bytes == nullptr || size < kNativeSize)
        return std::nullopt;
    AcpiRequest request;
    request.method.assign(reinterpret_cast<const char *>(bytes + 4), 4);
    const uint32_t kind = word(bytes);
    if (kind == 1) {
        const bool empty = size == kNativeSize && word(bytes + 8) == 0 && word(bytes + 12) == 0 &&
                           word(bytes + 16) == 0;
        return empty ? std::optional<AcpiRequest>(request) : std::nullopt;
    }
    if ((kind == 2 || kind == 4) && parseArgument(kind, bytes, size, request, nativeBlock))
        return request;
    return std::nullopt;
}

} // namespace emulator
