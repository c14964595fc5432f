#pragma once

#include "qt/skin/sk_ctrl_appearance.h"

#include <QString>

// Four state bitmaps of a control, from a base index: raised, sunken, focused, disabled.
class SkFourStateAppearance : public SkCtrlAppearance
{
public:
    SkFourStateAppearance(SkCustomControl *control, int base)
        : SkCtrlAppearance(control), m_base(base)
    {
    }

    int base() const { return m_base; }

    // Reading gives the control's live bitmap; Set* copies the bitmap in through the control's
    // SetBitmap, Fill* as a window layout does (the transparent colour stays as set).
    const QImage &RaisedBmp() const { return bitmap(m_base); }
    const QImage &SunkenBmp() const { return bitmap(m_base + 1); }
    const QImage &FocusedBmp() const { return bitmap(m_base + 2); }
    const QImage &DisabledBmp() const { return bitmap(m_base + 3); }
    void SetRaisedBmp(const QImage &bmp) { setBitmap(bmp, m_base); }
    void SetSunkenBmp(const QImage &bmp) { setBitmap(bmp, m_base + 1); }
    void SetFocusedBmp(const QImage &bmp) { setBitmap(bmp, m_base + 2); }
    void SetDisabledBmp(const QImage &bmp) { setBitmap(bmp, m_base + 3); }
    void FillRaisedBmp(const QImage &bmp) { fillBitmap(bmp, m_base); }
    void FillSunkenBmp(const QImage &bmp) { fillBitmap(bmp, m_base + 1); }
    void FillFocusedBmp(const QImage &bmp) { fillBitmap(bmp, m_base + 2); }
    void FillDisabledBmp(const QImage &bmp) { fillBitmap(bmp, m_base + 3); }

    // Copies the other appearance's four bitmaps: raised, sunken, focused, disabled.
    void Assign(const SkFourStateAppearance &other);

    // Loads the bitmaps named (an empty name leaves that bitmap as it is) from the folder and
    // copies them in, raised first. A folder not ending in a separator or a drive colon gets
    // one. When a named file cannot be read nothing is changed and the result is false.
    bool LoadFromFiles(const QString &folder, const QString &raised, const QString &sunken,
                       const QString &focused, const QString &disabled);

private:
    int m_base;
};
