#include "skin/ole_accessibility.h"

#include <string>

namespace {

// A library of the system folder, loaded at the first call that needs it
// (never from the program's own folder, where another could have been put).
HMODULE systemLibrary(const char *file)
{
    if (const HMODULE loaded = GetModuleHandleA(file))
        return loaded;
    char folder[MAX_PATH];
    const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return nullptr;
    const std::string path = std::string(folder, length) + "\\" + file;
    return LoadLibraryA(path.c_str());
}

// A function of such a library, looked up once; null when either is missing.
template <typename Function> Function bound(const char *file, const char *name)
{
    const HMODULE module = systemLibrary(file);
    const FARPROC found = module ? GetProcAddress(module, name) : nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void *>(found));
}

using LresultFromObjectFunction = LRESULT(WINAPI *)(REFIID, WPARAM, LPUNKNOWN);
using AccessibleObjectFromWindowFunction = HRESULT(WINAPI *)(HWND, DWORD, REFIID, void **);
using SysAllocStringLenFunction = BSTR(WINAPI *)(const OLECHAR *, UINT);
using SysAllocStringFunction = BSTR(WINAPI *)(const OLECHAR *);

} // namespace

namespace OleAccessibility {

LRESULT lresultFromObject(REFIID interfaceId, WPARAM wParam, LPUNKNOWN object)
{
    static const auto function =
        bound<LresultFromObjectFunction>("oleacc.dll", "LresultFromObject");
    return function ? function(interfaceId, wParam, object) : 0;
}

HRESULT accessibleObjectFromWindow(HWND window, DWORD objectId, REFIID interfaceId, void **object)
{
    static const auto function =
        bound<AccessibleObjectFromWindowFunction>("oleacc.dll", "AccessibleObjectFromWindow");
    if (!function) {
        if (object)
            *object = nullptr;
        return E_FAIL;
    }
    return function(window, objectId, interfaceId, object);
}

BSTR sysAllocStringLen(const OLECHAR *text, UINT length)
{
    static const auto function =
        bound<SysAllocStringLenFunction>("oleaut32.dll", "SysAllocStringLen");
    return function ? function(text, length) : nullptr;
}

BSTR sysAllocString(const OLECHAR *text)
{
    static const auto function = bound<SysAllocStringFunction>("oleaut32.dll", "SysAllocString");
    return function ? function(text) : nullptr;
}

} // namespace OleAccessibility
