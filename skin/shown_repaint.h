#pragma once

#include <windows.h>

// Invalidation that leaves out windows nobody can see. A window that is
// hidden itself, or lies in a hidden window, is painted whole when it comes
// to show, so marking parts of it for repainting first changes nothing on
// the screen; under Wine each mark is a round trip to the window server,
// and the hidden dialogs, built at the start, would make hundreds of them.
// IsWindowVisible walks the parents in the process's own copy of the
// window tree, without a round trip.
namespace ShownRepaint {

inline void invalidate(HWND window, BOOL erase)
{
    if (IsWindowVisible(window))
        InvalidateRect(window, nullptr, erase);
}

inline void redraw(HWND window, const RECT *area, UINT flags)
{
    if (IsWindowVisible(window))
        RedrawWindow(window, area, nullptr, flags);
}

} // namespace ShownRepaint
