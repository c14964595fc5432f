#pragma once

#include "skin/sk_ctrl_font_color.h"

// Caption colours for the focused and disabled looks.
class SkTwoStateFontColor : public SkCtrlFontColor
{
public:
    COLORREF Focused() const { return m_focused; }
    COLORREF Disabled() const { return m_disabled; }
    void SetFocused(COLORREF value) { change(m_focused, value); }
    void SetDisabled(COLORREF value) { change(m_disabled, value); }

    // Copies both colours, then tells OnChange once.
    void Assign(const SkTwoStateFontColor &other)
    {
        m_focused = other.m_focused;
        m_disabled = other.m_disabled;
        changed();
    }

private:
    COLORREF m_focused = kNotSet;
    COLORREF m_disabled = kNotSet;
};
