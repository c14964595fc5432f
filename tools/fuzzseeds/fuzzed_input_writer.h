#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Builds an input that libFuzzer's FuzzedDataProvider reads back as the
// given values, in the order they are given: integers are taken from the
// end of the input, most significant byte first, and texts from its front,
// each a backslash-escaped run ended by a backslash and one other byte.
class FuzzedInputWriter
{
public:
    // A value of ConsumeIntegral<uint8_t>().
    void byte(uint8_t value);
    // A value of ConsumeIntegral<uint32_t>().
    void word32(uint32_t value);
    // A value of ConsumeRandomLengthString(max) whose max exceeds its size.
    void text(const std::string &value);

    std::vector<uint8_t> bytes() const;

private:
    std::vector<uint8_t> m_front;
    std::vector<uint8_t> m_back; // in the order the reader takes them
};
