#pragma once

#include "app/windows/standard_control.h"
#include "skin/gdi_handle.h"

#include <string>

// What shows through a transparent label: a brush of the picture beneath it
// and that picture's place in the window, so that the label paints exactly
// the picture's pixels behind its text, whatever order the two paint in.
struct Backdrop
{
    HBRUSH brush;
    int left;
    int top;
};

// A STATIC label. One sized to its text (width and height 0 at creation)
// keeps that size as its text changes; a fixed-size one wraps its words.
// Without a font it shows in the system's default GUI font.
// Labels answer no hit test of their own, so presses on them reach the
// picture beneath.
class Label : public StandardControl
{
public:
    Label(HWND parent, const std::string &text, int left, int top, int width = 0, int height = 0,
          HFONT font = nullptr);

    std::string Text() const;
    void SetText(const std::string &text);
    COLORREF Colour() const { return m_colour; }
    void SetColour(COLORREF colour);
    // Transparent over `backdrop` (not owned; null shows nothing behind the text).
    void SetBackdrop(const Backdrop *backdrop);
    // Painted in one colour behind the text.
    void SetOpaque(COLORREF background);
    bool Opaque() const { return static_cast<bool>(m_background); }
    COLORREF Background() const { return m_backgroundColour; }
    void SetFont(HFONT font);

    HBRUSH colour(HDC dc) override;

private:
    // Made at its final place and size, measured before it exists.
    Label(HWND parent, const std::string &text, POINT place, SIZE size, bool autoSize, HFONT font);
    void fitToText();

    bool m_autoSize;
    COLORREF m_colour = RGB(0, 0, 0);
    const Backdrop *m_backdrop = nullptr;
    BrushHandle m_background;
    COLORREF m_backgroundColour = CLR_INVALID;
};
