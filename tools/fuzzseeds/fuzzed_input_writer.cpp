#include "tools/fuzzseeds/fuzzed_input_writer.h"

void FuzzedInputWriter::byte(uint8_t value)
{
    m_back.push_back(value);
}

void FuzzedInputWriter::word32(uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        m_back.push_back(static_cast<uint8_t>(value >> shift));
}

void FuzzedInputWriter::text(const std::string &value)
{
    for (const char c : value) {
        m_front.push_back(static_cast<uint8_t>(c));
        if (c == '\\')
            m_front.push_back('\\');
    }
    m_front.push_back('\\');
    m_front.push_back('.');
}

std::vector<uint8_t> FuzzedInputWriter::bytes() const
{
    std::vector<uint8_t> input = m_front;
    input.insert(input.end(), m_back.rbegin(), m_back.rend());
    return input;
}
