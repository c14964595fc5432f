#include "app/windows/plain_button.h"

PlainButton::PlainButton(HWND parent, Kind kind, const std::string &text, int left, int top,
                         int width, int height)
    : StandardControl(parent, "BUTTON", text.c_str(),
                      kind == Kind::Push ? (WS_TABSTOP | BS_PUSHBUTTON) : BS_GROUPBOX, left, top,
                      width, height)
{
}

void PlainButton::Click()
{
    SendMessageA(Handle(), BM_CLICK, 0, 0);
}

void PlainButton::command(WORD code)
{
    if (code == BN_CLICKED && OnClick)
        OnClick();
}
