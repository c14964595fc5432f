#pragma once

#include <windows.h>

#include <oleacc.h>

// The few functions of oleacc.dll and oleaut32.dll that the accessible
// objects of the skinned controls use, bound when a screen reader first asks
// for one. Most starts are never asked, and the two libraries (with what they
// load in turn) would otherwise be loaded and set up before the program's
// first window. Where a library cannot be loaded, each function fails as its
// own would: no answer, E_FAIL, no string.
namespace OleAccessibility {

LRESULT lresultFromObject(REFIID interfaceId, WPARAM wParam, LPUNKNOWN object);
HRESULT accessibleObjectFromWindow(HWND window, DWORD objectId, REFIID interfaceId, void **object);
BSTR sysAllocStringLen(const OLECHAR *text, UINT length);
BSTR sysAllocString(const OLECHAR *text);

} // namespace OleAccessibility
