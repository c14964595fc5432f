#include "skin/sk_accessible.h"
#include "skin/sk_button.h"
#include "skin/sk_button_tx.h"
#include "skin/sk_check_box.h"
#include "skin/sk_radio_button.h"
#include "accessible_client.h"
#include "skin_test_support.h"

#include <memory>
#include <string>
#include <vector>

using namespace skintest;

namespace {

class SkAccessibleTest : public ::testing::Test
{
protected:
    SkAccessibleTest() { CoInitialize(nullptr); }
    ~SkAccessibleTest() override { CoUninitialize(); }
    HostWindow host;
};

TEST_F(SkAccessibleTest, ButtonsTellRoleNameAndState)
{
    SkButtonTx ok(host.get(), 10, 10);
    ok.Appearance.Fill(0, solid(40, 20, RGB(0, 0, 0)));
    ok.SetText("OK");
    AccessibleClient text(ok.Handle());
    ASSERT_TRUE(text.valid());
    EXPECT_EQ(text.role(), ROLE_SYSTEM_PUSHBUTTON);
    EXPECT_EQ(text.name(), "OK");
    ok.SetAccessibleName("Confirm the alarm time");
    EXPECT_EQ(text.name(), "Confirm the alarm time");

    // A button without a caption is named by the window that places it.
    SkButton close(host.get(), 60, 10);
    close.Appearance.Fill(0, solid(16, 16, RGB(0, 0, 0)));
    close.SetAccessibleName("Close");
    AccessibleClient plain(close.Handle());
    ASSERT_TRUE(plain.valid());
    EXPECT_EQ(plain.role(), ROLE_SYSTEM_PUSHBUTTON);
    EXPECT_EQ(plain.name(), "Close");
    EXPECT_FALSE(plain.has(STATE_SYSTEM_CHECKED));

    EXPECT_FALSE(plain.has(STATE_SYSTEM_FOCUSED));
    EXPECT_TRUE(plain.has(STATE_SYSTEM_FOCUSABLE));
    SetForegroundWindow(host.get());
    SetFocus(close.Handle());
    pump();
    EXPECT_TRUE(plain.has(STATE_SYSTEM_FOCUSED));
    // Disabled: unavailable, and the focus cannot go there.
    close.SetEnabled(false);
    EXPECT_TRUE(plain.has(STATE_SYSTEM_UNAVAILABLE));
    EXPECT_FALSE(plain.has(STATE_SYSTEM_FOCUSABLE));
    close.SetEnabled(true);
    EXPECT_TRUE(plain.has(STATE_SYSTEM_FOCUSABLE));
    // Nor can it go to a control that is no tab stop: a press does not take the focus there.
    SetWindowLongA(close.Handle(), GWL_STYLE,
                   GetWindowLongA(close.Handle(), GWL_STYLE) & ~WS_TABSTOP);
    EXPECT_FALSE(plain.has(STATE_SYSTEM_FOCUSABLE));
}

TEST_F(SkAccessibleTest, AControlWithoutANameSaysItHasNone)
{
    SkButton bare(host.get(), 10, 10);
    bare.Appearance.Fill(0, solid(16, 16, RGB(0, 0, 0)));
    AccessibleClient client(bare.Handle());
    ASSERT_TRUE(client.valid());
    EXPECT_EQ(client.nameResult(), S_FALSE);
    bare.SetAccessibleName("Close");
    EXPECT_EQ(client.nameResult(), S_OK);
}

TEST_F(SkAccessibleTest, TheDefaultActionComesAfterTheCallAsTheUsersClickWould)
{
    SkButton close(host.get(), 60, 10);
    close.Appearance.Fill(0, solid(16, 16, RGB(0, 0, 0)));
    AccessibleClient client(close.Handle());
    ASSERT_TRUE(client.valid());
    int clicks = 0;
    bool insideTheCall = false;
    close.OnClick = [&] {
        ++clicks;
        EXPECT_FALSE(insideTheCall);
    };
    insideTheCall = true;
    EXPECT_EQ(client.press(), S_OK);
    insideTheCall = false;
    EXPECT_EQ(clicks, 0);
    pump();
    EXPECT_EQ(clicks, 1);

    // Disabled, the action does nothing: asked for, or disabled before it comes.
    close.SetEnabled(false);
    EXPECT_EQ(client.press(), S_FALSE);
    close.SetEnabled(true);
    EXPECT_EQ(client.press(), S_OK);
    close.SetEnabled(false);
    pump();
    EXPECT_EQ(clicks, 1);
    // Nor out of sight, where the user could not click it.
    close.SetEnabled(true);
    close.SetVisible(false);
    EXPECT_EQ(client.press(), S_FALSE);
    pump();
    EXPECT_EQ(clicks, 1);
}

TEST_F(SkAccessibleTest, StateTellsPressedAndInvisibleAsTheUserSeesThem)
{
    SkButton button(host.get(), 10, 10);
    button.Appearance.Fill(0, solid(16, 16, RGB(0, 0, 0)));
    button.SetAccessibleName("Hour up");
    AccessibleClient client(button.Handle());
    ASSERT_TRUE(client.valid());
    EXPECT_FALSE(client.has(STATE_SYSTEM_PRESSED));
    moveTo(button.Handle(), 5, 5);
    EXPECT_TRUE(client.has(STATE_SYSTEM_HOTTRACKED));
    leftDown();
    EXPECT_TRUE(client.has(STATE_SYSTEM_PRESSED));
    leftUp();
    EXPECT_FALSE(client.has(STATE_SYSTEM_PRESSED));
    moveTo(host.get(), 250, 150);

    EXPECT_FALSE(client.has(STATE_SYSTEM_INVISIBLE));
    // The window that holds it hidden, as a closed dialog is: the control is out of sight too.
    ShowWindow(host.get(), SW_HIDE);
    EXPECT_TRUE(client.has(STATE_SYSTEM_INVISIBLE));
    ShowWindow(host.get(), SW_SHOWNA);
    EXPECT_FALSE(client.has(STATE_SYSTEM_INVISIBLE));
    button.SetVisible(false);
    EXPECT_TRUE(client.has(STATE_SYSTEM_INVISIBLE));
}

namespace {

// The name changes the window system tells listeners of, as a screen reader hears them.
std::vector<HWND> namesChanged;

void CALLBACK nameChanged(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD,
                          DWORD)
{
    if (event == EVENT_OBJECT_NAMECHANGE && object == OBJID_CLIENT && child == CHILDID_SELF)
        namesChanged.push_back(window);
}

} // namespace

TEST_F(SkAccessibleTest, ANewCaptionOrNameIsAnnounced)
{
    SkButtonTx test(host.get(), 10, 10);
    test.Appearance.Fill(0, solid(40, 20, RGB(0, 0, 0)));
    test.SetText("Test");
    SkButton close(host.get(), 60, 10);
    close.Appearance.Fill(0, solid(16, 16, RGB(0, 0, 0)));
    pump();
    namesChanged.clear();
    const HWINEVENTHOOK hook =
        SetWinEventHook(EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_NAMECHANGE, nullptr, nameChanged,
                        GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(hook, nullptr);
    // The options dialog's Test button becomes Stop while it plays.
    test.SetText("Stop");
    pump();
    EXPECT_EQ(namesChanged, std::vector<HWND>{test.Handle()});
    test.SetText("Stop");
    close.SetAccessibleName("Close");
    pump();
    EXPECT_EQ(namesChanged, (std::vector<HWND>{test.Handle(), close.Handle()}));
    UnhookWinEvent(hook);
}

TEST_F(SkAccessibleTest, CheckBoxTellsCheckedAndMixed)
{
    SkCheckBox sunday(host.get(), 10, 40);
    sunday.SetStateBitmap(0, solid(16, 16, RGB(0, 0, 0)));
    sunday.SetAccessibleName("Sunday");
    AccessibleClient client(sunday.Handle());
    ASSERT_TRUE(client.valid());
    EXPECT_EQ(client.role(), ROLE_SYSTEM_CHECKBUTTON);
    EXPECT_EQ(client.name(), "Sunday");
    EXPECT_FALSE(client.has(STATE_SYSTEM_CHECKED));
    sunday.SetChecked(true);
    EXPECT_TRUE(client.has(STATE_SYSTEM_CHECKED));
    sunday.SetState(SkCheckState::Grayed);
    EXPECT_TRUE(client.has(STATE_SYSTEM_MIXED));
    EXPECT_FALSE(client.has(STATE_SYSTEM_CHECKED));
    // The default action toggles as a click does.
    client.press();
    pump();
    EXPECT_TRUE(sunday.Checked());
    client.press();
    pump();
    EXPECT_FALSE(sunday.Checked());
}

TEST_F(SkAccessibleTest, RadioButtonTellsChecked)
{
    SkRadioButton am(host.get(), 10, 70);
    SkRadioButton pm(host.get(), 40, 70);
    am.SetStateBitmap(0, solid(14, 14, RGB(0, 0, 0)));
    pm.SetStateBitmap(0, solid(14, 14, RGB(0, 0, 0)));
    am.SetAccessibleName("AM");
    pm.SetAccessibleName("PM");
    AccessibleClient amClient(am.Handle());
    AccessibleClient pmClient(pm.Handle());
    ASSERT_TRUE(amClient.valid() && pmClient.valid());
    EXPECT_EQ(amClient.role(), ROLE_SYSTEM_RADIOBUTTON);
    EXPECT_EQ(pmClient.name(), "PM");
    pmClient.press();
    pump();
    EXPECT_TRUE(pmClient.has(STATE_SYSTEM_CHECKED));
    EXPECT_FALSE(amClient.has(STATE_SYSTEM_CHECKED));
    am.SetChecked(true);
    EXPECT_TRUE(amClient.has(STATE_SYSTEM_CHECKED));
    EXPECT_FALSE(pmClient.has(STATE_SYSTEM_CHECKED));
}

TEST_F(SkAccessibleTest, ObjectOutlivingItsControlAnswersWithAnError)
{
    auto button = std::make_unique<SkButton>(host.get(), 10, 10);
    AccessibleClient client(button->Handle());
    ASSERT_TRUE(client.valid());
    button.reset();
    EXPECT_EQ(client.role(), -1);
    EXPECT_EQ(client.name(), "<none>");
}

} // namespace
