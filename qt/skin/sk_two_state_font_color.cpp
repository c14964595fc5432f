#include "qt/skin/sk_two_state_font_color.h"

void SkTwoStateFontColor::Assign(const SkTwoStateFontColor &other)
{
    m_focused = other.m_focused;
    m_disabled = other.m_disabled;
    emit changed(this);
}
