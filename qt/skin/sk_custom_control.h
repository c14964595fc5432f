#pragma once

#include "qt/skin/bmp_led_ctrl.h"
#include "qt/skin/sk_control.h"
#include "qt/skin/win_region.h"

#include <QColor>
#include <QImage>

// A skinned control drawn from state bitmaps. State 0 is the raised look; the subclass says
// which state each look uses (ShowBitmap) and where an empty state bitmap falls back to
// (Substitute). State 0 is shown even when empty.
//
// The control always has its raised bitmap's size: once state bitmap 0 is set, the control's
// size is locked to it (QWidget::setFixedSize), so resize and setGeometry keep it. With
// Transparent set, the control's outline is the raised bitmap minus its pixels of
// TransparentColor: it paints and takes the mouse only there, and clicks elsewhere go to what
// lies beneath. With Transparent clear (the default) the whole rectangle is the control.
//
// Bitmaps arrive in one of two ways. A window built from its layout fills each live state
// bitmap with FillStateBitmap (or an appearance's Fill* operations) after setting
// TransparentColor, which then keeps its value. SetBitmap (and the appearances' Set*Bmp) also
// takes the raised bitmap's transparent colour (its bottom-left pixel) as TransparentColor.
class SkCustomControl : public SkControl
{
    Q_OBJECT
public:
    SkCustomControl(QWidget *parent, bool clicksDisabled, int stateCount);
    ~SkCustomControl() override;

    // Shows state index, or the state it falls back to through Substitute while its bitmap is
    // empty. CurrentState keeps the state asked for.
    virtual void ShowBitmap(int index);
    // The state an empty state bitmap falls back to.
    virtual int Substitute(int index) const;

    bool Transparent() const { return m_display.transparent(); }
    virtual void SetTransparent(bool value);
    QColor TransparentColor() const { return m_display.transparentColor(); }
    virtual void SetTransparentColor(QColor colour);

    void ShowRaised() override { ShowBitmap(0); }
    bool HitTest(int x, int y) const override;

    // Copies the bitmap into state index; for state 0 it first takes the bitmap's bottom-left
    // pixel as the transparent colour (the outline is rebuilt when the bitmap arrives).
    void SetBitmap(const QImage &bitmap, int index);
    // Copies the bitmap into state index and leaves TransparentColor as it is.
    void FillStateBitmap(int index, const QImage &bitmap);
    const QImage &StateBitmap(int index) const { return m_display.Bitmap(index); }
    int StateCount() const { return m_display.StateCount(); }

    // The state last asked for, before the fallback of empty bitmaps.
    int CurrentState() const { return m_requestedState; }
    // The state whose bitmap is shown.
    int shownState() const { return m_display.State(); }
    // The surface the control paints from; subclasses draw on it (captions).
    QImage &SurfaceCanvas() { return m_display.surface(); }
    const QImage &surface() const { return m_display.surface(); }
    const WinRegion &outline() const { return m_outline; }

    // Copies the current state's bitmap onto the surface again and repaints.
    virtual void Repaint();

    QSize sizeHint() const override;

protected:
    // Runs whenever a state bitmap changes. Subclasses that override it call this one last.
    virtual void BitmapChanged(int index);
    void UpdateOutline();
    TBmpLEDCtrl &display() { return m_display; }

    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    TBmpLEDCtrl m_display;
    int m_requestedState = 0;
    WinRegion m_outline;
    TBmpLEDCtrl::ChangeHandler m_savedBitmapChange;
};
