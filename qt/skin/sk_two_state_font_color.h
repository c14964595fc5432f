#pragma once

#include "qt/skin/sk_ctrl_font_color.h"

// Caption colours for the focused and the disabled look.
class SkTwoStateFontColor : public SkCtrlFontColor
{
    Q_OBJECT
public:
    using SkCtrlFontColor::SkCtrlFontColor;

    QColor Focused() const { return m_focused; }
    QColor Disabled() const { return m_disabled; }
    void SetFocused(QColor value) { setColor(m_focused, value); }
    void SetDisabled(QColor value) { setColor(m_disabled, value); }

    // Copies both colours, then emits changed() once.
    void Assign(const SkTwoStateFontColor &other);

private:
    QColor m_focused;
    QColor m_disabled;
};
