#pragma once

#include <array>
#include <cstdint>

// The two layouts in which the driver takes a method's argument. The native
// layout carries the 32-bit address of a separate argument block; the
// 64-bit-host layout carries the block inside the request.
enum class RequestLayout
{
    Native,
    Host64
};

// One request to evaluate a named firmware method, built in place. In the
// native layout the request points at the argument block kept inside this
// object, so a request is neither copied nor moved.
class AcpiRequest
{
public:
    static constexpr uint32_t MaxArgumentData = 96;

    enum Kind : uint32_t
    {
        NoArgument = 1,
        IntegerArgument = 2,
        BufferArgument = 4
    };

    AcpiRequest() = default;
    AcpiRequest(const AcpiRequest &) = delete;
    AcpiRequest &operator=(const AcpiRequest &) = delete;

    // A method name is its four characters read as one little-endian word.
    static uint32_t methodWord(const char *name);

    void buildNoArgument(const char *name);
    void buildInteger(const char *name, uint32_t value, RequestLayout layout);
    // Refuses argument data longer than MaxArgumentData bytes.
    bool buildBuffer(const char *name, const void *data, uint32_t length, RequestLayout layout);

    const uint8_t *data() const { return m_request.data(); }
    uint32_t size() const { return m_size; }
    // The native layout's argument block, which the request's address names.
    const uint8_t *argumentBlock() const { return m_block.data(); }
    uint32_t argumentBlockSize() const { return m_blockSize; }

private:
    static constexpr uint32_t HeaderSize = 16;
    static constexpr uint32_t BlockHeaderSize = 4;

    void writeHeader(Kind kind, const char *name, uint32_t argumentCount, uint32_t blockSize);
    void placeBlock(RequestLayout layout);

    alignas(8) std::array<uint8_t, HeaderSize + BlockHeaderSize + MaxArgumentData> m_request{};
    alignas(8) std::array<uint8_t, BlockHeaderSize + MaxArgumentData> m_block{};
    uint32_t m_size = 0;
    uint32_t m_blockSize = 0;
};
