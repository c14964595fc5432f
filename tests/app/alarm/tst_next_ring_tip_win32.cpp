// The next-ring tooltip over real windows: the real mouse over a label that
// answers no hit test shows the tip, whose text is asked for when it shows.

#include "app/alarm/next_ring_tip.h"
#include "tests/skin/skin_test_support.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

namespace {

LRESULT CALLBACK plainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

void registerPlainClass()
{
    WNDCLASSA plain{};
    plain.lpfnWndProc = plainProc;
    plain.hInstance = GetModuleHandleA(nullptr);
    plain.hCursor = LoadCursor(nullptr, IDC_ARROW);
    plain.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    plain.lpszClassName = "TipTestPlain";
    RegisterClassA(&plain);
}

// Pumps messages until `done` holds, at most `bound` milliseconds.
template <typename Condition> bool pumpUntil(Condition done, DWORD bound = 5000)
{
    const DWORD start = GetTickCount();
    while (!done()) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        if (GetTickCount() - start > bound)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

std::string windowText(HWND window)
{
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

TEST(NextRingTip, ShowsOverEachLabelWithTheTextAskedForWhenShown)
{
    registerPlainClass();
    HWND panel = CreateWindowExA(0, "TipTestPlain", "Tip test", WS_POPUP | WS_VISIBLE, 100, 100,
                                 330, 200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    HWND surface = CreateWindowExA(0, "TipTestPlain", "", WS_CHILD | WS_VISIBLE, 0, 0, 330, 200,
                                   panel, nullptr, GetModuleHandleA(nullptr), nullptr);
    // Labels without SS_NOTIFY answer no hit test: the mouse reaches the surface.
    HWND time = CreateWindowExA(0, "STATIC", "06:30 AM", WS_CHILD | WS_VISIBLE, 155, 21, 60, 14,
                                panel, nullptr, GetModuleHandleA(nullptr), nullptr);
    HWND days = CreateWindowExA(0, "STATIC", "Mon. Tue.", WS_CHILD | WS_VISIBLE, 155, 137, 110, 30,
                                panel, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetWindowPos(surface, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ASSERT_TRUE(panel && surface && time && days);

    int asked = 0;
    NextRingTip tip(surface, {time, days}, [&asked] {
        ++asked;
        return "Rings Tuesday at 6:30 AM, in " + std::to_string(asked) + " h 0 min";
    });
    ASSERT_NE(tip.Handle(), nullptr);
    SendMessageA(tip.Handle(), TTM_SETDELAYTIME, TTDT_INITIAL, 10);
    SetForegroundWindow(panel);
    pumpUntil([] { return false; }, 100); // lets the windows appear

    // Nothing asks for the text before the tip shows: no timer computes it.
    EXPECT_EQ(asked, 0);

    skintest::pointAtMiddle(time);
    ASSERT_TRUE(pumpUntil([&] { return IsWindowVisible(tip.Handle()) != FALSE; }))
        << "the tip did not show over the time label";
    EXPECT_GE(asked, 1);
    EXPECT_EQ(windowText(tip.Handle()).rfind("Rings Tuesday at 6:30 AM, in ", 0), 0u)
        << windowText(tip.Handle());

    // Away from the labels it hides; over the days label it shows again with
    // a text asked for anew.
    SetCursorPos(110, 290);
    skintest::pointAtMiddle(surface);
    SetCursorPos(120, 180);
    ASSERT_TRUE(pumpUntil([&] { return IsWindowVisible(tip.Handle()) == FALSE; }));
    const int before = asked;
    skintest::pointAtMiddle(days);
    ASSERT_TRUE(pumpUntil([&] { return IsWindowVisible(tip.Handle()) != FALSE; }))
        << "the tip did not show over the days label";
    EXPECT_GT(asked, before);
    EXPECT_EQ(windowText(tip.Handle()),
              "Rings Tuesday at 6:30 AM, in " + std::to_string(asked) + " h 0 min");

    DestroyWindow(panel);
}

} // namespace
