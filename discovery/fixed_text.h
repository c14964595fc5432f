#pragma once

#include <algorithm>
#include <cstring>
#include <span>
#include <string_view>

// Copies `text` into a fixed, zero-terminated character field, cut to what
// fits. A field without room writes nothing.
inline void copyFixedText(std::string_view text, std::span<char> field)
{
    if (field.empty())
        return;
    const size_t length = std::min(text.size(), field.size() - 1);
    if (length > 0)
        std::memcpy(field.data(), text.data(), length);
    field[length] = '\0';
}

// The text of a zero-terminated field, never reading past its end.
inline std::string_view fixedText(std::span<const char> field)
{
    const auto end = std::find(field.begin(), field.end(), '\0');
    return {field.data(), static_cast<size_t>(end - field.begin())};
}
