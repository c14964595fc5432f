#pragma once

#include <cstdint>

// One of the firmware's lists of values as the dialogs show it: entry j is
// what a combo box or counter shows at position j, `values[j]` the firmware
// value it stands for. A value range has empty names.
struct ChoiceList
{
    static constexpr uint32_t MaxEntries = 64;
    static constexpr uint32_t NameSize = 64; // 63 characters and the NUL

    char names[MaxEntries][NameSize] = {};
    uint32_t values[MaxEntries] = {};
    uint32_t count = 0; // valid entries, at most MaxEntries
};
