#include "qt/skin/sk_three_state_font_color.h"

void SkThreeStateFontColor::Assign(const SkThreeStateFontColor &other)
{
    m_sunken = other.m_sunken;
    m_focused = other.m_focused;
    m_disabled = other.m_disabled;
    emit changed(this);
}
