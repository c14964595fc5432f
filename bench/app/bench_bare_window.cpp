// A bare Win32 program: one plain window, shown at once, and a message loop until it is
// closed. bench_startup times its start against Vesperin's. Two more builds of it serve as
// references:
//   BENCH_COMMON_CONTROLS  it also loads common controls 6, which its manifest asks for,
//                          before its window;
//   BENCH_WINDOW_SET       it also makes, hidden, the windows Vesperin makes before its
//                          panel shows, as many of each system class (plain windows stand
//                          for the skinned controls), and shows the one that stands for the
//                          panel: what the window system alone charges for them. It marks
//                          its phases as a benchmark build of Vesperin does, so that each of
//                          Vesperin's phases can be set beside the windows it makes.
#include <windows.h>

#if defined(BENCH_COMMON_CONTROLS) || defined(BENCH_WINDOW_SET)
#include <commctrl.h>
#endif
#ifdef BENCH_WINDOW_SET
#include "app/windows/startup_phases.h"
#endif

#include <initializer_list>

namespace {

const char WindowClass[] = "BenchBareWindow";

LRESULT CALLBACK bareWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

#ifdef BENCH_WINDOW_SET

// Children of one class in a window of Vesperin's: labels, edit fields, drop-down lists,
// plain buttons, the track list, and the skinned controls and pictures.
struct Children
{
    const char *className;
    DWORD style;
    int count;
};

const Children Label{"STATIC", SS_NOPREFIX, 0};
const Children Edit{"EDIT", ES_AUTOHSCROLL, 0};
const Children DropDown{"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL, 0};
const Children Button{"BUTTON", BS_PUSHBUTTON, 0};
const Children List{WC_LISTVIEWA, LVS_REPORT, 0};
const Children Skinned{WindowClass, 0, 0};

Children times(Children kind, int count)
{
    kind.count = count;
    return kind;
}

HWND topLevel(HINSTANCE instance, const char *caption, HWND owner,
              std::initializer_list<Children> children)
{
    const HWND window = CreateWindowExA(WS_EX_CONTROLPARENT, WindowClass, caption,
                                        WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 272,
                                        80, 336, 470, owner, nullptr, instance, nullptr);
    for (const Children &kind : children)
        for (int index = 0; index < kind.count; ++index)
            CreateWindowExA(0, kind.className,
                            "Alarm Time:", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | kind.style,
                            index, index, 60, 14, window, nullptr, instance, nullptr);
    return window;
}

// The task bar entry, the panel, the three dialogs with their controls and the tooltip.
HWND createWindowSet(HINSTANCE instance)
{
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&classes);
    const HWND entry =
        CreateWindowExA(0, WindowClass, "bench entry", WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0,
                        0, 0, nullptr, nullptr, instance, nullptr);
    const HWND panel = topLevel(instance, "bench bare window", entry,
                                {times(Label, 21), times(Skinned, 8), times(Button, 7)});
    StartupPhases::mark("panel");
    topLevel(instance, "bench alarm time", panel,
             {times(Label, 13), times(Edit, 2), times(Skinned, 17)});
    StartupPhases::mark("alarm-time-dialog");
    topLevel(instance, "bench options", panel,
             {times(Label, 8), times(Edit, 1), times(DropDown, 2), times(Skinned, 8)});
    StartupPhases::mark("options-dialog");
    topLevel(instance, "bench music", panel,
             {times(Label, 4), times(DropDown, 1), times(List, 1), times(Skinned, 6)});
    StartupPhases::mark("music-dialog");
    CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, panel, nullptr,
                    instance, nullptr);
    return panel;
}

#endif

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
#ifdef BENCH_WINDOW_SET
    StartupPhases::mark("WinMain");
#endif
#ifdef BENCH_COMMON_CONTROLS
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&classes);
#endif
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = bareWindowProc;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = WindowClass;
    RegisterClassA(&windowClass);
#ifdef BENCH_WINDOW_SET
    HWND window = createWindowSet(instance);
#else
    HWND window = CreateWindowExA(0, WindowClass, "bench bare window", WS_OVERLAPPEDWINDOW, 100,
                                  100, 330, 443, nullptr, nullptr, instance, nullptr);
#endif
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
#ifdef BENCH_WINDOW_SET
    StartupPhases::mark("shown");
#endif
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
