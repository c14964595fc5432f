#pragma once

#include <windows.h>

// The fonts of the windows, made once and kept until the program ends. The
// layouts place text at fixed pixel positions for Arial and "MS Sans Serif";
// where a system lacks Arial (Wine without the core fonts), Liberation Sans,
// which has Arial's widths, takes its place.
class WindowFonts
{
public:
    // Arial, `pixelHeight` pixels high (the cell height, as the layouts give it).
    static HFONT arial(int pixelHeight, bool bold = false);
    // "MS Sans Serif" at 8 points on a 96-dpi screen: height -11.
    static HFONT dialogText();

    // The face that stands for Arial on this system.
    static const char *arialFace();
    // Whether the system has a font family of that name.
    static bool hasFace(const char *face);
};
