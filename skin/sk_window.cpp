#include "skin/sk_window.h"

SkWindow::~SkWindow()
{
    if (m_hwnd) {
        // The object is going: messages sent while the window is destroyed go to the default
        // handling only.
        SetWindowLongPtrA(m_hwnd, GWLP_USERDATA, 0);
        DestroyWindow(m_hwnd);
    }
}

SkWindow *SkWindow::FromHandle(HWND window)
{
    if (!window ||
        GetWindowLongPtrA(window, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(&windowProc))
        return nullptr;
    return reinterpret_cast<SkWindow *>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

void SkWindow::create(const char *className, UINT classStyle, DWORD style, DWORD exStyle,
                      HWND parent, int left, int top, int width, int height)
{
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof existing;
    if (!GetClassInfoExA(instance, className, &existing)) {
        WNDCLASSEXA windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.style = classStyle;
        windowClass.lpfnWndProc = &windowProc;
        windowClass.hInstance = instance;
        windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
        windowClass.lpszClassName = className;
        RegisterClassExA(&windowClass);
    }
    CreateWindowExA(exStyle, className, "", style, left, top, width, height, parent, nullptr,
                    instance, this);
}

LRESULT SkWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(m_hwnd, message, wParam, lParam);
}

LRESULT CALLBACK SkWindow::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto *create = reinterpret_cast<CREATESTRUCTA *>(lParam);
        auto *self = static_cast<SkWindow *>(create->lpCreateParams);
        self->m_hwnd = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto *self = reinterpret_cast<SkWindow *>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self)
        return DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        const LRESULT result = self->handleMessage(message, wParam, lParam);
        self->m_hwnd = nullptr;
        return result;
    }
    return self->handleMessage(message, wParam, lParam);
}
