#include "app/windows/edit_field.h"

#include "skin/shown_repaint.h"

#include <vector>

EditField::EditField(HWND parent, const std::string &text, int left, int top, int width, int height)
    : StandardControl(parent, "EDIT", text.c_str(), WS_TABSTOP | ES_AUTOHSCROLL, left, top, width,
                      height)
{
    SetColours(m_text, m_backgroundColour);
    // The layout places the text at the field's corner.
    SendMessageA(Handle(), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
}

std::string EditField::Text() const
{
    const int length = GetWindowTextLengthA(Handle());
    std::vector<char> text(size_t(length) + 1, '\0');
    GetWindowTextA(Handle(), text.data(), length + 1);
    return std::string(text.data());
}

void EditField::SetText(const std::string &text)
{
    SetWindowTextA(Handle(), text.c_str());
}

void EditField::SetMaxLength(int characters)
{
    SendMessageA(Handle(), EM_LIMITTEXT, WPARAM(characters), 0);
}

void EditField::SetColours(COLORREF text, COLORREF background)
{
    m_text = text;
    m_backgroundColour = background;
    m_background.reset(CreateSolidBrush(background));
    ShownRepaint::invalidate(Handle(), TRUE);
}

void EditField::command(WORD code)
{
    if (code == EN_CHANGE && OnChange)
        OnChange();
}

HBRUSH EditField::colour(HDC dc)
{
    SetTextColor(dc, m_text);
    SetBkColor(dc, m_backgroundColour);
    return m_background.get();
}
