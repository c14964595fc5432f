#include "skin/sk_ctrl_appearance.h"

#include "skin/sk_custom_control.h"

HBITMAP SkCtrlAppearance::GetBitmap(int index) const
{
    return m_control.StateBitmap(index);
}

void SkCtrlAppearance::SetBitmap(HBITMAP bitmap, int index)
{
    m_control.SetBitmap(bitmap, index);
}

void SkCtrlAppearance::FillBitmap(HBITMAP bitmap, int index)
{
    m_control.SetStateBitmap(index, bitmap);
}
