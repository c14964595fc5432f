#include "bridge/result_walker.h"

#include "bridge/byte_order.h"

#include <algorithm>
#include <cstring>

ResultWalker::ResultWalker(const uint8_t *data, uint32_t returned)
    : m_data(data), m_returned(returned)
{
}

bool ResultWalker::count(uint32_t &value) const
{
    return word(8, value);
}

bool ResultWalker::word(uint32_t offset, uint32_t &value) const
{
    if (uint64_t(offset) + 4 > m_returned)
        return false;
    value = getWord32(m_data + offset);
    return true;
}

uint16_t ResultWalker::dataLength() const
{
    return getWord16(m_data + m_offset + 2);
}

bool ResultWalker::present() const
{
    if (m_offset + 4 > m_returned)
        return false;
    return m_offset + elementSize(dataLength()) <= m_returned;
}

bool ResultWalker::next()
{
    if (!present())
        return false;
    m_offset += elementSize(dataLength());
    return true;
}

bool ResultWalker::skip(uint32_t steps)
{
    for (uint32_t i = 0; i < steps; ++i) {
        if (!next())
            return false;
    }
    return true;
}

bool ResultWalker::integer(uint32_t &value) const
{
    if (!present())
        return false;
    value = getWord32(m_data + m_offset + 4);
    return true;
}

bool ResultWalker::text(char *dest, size_t destSize) const
{
    if (!present() || destSize == 0)
        return false;
    const char *start = reinterpret_cast<const char *>(m_data + m_offset + 4);
    const size_t limit = dataLength();
    const void *nul = std::memchr(start, '\0', limit);
    const size_t length = nul ? static_cast<size_t>(static_cast<const char *>(nul) - start) : limit;
    const size_t kept = std::min(length, destSize - 1);
    std::memcpy(dest, start, kept);
    std::memset(dest + kept, 0, destSize - kept);
    return true;
}
