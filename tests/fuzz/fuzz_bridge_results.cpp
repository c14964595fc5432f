// Feeds arbitrary driver results to the bridge: every device request takes
// its answer from the next piece of the input, so the catalogue, the item
// calls and the exports all read results of any shape and length.

#include "bridge/alarm_bridge.h"
#include "bridge/byte_order.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

// Each answer is: one byte (bit 0 clear: the request fails), two bytes of
// length, then that many result bytes (fewer when the input ends).
class FuzzDevice final : public AcpiDevice
{
public:
    FuzzDevice(const uint8_t *data, size_t size) : m_data(data), m_size(size) {}

    bool open() override { return take(1) != nullptr; }
    bool runsUnderWow64() override { return false; }

    bool control(uint32_t, const void *, uint32_t, void *out, uint32_t outSize,
                 uint32_t &returned) override
    {
        const uint8_t *head = take(3);
        if (head == nullptr || (head[0] & 1) == 0)
            return false;
        size_t length = getWord16(head + 1);
        if (length > m_size - m_used)
            length = m_size - m_used;
        if (length > outSize)
            length = outSize;
        // What lies past the returned count is garbage a careful reader ignores.
        std::memset(out, 0xA5, outSize);
        std::memcpy(out, take(length), length);
        returned = static_cast<uint32_t>(length);
        return true;
    }

private:
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
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzDevice device(data, size);
    AlarmBridge bridge(device);
    if (!bridge.init())
        return 0;
    uint32_t supported = 0;
    bridge.isSupport(&supported);

    // The buffer is no bigger than asked, so that a write past it is caught.
    for (uint32_t kind = 0; kind <= 6; ++kind) {
        for (uint32_t room : {0u, 1u, 7u, 400u}) {
            char *text = room > 0 ? new char[room] : nullptr;
            uint32_t first = 0, second = 0, third = 0;
            const uint32_t answer = bridge.getInfo(kind, text, room, &first, &second, &third);
            if (text != nullptr && answer > 0 && answer <= room && kind != 2 && kind != 4 &&
                kind != 5 && text[answer - 1] != '\0')
                __builtin_trap(); // a choice list always ends with a NUL
            delete[] text;
        }
    }
    uint32_t status = 0;
    bridge.getStatus(&status);
    bridge.setStatus(status);
    TimeSetting time{};
    bridge.getTimeSetting(&time);
    if (time.days > 0x7F)
        __builtin_trap();
    bridge.setTimeSetting(&time);
    PlayStatus play{};
    bridge.getPlayStatus(&play);
    bridge.setPlayStatus(&play);
    return 0;
}
