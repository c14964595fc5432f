#pragma once

#include <cstddef>
#include <cstdint>

// Reads a driver result: a 12-byte header (signature, length, element count)
// and the elements one after another, each a 16-bit type, a 16-bit data
// length and the data. The walker knows how many bytes the driver returned
// and never reads past them: an element that does not lie wholly inside the
// returned bytes is missing, and reading a missing element fails.
class ResultWalker
{
public:
    static constexpr uint32_t HeaderSize = 12;

    // Starts at element 0 of the `returned` bytes at `data`.
    ResultWalker(const uint8_t *data, uint32_t returned);

    // The bytes an element with `dataLength` data bytes occupies: 8 for up to
    // 4 data bytes, else the data plus the 4-byte element header.
    static uint32_t elementSize(uint16_t dataLength)
    {
        return dataLength <= 4 ? 8 : dataLength + 4u;
    }

    // The element count of the header; false when the header did not come back.
    bool count(uint32_t &value) const;
    // The 32-bit word at a byte offset of the result, when it came back whole.
    bool word(uint32_t offset, uint32_t &value) const;

    // Whether the current element came back whole.
    bool present() const;
    // Steps to the following element; false (staying put) when the current
    // one is missing.
    bool next();
    // Steps over `steps` elements.
    bool skip(uint32_t steps);

    // The current element's integer: its first 32-bit data word.
    bool integer(uint32_t &value) const;
    // Copies the current element's text into `dest`, cut to `destSize` - 1
    // characters and always terminated. The text ends at its NUL or at the
    // end of the element's data, whichever comes first.
    bool text(char *dest, size_t destSize) const;

private:
    uint16_t dataLength() const;

    const uint8_t *m_data;
    uint64_t m_returned;
    uint64_t m_offset = HeaderSize;
};
