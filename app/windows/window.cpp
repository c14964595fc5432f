#include "app/windows/window.h"

#include "app/windows/standard_control.h"
#include "app/windows/timer.h"

#include <algorithm>

namespace {

// The program's icon, its resource 1, in the two sizes the window system
// shows: the title bars' and task bar's, and the large one of the task
// switcher.
constexpr WORD ProgramIcon = 1;

HICON sharedIcon(HINSTANCE instance, LPCSTR name, int widthMetric, int heightMetric)
{
    return static_cast<HICON>(LoadImageA(instance, name, IMAGE_ICON, GetSystemMetrics(widthMetric),
                                         GetSystemMetrics(heightMetric), LR_SHARED));
}

struct ClassIcons
{
    HICON large;
    HICON small;
};

// Loaded once and shared by every window class. A class given no small
// icon has the window system scale the large one anew at each
// registration, which under Wine cost every window class about 3 ms of the
// start. A program without the icon shows the system's application icon.
const ClassIcons &classIcons()
{
    static const ClassIcons icons = [] {
        const HINSTANCE instance = GetModuleHandleA(nullptr);
        const LPCSTR own = MAKEINTRESOURCEA(ProgramIcon);
        ClassIcons loaded{sharedIcon(instance, own, SM_CXICON, SM_CYICON),
                          sharedIcon(instance, own, SM_CXSMICON, SM_CYSMICON)};
        if (!loaded.large || !loaded.small) {
            const LPCSTR system = reinterpret_cast<LPCSTR>(IDI_APPLICATION);
            loaded = {sharedIcon(nullptr, system, SM_CXICON, SM_CYICON),
                      sharedIcon(nullptr, system, SM_CXSMICON, SM_CYSMICON)};
        }
        return loaded;
    }();
    return icons;
}

void registerClass(const char *name, WNDPROC procedure)
{
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExA(instance, name, &existing))
        return;
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hIcon = classIcons().large;
    windowClass.hIconSm = classIcons().small;
    // The pictures cover every window; what they leave is the dialog colour.
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = name;
    RegisterClassExA(&windowClass);
}

} // namespace

Window::~Window()
{
    destroyControls();
    if (m_handle)
        DestroyWindow(m_handle);
}

void Window::destroyControls()
{
    // Newest first, so that no control outlives one made before it.
    while (!m_controls.empty())
        m_controls.pop_back();
}

void Window::create(const Frame &frame)
{
    registerClass(frame.className, &procedure);
    RECT outer{0, 0, frame.clientWidth, frame.clientHeight};
    AdjustWindowRectEx(&outer, frame.style, FALSE, frame.exStyle);
    CreateWindowExA(frame.exStyle, frame.className, frame.caption, frame.style, frame.left,
                    frame.top, outer.right - outer.left, outer.bottom - outer.top, frame.owner,
                    nullptr, GetModuleHandleA(nullptr), this);
}

Window *Window::fromHandle(HWND handle)
{
    if (!handle ||
        GetWindowLongPtrA(handle, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(&procedure))
        return nullptr;
    return reinterpret_cast<Window *>(GetWindowLongPtrA(handle, GWLP_USERDATA));
}

LRESULT CALLBACK Window::procedure(HWND handle, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        const auto *creation = reinterpret_cast<const CREATESTRUCTA *>(lParam);
        auto *created = static_cast<Window *>(creation->lpCreateParams);
        created->m_handle = handle;
        SetWindowLongPtrA(handle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
    }
    auto *window = reinterpret_cast<Window *>(GetWindowLongPtrA(handle, GWLP_USERDATA));
    if (!window)
        return DefWindowProcA(handle, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(handle, GWLP_USERDATA, 0);
        window->m_handle = nullptr;
        return DefWindowProcA(handle, message, wParam, lParam);
    }
    return window->handleMessage(message, wParam, lParam);
}

LRESULT Window::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        if (auto *control = StandardControl::fromHandle(reinterpret_cast<HWND>(lParam))) {
            control->command(HIWORD(wParam));
            return 0;
        }
        break;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
        if (auto *control = StandardControl::fromHandle(reinterpret_cast<HWND>(lParam))) {
            if (const HBRUSH brush = control->colour(reinterpret_cast<HDC>(wParam)))
                return reinterpret_cast<LRESULT>(brush);
        }
        break;
    case WM_TIMER:
        for (Timer *timer : m_timers) {
            if (timer->id() == wParam) {
                timer->fire();
                return 0;
            }
        }
        break;
    case WM_DESTROY:
        // The controls' windows still exist here: their objects go first.
        destroyControls();
        break;
    default:
        break;
    }
    return DefWindowProcA(m_handle, message, wParam, lParam);
}

void Window::Show()
{
    ShowWindow(m_handle, SW_SHOW);
}

void Window::Hide()
{
    ShowWindow(m_handle, SW_HIDE);
}

bool Window::Visible() const
{
    return m_handle && (GetWindowLongPtrA(m_handle, GWL_STYLE) & WS_VISIBLE) != 0;
}

namespace {

RECT outerRect(HWND handle)
{
    RECT rect{};
    GetWindowRect(handle, &rect);
    return rect;
}

} // namespace

int Window::Left() const
{
    return outerRect(m_handle).left;
}

int Window::Top() const
{
    return outerRect(m_handle).top;
}

int Window::Width() const
{
    const RECT rect = outerRect(m_handle);
    return rect.right - rect.left;
}

int Window::Height() const
{
    const RECT rect = outerRect(m_handle);
    return rect.bottom - rect.top;
}

void Window::Move(int left, int top)
{
    SetWindowPos(m_handle, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
