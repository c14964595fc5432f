#include "window_test_rig.h"

#include "app/binding/program_location.h"
#include "app/windows/control_table.h"
#include "app/windows/forms.h"
#include "app/windows/frm_vesperin.h"
#include "pump.h"

#include <gtest/gtest.h>

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

void dragFrom(HWND window, int x, int y, int dx, int dy, bool rightButton)
{
    const POINT point = onScreen(window, x, y);
    SetCursorPos(point.x, point.y);
    pumpPending();
    sendButton(rightButton ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN);
    pumpPending();
    // A few steps, as a hand moves: the system's move loop follows each.
    for (int step = 1; step <= 4; ++step) {
        SetCursorPos(point.x + dx * step / 4, point.y + dy * step / 4);
        pumpPending();
    }
    sendButton(rightButton ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP);
    pumpPending();
}
