#include "window_test_rig.h"

#include "app/binding/program_location.h"
#include "app/windows/control_table.h"
#include "app/windows/forms.h"
#include "app/windows/frm_vesperin.h"
#include "app/windows/label.h"
#include "pump.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// The windows take their outline and their looks from the artwork linked
// into the test program; without it they have no outline to press on.
class ArtworkPresent : public ::testing::Environment
{
public:
    void SetUp() override
    {
        if (const HBITMAP picture = ControlTable::artwork("frmVesperin", "imgBg"))
            DeleteObject(picture);
        else
            GTEST_SKIP() << "the artwork resources are not linked into this program";
    }
};

const auto *const artworkCheck = ::testing::AddGlobalTestEnvironment(new ArtworkPresent);

} // namespace

WindowTestRig::WindowTestRig(Screen screen)
{
    if (screen == Screen::Fixed)
        m_screen.emplace(1024, 768);
}

WindowTestRig::~WindowTestRig()
{
    destroyForms();
}

std::string WindowTestRig::libraryPath()
{
    const std::string directory = ProgramLocation::directory();
    const std::string folder = EMULATED_LIBRARY_FOLDER;
    if (folder.empty() || directory.empty())
        return ProgramLocation::libraryPath();
    return directory + folder + directory.back() + ProgramLocation::libraryFileName();
}

bool WindowTestRig::start(LibraryLoader &loader)
{
    if (!createForms(libraryPath(), loader))
        return false;
    return pumpUntil([] { return frmVesperin && frmVesperin->Visible(); }, 15000);
}

namespace {

POINT onScreen(HWND window, int x, int y)
{
    POINT point{x, y};
    ClientToScreen(window, &point);
    return point;
}

void sendButton(DWORD flags)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof input);
}

} // namespace

COLORREF screenPixel(HWND window, int x, int y)
{
    pumpPending();
    const POINT point = onScreen(window, x, y);
    const HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, point.x, point.y);
    ReleaseDC(nullptr, screen);
    return colour;
}

void clickAt(HWND window, int x, int y)
{
    const POINT point = onScreen(window, x, y);
    SetCursorPos(point.x, point.y);
    pumpPending();
    sendButton(MOUSEEVENTF_LEFTDOWN);
    pumpPending();
    sendButton(MOUSEEVENTF_LEFTUP);
    pumpPending();
}

namespace {

// A drag by the left button on a picture hands the thread to the system's
// move loop until the button is let go, so the steps of the hand run from a
// thread timer, which that loop dispatches like the test's own pumping.
struct DragScript
{
    POINT from;
    int dx, dy;
    DWORD release;
    int step = 0;
    bool done = false;
};
DragScript *activeDrag = nullptr;

void CALLBACK dragStep(HWND, UINT, UINT_PTR timer, DWORD)
{
    if (!activeDrag || activeDrag->done)
        return;
    DragScript &drag = *activeDrag;
    if (++drag.step <= 4) {
        SetCursorPos(drag.from.x + drag.dx * drag.step / 4, drag.from.y + drag.dy * drag.step / 4);
        sendButton(MOUSEEVENTF_MOVE);
        return;
    }
    sendButton(drag.release);
    KillTimer(nullptr, timer);
    drag.done = true;
}

} // namespace

void dragFrom(HWND window, int x, int y, int dx, int dy, bool rightButton)
{
    DragScript drag{onScreen(window, x, y), dx, dy,
                    DWORD(rightButton ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP)};
    SetCursorPos(drag.from.x, drag.from.y);
    pumpPending();
    activeDrag = &drag;
    const UINT_PTR timer = SetTimer(nullptr, 0, 30, dragStep);
    sendButton(rightButton ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN);
    if (!pumpUntil([&] { return drag.done; })) {
        KillTimer(nullptr, timer);
        sendButton(drag.release);
    }
    pumpPending();
    activeDrag = nullptr;
}

bool dragMovesTheWindow(HWND window, const Label &by)
{
    SetForegroundWindow(window);
    RECT before{};
    GetWindowRect(window, &before);
    dragFrom(window, by.Left() + 5, by.Top() + 4, 25, 15);
    RECT after{};
    return pumpUntil([&] {
        GetWindowRect(window, &after);
        return after.left == before.left + 25 && after.top == before.top + 15;
    });
}

int textWidth(HWND window, HFONT font, const char *text)
{
    const HDC dc = GetDC(window);
    const HGDIOBJ previous = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32A(dc, text, int(std::strlen(text)), &size);
    SelectObject(dc, previous);
    ReleaseDC(window, dc);
    return size.cx;
}
