#pragma once

#include "skin/sk_ctrl_appearance.h"

#include <string>

// Four state bitmaps of a control starting at a base index: raised, sunken, focused, disabled.
// Reading gives the control's live bitmap; Set*Bmp copies the given one into that state.
class SkFourStateAppearance : public SkCtrlAppearance
{
public:
    SkFourStateAppearance(SkCustomControl &control, int base)
        : SkCtrlAppearance(control), m_base(base)
    {
    }

    int Base() const { return m_base; }
    HBITMAP RaisedBmp() const { return GetBitmap(m_base); }
    HBITMAP SunkenBmp() const { return GetBitmap(m_base + 1); }
    HBITMAP FocusedBmp() const { return GetBitmap(m_base + 2); }
    HBITMAP DisabledBmp() const { return GetBitmap(m_base + 3); }
    void SetRaisedBmp(HBITMAP bitmap) { SetBitmap(bitmap, m_base); }
    void SetSunkenBmp(HBITMAP bitmap) { SetBitmap(bitmap, m_base + 1); }
    void SetFocusedBmp(HBITMAP bitmap) { SetBitmap(bitmap, m_base + 2); }
    void SetDisabledBmp(HBITMAP bitmap) { SetBitmap(bitmap, m_base + 3); }
    // Takes the bitmap (owned) as look 0 to 3 of this group; the transparent colour stays.
    void Fill(int look, HBITMAP bitmap) { FillBitmap(bitmap, m_base + look); }

    // Copies the other's four bitmaps: raised, sunken, focused, disabled.
    void Assign(const SkFourStateAppearance &other);

    // Loads the named bitmap files (empty names are skipped) from the folder. A file that cannot
    // be read makes it return false before anything is changed.
    bool LoadFromFiles(std::string folder, const std::string &raised, const std::string &sunken,
                       const std::string &focused, const std::string &disabled);

private:
    int m_base;
};
