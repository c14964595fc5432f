#pragma once

#include "app/windows/standard_control.h"
#include "skin/gdi_handle.h"

#include <functional>
#include <string>

// A one-line EDIT field without a border, in its own text and background
// colours. OnChange runs on every change of the text, typed or set.
class EditField : public StandardControl
{
public:
    EditField(HWND parent, const std::string &text, int left, int top, int width, int height);

    std::string Text() const;
    void SetText(const std::string &text);
    void SetMaxLength(int characters);
    void SetColours(COLORREF text, COLORREF background);
    COLORREF TextColour() const { return m_text; }

    std::function<void()> OnChange;

    void command(WORD code) override;
    HBRUSH colour(HDC dc) override;

private:
    COLORREF m_text = RGB(0, 0, 0);
    COLORREF m_backgroundColour = RGB(255, 255, 255);
    BrushHandle m_background;
};
