#include "skin/shaped_form.h"

#include "skin/win_region.h"

ShapedForm::ShapedForm(HWND window, SkPicture &picture) : m_window(window), m_picture(picture) {}

ShapedForm::~ShapedForm()
{
    if (m_applied)
        m_picture.OnMouseDown = m_savedMouseDown;
}

void ShapedForm::Apply()
{
    Apply(m_picture.TransparentColor());
}

void ShapedForm::Apply(COLORREF colour)
{
    if (m_applied)
        return;
    WinRegion region;
    region.FromBitmap(m_picture.Bitmap(), colour);

    // The window region is relative to the window's outer top-left corner; the bitmap's pixel
    // (0, 0) lies at the picture's client origin. GetWindowRect gives the outer corner in screen
    // coordinates for a top-level window and for a child alike.
    RECT windowRect{};
    GetWindowRect(m_window, &windowRect);
    POINT pictureCorner{0, 0};
    ClientToScreen(m_picture.Handle(), &pictureCorner);
    region.Offset(pictureCorner.x - windowRect.left, pictureCorner.y - windowRect.top);
    region.ApplyToWindow(m_window, true);

    m_savedMouseDown = m_picture.OnMouseDown;
    m_picture.OnMouseDown = [this](const MouseEvent &event) { MouseDown(event); };
    m_applied = true;
}

void ShapedForm::MouseDown(const MouseEvent &event)
{
    if (event.button == 0) {
        // The window manager moves the window with the mouse until the button is released; the
        // send returns after that.
        ReleaseCapture();
        SendMessageA(m_window, WM_NCLBUTTONDOWN, HTCAPTION, 0);
    }
    // Copied first: the handler may replace the picture's handlers.
    const SkPicture::MouseHandler saved = m_savedMouseDown;
    if (saved)
        saved(event);
}
