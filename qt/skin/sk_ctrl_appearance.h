#pragma once

#include <QImage>

class SkCustomControl;

// The link from an appearance object to the control whose state bitmaps it names.
class SkCtrlAppearance
{
public:
    explicit SkCtrlAppearance(SkCustomControl *control) : m_control(control) {}
    virtual ~SkCtrlAppearance() = default;
    SkCtrlAppearance(const SkCtrlAppearance &) = delete;
    SkCtrlAppearance &operator=(const SkCtrlAppearance &) = delete;

    SkCustomControl *control() const { return m_control; }

protected:
    // The control's live state bitmap at index.
    const QImage &bitmap(int index) const;
    // The control's SetBitmap: copies the bitmap into state index.
    void setBitmap(const QImage &bitmap, int index);
    // Copies the bitmap into state index, leaving the transparent colour alone.
    void fillBitmap(const QImage &bitmap, int index);

private:
    SkCustomControl *m_control;
};
