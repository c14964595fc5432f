#pragma once

#include <QFont>

// The fonts of the windows. Their layouts place text at fixed pixel positions
// for Arial and "MS Sans Serif" at fixed pixel heights; where those fonts are
// missing, metric-compatible ones stand in so that every text keeps its place.
class WindowFonts
{
public:
    // Names the stand-ins for the two fonts; runs once, before any window
    // is built.
    static void installSubstitutes();

    // Arial, `pixelHeight` pixels high.
    static QFont arial(int pixelHeight, bool bold = false);
    // "MS Sans Serif" at 8 points on a 96-dpi screen: 11 pixels high.
    static QFont dialogText();
};
