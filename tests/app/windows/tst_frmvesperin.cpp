// The panel on the emulated notebook: its display of the alarm, its
// placement and that of the dialogs beside it, the arrows, the plain
// buttons, dragging, minimising and closing, driven by real clicks.

#include "app/alarm/alarm_clock.h"
#include "app/windows/application.h"
#include "app/windows/edit_field.h"
#include "app/windows/forms.h"
#include "app/windows/frm_set_time.h"
#include "app/windows/frm_vesperin.h"
#include "app/windows/plain_button.h"
#include "pump.h"
#include "skin/sk_button.h"
#include "skin/sk_button_tx.h"
#include "skin/sk_check_box.h"
#include "skin/sk_picture.h"
#include "skin/sk_radio_button.h"
#include "tests/skin/accessible_client.h"
#include "tests/skin/skin_test_support.h"
#include "window_test_rig.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <ctime>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

class Panel : public ::testing::Test
{
protected:
    void SetUp() override { m_rig = std::make_unique<WindowTestRig>(); }
    void TearDown() override { m_rig.reset(); }

    void start() { ASSERT_TRUE(m_rig->start()); }

    // Clicks a skinned control at its middle, as the user would.
    template <typename Control> static void click(Control *control)
    {
        clickAt(control->Handle(), control->Width() / 2, control->Height() / 2);
    }

    std::unique_ptr<WindowTestRig> m_rig;
};

TEST_F(Panel, ShowsTheFirmwaresAlarmAtStart)
{
    start();
    EXPECT_EQ(frmVesperin->lblHour->Text(), "06");
    EXPECT_EQ(frmVesperin->lblMinute->Text(), "30");
    EXPECT_EQ(frmVesperin->lblAMPM->Text(), "AM");
    EXPECT_EQ(frmVesperin->lblDays->Text(), "Mon. Tue. Wed. Thu. Fri. ");
    EXPECT_FALSE(frmVesperin->lblMask->Visible());
    // The labels' text is drawn: white pixels lie where the hour is.
    int white = 0;
    Label *hour = frmVesperin->lblHour;
    for (int x = 0; x < hour->Width(); ++x) {
        for (int y = 0; y < hour->Height(); ++y)
            white += screenPixel(frmVesperin->Handle(), hour->Left() + x, hour->Top() + y) ==
                     RGB(0xFF, 0xFF, 0xFF);
    }
    EXPECT_GT(white, 5);
}

TEST_F(Panel, ShowsWhatTheFirmwareHoldsWheneverADialogLoadsIt)
{
    start();
    // Another program changed the alarm; showing the dialog reads it, and
    // the panel follows before anything is confirmed.
    m_rig->image.setAlarm(true, 19, 5, 0x41);
    frmVesperin->SkButton2Click();
    EXPECT_EQ(frmVesperin->lblHour->Text(), "07");
    EXPECT_EQ(frmVesperin->lblMinute->Text(), "05");
    EXPECT_EQ(frmVesperin->lblAMPM->Text(), "PM");
    EXPECT_EQ(frmVesperin->lblDays->Text(), "Sun. Sat. ");
    // The dialog's edits are not the firmware's: the panel keeps its text.
    frmSetTime->edtHourVal->SetText("12");
    frmSetTime->skcDisabled->SetChecked(true);
    frmSetTime->skbCancel->Click();
    EXPECT_EQ(frmVesperin->lblHour->Text(), "07");
    EXPECT_FALSE(frmVesperin->lblMask->Visible());

    // With the alarm off only the mask and the days change.
    m_rig->image.setAlarm(false, 3, 0, 0x41);
    frmVesperin->SkButton2Click();
    EXPECT_TRUE(frmVesperin->lblMask->Visible());
    EXPECT_EQ(frmVesperin->lblMask->Background(), COLORREF(0x151416));
    EXPECT_EQ(frmVesperin->lblDays->Text(), "");
    EXPECT_EQ(frmVesperin->lblHour->Text(), "07");
    EXPECT_EQ(frmVesperin->lblAMPM->Text(), "PM");
    // The mask covers the time on the screen.
    Label *mask = frmVesperin->lblMask;
    EXPECT_EQ(screenPixel(frmVesperin->Handle(), mask->Left() + 8, mask->Top() + 8),
              COLORREF(0x151416));
}

TEST_F(Panel, MovesRightOnANarrowScreenSoTheTimeDialogFits)
{
    start();
    const int panel = frmVesperin->Width();
    const int dialog = frmSetTime->Width();
    // 512 - panel / 2 is less than the dialog's width on a 1024-pixel screen.
    ASSERT_LT(1024 / 2 - panel / 2, dialog);
    EXPECT_EQ(frmVesperin->Left(), 1024 - dialog - panel);
    EXPECT_EQ(frmVesperin->Top(), 80);
    EXPECT_EQ(frmVesperin->screenWidth, 1024);
    EXPECT_EQ(frmVesperin->screenHeight, 768);
}

TEST_F(Panel, ArrowOpensItsDialogBesideThePanelAndClosesIt)
{
    start();
    click(frmVesperin->SkButton2);
    ASSERT_TRUE(pumpUntil([] { return frmSetTime->Visible(); }));
    EXPECT_EQ(frmSetTime->Left(), frmVesperin->Left() + frmVesperin->Width());
    EXPECT_EQ(frmSetTime->Top() + frmSetTime->Height(), frmVesperin->Top() + frmVesperin->Height());
    click(frmVesperin->SkButton2);
    EXPECT_TRUE(pumpUntil([] { return !frmSetTime->Visible(); }));
}

TEST_F(Panel, ArrowClosesTheOtherDialogsAsIfCancelled)
{
    start();
    frmVesperin->SkButton2Click();
    ASSERT_TRUE(frmSetTime->Visible());
    frmSetTime->edtHourVal->SetText("09");
    frmVesperin->SkButton3Click();
    EXPECT_FALSE(frmSetTime->Visible());
    // Nothing was written, and the panel still shows what it showed.
    EXPECT_EQ(m_rig->image.item(9), 6u);
    EXPECT_EQ(frmVesperin->lblHour->Text(), "06");
}

TEST_F(Panel, DialogGoesLeftWhenOnlyTheLeftHasRoomAndStaysOnScreen)
{
    start();
    frmVesperin->Move(1024 - frmVesperin->Width() - 10, 80);
    frmVesperin->SkButton2Click();
    EXPECT_EQ(frmSetTime->Left(), frmVesperin->Left() - frmSetTime->Width());
    frmVesperin->SkButton2Click();
    // Neither side has room: the dialog is pulled onto the screen.
    frmVesperin->Move(300, 80);
    frmVesperin->SkButton2Click();
    EXPECT_EQ(frmSetTime->Left(), 1024 - frmSetTime->Width());
}

TEST_F(Panel, PlainButtonsToggleOneDialogAtAFixedPlace)
{
    start();
    frmVesperin->Button1->Click();
    ASSERT_TRUE(frmSetTime->Visible());
    EXPECT_EQ(frmSetTime->Left(), frmVesperin->Left() + frmVesperin->Width());
    EXPECT_EQ(frmSetTime->Top(), frmVesperin->Top());
    frmVesperin->Button1->Click();
    EXPECT_FALSE(frmSetTime->Visible());
}

// Presses and releases a key through the system's input, as the user
// does, and handles what it brings.
void pressKey(WORD virtualKey)
{
    for (const bool up : {false, true}) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = virtualKey;
        input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(virtualKey, 0));
        input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        SendInput(1, &input, sizeof input);
        pumpUntil([] { return false; }, 40);
    }
}

TEST_F(Panel, TabNeverReachesThePlainButtonsOutsideTheOutline)
{
    start();
    SetForegroundWindow(frmVesperin->Handle());
    SetFocus(frmVesperin->SkButton2->Handle());
    pumpPending();
    ASSERT_EQ(GetFocus(), frmVesperin->SkButton2->Handle());
    std::set<HWND> reached;
    for (int round = 0; round < 12; ++round) {
        pressKey(VK_TAB);
        reached.insert(GetFocus());
    }
    // The visible buttons take the focus in turn; the plain ones, with no
    // focus mark and nothing of them on the screen, never do.
    for (SkButton *shown : {frmVesperin->SkButton2, frmVesperin->SkButton4, frmVesperin->SkButton3,
                            frmVesperin->skbMinimize, frmVesperin->skbClose})
        EXPECT_EQ(reached.count(shown->Handle()), 1u);
    for (PlainButton *plain :
         {frmVesperin->Button1, frmVesperin->Button2, frmVesperin->Button3, frmVesperin->Button4,
          frmVesperin->GroupBox1, frmVesperin->GroupBox2, frmVesperin->GroupBox3})
        EXPECT_EQ(reached.count(plain->Handle()), 0u);
}

TEST_F(Panel, DraggingALabelMovesOnlyThePanelAndOnlyByTheLeftButton)
{
    start();
    frmVesperin->SkButton2Click();
    const int dialogLeft = frmSetTime->Left();
    const int left = frmVesperin->Left();
    const int top = frmVesperin->Top();
    Label *label = frmVesperin->Label3;
    SetForegroundWindow(frmVesperin->Handle());
    dragFrom(frmVesperin->Handle(), label->Left() + 4, label->Top() + 4, 30, 20, true);
    EXPECT_EQ(frmVesperin->Left(), left);
    dragFrom(frmVesperin->Handle(), label->Left() + 4, label->Top() + 4, 30, 20);
    EXPECT_TRUE(pumpUntil([&] { return frmVesperin->Left() == left + 30; }));
    EXPECT_EQ(frmVesperin->Top(), top + 20);
    EXPECT_EQ(frmSetTime->Left(), dialogLeft);
}

TEST_F(Panel, MinimiseTakesEveryWindowAndRestoreBringsThemBack)
{
    start();
    frmVesperin->SkButton2Click();
    click(frmVesperin->skbMinimize);
    ASSERT_TRUE(pumpUntil([] { return IsIconic(application->Handle()) != FALSE; }));
    EXPECT_TRUE(pumpUntil([] { return !IsWindowVisible(frmVesperin->Handle()); }));
    EXPECT_FALSE(IsWindowVisible(frmSetTime->Handle()));
    application->Restore();
    EXPECT_TRUE(pumpUntil([] { return IsWindowVisible(frmVesperin->Handle()) != FALSE; }));
    EXPECT_TRUE(pumpUntil([] { return IsWindowVisible(frmSetTime->Handle()) != FALSE; }));
    EXPECT_FALSE(application->Terminated());

    // Restored from the task bar, as its button does it, after a second minimise.
    click(frmVesperin->skbMinimize);
    ASSERT_TRUE(pumpUntil([] { return !IsWindowVisible(frmSetTime->Handle()); }));
    ShowWindow(application->Handle(), SW_RESTORE);
    EXPECT_TRUE(pumpUntil([] { return IsWindowVisible(frmVesperin->Handle()) != FALSE; }));
    EXPECT_TRUE(pumpUntil([] { return IsWindowVisible(frmSetTime->Handle()) != FALSE; }));
}

// A local clock that stands still where the test puts it.
class StillClock : public AlarmClock
{
public:
    StillClock() { AlarmClock::install(this); }
    ~StillClock() override { AlarmClock::install(nullptr); }
    std::time_t now() const override { return m_now; }
    // Puts the clock at a local time of the week of Monday 7 December 2026.
    void setLocal(int dayOfMonth, int hour, int minute)
    {
        std::tm local{};
        local.tm_year = 2026 - 1900;
        local.tm_mon = 11;
        local.tm_mday = dayOfMonth;
        local.tm_hour = hour;
        local.tm_min = minute;
        local.tm_isdst = -1;
        m_now = std::mktime(&local);
    }

private:
    std::time_t m_now = 0;
};

std::string windowText(HWND window)
{
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// The tip that shows over `label`, after the pointer was elsewhere.
std::string tipOver(HWND tip, HWND label, HWND elsewhere)
{
    skintest::pointAtMiddle(elsewhere);
    if (!pumpUntil([&] { return IsWindowVisible(tip) == FALSE; }))
        return "(the tip did not hide)";
    skintest::pointAtMiddle(label);
    if (!pumpUntil([&] { return IsWindowVisible(tip) != FALSE; }))
        return "(no tip showed)";
    return windowText(tip);
}

// The panel started on a clock that stands still, its tip quick to show.
class NextRingPanel : public Panel
{
protected:
    void startAt(int dayOfMonth, int hour, int minute)
    {
        clock.setLocal(dayOfMonth, hour, minute);
        start();
        tip = frmVesperin->nextRingTipWindow();
        ASSERT_NE(tip, nullptr);
        SendMessageA(tip, TTM_SETDELAYTIME, TTDT_INITIAL, 10);
        SetForegroundWindow(frmVesperin->Handle());
    }
    // The tip over one of the panel's labels, after the pointer was elsewhere.
    std::string tipOverLabel(const Label *label) const
    {
        return tipOver(tip, label->Handle(), frmVesperin->Label7->Handle());
    }

    StillClock clock;
    HWND tip = nullptr;
};

TEST_F(NextRingPanel, TellsWhenTheAlarmRingsNextOverTheTimeAndDays)
{
    // Monday 5:00 AM; the alarm rings 6:30 AM Monday to Friday.
    ASSERT_NO_FATAL_FAILURE(startAt(7, 5, 0));

    EXPECT_EQ(tipOverLabel(frmVesperin->lblHour), "Rings Monday at 6:30 AM, in 1 h 30 min");
    // The line follows the clock: it is made when the tip shows.
    clock.setLocal(7, 7, 0);
    EXPECT_EQ(tipOverLabel(frmVesperin->lblDays), "Rings Tuesday at 6:30 AM, in 23 h 30 min");

    // It follows what the firmware was given: Saturday only, 12:05 AM.
    TfrmSetTime &dialog = *frmSetTime;
    frmVesperin->SkButton2Click();
    ASSERT_TRUE(dialog.Visible());
    dialog.edtHourVal->SetText("12");
    dialog.edtMinuteVal->SetText("05");
    dialog.skrAM->SetChecked(true);
    for (int day = 0; day < 7; ++day)
        dialog.dayBox(day)->SetChecked(day == 6);
    click(dialog.skbOK);
    ASSERT_TRUE(pumpUntil([&] { return !dialog.Visible(); }));
    EXPECT_EQ(tipOverLabel(frmVesperin->lblAMPM), "Rings Saturday at 12:05 AM, in 4 d 17 h 5 min");

    // Switched off, the mask over the time tells so.
    frmVesperin->SkButton2Click();
    ASSERT_TRUE(dialog.Visible());
    dialog.skcDisabled->SetChecked(true);
    click(dialog.skbOK);
    ASSERT_TRUE(pumpUntil([&] { return !dialog.Visible(); }));
    ASSERT_TRUE(frmVesperin->lblMask->Visible());
    EXPECT_EQ(tipOverLabel(frmVesperin->lblMask), "The alarm is off");
}

TEST_F(NextRingPanel, TheTipFollowsTheFirmwareNotWhatADialogHoldsUnconfirmed)
{
    // Monday 5:00 AM; the alarm rings 6:30 AM Monday to Friday.
    ASSERT_NO_FATAL_FAILURE(startAt(7, 5, 0));
    const std::string rings = "Rings Monday at 6:30 AM, in 1 h 30 min";

    TfrmSetTime &dialog = *frmSetTime;
    frmVesperin->SkButton2Click();
    dialog.edtHourVal->SetText("09");
    click(dialog.skbCancel);
    ASSERT_FALSE(dialog.Visible());
    EXPECT_EQ(tipOverLabel(frmVesperin->lblHour), rings);

    frmVesperin->SkButton2Click();
    click(dialog.skcDisabled);
    ASSERT_TRUE(dialog.skcDisabled->Checked());
    click(dialog.skbCancel);
    ASSERT_FALSE(dialog.Visible());
    EXPECT_EQ(tipOverLabel(frmVesperin->lblDays), rings);

    // What the firmware will not give, the tip does not guess.
    m_rig->image.refuse("GITM", 10);
    frmVesperin->SkButton2Click();
    click(dialog.skbCancel);
    EXPECT_EQ(tipOverLabel(frmVesperin->lblMinute), "The alarm time could not be read");
}

TEST_F(Panel, NamesItsSmallButtonsForAssistiveTechnology)
{
    CoInitialize(nullptr);
    start();
    const std::pair<HWND, const char *> buttons[] = {
        {frmVesperin->SkButton2->Handle(), "Time for Next Alarm"},
        {frmVesperin->SkButton4->Handle(), "Music"},
        {frmVesperin->SkButton3->Handle(), "Options"},
        {frmVesperin->skbMinimize->Handle(), "Minimize"},
        {frmVesperin->skbClose->Handle(), "Close"},
    };
    for (const auto &[window, name] : buttons) {
        skintest::AccessibleClient client(window);
        ASSERT_TRUE(client.valid()) << name;
        EXPECT_EQ(client.role(), ROLE_SYSTEM_PUSHBUTTON) << name;
        EXPECT_EQ(client.name(), name);
    }
    CoUninitialize();
}

// Adds a child window to the list when it is a skinned control. A plain
// function: a lambda has the wrong calling convention on 32-bit Windows.
BOOL CALLBACK collectSkinnedControl(HWND child, LPARAM into)
{
    if (dynamic_cast<SkControl *>(SkWindow::FromHandle(child)))
        reinterpret_cast<std::vector<HWND> *>(into)->push_back(child);
    return TRUE;
}

// Every skinned control of the four windows, the pictures that act as
// buttons above all, tells a screen reader what it is and what it is called.
TEST_F(Panel, EverySkinnedControlOfEveryWindowHasARoleAndAName)
{
    CoInitialize(nullptr);
    start();
    std::vector<HWND> controls;
    int windows = 0;
    for (HWND top = GetWindow(GetDesktopWindow(), GW_CHILD); top;
         top = GetWindow(top, GW_HWNDNEXT)) {
        DWORD process = 0;
        GetWindowThreadProcessId(top, &process);
        if (process != GetCurrentProcessId() || !Window::fromHandle(top))
            continue;
        ++windows;
        EnumChildWindows(top, collectSkinnedControl, reinterpret_cast<LPARAM>(&controls));
    }
    EXPECT_GE(windows, 5);
    EXPECT_GE(controls.size(), 30u);
    for (HWND control : controls) {
        skintest::AccessibleClient client(control);
        ASSERT_TRUE(client.valid());
        const long role = client.role();
        EXPECT_TRUE(role == ROLE_SYSTEM_PUSHBUTTON || role == ROLE_SYSTEM_CHECKBUTTON ||
                    role == ROLE_SYSTEM_RADIOBUTTON)
            << role;
        EXPECT_EQ(client.nameResult(), S_OK);
        EXPECT_NE(client.name(), "");
    }
    CoUninitialize();
}

TEST_F(Panel, ClosingThePanelThroughTheSystemEndsTheProgram)
{
    start();
    SendMessageA(frmVesperin->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(application->Terminated());
}

} // namespace
