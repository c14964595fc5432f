#pragma once

#include "app/windows/standard_control.h"
#include "skin/gdi_handle.h"

#include <functional>
#include <string>

// A COMBOBOX drop-down list (the user picks, never types), in its own text
// and background colours. OnChange runs when the user picks another item.
class ComboBox : public StandardControl
{
public:
    // `height` is the closed box's; the list drops below it.
    ComboBox(HWND parent, int left, int top, int width, int height);

    void Clear();
    void Add(const std::string &item);
    int Count() const;
    std::string Item(int index) const;
    // -1 when nothing is selected.
    int ItemIndex() const;
    void SetItemIndex(int index);
    // The selected item's text; empty when nothing is selected.
    std::string Text() const;
    void SetColours(COLORREF text, COLORREF background);

    std::function<void()> OnChange;

    void command(WORD code) override;
    HBRUSH colour(HDC dc) override;

private:
    COLORREF m_text = RGB(0, 0, 0);
    COLORREF m_backgroundColour = RGB(255, 255, 255);
    BrushHandle m_background;
};
