#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace emulator {

// A method's answer in the driver's result layout: signature, length,
// element count, then the elements, each a 16-bit type, a 16-bit data
// length and the data, padded to 8 bytes when the data has 4 bytes or less.
class AcpiResult
{
public:
    void addInteger(uint32_t value);
    void addString(const std::string &text);
    void addBuffer(const std::vector<uint8_t> &data);

    // False when an element's data does not fit the 16-bit length field.
    bool valid() const { return m_valid; }

    // The bytes of the whole result.
    std::vector<uint8_t> bytes() const;

private:
    void addElement(uint16_t type, const uint8_t *data, size_t size);

    uint32_t m_count = 0;
    std::vector<uint8_t> m_elements;
    bool m_valid = true;
};

} // namespace emulator
