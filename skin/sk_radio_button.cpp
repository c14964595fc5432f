#include "skin/sk_radio_button.h"

#include "skin/sk_accessible.h"

#include <cstring>

SkRadioButton::SkRadioButton(HWND parent, int left, int top, const SkWindowShape &shape)
    : SkRadioButton(parent, left, top, "SkRadioButton", shape)
{
}

SkRadioButton::SkRadioButton(HWND parent, int left, int top, const char *className,
                             const SkWindowShape &shape)
    : SkCustomControl(parent, left, top, className, CS_DBLCLKS, false, 8, shape), Appearance(*this)
{
}

void SkRadioButton::SetChecked(bool value)
{
    if (value)
        ExcludeOther();
    m_checked = value;
    ShowRadioBtnBmp(CurrentState() % 4);
    notifyAccessibleState();
}

int SkRadioButton::Substitute(int index) const
{
    return index % 4 != 0 ? index - index % 4 : 0;
}

void SkRadioButton::Click()
{
    SetChecked(true);
    SkCustomControl::Click();
}

void SkRadioButton::DblClick()
{
    SetChecked(true);
    SkCustomControl::DblClick();
}

void SkRadioButton::KeyPress(char &key)
{
    SkCustomControl::KeyPress(key);
    if (key == ' ')
        Click();
}

bool SkRadioButton::IsExclusiveType(HWND control) const
{
    char name[32] = {};
    GetClassNameA(control, name, sizeof name);
    return std::strcmp(name, "SkRadioButton") == 0;
}

void SkRadioButton::ExcludeOther()
{
    HWND parent = GetParent(Handle());
    if (!parent)
        return;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (child != Handle() && IsExclusiveType(child))
            SendMessageA(child, BM_SETCHECK, BST_UNCHECKED, 0);
    }
}

void SkRadioButton::BitmapChanged(int index)
{
    const int target = Substitute(CurrentState());
    if (target != 0 && index == target)
        ShowBitmap(CurrentState());
    SkCustomControl::BitmapChanged(index);
}

bool SkRadioButton::LoadChecked(const std::string &folder, const std::string &raised,
                                const std::string &sunken, const std::string &focused,
                                const std::string &disabled)
{
    return Appearance.Check.LoadFromFiles(folder, raised, sunken, focused, disabled);
}

bool SkRadioButton::LoadUnchecked(const std::string &folder, const std::string &raised,
                                  const std::string &sunken, const std::string &focused,
                                  const std::string &disabled)
{
    return Appearance.Uncheck.LoadFromFiles(folder, raised, sunken, focused, disabled);
}

int SkRadioButton::accessibleRole() const
{
    return SkAccessible::kRadioButton;
}

LRESULT SkRadioButton::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case BM_GETCHECK:
        return m_checked ? BST_CHECKED : BST_UNCHECKED;
    case BM_SETCHECK:
        SetChecked(wParam == BST_CHECKED);
        return 0;
    default:
        return SkCustomControl::handleMessage(message, wParam, lParam);
    }
}
