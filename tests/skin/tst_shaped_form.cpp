#include "skin/shaped_form.h"
#include "skin/win_region.h"
#include "skin_test_support.h"

#include <memory>
#include <vector>

using namespace skintest;

namespace {

const COLORREF keyColour = RGB(0x15, 0x14, 0x16);
const COLORREF discColour = RGB(40, 90, 160);

// A captioned window with its background picture placed at (-63, -10) in its client area, as
// the main panel has it.
class Panel
{
public:
    Panel()
    {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "SkTestPanel";
        RegisterClassA(&windowClass);
        RECT outer{0, 0, 330, 443};
        AdjustWindowRect(&outer, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, FALSE);
        window = CreateWindowExA(0, "SkTestPanel", "panel", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU,
                                 100, 80, outer.right - outer.left, outer.bottom - outer.top,
                                 nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        picture = std::make_unique<SkPicture>(window, -63, -10,
                                              antiAliasedDisc(454, keyColour, discColour));
    }
    ~Panel()
    {
        picture.reset();
        DestroyWindow(window);
    }
    void show()
    {
        ShowWindow(window, SW_SHOW);
        SetForegroundWindow(window);
        UpdateWindow(window);
        pump();
    }
    POINT clientOrigin() const
    {
        POINT origin{0, 0};
        ClientToScreen(window, &origin);
        return origin;
    }
    RECT outer() const
    {
        RECT rect;
        GetWindowRect(window, &rect);
        return rect;
    }

    HWND window;
    std::unique_ptr<SkPicture> picture;
};

struct Call
{
    int button, x, y;
};

// Runs while the window manager's move loop has the thread: moves the pointer by (30, 20) once
// the loop holds the mouse, then lets the button go once the window has followed.
struct DragScript
{
    static DragScript *current;
    HWND window;
    RECT start;
    int step = 0;
    bool done = false;

    static void CALLBACK tick(HWND, UINT, UINT_PTR id, DWORD)
    {
        DragScript &s = *current;
        RECT now;
        GetWindowRect(s.window, &now);
        if (s.step == 0 && GetCapture()) {
            POINT p;
            GetCursorPos(&p);
            SetCursorPos(p.x + 30, p.y + 20);
            INPUT input{};
            input.type = INPUT_MOUSE;
            input.mi.dwFlags = MOUSEEVENTF_MOVE;
            SendInput(1, &input, sizeof input);
            s.step = 1;
        } else if (s.step == 1 && (now.left != s.start.left || now.top != s.start.top)) {
            mouseInput(MOUSEEVENTF_LEFTUP);
            s.step = 2;
        } else if (s.step >= 1 && ++s.step > 200) {
            mouseInput(MOUSEEVENTF_LEFTUP);
        }
        if (s.step == 2) {
            KillTimer(nullptr, id);
            s.done = true;
        }
    }
};
DragScript *DragScript::current = nullptr;

TEST(ShapedForm, WindowTakesThePictureOutline)
{
    Panel panel;
    ShapedForm form(panel.window, *panel.picture);
    EXPECT_EQ(panel.picture->TransparentColor(), keyColour);
    form.Apply();
    EXPECT_TRUE(form.Applied());
    WinRegion expected;
    expected.FromBitmap(panel.picture->Bitmap(), keyColour);
    const POINT origin = panel.clientOrigin();
    const RECT outer = panel.outer();
    expected.Offset(origin.x - outer.left - 63, origin.y - outer.top - 10);
    HRGN installed = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(panel.window, installed), ERROR);
    EXPECT_TRUE(EqualRgn(installed, expected.Handle()));
    // The disc's centre is inside, the window's corner (with the caption) is not.
    EXPECT_TRUE(PtInRegion(installed, origin.x - outer.left + 164, origin.y - outer.top + 217));
    EXPECT_FALSE(PtInRegion(installed, 2, 2));
    DeleteObject(installed);
}

TEST(ShapedForm, ScreenShowsOnlyTheOutline)
{
    HostWindow beneath(0, 0, 600, 600);
    Panel panel;
    ShapedForm form(panel.window, *panel.picture);
    form.Apply();
    panel.show();
    const POINT origin = panel.clientOrigin();
    const RECT outer = panel.outer();
    // Inside the outline the picture is seen and takes the mouse; outside it, even on the
    // caption, what lies beneath does.
    EXPECT_TRUE(pumpUntil([&] { return screenAt(origin.x + 164, origin.y + 217) == discColour; }));
    EXPECT_EQ(WindowFromPoint(POINT{origin.x + 164, origin.y + 217}), panel.picture->Handle());
    EXPECT_EQ(WindowFromPoint(POINT{outer.left + 2, outer.top + 2}), beneath.get());
    EXPECT_EQ(screenAt(outer.left + 2, outer.top + 2), RGB(255, 255, 255));
    EXPECT_EQ(screenAt(outer.right - 3, outer.top + 2), RGB(255, 255, 255));
}

TEST(ShapedForm, LeftPressOnThePictureMovesTheWindowThenReachesThePreviousHandler)
{
    Panel panel;
    std::vector<Call> calls;
    std::vector<RECT> placeAtCall;
    panel.picture->OnMouseDown = [&](const MouseEvent &e) {
        calls.push_back({e.button, e.x, e.y});
        placeAtCall.push_back(panel.outer());
    };
    ShapedForm form(panel.window, *panel.picture);
    form.Apply();
    panel.show();
    const RECT start = panel.outer();
    moveTo(panel.picture->Handle(), 227, 227);
    DragScript script{panel.window, start};
    DragScript::current = &script;
    SetTimer(nullptr, 0, 20, &DragScript::tick);
    leftDown();
    EXPECT_TRUE(pumpUntil([&] { return script.done; }));
    pump();
    const RECT end = panel.outer();
    EXPECT_EQ(end.left - start.left, 30);
    EXPECT_EQ(end.top - start.top, 20);
    // The previous handler ran once, after the move, with the press's position.
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].button, 0);
    EXPECT_EQ(calls[0].x, 227);
    EXPECT_EQ(calls[0].y, 227);
    EXPECT_EQ(placeAtCall[0].left, end.left);
}

TEST(ShapedForm, OtherButtonsReachThePreviousHandlerOnly)
{
    Panel panel;
    std::vector<Call> calls;
    panel.picture->OnMouseDown = [&](const MouseEvent &e) {
        calls.push_back({e.button, e.x, e.y});
    };
    ShapedForm form(panel.window, *panel.picture);
    form.Apply();
    HRGN first = CreateRectRgn(0, 0, 0, 0);
    GetWindowRgn(panel.window, first);
    // A second Apply changes nothing; hooking twice would call the drag handler twice.
    form.Apply(RGB(0, 0, 0));
    HRGN second = CreateRectRgn(0, 0, 0, 0);
    GetWindowRgn(panel.window, second);
    EXPECT_TRUE(EqualRgn(first, second));
    DeleteObject(first);
    DeleteObject(second);
    panel.show();
    const RECT start = panel.outer();
    moveTo(panel.picture->Handle(), 100, 120);
    rightClick();
    moveTo(panel.picture->Handle(), 150, 150);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].button, 1);
    EXPECT_EQ(panel.outer().left, start.left);
    EXPECT_EQ(panel.outer().top, start.top);
}

TEST(ShapedForm, PreviousHandlerIsBackAfterDestruction)
{
    Panel panel;
    int previousCalls = 0;
    panel.picture->OnMouseDown = [&](const MouseEvent &) { ++previousCalls; };
    {
        ShapedForm form(panel.window, *panel.picture);
        form.Apply();
    }
    // The region stays; presses reach the previous handler and no longer move the window.
    HRGN installed = CreateRectRgn(0, 0, 0, 0);
    EXPECT_NE(GetWindowRgn(panel.window, installed), ERROR);
    DeleteObject(installed);
    panel.show();
    const RECT start = panel.outer();
    moveTo(panel.picture->Handle(), 227, 227);
    leftDown();
    moveTo(panel.picture->Handle(), 257, 247);
    leftUp();
    EXPECT_EQ(previousCalls, 1);
    EXPECT_EQ(panel.outer().left, start.left);
}

} // namespace
