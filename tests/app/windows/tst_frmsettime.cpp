// The alarm time dialog on the emulated notebook: 12-hour display and
// 24-hour writes for every hour, the day mask, the field repair, the
// press-and-hold arrows on the real timer, the disabled alarm, the failures
// and their messages, and the read-back that tells refused writes.

#include "app/binding/library_loader.h"
#include "app/windows/edit_field.h"
#include "app/windows/forms.h"
#include "app/windows/frm_set_time.h"
#include "app/windows/frm_vesperin.h"
#include "app/windows/timer.h"
#include "bridge/vesperlink.h"
#include "pump.h"
#include "tests/skin/accessible_client.h"
#include "skin/sk_button.h"
#include "skin/sk_button_tx.h"
#include "skin/sk_check_box.h"
#include "skin/sk_radio_button.h"
#include "window_test_rig.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

// Loads the emulated Vesperlink and binds its exports, except that every
// time setting read through it carries day bits above Saturday, which the
// firmware's seven day items never give.
class ExtraDayBitsLoader : public LibraryLoader
{
public:
    static constexpr uint32_t ExtraDays = 0xFFFFFF80u;

    Handle load(const std::string &path) override { return system().load(path); }
    void unload(Handle library) override { system().unload(library); }
    EntryPoint resolve(Handle library, const char *name) override
    {
        const EntryPoint real = system().resolve(library, name);
        if (!real || std::strcmp(name, "VPGetTimeSetting") != 0)
            return real;
        s_getTimeSetting = reinterpret_cast<VPGetTimeSettingFunc>(real);
        return reinterpret_cast<EntryPoint>(&getTimeSetting);
    }

private:
    static uint8_t getTimeSetting(TimeSetting *setting)
    {
        const uint8_t result = s_getTimeSetting(setting);
        setting->days |= ExtraDays;
        return result;
    }

    static inline VPGetTimeSettingFunc s_getTimeSetting = nullptr;
};

class SetTime : public ::testing::Test
{
protected:
    void SetUp() override { m_rig = std::make_unique<WindowTestRig>(); }
    void TearDown() override { m_rig.reset(); }

    void start(LibraryLoader &loader = LibraryLoader::system())
    {
        ASSERT_TRUE(m_rig->start(loader));
        // Where the system's own drive search finds no CD drive (Wine has
        // none), the music dialog says so once the search ends; that box is
        // the music dialog's, not this one's.
        std::erase_if(m_rig->boxes.boxes, [](const RecordingMessageBoxes::Box &box) {
            return box.text == "No matched device found...";
        });
    }
    void openDialog()
    {
        frmVesperin->SkButton2Click();
        ASSERT_TRUE(frmSetTime->Visible());
    }
    // Types `text` over the whole field, as the user would.
    static void type(EditField *field, const std::string &text)
    {
        SetFocus(field->Handle());
        SendMessageA(field->Handle(), EM_SETSEL, 0, -1);
        if (text.empty())
            SendMessageA(field->Handle(), WM_CHAR, VK_BACK, 0);
        for (char c : text)
            SendMessageA(field->Handle(), WM_CHAR, WPARAM(static_cast<unsigned char>(c)), 0);
        pumpPending();
    }
    template <typename Control> static void press(Control *control, DWORD down, DWORD up = 0)
    {
        POINT at{control->Width() / 2, control->Height() / 2};
        ClientToScreen(control->Handle(), &at);
        SetCursorPos(at.x, at.y);
        pumpPending();
        INPUT input{};
        input.type = INPUT_MOUSE;
        input.mi.dwFlags = down;
        SendInput(1, &input, sizeof input);
        pumpPending();
        if (up) {
            input.mi.dwFlags = up;
            SendInput(1, &input, sizeof input);
            pumpPending();
        }
    }

    // Declared first: it outlives the windows, which unload the library through it.
    ExtraDayBitsLoader m_extraDays;
    std::unique_ptr<WindowTestRig> m_rig;
};

TEST_F(SetTime, ShowsEveryHourInTwelveHourFormAndWritesItBack)
{
    start();
    for (uint32_t hour = 0; hour < 24; ++hour) {
        m_rig->image.setAlarm(true, hour, 7, 0x3E);
        openDialog();
        const uint32_t twelve = hour % 12 == 0 ? 12 : hour % 12;
        char shown[8];
        std::snprintf(shown, sizeof shown, "%02u", unsigned(twelve));
        EXPECT_EQ(frmSetTime->edtHourVal->Text(), shown) << hour;
        EXPECT_EQ(frmSetTime->skrPM->Checked(), hour >= 12) << hour;
        EXPECT_EQ(frmSetTime->skrAM->Checked(), hour < 12) << hour;
        EXPECT_EQ(frmSetTime->edtMinuteVal->Text(), "07");
        // An unchanged OK writes the same hour back.
        m_rig->image.setItem(9, hour == 3 ? 4 : 3);
        frmSetTime->skbOK->Click();
        EXPECT_EQ(m_rig->image.item(9), hour) << hour;
        EXPECT_TRUE(m_rig->boxes.boxes.empty()) << hour;
    }
}

TEST_F(SetTime, AnHourOf24OrMoreIsShownByTheTwelveHourRule)
{
    m_rig->image.image["firmware"]["methods"]["AHOU"]["range"] = {0, 1, 32};
    m_rig->image.setAlarm(true, 24, 0, 0);
    start();
    EXPECT_EQ(frmSetTime->edtHourVal->Text(), "12");
    EXPECT_TRUE(frmSetTime->skrPM->Checked());
    m_rig->image.setAlarm(true, 25, 0, 0);
    openDialog();
    // 25 loses 12 once; the field repairs 13 to its high bound.
    EXPECT_EQ(frmSetTime->edtHourVal->Text(), "12");
    EXPECT_TRUE(frmSetTime->skrPM->Checked());
}

TEST_F(SetTime, LoadsAndWritesTheDayMaskStatusFirst)
{
    m_rig->image.setAlarm(true, 23, 5, 0x41);
    start();
    openDialog();
    EXPECT_EQ(frmSetTime->edtHourVal->Text(), "11");
    EXPECT_EQ(frmSetTime->edtMinuteVal->Text(), "05");
    EXPECT_TRUE(frmSetTime->skrPM->Checked());
    for (int day = 0; day < 7; ++day)
        EXPECT_EQ(frmSetTime->dayBox(day)->Checked(), day == 0 || day == 6) << day;
    frmSetTime->skcMon->SetChecked(true);
    frmSetTime->skbOK->Click();
    EXPECT_FALSE(frmSetTime->Visible());
    EXPECT_EQ(m_rig->image.item(9), 23u);
    EXPECT_EQ(m_rig->image.item(10), 5u);
    EXPECT_EQ(m_rig->image.days(), 0x43u);
    EXPECT_EQ(m_rig->image.item(1), 1u);
    EXPECT_EQ(frmVesperin->lblDays->Text(), "Sun. Mon. Sat. ");
    EXPECT_EQ(frmVesperin->lblAMPM->Text(), "PM");
}

TEST_F(SetTime, IgnoresDayBitsAboveSaturday)
{
    start(m_extraDays);
    openDialog();
    EXPECT_FALSE(frmSetTime->skcSun->Checked());
    EXPECT_TRUE(frmSetTime->skcMon->Checked());
    EXPECT_FALSE(frmSetTime->skcSat->Checked());
    EXPECT_EQ(frmVesperin->lblDays->Text(), "Mon. Tue. Wed. Thu. Fri. ");
    // The extra bits are neither written nor taken for a refused write.
    frmSetTime->skbOK->Click();
    EXPECT_FALSE(frmSetTime->Visible());
    EXPECT_TRUE(m_rig->boxes.boxes.empty());
    EXPECT_EQ(m_rig->image.days(), 0x3Eu);
}

TEST_F(SetTime, RepairsWhatIsTyped)
{
    start();
    openDialog();
    struct Case
    {
        bool hour;
        const char *typed;
        const char *shown;
    };
    const Case cases[] = {
        {false, "75", "59"}, {true, "13", "12"}, {true, "0", "1"},
        {true, "", "06"},    {false, "", "30"},  {true, "5 ", "06"},
        {true, "7", "7"},    {false, "0", "0"},  {true, "ab", "06"},
    };
    for (const Case &c : cases) {
        EditField *field = c.hour ? frmSetTime->edtHourVal : frmSetTime->edtMinuteVal;
        type(field, c.typed);
        EXPECT_EQ(field->Text(), c.shown) << '"' << c.typed << '"';
    }
}

TEST_F(SetTime, HeldArrowStepsAtOnceThenAfterHalfASecondThenFast)
{
    m_rig->image.setAlarm(true, 11, 0, 0);
    start();
    openDialog();
    SetForegroundWindow(frmSetTime->Handle());
    press(frmSetTime->skbArrowUpHour, MOUSEEVENTF_LEFTDOWN);
    EXPECT_EQ(frmSetTime->edtHourVal->Text(), "12");
    EXPECT_TRUE(frmSetTime->tmrUpDown->Enabled());
    EXPECT_EQ(frmSetTime->tmrUpDown->Interval(), 500u);
    const DWORD pressed = GetTickCount();
    ASSERT_TRUE(pumpUntil([] { return frmSetTime->edtHourVal->Text() == "01"; }, 3000));
    EXPECT_GE(GetTickCount() - pressed, 400u);
    EXPECT_EQ(frmSetTime->tmrUpDown->Interval(), 50u);
    EXPECT_TRUE(pumpUntil([] { return frmSetTime->edtHourVal->Text() == "03"; }, 3000));
    press(frmSetTime->skbArrowUpHour, MOUSEEVENTF_LEFTUP);
    EXPECT_FALSE(frmSetTime->tmrUpDown->Enabled());
    EXPECT_EQ(frmSetTime->tmrUpDown->Interval(), 500u);
    EXPECT_EQ(Timer::running(), 0);
}

TEST_F(SetTime, OnlyTheLeftButtonStepsAnArrow)
{
    m_rig->image.setAlarm(true, 11, 0, 0);
    start();
    openDialog();
    SetForegroundWindow(frmSetTime->Handle());
    // A right press, released away from the arrow: the arrow never holds the
    // pointer for it, so nothing may step or repeat.
    press(frmSetTime->skbArrowUpHour, MOUSEEVENTF_RIGHTDOWN);
    EXPECT_EQ(frmSetTime->edtHourVal->Text(), "11");
    EXPECT_FALSE(frmSetTime->tmrUpDown->Enabled());
    press(frmSetTime->lblHourMinute, MOUSEEVENTF_RIGHTUP);
    pumpUntil([] { return false; }, 700);
    EXPECT_EQ(frmSetTime->edtHourVal->Text(), "11");
    EXPECT_EQ(Timer::running(), 0);
    // The middle button neither.
    press(frmSetTime->skbArrowDMin, MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP);
    EXPECT_EQ(frmSetTime->edtMinuteVal->Text(), "00");
    EXPECT_EQ(Timer::running(), 0);
}

TEST_F(SetTime, ArrowsWrapAroundTheirRange)
{
    m_rig->image.setAlarm(true, 1, 0, 0);
    start();
    openDialog();
    frmSetTime->skbArrowMouseDown(1);
    frmSetTime->skbArrowMouseUp();
    EXPECT_EQ(frmSetTime->edtHourVal->Text(), "12");
    frmSetTime->skbArrowMouseDown(3);
    frmSetTime->skbArrowMouseUp();
    EXPECT_EQ(frmSetTime->edtMinuteVal->Text(), "59");
    frmSetTime->skbArrowMouseDown(2);
    frmSetTime->skbArrowMouseUp();
    EXPECT_EQ(frmSetTime->edtMinuteVal->Text(), "00");
    frmSetTime->skbArrowMouseDown(0);
    frmSetTime->skbArrowMouseUp();
    EXPECT_EQ(frmSetTime->edtHourVal->Text(), "01");
    // Stepping never changes AM or PM.
    EXPECT_TRUE(frmSetTime->skrAM->Checked());
}

TEST_F(SetTime, DisablingGreysTheTimeControlsAndWritesOnlyTheStatus)
{
    start();
    openDialog();
    frmSetTime->skcDisabled->Click();
    EXPECT_TRUE(frmSetTime->skcDisabled->Checked());
    EXPECT_FALSE(frmSetTime->skcMon->Enabled());
    EXPECT_FALSE(frmSetTime->edtHourVal->Enabled());
    EXPECT_FALSE(frmSetTime->skbArrowUpHour->Enabled());
    EXPECT_EQ(frmSetTime->lblHour->Colour(), RGB(0x62, 0x62, 0x62));
    EXPECT_EQ(frmSetTime->edtHourVal->TextColour(), RGB(0x62, 0x62, 0x62));
    EXPECT_EQ(frmSetTime->lblDays->Colour(), RGB(0xC0, 0xC0, 0xC0));
    frmSetTime->edtHourVal->SetText("09");
    frmSetTime->skbOK->Click();
    EXPECT_TRUE(m_rig->boxes.boxes.empty());
    EXPECT_EQ(m_rig->image.item(1), 0u);
    EXPECT_EQ(m_rig->image.item(9), 6u);
    EXPECT_TRUE(frmVesperin->lblMask->Visible());
}

TEST_F(SetTime, RefusedStatusWriteShowsBothMessagesInOrder)
{
    start();
    m_rig->image.refuse("SITM", 1);
    openDialog();
    frmSetTime->edtHourVal->SetText("09");
    frmSetTime->skbOK->Click();
    ASSERT_EQ(m_rig->boxes.texts(),
              (std::vector<std::string>{"Cannot set status to BIOS...",
                                        "Setting time failed, please retry again..."}));
    for (const auto &box : m_rig->boxes.boxes) {
        EXPECT_EQ(box.owner, frmSetTime->Handle());
        EXPECT_EQ(box.icon, MessageBoxes::Icon::Error);
    }
    EXPECT_FALSE(frmSetTime->Visible());
    EXPECT_EQ(m_rig->image.item(9), 6u);
    EXPECT_EQ(frmVesperin->lblHour->Text(), "06");
    EXPECT_EQ(frmSetTime->edtHourVal->Text(), "09");
}

TEST_F(SetTime, RefusedWritesAreCaughtByReadingBack)
{
    start();
    // The firmware refuses to write the hour: the library still reports
    // the record written.
    m_rig->image.refuse("SITM", 9);
    openDialog();
    frmSetTime->edtHourVal->SetText("09");
    frmSetTime->skbOK->Click();
    EXPECT_EQ(m_rig->boxes.texts(),
              std::vector<std::string>{"Setting time failed, please retry again..."});
    EXPECT_EQ(frmVesperin->lblHour->Text(), "06");
}

TEST_F(SetTime, AValueLeftUnreadIsNotTakenForTheOneWritten)
{
    // Hour 0 written where the firmware refuses both to write and to read
    // the hour: a read-back into a zeroed record would see the 0 it wrote.
    start();
    openDialog();
    m_rig->image.refuse("SITM", 9);
    m_rig->image.refuse("GITM", 9);
    frmSetTime->edtHourVal->SetText("12");
    frmSetTime->skrAM->SetChecked(true);
    frmSetTime->skbOK->Click();
    EXPECT_EQ(m_rig->boxes.texts(),
              std::vector<std::string>{"Setting time failed, please retry again..."});
    EXPECT_EQ(m_rig->image.item(9), 6u);
}

TEST_F(SetTime, AFieldTheFirmwareWillNotGiveIsShownUnknownAndNeverWritten)
{
    // The firmware holds minute 30 but will not read it out.
    m_rig->image.refuse("GITM", 10);
    start();
    EXPECT_EQ(frmVesperin->lblMinute->Text(), "--");
    EXPECT_EQ(frmVesperin->lblHour->Text(), "06");
    openDialog();
    EXPECT_EQ(frmSetTime->edtMinuteVal->Text(), "--");
    EXPECT_EQ(frmSetTime->edtHourVal->Text(), "06");

    // Ticking a day and pressing OK writes nothing: the dialog names the
    // field it lacks and stays open for the user to set it.
    clickAt(frmSetTime->skcSun->Handle(), 8, 8);
    ASSERT_TRUE(frmSetTime->skcSun->Checked());
    frmSetTime->skbOK->Click();
    EXPECT_EQ(
        m_rig->boxes.texts(),
        std::vector<std::string>{"Cannot get minute from BIOS... Set it, then press OK again."});
    EXPECT_TRUE(frmSetTime->Visible());
    EXPECT_EQ(m_rig->image.item(10), 30u);
    EXPECT_EQ(m_rig->image.days(), 0x3Eu);

    // A minute the user types is the user's to write; the firmware still
    // will not read it back, so the write cannot be confirmed.
    m_rig->boxes.boxes.clear();
    type(frmSetTime->edtMinuteVal, "45");
    frmSetTime->skbOK->Click();
    EXPECT_FALSE(frmSetTime->Visible());
    EXPECT_EQ(m_rig->image.item(10), 45u);
    EXPECT_EQ(m_rig->image.days(), 0x3Fu);
    EXPECT_EQ(m_rig->boxes.texts(),
              std::vector<std::string>{"Setting time failed, please retry again..."});
    EXPECT_EQ(frmVesperin->lblMinute->Text(), "--");
    EXPECT_EQ(frmVesperin->lblDays->Text(), "Sun. Mon. Tue. Wed. Thu. Fri. ");
}

TEST_F(SetTime, AnUnreadableHourLeavesNeitherHalfOfTheDayAndTheDaysUnknownToo)
{
    m_rig->image.refuse("GITM", 9);
    // The Saturday read decides whether the library reports the days read.
    m_rig->image.refuse("GITM", 8);
    start();
    EXPECT_EQ(frmVesperin->lblHour->Text(), "--");
    EXPECT_EQ(frmVesperin->lblAMPM->Text(), "--");
    EXPECT_EQ(frmVesperin->lblMinute->Text(), "30");
    EXPECT_EQ(frmVesperin->lblDays->Text(), "--");
    openDialog();
    EXPECT_EQ(frmSetTime->edtHourVal->Text(), "--");
    EXPECT_FALSE(frmSetTime->skrAM->Checked());
    EXPECT_FALSE(frmSetTime->skrPM->Checked());
    frmSetTime->skbOK->Click();
    EXPECT_EQ(m_rig->boxes.texts(),
              std::vector<std::string>{
                  "Cannot get hour and days from BIOS... Set them, then press OK again."});
    EXPECT_EQ(m_rig->image.item(9), 6u);
    // Switched off, only the status is written, which needs none of them.
    m_rig->boxes.boxes.clear();
    frmSetTime->skcDisabled->Click();
    frmSetTime->skbOK->Click();
    EXPECT_TRUE(m_rig->boxes.boxes.empty());
    EXPECT_EQ(m_rig->image.item(1), 0u);
    EXPECT_TRUE(frmVesperin->lblMask->Visible());
}

TEST_F(SetTime, AfterAWriteTheFirmwareTookInPartThePanelShowsWhatItHolds)
{
    m_rig->image.setAlarm(false, 6, 30, 0x3E);
    start();
    EXPECT_TRUE(frmVesperin->lblMask->Visible());
    // Turned on at 07:00, with the minute refused: the firmware rings at 07:30.
    m_rig->image.refuse("SITM", 10);
    openDialog();
    frmSetTime->skcDisabled->Click();
    type(frmSetTime->edtHourVal, "7");
    type(frmSetTime->edtMinuteVal, "0");
    frmSetTime->skbOK->Click();
    EXPECT_EQ(m_rig->boxes.texts(),
              std::vector<std::string>{"Setting time failed, please retry again..."});
    EXPECT_EQ(m_rig->image.item(1), 1u);
    EXPECT_EQ(m_rig->image.item(9), 7u);
    EXPECT_EQ(m_rig->image.item(10), 30u);
    EXPECT_FALSE(frmVesperin->lblMask->Visible());
    EXPECT_EQ(frmVesperin->lblHour->Text(), "07");
    EXPECT_EQ(frmVesperin->lblMinute->Text(), "30");
    EXPECT_EQ(frmVesperin->lblAMPM->Text(), "AM");
    EXPECT_EQ(frmVesperin->lblDays->Text(), "Mon. Tue. Wed. Thu. Fri. ");
}

TEST_F(SetTime, FailedStatusReadKeepsTheControls)
{
    start();
    m_rig->image.refuse("GITM", 1);
    frmSetTime->edtHourVal->SetText("04");
    openDialog();
    EXPECT_EQ(m_rig->boxes.texts(), std::vector<std::string>{"Cannot get status from BIOS..."});
    EXPECT_EQ(frmSetTime->edtHourVal->Text(), "04");
}

TEST_F(SetTime, CancelCloseAndTheSystemsCloseAllDiscardAndTheNextShowReloads)
{
    start();
    const auto cancelBy = [](int way) {
        if (way == 0)
            frmSetTime->skbCancel->Click();
        else if (way == 1)
            frmSetTime->skbClose->Click();
        else
            SendMessageA(frmSetTime->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    };
    for (int way = 0; way < 3; ++way) {
        openDialog();
        frmSetTime->edtHourVal->SetText("09");
        frmSetTime->skcSun->SetChecked(true);
        cancelBy(way);
        pumpPending();
        EXPECT_FALSE(frmSetTime->Visible()) << way;
        EXPECT_TRUE(IsWindow(frmSetTime->Handle())) << way;
        EXPECT_EQ(m_rig->image.item(9), 6u) << way;
        EXPECT_EQ(frmVesperin->lblHour->Text(), "06") << way;
        openDialog();
        EXPECT_EQ(frmSetTime->edtHourVal->Text(), "06") << way;
        EXPECT_FALSE(frmSetTime->skcSun->Checked()) << way;
        frmSetTime->skbCancel->Click();
    }
    EXPECT_TRUE(m_rig->boxes.boxes.empty());
}

TEST_F(SetTime, TitleDragsTheDialogAndTabFollowsTheLayoutsOrder)
{
    start();
    openDialog();
    EXPECT_TRUE(dragMovesTheWindow(frmSetTime->Handle(), *frmSetTime->lblTitle));

    SetFocus(frmSetTime->edtHourVal->Handle());
    const HWND expected[] = {frmSetTime->edtMinuteVal->Handle(), frmSetTime->skbOK->Handle(),
                             frmSetTime->skbCancel->Handle(),    frmSetTime->skbClose->Handle(),
                             frmSetTime->skcSun->Handle(),       frmSetTime->skcThu->Handle()};
    for (HWND next : expected) {
        PostMessageA(GetFocus(), WM_KEYDOWN, VK_TAB, 0);
        EXPECT_TRUE(pumpUntil([&] { return GetFocus() == next; }, 1000));
    }
}

TEST_F(SetTime, ConfirmedChangeReachesTheFirmwareAndThePanel)
{
    start();

    openDialog();
    type(frmSetTime->edtHourVal, "8");
    type(frmSetTime->edtMinuteVal, "45");
    frmSetTime->skrPM->SetChecked(true);
    clickAt(frmSetTime->skbOK->Handle(), 50, 12);
    ASSERT_TRUE(pumpUntil([] { return !frmSetTime->Visible(); }));
    EXPECT_EQ(m_rig->image.item(9), 20u);
    EXPECT_EQ(m_rig->image.item(10), 45u);
    EXPECT_EQ(frmVesperin->lblHour->Text(), "08");
    EXPECT_EQ(frmVesperin->lblMinute->Text(), "45");
    EXPECT_EQ(frmVesperin->lblAMPM->Text(), "PM");
}

// What a screen reader hears of each control: its role and a name, the
// caption or the label beside it, and its state.
TEST_F(SetTime, EveryControlTellsAssistiveTechnologyItsRoleNameAndState)
{
    CoInitialize(nullptr);
    start();
    openDialog();
    TfrmSetTime &dialog = *frmSetTime;
    struct Expected
    {
        HWND window;
        long role;
        const char *name;
    };
    const Expected controls[] = {
        {dialog.skbClose->Handle(), ROLE_SYSTEM_PUSHBUTTON, "Close"},
        {dialog.skcDisabled->Handle(), ROLE_SYSTEM_CHECKBUTTON, "Vesperin Disabled"},
        {dialog.skcSun->Handle(), ROLE_SYSTEM_CHECKBUTTON, "Sunday"},
        {dialog.skcMon->Handle(), ROLE_SYSTEM_CHECKBUTTON, "Monday"},
        {dialog.skcTue->Handle(), ROLE_SYSTEM_CHECKBUTTON, "Tuesday"},
        {dialog.skcWed->Handle(), ROLE_SYSTEM_CHECKBUTTON, "Wednesday"},
        {dialog.skcThu->Handle(), ROLE_SYSTEM_CHECKBUTTON, "Thursday"},
        {dialog.skcFri->Handle(), ROLE_SYSTEM_CHECKBUTTON, "Friday"},
        {dialog.skcSat->Handle(), ROLE_SYSTEM_CHECKBUTTON, "Saturday"},
        {dialog.skbArrowUpHour->Handle(), ROLE_SYSTEM_PUSHBUTTON, "Hour up"},
        {dialog.skbArrowDHour->Handle(), ROLE_SYSTEM_PUSHBUTTON, "Hour down"},
        {dialog.skbArrowUpMin->Handle(), ROLE_SYSTEM_PUSHBUTTON, "Minute up"},
        {dialog.skbArrowDMin->Handle(), ROLE_SYSTEM_PUSHBUTTON, "Minute down"},
        {dialog.skrAM->Handle(), ROLE_SYSTEM_RADIOBUTTON, "AM"},
        {dialog.skrPM->Handle(), ROLE_SYSTEM_RADIOBUTTON, "PM"},
        {dialog.skbOK->Handle(), ROLE_SYSTEM_PUSHBUTTON, "OK"},
        {dialog.skbCancel->Handle(), ROLE_SYSTEM_PUSHBUTTON, "Cancel"},
    };
    for (const Expected &control : controls) {
        skintest::AccessibleClient client(control.window);
        ASSERT_TRUE(client.valid()) << control.name;
        EXPECT_EQ(client.role(), control.role) << control.name;
        EXPECT_EQ(client.name(), control.name);
    }
    // The firmware's alarm rings Monday to Friday at 6:30 AM.
    EXPECT_TRUE(skintest::AccessibleClient(dialog.skcMon->Handle()).has(STATE_SYSTEM_CHECKED));
    EXPECT_FALSE(skintest::AccessibleClient(dialog.skcSun->Handle()).has(STATE_SYSTEM_CHECKED));
    EXPECT_TRUE(skintest::AccessibleClient(dialog.skrAM->Handle()).has(STATE_SYSTEM_CHECKED));
    // Switched off, the time controls are unavailable.
    clickAt(dialog.skcDisabled->Handle(), 8, 8);
    EXPECT_TRUE(skintest::AccessibleClient(dialog.skcDisabled->Handle()).has(STATE_SYSTEM_CHECKED));
    EXPECT_TRUE(
        skintest::AccessibleClient(dialog.skbArrowUpHour->Handle()).has(STATE_SYSTEM_UNAVAILABLE));
    EXPECT_FALSE(
        skintest::AccessibleClient(dialog.skbArrowUpHour->Handle()).has(STATE_SYSTEM_FOCUSABLE));
    // Closed, the dialog's controls are out of sight for the screen reader too.
    EXPECT_FALSE(skintest::AccessibleClient(dialog.skbOK->Handle()).has(STATE_SYSTEM_INVISIBLE));
    clickAt(dialog.skbCancel->Handle(), 50, 12);
    ASSERT_TRUE(pumpUntil([&] { return !dialog.Visible(); }));
    EXPECT_TRUE(skintest::AccessibleClient(dialog.skbOK->Handle()).has(STATE_SYSTEM_INVISIBLE));
    CoUninitialize();
}

} // namespace
