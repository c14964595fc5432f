#include "app/windows/label.h"

#include "skin/shown_repaint.h"

#include <vector>

namespace {

bool sizedToText(int width, int height)
{
    return width == 0 && height == 0;
}

SIZE textSize(const std::string &text, HFONT font)
{
    // One memory DC of the screen measures every label: its text comes out
    // as on the label's own DC, without asking the window system for a DC
    // of each label, which is slow under Wine.
    static const HDC measuring = CreateCompatibleDC(nullptr);
    const HGDIOBJ previous =
        SelectObject(measuring, font ? font : GetStockObject(DEFAULT_GUI_FONT));
    RECT bounds{0, 0, 0, 0};
    if (text.empty()) {
        // An empty label keeps the height of a line, as it has one.
        TEXTMETRICA metrics{};
        GetTextMetricsA(measuring, &metrics);
        bounds.bottom = metrics.tmHeight;
    } else {
        DrawTextA(measuring, text.c_str(), int(text.size()), &bounds, DT_CALCRECT | DT_NOPREFIX);
    }
    SelectObject(measuring, previous);
    return SIZE{bounds.right, bounds.bottom};
}

SIZE sizeAtCreation(const std::string &text, int width, int height, HFONT font)
{
    return sizedToText(width, height) ? textSize(text, font) : SIZE{width, height};
}

std::string windowText(HWND handle)
{
    const int length = GetWindowTextLengthA(handle);
    std::vector<char> text(size_t(length) + 1, '\0');
    GetWindowTextA(handle, text.data(), length + 1);
    return std::string(text.data());
}

} // namespace

Label::Label(HWND parent, const std::string &text, int left, int top, int width, int height,
             HFONT font)
    : Label(parent, text, POINT{left, top}, sizeAtCreation(text, width, height, font),
            sizedToText(width, height), font)
{
}

Label::Label(HWND parent, const std::string &text, POINT place, SIZE size, bool autoSize,
             HFONT font)
    : StandardControl(parent, "STATIC", text.c_str(),
                      SS_NOPREFIX | (autoSize ? SS_LEFTNOWORDWRAP : SS_LEFT), place.x, place.y,
                      size.cx, size.cy, 0, font),
      m_autoSize(autoSize)
{
}

std::string Label::Text() const
{
    return windowText(Handle());
}

void Label::SetText(const std::string &text)
{
    if (text == Text())
        return;
    // What the old text covered belongs to the picture beneath again.
    RECT old{};
    GetWindowRect(Handle(), &old);
    const HWND parent = GetParent(Handle());
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT *>(&old), 2);
    SetWindowTextA(Handle(), text.c_str());
    fitToText();
    ShownRepaint::redraw(parent, &old, RDW_INVALIDATE | RDW_ALLCHILDREN);
    ShownRepaint::invalidate(Handle(), TRUE);
}

void Label::SetColour(COLORREF colour)
{
    m_colour = colour;
    ShownRepaint::invalidate(Handle(), TRUE);
}

void Label::SetBackdrop(const Backdrop *backdrop)
{
    m_backdrop = backdrop;
    m_background.reset();
    m_backgroundColour = CLR_INVALID;
    ShownRepaint::invalidate(Handle(), TRUE);
}

void Label::SetOpaque(COLORREF background)
{
    m_background.reset(CreateSolidBrush(background));
    m_backgroundColour = background;
    ShownRepaint::invalidate(Handle(), TRUE);
}

void Label::SetFont(HFONT font)
{
    StandardControl::SetFont(font);
    fitToText();
}

void Label::fitToText()
{
    if (!m_autoSize)
        return;
    const SIZE size = textSize(Text(), Font());
    if (size.cx == Width() && size.cy == Height())
        return;
    SetWindowPos(Handle(), nullptr, 0, 0, size.cx, size.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HBRUSH Label::colour(HDC dc)
{
    SetTextColor(dc, m_colour);
    SetBkMode(dc, TRANSPARENT);
    if (m_background)
        return m_background.get();
    if (m_backdrop) {
        // The picture's origin in this label's own coordinates.
        SetBrushOrgEx(dc, m_backdrop->left - Left(), m_backdrop->top - Top(), nullptr);
        return m_backdrop->brush;
    }
    return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
}
