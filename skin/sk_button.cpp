#include "skin/sk_button.h"

SkButton::SkButton(HWND parent, int left, int top, const SkWindowShape &shape)
    : SkButton(parent, left, top, "SkButton", shape)
{
}

SkButton::SkButton(HWND parent, int left, int top, const char *className,
                   const SkWindowShape &shape)
    : SkCustomControl(parent, left, top, className, 0, false, 4, shape), Appearance(*this, 0)
{
}

namespace {

// The window property that carries a window's modal result, by an atom
// added once, so that setting it on many windows adds no atoms.
const char *modalResultProperty()
{
    static const ATOM atom = GlobalAddAtomA("SkModalResult");
    return MAKEINTATOM(atom);
}

} // namespace

void SkButton::Click()
{
    if (const HWND window = GetAncestor(Handle(), GA_ROOT))
        SetPropA(window, modalResultProperty(),
                 reinterpret_cast<HANDLE>(static_cast<INT_PTR>(ModalResult)));
    SkCustomControl::Click();
}

int SkButton::ModalResultOf(HWND window)
{
    return static_cast<int>(reinterpret_cast<INT_PTR>(GetPropA(window, modalResultProperty())));
}

void SkButton::KeyPress(char &key)
{
    SkCustomControl::KeyPress(key);
    if (key == ' ')
        Click();
}
