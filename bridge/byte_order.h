#pragma once

#include <cstdint>

// The driver's records are little-endian whatever the host is; these read
// and write them byte by byte.
inline void putWord16(uint8_t *at, uint16_t value)
{
    at[0] = static_cast<uint8_t>(value);
    at[1] = static_cast<uint8_t>(value >> 8);
}

inline void putWord32(uint8_t *at, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        at[i] = static_cast<uint8_t>(value >> (8 * i));
}

inline uint16_t getWord16(const uint8_t *at)
{
    return static_cast<uint16_t>(at[0] | (at[1] << 8));
}

inline uint32_t getWord32(const uint8_t *at)
{
    return static_cast<uint32_t>(at[0]) | (static_cast<uint32_t>(at[1]) << 8) |
           (static_cast<uint32_t>(at[2]) << 16) | (static_cast<uint32_t>(at[3]) << 24);
}
