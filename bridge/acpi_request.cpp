#include "bridge/acpi_request.h"

#include "bridge/byte_order.h"

#include <cstring>

namespace {

// The argument types the driver knows.
constexpr uint16_t IntegerType = 0;
constexpr uint16_t BufferType = 2;

// An argument block is 8 bytes for up to 4 data bytes, else the data plus
// its 4-byte header, as the driver steps over elements.
uint32_t blockSizeFor(uint32_t length)
{
    return length <= 4 ? 8 : length + 4;
}

} // namespace

uint32_t AcpiRequest::methodWord(const char *name)
{
    return getWord32(reinterpret_cast<const uint8_t *>(name));
}

void AcpiRequest::writeHeader(Kind kind, const char *name, uint32_t argumentCount,
                              uint32_t blockSize)
{
    m_request.fill(0);
    putWord32(&m_request[0], kind);
    putWord32(&m_request[4], methodWord(name));
    putWord32(&m_request[8], argumentCount);
    putWord32(&m_request[12], blockSize);
}

void AcpiRequest::buildNoArgument(const char *name)
{
    writeHeader(NoArgument, name, 0, 0);
    m_blockSize = 0;
    m_size = 20;
}

void AcpiRequest::buildInteger(const char *name, uint32_t value, RequestLayout layout)
{
    writeHeader(IntegerArgument, name, 1, 8);
    m_block.fill(0);
    putWord16(&m_block[0], IntegerType);
    putWord16(&m_block[2], 4);
    putWord32(&m_block[4], value);
    m_blockSize = 8;
    placeBlock(layout);
}

bool AcpiRequest::buildBuffer(const char *name, const void *data, uint32_t length,
                              RequestLayout layout)
{
    if (length > MaxArgumentData)
        return false;
    const uint32_t blockSize = blockSizeFor(length);
    writeHeader(BufferArgument, name, 1, blockSize);
    m_block.fill(0);
    putWord16(&m_block[0], BufferType);
    putWord16(&m_block[2], static_cast<uint16_t>(length));
    if (length > 0)
        std::memcpy(&m_block[BlockHeaderSize], data, length);
    m_blockSize = blockSize;
    placeBlock(layout);
    return true;
}

// The 64-bit-host layout copies the block (zero-filled to its size) behind
// the header; the native layout names the block by its address.
void AcpiRequest::placeBlock(RequestLayout layout)
{
    if (layout == RequestLayout::Host64) {
        std::memcpy(&m_request[HeaderSize], m_block.data(), m_blockSize);
        m_size = HeaderSize + m_blockSize;
        return;
    }
    // Only a 32-bit process sends this layout, so the address fits its word.
    putWord32(&m_request[16], static_cast<uint32_t>(reinterpret_cast<uintptr_t>(m_block.data())));
    m_size = 20;
}
