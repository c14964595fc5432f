#include "app/windows/combo_box.h"

#include "skin/shown_repaint.h"

#include <vector>

namespace {

// The dropped list shows this many items before it scrolls.
constexpr int ListRows = 8;

} // namespace

ComboBox::ComboBox(HWND parent, int left, int top, int width, int height)
    : StandardControl(parent, "COMBOBOX", "", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, left, top,
                      width, height + ListRows * height)
{
    SetColours(m_text, m_backgroundColour);
    // The dropped list asks for its colours itself: it answers for this box.
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    if (GetComboBoxInfo(Handle(), &info) && info.hwndList)
        answerFor(info.hwndList);
}

void ComboBox::Clear()
{
    SendMessageA(Handle(), CB_RESETCONTENT, 0, 0);
}

void ComboBox::Add(const std::string &item)
{
    SendMessageA(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
}

int ComboBox::Count() const
{
    return int(SendMessageA(Handle(), CB_GETCOUNT, 0, 0));
}

std::string ComboBox::Item(int index) const
{
    const LRESULT length = SendMessageA(Handle(), CB_GETLBTEXTLEN, WPARAM(index), 0);
    if (length == CB_ERR)
        return {};
    std::vector<char> text(size_t(length) + 1, '\0');
    SendMessageA(Handle(), CB_GETLBTEXT, WPARAM(index), reinterpret_cast<LPARAM>(text.data()));
    return std::string(text.data());
}

int ComboBox::ItemIndex() const
{
    const LRESULT index = SendMessageA(Handle(), CB_GETCURSEL, 0, 0);
    return index == CB_ERR ? -1 : int(index);
}

void ComboBox::SetItemIndex(int index)
{
    SendMessageA(Handle(), CB_SETCURSEL, WPARAM(index), 0);
}

std::string ComboBox::Text() const
{
    const int index = ItemIndex();
    return index < 0 ? std::string() : Item(index);
}

void ComboBox::SetColours(COLORREF text, COLORREF background)
{
    m_text = text;
    m_backgroundColour = background;
    m_background.reset(CreateSolidBrush(background));
    ShownRepaint::invalidate(Handle(), TRUE);
}

void ComboBox::command(WORD code)
{
    if (code == CBN_SELCHANGE && OnChange)
        OnChange();
}

HBRUSH ComboBox::colour(HDC dc)
{
    SetTextColor(dc, m_text);
    SetBkColor(dc, m_backgroundColour);
    return m_background.get();
}
