#include "qt/skin/sk_ctrl_font_color.h"

void SkCtrlFontColor::setColor(QColor &slot, QColor value)
{
    if (slot == value)
        return;
    slot = value;
    emit changed(this);
}
