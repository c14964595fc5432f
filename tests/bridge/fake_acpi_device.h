#pragma once

// A stand-in for the ACPI driver and the firmware behind it, for tests,
// benchmarks and fuzzing of the bridge: it decodes every request in either
// layout, keeps a log of them, and answers from a small firmware model that a
// test fills in code.

#include "bridge/acpi_channel.h"
#include "bridge/acpi_device.h"
#include "bridge/byte_order.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace fake {

// Builds a driver result: the header and the elements, laid out as the
// driver lays them out.
class ResultBuilder
{
public:
    ResultBuilder &integer(uint32_t value)
    {
        uint8_t data[4];
        putWord32(data, value);
        return element(0, data, 4);
    }

    // A string element holding the text and its NUL.
    ResultBuilder &text(const std::string &value)
    {
        return element(2, reinterpret_cast<const uint8_t *>(value.c_str()),
                       static_cast<uint16_t>(value.size() + 1));
    }

    ResultBuilder &element(uint16_t type, const uint8_t *data, uint16_t length)
    {
        const size_t at = m_elements.size();
        m_elements.resize(at + (length <= 4 ? 8 : length + 4u), 0);
        putWord16(&m_elements[at], type);
        putWord16(&m_elements[at + 2], length);
        if (length > 0)
            std::memcpy(&m_elements[at + 4], data, length);
        ++m_count;
        return *this;
    }

    // Claims a different element count than the elements written.
    ResultBuilder &count(uint32_t value)
    {
        m_countOverride = value;
        m_hasOverride = true;
        return *this;
    }

    std::vector<uint8_t> bytes() const
    {
        std::vector<uint8_t> out(12 + m_elements.size(), 0);
        putWord32(&out[0], 0x42696f41); // any signature; the bridge ignores it
        putWord32(&out[4], static_cast<uint32_t>(m_elements.size()));
        putWord32(&out[8], m_hasOverride ? m_countOverride : m_count);
        std::copy(m_elements.begin(), m_elements.end(), out.begin() + 12);
        return out;
    }

private:
    std::vector<uint8_t> m_elements;
    uint32_t m_count = 0;
    uint32_t m_countOverride = 0;
    bool m_hasOverride = false;
};

// The answer of "GITM" and "SITM": one buffer element {status, value}.
inline std::vector<uint8_t> itemAnswer(uint32_t status, uint32_t value)
{
    uint8_t data[8];
    putWord32(data, status);
    putWord32(data + 4, value);
    return ResultBuilder().element(3, data, 8).bytes();
}

// One request as the device received it.
struct Request
{
    uint32_t code = 0;
    std::vector<uint8_t> bytes; // the request's own bytes
    bool noInput = false;       // sent without an input buffer
    uint32_t outSize = 0;       // the size of the buffer for the answer
    bool native = false;        // carried an argument block address
    uint32_t kind = 0;
    std::string name;              // the method name
    std::vector<uint8_t> argument; // the argument block's data bytes
    uint32_t integer = 0;          // the integer argument, or the first data word

    // The data words of a buffer argument ("GITM": id; "SITM": id, value, 1).
    uint32_t word(size_t i) const
    {
        return argument.size() >= 4 * (i + 1) ? getWord32(&argument[4 * i]) : 0;
    }
};

// A firmware model: whole results for methods evaluated without argument
// and for "GGRP", and item values by identifier for "GITM" and "SITM".
struct Firmware
{
    std::map<std::string, std::vector<uint8_t>> results;
    std::map<uint32_t, std::vector<uint8_t>> groups; // "GGRP" answer by argument
    std::map<uint32_t, uint32_t> values;             // item value by full identifier
    std::set<uint16_t> refusedItems;                 // item numbers "GITM"/"SITM" refuse
    std::set<std::string> failing;                   // methods whose request fails
    std::map<std::string, uint32_t> truncated;       // methods whose result is cut to n bytes
};

class FakeAcpiDevice : public AcpiDevice
{
public:
    Firmware firmware;
    std::vector<Request> log;
    bool opensWell = true;
    bool wow64 = false;
    bool isOpen = false;
    int opens = 0;
    bool logRequests = true;
    bool handshakeWorks = true;

    bool open() override
    {
        ++opens;
        isOpen = opensWell;
        return isOpen;
    }

    bool runsUnderWow64() override { return wow64; }

    bool control(uint32_t code, const void *in, uint32_t inSize, void *out, uint32_t outSize,
                 uint32_t &returned) override
    {
        Request request = decode(code, static_cast<const uint8_t *>(in), inSize);
        request.noInput = in == nullptr && inSize == 0;
        request.outSize = outSize;
        if (logRequests)
            log.push_back(request);
        if (!isOpen)
            return false;
        if (code == AcpiChannel::HandshakeCode) {
            if (!handshakeWorks || outSize < 4)
                return false;
            std::memset(out, 0, 4);
            returned = 4;
            return true;
        }
        if (code != AcpiChannel::EvaluateCode || firmware.failing.count(request.name))
            return false;
        std::vector<uint8_t> result;
        if (!answer(request, result) || result.size() > outSize)
            return false;
        uint32_t count = static_cast<uint32_t>(result.size());
        const auto cut = firmware.truncated.find(request.name);
        if (cut != firmware.truncated.end() && cut->second < count)
            count = cut->second;
        // Bytes past the returned count are garbage a careful reader ignores.
        std::memset(out, 0xA5, outSize);
        std::memcpy(out, result.data(), count);
        returned = count;
        return true;
    }

    // The requests of one method, in order.
    std::vector<Request> requestsFor(const std::string &name) const
    {
        std::vector<Request> out;
        for (const Request &r : log) {
            if (r.name == name)
                out.push_back(r);
        }
        return out;
    }

private:
    static Request decode(uint32_t code, const uint8_t *in, uint32_t inSize)
    {
        Request r;
        r.code = code;
        if (in != nullptr)
            r.bytes.assign(in, in + inSize);
        if (inSize < 16)
            return r;
        r.kind = getWord32(in);
        r.name.assign(reinterpret_cast<const char *>(in + 4), 4);
        if (r.kind == 1)
            return r;
        const uint32_t blockSize = getWord32(in + 12);
        const uint8_t *block = nullptr;
        if (inSize == 16 + blockSize) {
            block = in + 16;
        } else if (inSize == 20) {
            r.native = true;
            // The address is only meaningful in a 32-bit process.
            if (sizeof(void *) == 4)
                block = reinterpret_cast<const uint8_t *>(uintptr_t(getWord32(in + 16)));
        }
        if (block == nullptr)
            return r;
        const uint16_t length = getWord16(block + 2);
        if (length + 4u > blockSize)
            return r;
        r.argument.assign(block + 4, block + 4 + length);
        r.integer = r.word(0);
        return r;
    }

    bool answer(const Request &request, std::vector<uint8_t> &result)
    {
        if (request.name == "GGRP") {
            const auto group = firmware.groups.find(request.integer);
            result = group != firmware.groups.end() ? group->second : ResultBuilder().bytes();
            return true;
        }
        if (request.name == "GITM" || request.name == "SITM") {
            const uint32_t id = request.word(0);
            const auto item = firmware.values.find(id);
            if (item == firmware.values.end() || firmware.refusedItems.count(id & 0xFFFF)) {
                result = itemAnswer(0, 0);
                return true;
            }
            if (request.name == "SITM")
                item->second = request.word(1);
            result = itemAnswer(1, item->second);
            return true;
        }
        const auto found = firmware.results.find(request.name);
        if (found == firmware.results.end())
            return false;
        result = found->second;
        return true;
    }
};

// The identifier the standard firmware gives item `number`: nonzero high bits,
// as real firmware hands out.
inline uint32_t standardId(uint16_t number)
{
    return 0x00A50000u | number;
}

// The describing method of item `number` in the standard firmware.
inline std::string standardMethod(uint16_t number)
{
    const char digits[] = "0123456789ABCDEF";
    return std::string("AI") + digits[number >> 4] + digits[number & 15];
}

// A believable firmware: version 3 reporting support, the fifteen items
// listed under group 10 with ranges and choices, and the alarm at 06:30 on
// weekdays.
inline Firmware standardFirmware()
{
    Firmware fw;
    fw.results["MBIF"] = ResultBuilder().integer(3).integer(0).integer(0).integer(0x10000).bytes();
    ResultBuilder group;
    for (uint16_t n = 1; n <= 15; ++n) {
        group.text(standardMethod(n));
        ResultBuilder d;
        d.integer(standardId(n)).text("Item " + std::to_string(n)).integer(0x11).integer(0x2222);
        switch (n) {
        case 9:
            d.integer(0).integer(1).integer(24);
            break;
        case 10:
            d.integer(0).integer(1).integer(60);
            break;
        case 12:
            d.integer(0).integer(1).integer(99);
            break;
        case 15:
            d.integer(0).integer(1).integer(16);
            break;
        case 11:
            d.integer(4)
                .text("Primary Master")
                .text("Primary Slave")
                .text("Secondary Master")
                .text("Secondary Slave");
            break;
        case 13:
            d.integer(3).text("None").text("Single").text("All");
            break;
        case 14:
            d.integer(4).text("10 mins").text("20 mins").text("30 mins").text("1 hour");
            break;
        default:
            break;
        }
        fw.results[standardMethod(n)] = d.bytes();
    }
    fw.groups[10] = group.bytes();
    const uint32_t values[16] = {0, 1, 0, 1, 1, 1, 1, 1, 0, 6, 30, 2, 0, 1, 0, 8};
    for (uint16_t n = 1; n <= 15; ++n)
        fw.values[standardId(n)] = values[n];
    return fw;
}

} // namespace fake
