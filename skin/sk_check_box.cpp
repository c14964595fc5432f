#include "skin/sk_check_box.h"

#include "skin/sk_accessible.h"

SkCheckBox::SkCheckBox(HWND parent, int left, int top, const SkWindowShape &shape)
    : SkCustomControl(parent, left, top, "SkCheckBox", 0, false, 12, shape), Appearance(*this)
{
}

void SkCheckBox::SetState(SkCheckState state)
{
    m_state = state;
    ShowChkboxBmp(CurrentState() % 4);
    notifyAccessibleState();
}

void SkCheckBox::SetChecked(bool value)
{
    SetState(value ? SkCheckState::Checked : SkCheckState::Unchecked);
}

int SkCheckBox::Substitute(int index) const
{
    return index % 4 != 0 ? index - index % 4 : 0;
}

void SkCheckBox::ShowChkboxBmp(int look)
{
    switch (m_state) {
    case SkCheckState::Checked:
        ShowBitmap(look + 4);
        break;
    case SkCheckState::Grayed:
        ShowBitmap(look + 8);
        break;
    default:
        ShowBitmap(look);
        break;
    }
}

void SkCheckBox::Click()
{
    switch (m_state) {
    case SkCheckState::Unchecked:
        SetState(m_allowGrayed ? SkCheckState::Grayed : SkCheckState::Checked);
        break;
    case SkCheckState::Checked:
        SetState(SkCheckState::Unchecked);
        break;
    case SkCheckState::Grayed:
        SetState(SkCheckState::Checked);
        break;
    }
    SkCustomControl::Click();
}

void SkCheckBox::KeyPress(char &key)
{
    SkCustomControl::KeyPress(key);
    if (key == ' ')
        Click();
}

void SkCheckBox::BitmapChanged(int index)
{
    // The bitmap a look falls back to changed: the fallback is looked at again.
    const int target = Substitute(CurrentState());
    if (target != 0 && index == target)
        ShowBitmap(CurrentState());
    SkCustomControl::BitmapChanged(index);
}

bool SkCheckBox::LoadChecked(const std::string &folder, const std::string &raised,
                             const std::string &sunken, const std::string &focused,
                             const std::string &disabled)
{
    return Appearance.Check.LoadFromFiles(folder, raised, sunken, focused, disabled);
}

bool SkCheckBox::LoadUnchecked(const std::string &folder, const std::string &raised,
                               const std::string &sunken, const std::string &focused,
                               const std::string &disabled)
{
    return Appearance.Uncheck.LoadFromFiles(folder, raised, sunken, focused, disabled);
}

bool SkCheckBox::LoadGrayed(const std::string &folder, const std::string &raised,
                            const std::string &sunken, const std::string &focused,
                            const std::string &disabled)
{
    return Appearance.Gray.LoadFromFiles(folder, raised, sunken, focused, disabled);
}

int SkCheckBox::accessibleRole() const
{
    return SkAccessible::kCheckButton;
}

LRESULT SkCheckBox::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case BM_GETCHECK:
        return static_cast<LRESULT>(m_state);
    case BM_SETCHECK:
        SetState(wParam == BST_CHECKED         ? SkCheckState::Checked
                 : wParam == BST_INDETERMINATE ? SkCheckState::Grayed
                                               : SkCheckState::Unchecked);
        return 0;
    default:
        return SkCustomControl::handleMessage(message, wParam, lParam);
    }
}
