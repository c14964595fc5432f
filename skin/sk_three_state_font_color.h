#pragma once

#include "skin/sk_ctrl_font_color.h"

// Caption colours for the sunken, focused and disabled looks.
class SkThreeStateFontColor : public SkCtrlFontColor
{
public:
    COLORREF Sunken() const { return m_sunken; }
    COLORREF Focused() const { return m_focused; }
    COLORREF Disabled() const { return m_disabled; }
    void SetSunken(COLORREF value) { change(m_sunken, value); }
    void SetFocused(COLORREF value) { change(m_focused, value); }
    void SetDisabled(COLORREF value) { change(m_disabled, value); }

    // Copies all three colours, then tells OnChange once.
    void Assign(COLORREF sunken, COLORREF focused, COLORREF disabled)
    {
        m_sunken = sunken;
        m_focused = focused;
        m_disabled = disabled;
        changed();
    }
    void Assign(const SkThreeStateFontColor &other)
    {
        Assign(other.m_sunken, other.m_focused, other.m_disabled);
    }

private:
    COLORREF m_sunken = kNotSet;
    COLORREF m_focused = kNotSet;
    COLORREF m_disabled = kNotSet;
};
