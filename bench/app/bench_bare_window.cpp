// A bare Win32 program: one plain window, shown at once, and a message loop until it is
// closed. bench_startup times its start against Vesperin's. Built with BENCH_COMMON_CONTROLS
// it also loads common controls 6, which its manifest asks for, before its window.
#include <windows.h>

#ifdef BENCH_COMMON_CONTROLS
#include <commctrl.h>
#endif

namespace {

LRESULT CALLBACK bareWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
#ifdef BENCH_COMMON_CONTROLS
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&classes);
#endif
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = bareWindowProc;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = "BenchBareWindow";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, "BenchBareWindow", "bench bare window", WS_OVERLAPPEDWINDOW,
                                  100, 100, 330, 443, nullptr, nullptr, instance, nullptr);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
