#include "skin/sk_button.h"

SkButton::SkButton(HWND parent, int left, int top) : SkButton(parent, left, top, "SkButton") {}

SkButton::SkButton(HWND parent, int left, int top, const char *className)
    : SkCustomControl(parent, left, top, className, 0, false, 4), Appearance(*this, 0)
{
}

void SkButton::KeyPress(char &key)
{
    SkCustomControl::KeyPress(key);
    if (key == ' ')
        Click();
}
