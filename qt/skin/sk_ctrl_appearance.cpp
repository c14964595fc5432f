#include "qt/skin/sk_ctrl_appearance.h"

#include "qt/skin/sk_custom_control.h"

const QImage &SkCtrlAppearance::bitmap(int index) const
{
    return m_control->StateBitmap(index);
}

void SkCtrlAppearance::setBitmap(const QImage &bitmap, int index)
{
    m_control->SetBitmap(bitmap, index);
}

void SkCtrlAppearance::fillBitmap(const QImage &bitmap, int index)
{
    m_control->FillStateBitmap(index, bitmap);
}
