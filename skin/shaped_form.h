#pragma once

#include "skin/sk_picture.h"

#include <windows.h>

// Cuts a window to the outline of its background picture and lets the user drag the window by
// pressing the left button anywhere on the picture. Embedded in the window's object after its
// picture (the picture must outlive it). Destroying it puts the picture's previous mouse-down
// handler back; the window region stays.
class ShapedForm
{
public:
    ShapedForm(HWND window, SkPicture &picture);
    ShapedForm(const ShapedForm &) = delete;
    ShapedForm &operator=(const ShapedForm &) = delete;
    ~ShapedForm();

    // Shapes by the picture's transparent colour.
    void Apply();
    // Shapes by the colour's red, green and blue; does nothing once applied.
    void Apply(COLORREF colour);
    bool Applied() const { return m_applied; }

    // The drag handler installed on the picture: a left press moves the window until the button
    // is released, then every press reaches the previous handler.
    void MouseDown(const MouseEvent &event);

private:
    HWND m_window;
    SkPicture &m_picture;
    SkPicture::MouseHandler m_savedMouseDown;
    bool m_applied = false;
};
