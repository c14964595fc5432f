#pragma once

#include "skin/win_region.h"

#include <windows.h>

// The plain way of building a bitmap's outline: the full rectangle, then every horizontal run of
// transparent pixels subtracted one by one through a temporary region. Slow (a region call per
// run) but obviously right: WinRegion::FromBitmap must give exactly this region.
void RunSubtractionRegion(HBITMAP bitmap, COLORREF colour, WinRegion &region);
