#pragma once

#include <QColor>
#include <cstdint>

// Colours in the window layouts are stored as 32-bit values with red in the lowest byte, green
// in the next and blue in the third (0x00BBGGRR). A value of -1 (0xFFFFFFFF) means "not set",
// which the skin toolkit expresses as an invalid QColor. Values with the top bit set name a
// system colour; 0x80000011 is the grey text colour, resolved here from the application's
// palette. Other system colours are not used by the skin toolkit and resolve to black.
QColor colorFromColorRef(std::uint32_t value);
