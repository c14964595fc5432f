#pragma once

#include "qt/skin/sk_ctrl_font_color.h"

// Caption colours for the sunken, the focused and the disabled look.
class SkThreeStateFontColor : public SkCtrlFontColor
{
    Q_OBJECT
public:
    using SkCtrlFontColor::SkCtrlFontColor;

    QColor Sunken() const { return m_sunken; }
    QColor Focused() const { return m_focused; }
    QColor Disabled() const { return m_disabled; }
    void SetSunken(QColor value) { setColor(m_sunken, value); }
    void SetFocused(QColor value) { setColor(m_focused, value); }
    void SetDisabled(QColor value) { setColor(m_disabled, value); }

    // Copies the three colours, then emits changed() once.
    void Assign(const SkThreeStateFontColor &other);

private:
    QColor m_sunken;
    QColor m_focused;
    QColor m_disabled;
};
