// Feeds arbitrary driver results to the bridge: every device request takes
// its answer from the next piece of the input, so the catalogue, the item
// calls and the exports all read results of any shape and length.
//
// Each input runs twice, the bytes past the returned count filled with a
// different pattern each time. A reader that looks past the count sees the
// two patterns, so something it gives back, or a request it sends, differs
// between the runs: the target stops on any difference. A read that only
// feeds a yes or no (the support flag, a confirmed status) may come out the
// same under both patterns, so those bytes are poisoned as well, and
// AddressSanitizer stops the first read of one of them.

#include "bridge/alarm_bridge.h"
#include "bridge/byte_order.h"

#include <sanitizer/asan_interface.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

// Each answer is: one byte (bit 0 clear: the request fails), two bytes of
// length, then that many result bytes (fewer when the input ends).
class FuzzDevice final : public AcpiDevice
{
public:
    FuzzDevice(const uint8_t *data, size_t size, uint8_t fill, std::vector<uint8_t> &seen)
        : m_data(data), m_size(size), m_fill(fill), m_seen(seen)
    {
    }

    bool open() override { return take(1) != nullptr; }
    bool runsUnderWow64() override { return false; }

    bool control(uint32_t code, const void *in, uint32_t inSize, void *out, uint32_t outSize,
                 uint32_t &returned) override
    {
        // What the bridge sends is part of what it does.
        record(&code, sizeof(code));
        record(in, inSize);
        const uint8_t *head = take(3);
        if (head == nullptr || (head[0] & 1) == 0)
            return false;
        size_t length = getWord16(head + 1);
        if (length > m_size - m_used)
            length = m_size - m_used;
        if (length > outSize)
            length = outSize;
        // What lies past the returned count is garbage a careful reader
        // ignores. The buffer may be one that an earlier answer poisoned.
        auto *bytes = static_cast<uint8_t *>(out);
        ASAN_UNPOISON_MEMORY_REGION(bytes, outSize);
        std::memset(bytes, m_fill, outSize);
        std::memcpy(bytes, take(length), length);
        ASAN_POISON_MEMORY_REGION(bytes + length, outSize - length);
        returned = static_cast<uint32_t>(length);
        return true;
    }

private:
    void record(const void *bytes, size_t count)
    {
        const auto *from = static_cast<const uint8_t *>(bytes);
        if (from != nullptr)
            m_seen.insert(m_seen.end(), from, from + count);
    }

    const uint8_t *take(size_t count)
    {
        if (count > m_size - m_used)
            return nullptr;
        const uint8_t *at = m_data + m_used;
        m_used += count;
        return at;
    }

    const uint8_t *m_data;
    size_t m_size;
    size_t m_used = 0;
    uint8_t m_fill;
    std::vector<uint8_t> &m_seen;
};

template <typename T> void keep(std::vector<uint8_t> &seen, const T &value)
{
    const auto *bytes = reinterpret_cast<const uint8_t *>(&value);
    seen.insert(seen.end(), bytes, bytes + sizeof(value));
}

// Runs every export over the input; answers everything the bridge gave back
// and sent.
std::vector<uint8_t> run(const uint8_t *data, size_t size, uint8_t fill)
{
    std::vector<uint8_t> seen;
    FuzzDevice device(data, size, fill, seen);
    AlarmBridge bridge(device);
    if (!bridge.init())
        return seen;
    uint32_t supported = 0;
    keep(seen, bridge.isSupport(&supported));
    keep(seen, supported);

    // The buffer is no bigger than asked, so that a write past it is caught.
    for (uint32_t kind = 0; kind <= 6; ++kind) {
        for (uint32_t room : {0u, 1u, 7u, 400u}) {
            char *buffer = room > 0 ? new char[room] : nullptr;
            if (buffer != nullptr)
                std::memset(buffer, 0, room);
            uint32_t first = 0, second = 0, third = 0;
            const uint32_t answer = bridge.getInfo(kind, buffer, room, &first, &second, &third);
            if (buffer != nullptr && answer > 0 && answer <= room && kind != 2 && kind != 4 &&
                kind != 5 && buffer[answer - 1] != '\0')
                __builtin_trap(); // a choice list always ends with a NUL
            keep(seen, answer);
            keep(seen, first);
            keep(seen, second);
            keep(seen, third);
            if (buffer != nullptr)
                seen.insert(seen.end(), buffer, buffer + room);
            delete[] buffer;
        }
    }
    uint32_t status = 0;
    keep(seen, bridge.getStatus(&status));
    keep(seen, status);
    keep(seen, bridge.setStatus(status));
    TimeSetting time{};
    keep(seen, bridge.getTimeSetting(&time));
    if (time.days > 0x7F)
        __builtin_trap();
    keep(seen, time);
    keep(seen, bridge.setTimeSetting(&time));
    PlayStatus play{};
    keep(seen, bridge.getPlayStatus(&play));
    keep(seen, play);
    keep(seen, bridge.setPlayStatus(&play));
    return seen;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (run(data, size, 0xA5) != run(data, size, 0x5A))
        __builtin_trap(); // something was read past the returned count
    return 0;
}
