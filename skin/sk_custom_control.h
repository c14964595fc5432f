#pragma once

#include "skin/bmp_led_ctrl.h"
#include "skin/sk_control.h"
#include "skin/win_region.h"

// A skinned control drawn from state bitmaps. State 0 is the raised look; the subclass says which
// state each look uses (ShowBitmap) and where an empty state bitmap falls back to (Substitute).
// State 0 is shown even when empty.
//
// The control always has its raised bitmap's size: once state bitmap 0 is set, any other size
// asked for is replaced by it. With Transparent set, the control's outline is the raised bitmap
// minus its pixels of TransparentColor, installed as its window region: it paints and takes the
// mouse only there, and clicks elsewhere go to what lies beneath. With Transparent clear (the
// default) the whole rectangle is the control.
//
// Bitmaps arrive in one of two ways. A window built from its layout sets TransparentColor and
// then fills each state bitmap with SetStateBitmap, which keeps that colour. SetBitmap (and the
// appearances' Set*Bmp) copies a bitmap and, for state 0, first takes the bitmap's bottom-left
// pixel as TransparentColor.
class SkCustomControl : public SkControl
{
public:
    // Shows state index, or the state it falls back to through Substitute while its bitmap is
    // empty. CurrentState keeps the state asked for.
    virtual void ShowBitmap(int index);
    // The state an empty state bitmap falls back to.
    virtual int Substitute(int index) const;

    bool Transparent() const { return m_display.transparent(); }
    virtual void SetTransparent(bool value);
    COLORREF TransparentColor() const { return m_display.transparentColor(); }
    virtual void SetTransparentColor(COLORREF colour);

    void ShowRaised() override { ShowBitmap(0); }
    bool HitTest(int x, int y) const override;

    // Takes the bitmap (owned; any format, kept as a 24-bit DIB section) as state index;
    // TransparentColor stays as it is.
    void SetStateBitmap(int index, HBITMAP bitmap);
    // Copies the bitmap (not owned) into state index; for state 0 it first takes the bitmap's
    // bottom-left pixel as the transparent colour.
    void SetBitmap(HBITMAP bitmap, int index);
    HBITMAP StateBitmap(int index) const { return m_display.Bitmap(index); }
    int StateCount() const { return m_display.StateCount(); }

    // The state last asked for, before the fallback of empty bitmaps.
    int CurrentState() const { return m_requestedState; }
    // The state whose bitmap is shown.
    int shownState() const { return m_display.State(); }
    // The surface the control paints from; subclasses draw on it (captions).
    HBITMAP SurfaceCanvas() const { return m_display.Surface(); }
    const WinRegion &outline() const { return m_outline; }

    // Copies the current state's bitmap onto the surface again and repaints.
    virtual void Repaint();

protected:
    SkCustomControl(HWND parent, int left, int top, const char *className, UINT classStyle,
                    bool clicksDisabled, int stateCount, const SkWindowShape &shape = {});

    // Runs whenever a state bitmap changes. Subclasses that override it call this one last.
    virtual void BitmapChanged(int index);
    void UpdateOutline();
    TBmpLEDCtrl &display() { return m_display; }

    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void paint();

    TBmpLEDCtrl m_display;
    int m_requestedState = 0;
    WinRegion m_outline;
    // Whether the window is cut to m_outline (a window region is set).
    bool m_windowCut = false;
    TBmpLEDCtrl::ChangeHandler m_savedBitmapChange;
};
