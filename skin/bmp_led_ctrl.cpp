#include "skin/bmp_led_ctrl.h"

#include "skin/shown_repaint.h"

#include "skin/dib.h"
#include "skin/skin_assert.h"

namespace {

int checkedCount(int stateCount)
{
    SKIN_ASSERT(stateCount > 0);
    return stateCount;
}

} // namespace

TBmpLEDCtrl::TBmpLEDCtrl(HWND host, int stateCount)
    : m_host(host), m_bitmaps(static_cast<size_t>(checkedCount(stateCount)))
{
    m_changeHandler = [this](int index) { bitmapChanged(index); };
}

void TBmpLEDCtrl::checkIndex(int index) const
{
    SKIN_ASSERT(index >= 0);
    // The condition is printed as written: keep its spacing.
    // clang-format off
    SKIN_ASSERT(index < (int) m_bitmaps.size());
    // clang-format on
}

HBITMAP TBmpLEDCtrl::Bitmap(int index) const
{
    checkIndex(index);
    return m_bitmaps[static_cast<size_t>(index)].get();
}

bool TBmpLEDCtrl::IsEmpty(int index) const
{
    return dib::isEmpty(Bitmap(index));
}

void TBmpLEDCtrl::SetBitmap(int index, HBITMAP bitmap)
{
    checkIndex(index);
    m_bitmaps[static_cast<size_t>(index)].reset(bitmap);
    if (m_changeHandler)
        m_changeHandler(index);
}

void TBmpLEDCtrl::SetState(int state)
{
    if (state == m_state)
        return;
    SKIN_ASSERT(state >= 0 && state < StateCount());
    m_state = state;
    showCurrent();
}

void TBmpLEDCtrl::Redraw()
{
    SKIN_ASSERT(m_state >= 0 && m_state < StateCount());
    showCurrent();
}

HBITMAP TBmpLEDCtrl::Surface() const
{
    if (m_surfaceStale)
        copyCurrentToSurface();
    return m_surface.get();
}

void TBmpLEDCtrl::showCurrent()
{
    if (!IsWindowVisible(m_host)) {
        m_surfaceStale = true;
        return;
    }
    copyCurrentToSurface();
    InvalidateRect(m_host, nullptr, FALSE);
}

void TBmpLEDCtrl::copyCurrentToSurface() const
{
    m_surfaceStale = false;
    HBITMAP current = m_bitmaps[static_cast<size_t>(m_state)].get();
    if (!current || !m_surface)
        return;
    const SIZE size = dib::size(current);
    MemoryDC source;
    MemoryDC target;
    SelectedObject selectedSource(source.get(), current);
    SelectedObject selectedTarget(target.get(), m_surface.get());
    BitBlt(target.get(), 0, 0, size.cx, size.cy, source.get(), 0, 0, SRCCOPY);
}

void TBmpLEDCtrl::Resize(int width, int height)
{
    if (width == m_width && height == m_height)
        return;
    // The new surface starts white; what the old one showed is kept where it still fits.
    BitmapHandle surface(dib::create24(width, height));
    if (surface && m_surface) {
        MemoryDC source;
        MemoryDC target;
        SelectedObject selectedSource(source.get(), m_surface.get());
        SelectedObject selectedTarget(target.get(), surface.get());
        BitBlt(target.get(), 0, 0, m_width, m_height, source.get(), 0, 0, SRCCOPY);
    }
    m_surface = std::move(surface);
    m_width = m_surface ? width : 0;
    m_height = m_surface ? height : 0;
    ShownRepaint::invalidate(m_host, FALSE);
}

void TBmpLEDCtrl::PaintTo(HDC dc) const
{
    const HBITMAP surface = Surface();
    if (!surface)
        return;
    MemoryDC source;
    SelectedObject selected(source.get(), surface);
    BitBlt(dc, 0, 0, m_width, m_height, source.get(), 0, 0, SRCCOPY);
}

void TBmpLEDCtrl::bitmapChanged(int index)
{
    if (index == m_state)
        Redraw();
}
