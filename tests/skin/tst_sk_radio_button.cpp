#include "skin/sk_radio_button.h"
#include "skin_test_support.h"

#include <memory>

using namespace skintest;

namespace {

COLORREF stateColour(int index)
{
    return RGB(30 * index + 10, 200 - 20 * index, 60);
}

void giveLooks(SkRadioButton &button)
{
    for (int i = 0; i < 8; ++i)
        button.SetStateBitmap(i, solid(14, 14, stateColour(i)));
}

// A radio button under another class name: not one of the group.
class OtherRadio : public SkRadioButton
{
public:
    OtherRadio(HWND parent, int left, int top) : SkRadioButton(parent, left, top, "SkRadioOther") {}
};

class SkRadioButtonTest : public ::testing::Test
{
protected:
    SkRadioButtonTest()
    {
        am = std::make_unique<SkRadioButton>(host.get(), 20, 20);
        pm = std::make_unique<SkRadioButton>(host.get(), 40, 20);
        giveLooks(*am);
        giveLooks(*pm);
        panel = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 100, 100, 60, 40,
                                host.get(), nullptr, nullptr, nullptr);
        onPanel = std::make_unique<SkRadioButton>(panel, 5, 5);
        giveLooks(*onPanel);
        moveTo(host.get(), 250, 20);
    }

    HostWindow host;
    std::unique_ptr<SkRadioButton> am, pm, onPanel;
    HWND panel;
};

TEST_F(SkRadioButtonTest, CheckingUnchecksTheSiblingsOnly)
{
    onPanel->SetChecked(true);
    OtherRadio other(host.get(), 60, 20);
    giveLooks(other);
    other.SetChecked(true);
    int clicks = 0;
    am->OnClick = [&] { ++clicks; };

    pm->SetChecked(true);
    EXPECT_TRUE(pm->Checked());
    am->SetChecked(true);
    EXPECT_TRUE(am->Checked());
    EXPECT_FALSE(pm->Checked());
    EXPECT_EQ(shownAt(pm->Handle(), 3, 3), stateColour(0));
    EXPECT_EQ(shownAt(am->Handle(), 3, 3), stateColour(4));
    // Another parent and another class name are not of the group; no event is raised.
    EXPECT_TRUE(onPanel->Checked());
    EXPECT_TRUE(other.Checked());
    EXPECT_EQ(clicks, 0);

    // Unchecking leaves the others: both can be unchecked.
    am->SetChecked(false);
    EXPECT_FALSE(am->Checked());
    EXPECT_FALSE(pm->Checked());
}

TEST_F(SkRadioButtonTest, ClicksAndDoubleClicksCheck)
{
    int clicks = 0, doubles = 0;
    pm->OnClick = [&] { ++clicks; };
    pm->OnDblClick = [&] { ++doubles; };
    am->SetChecked(true);
    moveTo(pm->Handle(), 5, 5);
    leftDown();
    leftUp();
    EXPECT_TRUE(pm->Checked());
    EXPECT_FALSE(am->Checked());
    EXPECT_EQ(clicks, 1);
    // The quick second press is a double click; the button stays checked.
    leftDown();
    leftUp();
    EXPECT_EQ(doubles, 1);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(pm->Checked());
    // Clicking a checked button leaves it checked.
    pm->Click();
    EXPECT_TRUE(pm->Checked());
    EXPECT_EQ(pm->CurrentState() / 4, 1);
}

TEST_F(SkRadioButtonTest, SpaceChecks)
{
    int clicks = 0;
    am->OnClick = [&] { ++clicks; };
    pm->SetChecked(true);
    SetForegroundWindow(host.get());
    SetFocus(am->Handle());
    pump();
    key(VK_SPACE, false);
    EXPECT_EQ(am->CurrentState(), 5);
    key(VK_SPACE, true);
    EXPECT_TRUE(am->Checked());
    EXPECT_FALSE(pm->Checked());
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(am->CurrentState(), 6);
}

TEST_F(SkRadioButtonTest, DisabledLookFollowsTheGroup)
{
    // The AM/PM buttons have the raised and disabled bitmaps of both groups.
    for (int i : {1, 2, 5, 6})
        am->SetStateBitmap(i, nullptr);
    am->SetEnabled(false);
    EXPECT_EQ(am->shownState(), 3);
    am->SetChecked(true);
    EXPECT_EQ(am->shownState(), 7);
    EXPECT_EQ(shownAt(am->Handle(), 3, 3), stateColour(7));
    am->SetEnabled(true);
    moveTo(am->Handle(), 5, 5);
    // No focused bitmap: the checked raised one.
    EXPECT_EQ(am->CurrentState(), 6);
    EXPECT_EQ(am->shownState(), 4);
}

} // namespace
