#include "app/windows/label.h"

#include <vector>

namespace {

std::string windowText(HWND handle)
{
    const int length = GetWindowTextLengthA(handle);
    std::vector<char> text(size_t(length) + 1, '\0');
    GetWindowTextA(handle, text.data(), length + 1);
    return std::string(text.data());
}

} // namespace

Label::Label(HWND parent, const std::string &text, int left, int top, int width, int height)
    : StandardControl(parent, "STATIC", text.c_str(),
                      SS_NOPREFIX | ((width == 0 && height == 0) ? SS_LEFTNOWORDWRAP : SS_LEFT),
                      left, top, width, height),
      m_autoSize(width == 0 && height == 0)
{
    fitToText();
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
    RedrawWindow(parent, &old, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
    InvalidateRect(Handle(), nullptr, TRUE);
}

void Label::SetColour(COLORREF colour)
{
    m_colour = colour;
    InvalidateRect(Handle(), nullptr, TRUE);
}

void Label::SetBackdrop(const Backdrop *backdrop)
{
    m_backdrop = backdrop;
    m_background.reset();
    m_backgroundColour = CLR_INVALID;
    InvalidateRect(Handle(), nullptr, TRUE);
}

void Label::SetOpaque(COLORREF background)
{
    m_background.reset(CreateSolidBrush(background));
    m_backgroundColour = background;
    InvalidateRect(Handle(), nullptr, TRUE);
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
    const std::string text = Text();
    const HDC dc = GetDC(Handle());
    const HGDIOBJ previous = SelectObject(dc, Font() ? Font() : GetStockObject(DEFAULT_GUI_FONT));
    RECT bounds{0, 0, 0, 0};
    if (text.empty()) {
        // An empty label keeps the height of a line, as it has one.
        TEXTMETRICA metrics{};
        GetTextMetricsA(dc, &metrics);
        bounds.bottom = metrics.tmHeight;
    } else {
        DrawTextA(dc, text.c_str(), int(text.size()), &bounds, DT_CALCRECT | DT_NOPREFIX);
    }
    SelectObject(dc, previous);
    ReleaseDC(Handle(), dc);
    SetWindowPos(Handle(), nullptr, 0, 0, bounds.right, bounds.bottom,
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
