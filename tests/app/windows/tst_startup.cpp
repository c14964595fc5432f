// The program's start as its entry runs it, on the emulated notebook: the
// three start failures, the waiting window standing alone until the drive
// search ends, the window ownership behind the one task bar entry, and an
// idle program running no timer.

#include "app/binding/program_location.h"
#include "app/windows/application.h"
#include "app/windows/forms.h"
#include "app/windows/frm_options.h"
#include "app/windows/frm_select_music.h"
#include "app/windows/frm_set_time.h"
#include "app/windows/frm_vesperin.h"
#include "app/windows/frm_waiting.h"
#include "app/windows/label.h"
#include "app/windows/timer.h"
#include "fixed_screen.h"
#include "pump.h"
#include "skin/sk_button.h"
#include "tests/skin/accessible_client.h"
#include "tests/skin/skin_test_support.h"
#include "window_test_rig.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

namespace {

std::string captionOf(HWND window)
{
    char text[64] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

struct Failure
{
    const char *fault;
    const char *text;
};

class StartupFailure : public ::testing::TestWithParam<Failure>
{
};

TEST_P(StartupFailure, EndsTheProgramAfterTheWaitingWindowWithoutAPanel)
{
    WindowTestRig rig(WindowTestRig::Screen::System);
    const std::string fault = GetParam().fault;
    std::string library = WindowTestRig::libraryPath();
    if (fault == "library")
        library = ProgramLocation::directory() + "no-such-library.dll";
    else if (fault == "driver")
        rig.image.image["format"] = 2; // an image the emulated driver refuses to open
    else
        rig.image.image["firmware"]["mbif"] = {3, 0, 0, 0};
    rig.image.write();

    EXPECT_FALSE(createForms(library));

    ASSERT_EQ(rig.boxes.boxes.size(), 1u);
    const RecordingMessageBoxes::Box &box = rig.boxes.boxes.front();
    EXPECT_EQ(box.text, GetParam().text);
    EXPECT_EQ(box.caption, "Vesperin");
    EXPECT_EQ(box.icon, MessageBoxes::Icon::Error);
    EXPECT_EQ(box.owner, frmVesperin->Handle());
    EXPECT_TRUE(frmVesperin->startupFailed());
    EXPECT_TRUE(application->Terminated());
    EXPECT_FALSE(frmVesperin->Visible());
    EXPECT_EQ(frmSetTime, nullptr);
    EXPECT_EQ(frmOptions, nullptr);
    EXPECT_EQ(frmSelectMusic, nullptr);
    // The waiting window still comes, and the loop that would show it for
    // longer ends at once.
    ASSERT_NE(frmWaiting, nullptr);
    EXPECT_TRUE(frmWaiting->Visible());
    application->Run();
    EXPECT_FALSE(frmVesperin->Visible());
}

INSTANTIATE_TEST_SUITE_P(EachFailure, StartupFailure,
                         ::testing::Values(Failure{"library", "Loading ACPI DLL failed..."},
                                           Failure{"driver", "Initiating failed..."},
                                           Failure{"firmware",
                                                   "Your BIOS does not support Vesperin !"}));

TEST(Startup, WaitingWindowStandsAloneUntilTheDriveSearchEnds)
{
    WindowTestRig rig(WindowTestRig::Screen::System);
    ASSERT_TRUE(createForms(WindowTestRig::libraryPath()));
    ASSERT_NE(frmWaiting, nullptr);
    EXPECT_TRUE(frmWaiting->Visible());
    EXPECT_FALSE(frmVesperin->Visible());
    EXPECT_FALSE(frmSetTime->Visible());
    ASSERT_TRUE(pumpUntil([] { return frmVesperin->Visible(); }, 15000));
    EXPECT_FALSE(frmWaiting->Visible());
    // The music dialog may tell what it found of the drives; the start
    // itself reports nothing.
    for (const auto &box : rig.boxes.boxes)
        EXPECT_NE(box.owner, frmVesperin->Handle()) << box.text;

    // The waiting window's own look.
    EXPECT_EQ(captionOf(frmWaiting->Handle()), "Vesperin");
    RECT client{};
    GetClientRect(frmWaiting->Handle(), &client);
    EXPECT_EQ(client.right, 306);
    EXPECT_EQ(client.bottom, 29);
    EXPECT_EQ(frmWaiting->Label1->Text(), "Searching CD-ROMs, please wait...");
    EXPECT_EQ(frmWaiting->Label1->Left(), 70);
    EXPECT_EQ(frmWaiting->Label1->Top(), 7);
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    EXPECT_EQ(frmWaiting->Left(), (screenWidth - frmWaiting->Width()) / 2);
    EXPECT_EQ(frmWaiting->Top(), (screenHeight - frmWaiting->Height()) / 2);
}

TEST(Startup, WaitingWindowRefusesToClose)
{
    WindowTestRig rig(WindowTestRig::Screen::System);
    ASSERT_TRUE(createForms(WindowTestRig::libraryPath()));
    SendMessageA(frmWaiting->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    SendMessageA(frmWaiting->Handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(frmWaiting->Visible());
    // Whatever the requests left behind in the queue runs too.
    pumpPending();
    EXPECT_TRUE(IsWindow(frmWaiting->Handle()));
    EXPECT_FALSE(application->Terminated());
    // Only the end of the drive search hides the window, at the poll's tick
    // that also stops the poll; on a slow machine that tick can come while
    // the queue is pumped.
    if (Timer::running() > 0) {
        EXPECT_TRUE(frmWaiting->Visible());
    }
}

TEST(Startup, MinimisedDuringTheDriveSearchTheWaitingWindowStillGoesForGood)
{
    WindowTestRig rig(WindowTestRig::Screen::System);
    ASSERT_TRUE(createForms(WindowTestRig::libraryPath()));
    ASSERT_TRUE(frmWaiting->Visible());
    // The waiting window's minimise box, while the search runs.
    SendMessageA(frmWaiting->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(pumpUntil([] { return IsIconic(application->Handle()) != FALSE; }));
    EXPECT_FALSE(IsWindowVisible(frmWaiting->Handle()));
    // The search ends while the program is minimised: its poll stops.
    ASSERT_TRUE(pumpUntil([] { return Timer::running() == 0; }, 15000));
    pumpPending();
    // Restored from the task bar entry: the panel comes, the waiting window
    // does not, and never again.
    for (int round = 0; round < 2; ++round) {
        SendMessageA(application->Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
        EXPECT_TRUE(pumpUntil([] { return IsWindowVisible(frmVesperin->Handle()) != FALSE; }));
        pumpPending();
        EXPECT_FALSE(IsWindowVisible(frmWaiting->Handle())) << round;
        frmVesperin->skbMinimizeClick();
        pumpPending();
        EXPECT_FALSE(IsWindowVisible(frmVesperin->Handle())) << round;
    }
}

// What the window system shows of the start's error box, seen from inside
// its own modal loop, which then closes it as the user's OK would.
struct ShownBox
{
    bool seen = false;
    bool foreground = false;
    bool entryShown = false;
};
ShownBox shownBox;

BOOL CALLBACK findBox(HWND window, LPARAM)
{
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    if (std::string(name) != "#32770" || !IsWindowVisible(window))
        return TRUE;
    shownBox.seen = true;
    shownBox.foreground = GetForegroundWindow() == window;
    shownBox.entryShown = application && IsWindowVisible(application->Handle());
    PostMessageA(window, WM_COMMAND, IDOK, 0);
    return FALSE;
}

void CALLBACK lookForBox(HWND, UINT, UINT_PTR timer, DWORD)
{
    EnumThreadWindows(GetCurrentThreadId(), findBox, 0);
    if (shownBox.seen)
        KillTimer(nullptr, timer);
}

TEST(Startup, AStartErrorBoxHasTheTaskBarEntryToBeFoundByAndIsInFront)
{
    WindowTestRig rig(WindowTestRig::Screen::System);
    // Another program's window has the foreground.
    skintest::HostWindow other(0, 0, 1024, 768);
    ASSERT_EQ(GetForegroundWindow(), other.get());
    // The system's own box this time.
    MessageBoxes::install(nullptr);
    shownBox = {};
    SetTimer(nullptr, 0, 100, lookForBox);
    EXPECT_FALSE(createForms(ProgramLocation::directory() + "no-such-library.dll"));
    MessageBoxes::install(&rig.boxes);
    ASSERT_TRUE(shownBox.seen);
    // The program's task bar entry is there to find it by, and it is in front.
    EXPECT_TRUE(shownBox.entryShown);
    EXPECT_TRUE(shownBox.foreground);
}

// A screen reader asks from a thread of its own; the program's own start
// must have made its window thread able to answer, as the test does not.
TEST(Startup, AScreenReaderOnAnotherThreadReachesTheControls)
{
    WindowTestRig rig;
    ASSERT_TRUE(rig.start());
    const HWND button = frmVesperin->SkButton2->Handle();
    SetForegroundWindow(frmVesperin->Handle());
    SetFocus(button);
    pumpPending();
    ASSERT_EQ(GetFocus(), button);
    long role = -1;
    std::string name;
    bool focused = false;
    std::atomic<bool> done{false};
    std::thread reader([&] {
        CoInitialize(nullptr);
        {
            skintest::AccessibleClient client(button);
            if (client.valid()) {
                role = client.role();
                name = client.name();
                // The focus is the window thread's: only there is the answer right.
                focused = client.has(STATE_SYSTEM_FOCUSED);
            }
        }
        CoUninitialize();
        done = true;
    });
    // The window thread answers while it handles its messages.
    EXPECT_TRUE(pumpUntil([&] { return done.load(); }, 20000));
    reader.join();
    EXPECT_EQ(role, ROLE_SYSTEM_PUSHBUTTON);
    EXPECT_EQ(name, "Time for Next Alarm");
    EXPECT_TRUE(focused);
    // The answers came through the window thread's own apartment, which the
    // start made single-threaded: joining it again only counts once more.
    // (Wine also answers through a multithreaded apartment that another
    // thread left behind, where a screen reader's calls would run off the
    // window thread.)
    const HRESULT joined = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    EXPECT_EQ(joined, S_FALSE);
    if (SUCCEEDED(joined))
        CoUninitialize();
}

TEST(Startup, OneTaskBarEntryOwnsEveryWindow)
{
    WindowTestRig rig;
    ASSERT_TRUE(rig.start());
    const HWND app = application->Handle();
    EXPECT_EQ(captionOf(app), "Vesperin");
    // The entry is a window the task bar lists (shown, unowned, not a tool
    // window) that has no size on the screen.
    EXPECT_TRUE(IsWindowVisible(app));
    EXPECT_EQ(GetWindow(app, GW_OWNER), nullptr);
    EXPECT_EQ(GetWindowLongA(app, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0);
    EXPECT_EQ(application->Width(), 0);
    EXPECT_EQ(application->Height(), 0);
    // Every other window is owned, so the task bar lists none of them.
    EXPECT_EQ(GetWindow(frmVesperin->Handle(), GW_OWNER), app);
    EXPECT_EQ(GetWindow(frmWaiting->Handle(), GW_OWNER), app);
    EXPECT_EQ(GetWindow(frmSetTime->Handle(), GW_OWNER), frmVesperin->Handle());
    for (HWND window : {frmVesperin->Handle(), frmWaiting->Handle(), frmSetTime->Handle()})
        EXPECT_EQ(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_APPWINDOW, 0);
    EXPECT_EQ(captionOf(frmVesperin->Handle()), "frmVesperin");
    EXPECT_EQ(captionOf(frmSetTime->Handle()), "Set Time");
}

// The title bars, the task bar and the task switcher show the program's own
// icon, each in the size the system asks for.
TEST(Startup, EveryWindowShowsTheProgramsIconInBothSizes)
{
    WindowTestRig rig;
    ASSERT_TRUE(rig.start());
    const HINSTANCE self = GetModuleHandleA(nullptr);
    const auto programIcon = [&](int widthMetric, int heightMetric) {
        return LoadImageA(self, MAKEINTRESOURCEA(1), IMAGE_ICON, GetSystemMetrics(widthMetric),
                          GetSystemMetrics(heightMetric), LR_SHARED);
    };
    const HANDLE large = programIcon(SM_CXICON, SM_CYICON);
    const HANDLE small = programIcon(SM_CXSMICON, SM_CYSMICON);
    ASSERT_NE(large, nullptr);
    ASSERT_NE(small, nullptr);
    ASSERT_NE(large, small);
    for (HWND window : {application->Handle(), frmVesperin->Handle(), frmWaiting->Handle(),
                        frmSetTime->Handle(), frmOptions->Handle(), frmSelectMusic->Handle()}) {
        EXPECT_EQ(reinterpret_cast<HANDLE>(GetClassLongPtrA(window, GCLP_HICON)), large);
        EXPECT_EQ(reinterpret_cast<HANDLE>(GetClassLongPtrA(window, GCLP_HICONSM)), small);
    }
}

TEST(Startup, ThePanelKeepsItsPlaceUnlessTheTimeDialogWouldNotFitBesideIt)
{
    struct Case
    {
        int screenWidth;
        int left;
    };
    // On a 640-pixel screen the dialog does not fit beside the centred panel
    // and not even right of it: the panel goes to the left edge. On a
    // 1600-pixel screen it fits: the panel keeps its designed place.
    for (const Case c : {Case{640, 0}, Case{1600, 272}}) {
        WindowTestRig rig(WindowTestRig::Screen::System);
        FixedScreen screen(c.screenWidth, 768);
        ASSERT_TRUE(rig.start());
        const int panel = frmVesperin->Width();
        const int dialog = frmSetTime->Width();
        if (c.left == 0) {
            ASSERT_LT(c.screenWidth / 2 - panel / 2, dialog);
            ASSERT_LT(c.screenWidth - dialog - panel, 0);
        } else {
            ASSERT_GE(c.screenWidth / 2 - panel / 2, dialog);
        }
        EXPECT_EQ(frmVesperin->Left(), c.left) << c.screenWidth;
        EXPECT_EQ(frmVesperin->Top(), 80) << c.screenWidth;
        EXPECT_EQ(frmVesperin->screenWidth, c.screenWidth);
        destroyForms();
    }
}

TEST(Startup, AnIdleProgramRunsNoTimer)
{
    WindowTestRig rig;
    ASSERT_TRUE(rig.start());
    EXPECT_EQ(Timer::running(), 0);
    // Opening and closing a dialog leaves none running either.
    frmVesperin->SkButton2Click();
    frmVesperin->SkButton2Click();
    EXPECT_EQ(Timer::running(), 0);
}

TEST(Startup, CloseButtonEndsTheLoopWithoutWriting)
{
    WindowTestRig rig;
    ASSERT_TRUE(rig.start());
    const auto before = rig.image.current()["firmware"];
    frmVesperin->skbClose->Click();
    EXPECT_TRUE(application->Terminated());
    application->Run();
    EXPECT_EQ(rig.image.current()["firmware"], before);
}

TEST(Startup, FormsCanBeBuiltAgainAndAgain)
{
    WindowTestRig rig;
    HWND previous = nullptr;
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(rig.start());
        EXPECT_NE(frmVesperin->Handle(), nullptr);
        if (previous) {
            EXPECT_FALSE(IsWindow(previous));
        }
        previous = frmVesperin->Handle();
        destroyForms();
        EXPECT_EQ(frmVesperin, nullptr);
        EXPECT_EQ(frmSetTime, nullptr);
        EXPECT_EQ(application, nullptr);
    }
    EXPECT_FALSE(IsWindow(previous));
}

} // namespace
