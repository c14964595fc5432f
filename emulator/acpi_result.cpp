#include "emulator/acpi_result.h"

namespace emulator {
namespace {

// The words the driver puts in front of every result; callers do not
// examine the signature.
constexpr uint32_t kSignature = 0x4C555345; // "ESUL" read as bytes
constexpr uint32_t kHeaderSize = 12;

constexpr uint16_t kIntegerType = 0;
constexpr uint16_t kStringType = 1;
constexpr uint16_t kBufferType = 2;

void appendWord(std::vector<uint8_t> &bytes, uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        bytes.push_back(static_cast<uint8_t>(value >> shift));
}

void appendHalfWord(std::vector<uint8_t> &bytes, uint16_t value)
{
    bytes.push_back(static_cast<uint8_t>(value));
    bytes.push_back(static_cast<uint8_t>(value >> 8));
}

} // namespace

void AcpiResult::addInteger(uint32_t value)
{
    std::vector<uint8_t> data;
    appendWord(data, value);
    addElement(kIntegerType, data.data(), data.size());
}

void AcpiResult::addString(const std::string &text)
{
    const auto *data = reinterpret_cast<const uint8_t *>(text.c_str());
    addElement(kStringType, data, text.size() + 1);
}

void AcpiResult::addBuffer(const std::vector<uint8_t> &data)
{
    addElement(kBufferType, data.data(), data.size());
}

void AcpiResult::addElement(uint16_t type, const uint8_t *data, size_t size)
{
    if (size > UINT16_MAX) {
        m_valid = false;
        return;
    }
    appendHalfWord(m_elements, type);
    appendHalfWord(m_elements, static_cast<uint16_t>(size));
    m_elements.insert(m_elements.end(), data, data + size);
    if (size < 4)
        m_elements.insert(m_elements.end(), 4 - size, 0);
    ++m_count;
}

std::vector<uint8_t> AcpiResult::bytes() const
{
    std::vector<uint8_t> result;
    appendWord(result, kSignature);
    appendWord(result, static_cast<uint32_t>(kHeaderSize + m_elements.size()));
    appendWord(result, m_count);
    result.insert(result.end(), m_elements.begin(), m_elements.end());
    return result;
}

} // namespace emulator
