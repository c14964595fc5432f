#include "skin/sk_button_tx.h"

#include "skin/shown_repaint.h"

#include "skin/gdi_handle.h"

namespace {

// A colour of the layouts: a plain RGB value, or a system colour (top bit set, index in the
// lowest byte).
COLORREF plainColour(COLORREF colour)
{
    if (colour & 0x80000000u)
        return GetSysColor(static_cast<int>(colour & 0xFF));
    return colour & 0xFFFFFF;
}

constexpr COLORREF kWindowText = 0x80000000u | COLOR_WINDOWTEXT;
constexpr COLORREF kGrayText = 0x80000000u | COLOR_GRAYTEXT;

} // namespace

SkButtonTx::SkButtonTx(HWND parent, int left, int top, const SkWindowShape &shape)
    : SkButton(parent, left, top, "SkButtonTx", shape), m_fontColor(kWindowText)
{
    FontColors.OnChange = [this](SkCtrlFontColor &) { DoRepaint(); };
}

void SkButtonTx::SetText(const std::string &text)
{
    const std::string nameBefore = accessibleText();
    m_caption = text;
    SetWindowTextA(Handle(), text.c_str());
    DoRepaint();
    notifyAccessibleState();
    // The caption is the name a screen reader says, unless one was given.
    if (accessibleText() != nameBefore)
        notifyAccessibleName();
}

void SkButtonTx::SetFont(HFONT font)
{
    m_font = font;
    DoRepaint();
}

void SkButtonTx::SetFontColor(COLORREF colour)
{
    m_fontColor = colour;
    DoRepaint();
}

void SkButtonTx::SetDisp(int x, int y)
{
    m_dispX = x;
    m_dispY = y;
}

void SkButtonTx::SetTextBounds(int left, int top, int width, int height)
{
    m_textRect = RECT{left, top, left + width, top + height};
    DoRepaint();
}

void SkButtonTx::SetBounds(int left, int top, int width, int height)
{
    SkButton::SetBounds(left, top, width, height);
    // The caption area is the whole control as it ended up: a control held at its raised
    // bitmap's size centres its caption on that bitmap, not on the size asked for.
    SetTextBounds(0, 0, Width(), Height());
}

void SkButtonTx::ShowBitmap(int index)
{
    SkButton::ShowBitmap(index);
    DoRepaint();
}

void SkButtonTx::ShowSunken()
{
    m_sunkenPending = true;
    SkButton::ShowSunken();
}

COLORREF SkButtonTx::GetFontColorOfCurState() const
{
    COLORREF colour = m_fontColor;
    switch (CurrentState()) {
    case 1:
        colour = FontColors.Sunken();
        break;
    case 2:
        colour = FontColors.Focused();
        break;
    case 3:
        colour =
            FontColors.Disabled() == SkCtrlFontColor::kNotSet ? kGrayText : FontColors.Disabled();
        break;
    default:
        break;
    }
    if (colour == SkCtrlFontColor::kNotSet)
        colour = m_fontColor;
    return plainColour(colour);
}

void SkButtonTx::DoRepaint()
{
    display().Redraw();
    DrawText();
    ShownRepaint::invalidate(Handle(), FALSE);
}

void SkButtonTx::DrawText()
{
    RECT rect = m_textRect;
    if (m_sunkenPending) {
        m_sunkenPending = false;
        rect.left += m_dispX;
        rect.top += m_dispY;
    }
    // Asked for only with a caption to draw: the surface is brought up to
    // date when it is asked for.
    if (m_caption.empty() || !SurfaceCanvas())
        return;
    HFONT font = m_font;
    if (!font)
        font = reinterpret_cast<HFONT>(SendMessageA(GetParent(Handle()), WM_GETFONT, 0, 0));
    if (!font)
        font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    MemoryDC canvas;
    SelectedObject surface(canvas.get(), SurfaceCanvas());
    SelectedObject selectedFont(canvas.get(), font);
    SetBkMode(canvas.get(), TRANSPARENT);
    SetTextColor(canvas.get(), GetFontColorOfCurState());
    ::DrawTextA(canvas.get(), m_caption.c_str(), -1, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}
