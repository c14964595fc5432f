#pragma once

#include <windows.h>

class SkCustomControl;

// Links an appearance (a group of state bitmaps) to its control.
class SkCtrlAppearance
{
public:
    explicit SkCtrlAppearance(SkCustomControl &control) : m_control(control) {}
    SkCtrlAppearance(const SkCtrlAppearance &) = delete;
    SkCtrlAppearance &operator=(const SkCtrlAppearance &) = delete;
    virtual ~SkCtrlAppearance() = default;

protected:
    // The control's live state bitmap at index.
    HBITMAP GetBitmap(int index) const;
    // Copies the bitmap (not owned) into the control's state index.
    void SetBitmap(HBITMAP bitmap, int index);
    // Takes the bitmap (owned) as the control's state index; the transparent colour stays.
    void FillBitmap(HBITMAP bitmap, int index);

private:
    SkCustomControl &m_control;
};
