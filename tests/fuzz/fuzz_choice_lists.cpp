// Feeds arbitrary VPGetInfo answers to the binding's list loader and checks
// the list against a plain model of how the names are cut: consecutive
// NUL-terminated names taken only from the bytes the library said it wrote,
// at most 64 of them, each cut to 63 characters, empty once the bytes run
// out, values first + second * j. The bytes past the answer are garbage.

#include "app/binding/acpi_bridge.h"
#include "app/binding/library_loader.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Answer
{
    uint32_t answer = 0;
    uint32_t first = 0, second = 0, third = 0;
    std::vector<char> text;
};

Answer current;

uint8_t fuzzInit()
{
    return 1;
}

uint8_t fuzzIsSupport(uint32_t *supported)
{
    *supported = 1;
    return 1;
}

uint32_t fuzzGetInfo(uint32_t, char *text, uint32_t size, uint32_t *first, uint32_t *second,
                     uint32_t *third)
{
    std::memset(text, 0x5A, size);
    if (!current.text.empty())
        std::memcpy(text, current.text.data(), std::min<size_t>(size, current.text.size()));
    *first = current.first;
    *second = current.second;
    *third = current.third;
    return current.answer;
}

uint8_t fuzzOther(void *)
{
    return 1;
}

class FuzzLoader final : public LibraryLoader
{
public:
    Handle load(const std::string &) override { return this; }
    EntryPoint resolve(Handle, const char *name) override
    {
        const std::string n = name;
        if (n == "VPInit")
            return reinterpret_cast<EntryPoint>(&fuzzInit);
        if (n == "VPIsSupport")
            return reinterpret_cast<EntryPoint>(&fuzzIsSupport);
        if (n == "VPGetInfo")
            return reinterpret_cast<EntryPoint>(&fuzzGetInfo);
        return reinterpret_cast<EntryPoint>(&fuzzOther);
    }
    void unload(Handle) override {}
};

uint32_t word(const uint8_t *bytes)
{
    return uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 |
           uint32_t(bytes[3]) << 24;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 10)
        return 0;
    // The answer: up to 128 KiB, so that some never fit the 99 attempts.
    current.answer = word(data) & 0x1FFFF;
    current.first = word(data + 4);
    current.second = data[8];
    current.third = data[9];
    current.text.assign(data + 10, data + size);

    FuzzLoader loader;
    AcpiBridge bridge(loader);
    if (bridge.Load(LIBRARY_PATH) != AcpiBridge::LoadReady)
        __builtin_trap();
    ChoiceList list;
    list.count = 77;
    const bool loaded = bridge.LoadList(0, list);

    // The model.
    const bool fits = current.answer <= 99u * 1024u;
    if (loaded != fits)
        __builtin_trap();
    if (!fits) {
        if (list.count != 77)
            __builtin_trap(); // a failed load leaves the list
        return 0;
    }
    const size_t reported = std::min<size_t>(current.answer, current.text.size());
    std::string bytes(current.text.begin(), current.text.begin() + reported);
    // Bytes the library reported but did not have: the loader zero-fills
    // its buffer, while this device fills with 0x5A past its text.
    bytes.resize(current.answer, '\0');
    for (size_t i = current.text.size(); i < current.answer; ++i)
        bytes[i] = 0x5A;
    const uint32_t count = std::min<uint32_t>(current.third, ChoiceList::MaxEntries);
    if (list.count != count)
        __builtin_trap();
    size_t position = 0;
    for (uint32_t j = 0; j < count; ++j) {
        std::string name;
        if (position < bytes.size()) {
            const size_t end = bytes.find('\0', position);
            name = bytes.substr(position,
                                end == std::string::npos ? std::string::npos : end - position);
            position = end == std::string::npos ? bytes.size() : end + 1;
        }
        name.resize(std::min<size_t>(name.size(), ChoiceList::NameSize - 1));
        if (std::strncmp(list.names[j], name.c_str(), ChoiceList::NameSize) != 0 ||
            std::memchr(list.names[j], '\0', ChoiceList::NameSize) == nullptr)
            __builtin_trap();
        if (list.values[j] != current.first + current.second * j)
            __builtin_trap();
    }
    return 0;
}
