#include "skin/sk_accessible.h"
#include "skin/sk_button.h"
#include "skin/sk_button_tx.h"
#include "skin/sk_check_box.h"
#include "skin/sk_radio_button.h"
#include "accessible_client.h"
#include "skin_test_support.h"

#include <memory>
#include <string>

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

    int clicks = 0;
    close.OnClick = [&] { ++clicks; };
    EXPECT_EQ(plain.press(), S_OK);
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(plain.has(STATE_SYSTEM_FOCUSED));
    SetForegroundWindow(host.get());
    SetFocus(close.Handle());
    pump();
    EXPECT_TRUE(plain.has(STATE_SYSTEM_FOCUSED));
    close.SetEnabled(false);
    EXPECT_TRUE(plain.has(STATE_SYSTEM_UNAVAILABLE));
    // Disabled: the default action does nothing.
    plain.press();
    EXPECT_EQ(clicks, 1);
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
    EXPECT_TRUE(sunday.Checked());
    client.press();
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
