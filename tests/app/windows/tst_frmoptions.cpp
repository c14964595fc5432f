// The options dialog: the firmware's choices, the volume field with its
// arrows and the mixer, the timed test through the music dialog's player,
// OK's checked write of the play status, and the decisions behind them (what
// a volume text means, the mixer levels, a test's length and way).

#include "app/windows/combo_box.h"
#include "app/windows/edit_field.h"
#include "app/windows/forms.h"
#include "app/windows/frm_options.h"
#include "app/windows/frm_select_music.h"
#include "app/windows/frm_vesperin.h"
#include "app/windows/label.h"
#include "app/windows/list_view.h"
#include "app/windows/option_rules.h"
#include "app/windows/timer.h"
#include "manual_clock.h"
#include "pump.h"
#include "skin/sk_button.h"
#include "skin/sk_button_tx.h"
#include "window_test_rig.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdlib>
#include <cstring>
#include <memory>

using nlohmann::json;
using namespace OptionRules;

namespace {

constexpr int ItemDrive = 11;
constexpr int ItemTrack = 12;
constexpr int ItemRepeat = 13;
constexpr int ItemDuration = 14;
constexpr int ItemVolume = 15;

template <typename Control> void press(Control *control)
{
    RECT client{};
    GetClientRect(control->Handle(), &client);
    clickAt(control->Handle(), client.right / 2, client.bottom / 2);
}

// Holds the left button down on a control until release() is called.
template <typename Control> void pressDown(Control *control)
{
    RECT client{};
    GetClientRect(control->Handle(), &client);
    POINT point{client.right / 2, client.bottom / 2};
    ClientToScreen(control->Handle(), &point);
    SetCursorPos(point.x, point.y);
    pumpPending();
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    SendInput(1, &input, sizeof input);
    pumpPending();
}

void release()
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(1, &input, sizeof input);
    pumpPending();
}

// The user picks item `index` of a drop-down list (-1: none).
void choose(ComboBox *box, int index)
{
    SendMessageA(box->Handle(), CB_SETCURSEL, WPARAM(index), 0);
    SendMessageA(GetParent(box->Handle()), WM_COMMAND,
                 MAKEWPARAM(GetDlgCtrlID(box->Handle()), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(box->Handle()));
}

// The user selects the volume field's text and types `text` over it, one
// key at a time; the field repairs itself after each.
void typeVolume(const std::string &text)
{
    const HWND field = frmOptions->edtVolume->Handle();
    SetFocus(field);
    SendMessageA(field, EM_SETSEL, 0, -1);
    for (const char c : text)
        SendMessageA(field, WM_CHAR, WPARAM(static_cast<unsigned char>(c)), 0);
    pumpPending();
}

// The user selects the volume field's text and pastes `text` over it.
void pasteVolume(const std::string &text)
{
    const HWND field = frmOptions->edtVolume->Handle();
    SetFocus(field);
    SendMessageA(field, EM_SETSEL, 0, -1);
    SendMessageA(field, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
    pumpPending();
}

std::vector<std::string> items(const ComboBox *box)
{
    std::vector<std::string> texts;
    for (int i = 0; i < box->Count(); ++i)
        texts.push_back(box->Item(i));
    return texts;
}

json playback(const MachineImage &image)
{
    return image.current()["hardware"].value("playback", json());
}

bool playing(const MachineImage &image)
{
    return !playback(image).is_null();
}

uint32_t mixer(const MachineImage &image)
{
    return image.current()["hardware"]["mixer"].value("level", 0u);
}

json played(int from, int to)
{
    return {{"letter", "D"}, {"from", from}, {"to", to}};
}

void openOptions()
{
    press(frmVesperin->SkButton3);
    ASSERT_TRUE(pumpUntil([] { return frmOptions->Visible(); }));
}

std::string testCaption()
{
    return frmOptions->skbTest->GetText();
}

class FrmOptions : public ::testing::Test
{
protected:
    void start() { ASSERT_TRUE(rig.start()); }
    WindowTestRig rig;
};

} // namespace

TEST_F(FrmOptions, ShowsTheFirmwaresChoices)
{
    start();
    EXPECT_EQ(items(frmOptions->cbxMode), (std::vector<std::string>{"None", "Single", "All"}));
    EXPECT_EQ(items(frmOptions->cbxDuration),
              (std::vector<std::string>{"10 mins", "20 mins", "30 mins", "1 hour"}));
    EXPECT_EQ(frmOptions->cbxMode->Text(), "Single");
    EXPECT_EQ(frmOptions->cbxDuration->Text(), "10 mins");
    // Volume value 8 is the ninth of the range.
    EXPECT_EQ(frmOptions->edtVolume->Text(), "9");
    EXPECT_EQ(frmOptions->MaxVolume, 16);
    EXPECT_EQ(frmOptions->MixerStep, 4369);
    EXPECT_EQ(frmVesperin->lblRepeat->Text(), "Single");
    EXPECT_EQ(frmVesperin->lblLength->Text(), "10 mins");
    EXPECT_EQ(frmVesperin->lblVolume->Text(), "9");
}

TEST_F(FrmOptions, ValuesTheFirmwareDoesNotOfferLeaveTheControlsAlone)
{
    rig.image.setItem(ItemRepeat, 2);
    start();
    openOptions();
    typeVolume("4");
    press(frmOptions->skbCancel);
    // The volume item takes any value in the image; 100 is not in the range.
    rig.image.setItem(ItemVolume, 100);
    rig.image.setItem(ItemRepeat, 7);
    openOptions();
    EXPECT_EQ(frmOptions->edtVolume->Text(), "4");
    EXPECT_EQ(frmOptions->cbxMode->Text(), "All");
}

TEST_F(FrmOptions, VolumeArrowsStepWithinTheRangeAndSetTheMixer)
{
    start();
    openOptions();
    typeVolume("7");
    press(frmOptions->skbArrowUpMin);
    EXPECT_EQ(frmOptions->edtVolume->Text(), "8");
    EXPECT_EQ(mixer(rig.image), 34952u);

    typeVolume("14");
    press(frmOptions->skbArrowUpMin);
    EXPECT_EQ(mixer(rig.image), 65535u);
    press(frmOptions->skbArrowUpMin);
    EXPECT_EQ(frmOptions->edtVolume->Text(), "15");

    typeVolume("2");
    press(frmOptions->skbArrowDMin);
    EXPECT_EQ(frmOptions->edtVolume->Text(), "1");
    EXPECT_EQ(mixer(rig.image), 4369u);
    press(frmOptions->skbArrowDMin);
    EXPECT_EQ(frmOptions->edtVolume->Text(), "1");
    EXPECT_TRUE(rig.boxes.boxes.empty());
    EXPECT_FALSE(frmOptions->tmrUpDown->Enabled());
}

TEST_F(FrmOptions, HoldingAnArrowRepeatsAfterAPause)
{
    start();
    openOptions();
    typeVolume("3");
    pressDown(frmOptions->skbArrowUpMin);
    EXPECT_EQ(frmOptions->edtVolume->Text(), "4");
    EXPECT_TRUE(frmOptions->tmrUpDown->Enabled());
    EXPECT_EQ(frmOptions->tmrUpDown->Interval(), 500u);
    // The real timer steps again after the pause, then every 50 ms. On a busy
    // machine the pump may see a step or two late, so the checks ask for at
    // least the value, not exactly it.
    const auto volumeAtLeast = [](int level) {
        return [level] { return std::atoi(frmOptions->edtVolume->Text().c_str()) >= level; };
    };
    ASSERT_TRUE(pumpUntil(volumeAtLeast(5), 3000));
    EXPECT_EQ(frmOptions->tmrUpDown->Interval(), 50u);
    ASSERT_TRUE(pumpUntil(volumeAtLeast(7), 3000));
    release();
    EXPECT_FALSE(frmOptions->tmrUpDown->Enabled());
    EXPECT_EQ(frmOptions->tmrUpDown->Interval(), 500u);
}

TEST_F(FrmOptions, TypedVolumesAreRepaired)
{
    start();
    openOptions();
    const std::pair<const char *, const char *> cases[] = {{"99", "16"}, {"16", "16"}, {"", "8"},
                                                           {"ab", "8"},  {"-5", "0"},  {"0", "0"},
                                                           {"05", "05"}, {"5 ", "8"},  {" 5", "8"}};
    for (const auto &[typed, kept] : cases) {
        typeVolume("3");
        pasteVolume(typed);
        EXPECT_EQ(frmOptions->edtVolume->Text(), kept) << '"' << typed << '"';
    }
    // Deleting the text with the keyboard leaves half the highest.
    typeVolume("3");
    SendMessageA(frmOptions->edtVolume->Handle(), WM_CHAR, VK_BACK, 0);
    EXPECT_EQ(frmOptions->edtVolume->Text(), "8");
    // The field takes two characters at most.
    typeVolume("123");
    EXPECT_EQ(frmOptions->edtVolume->Text(), "12");
}

TEST_F(FrmOptions, ATypedHighestVolumeTestsAtFullLevel)
{
    start();
    openOptions();
    typeVolume("16");
    EXPECT_EQ(frmOptions->mixerLevel(16), 69904u);
    press(frmOptions->skbTest);
    EXPECT_EQ(mixer(rig.image), 65535u);
    press(frmOptions->skbTest);
    EXPECT_EQ(testCaption(), "Test");
}

TEST_F(FrmOptions, SingleRepeatTestsForItsDurationAndStopsItself)
{
    ManualClock clock(5000);
    start();
    frmSelectMusic->lvMusic->Select(1);
    openOptions();
    choose(frmOptions->cbxMode, 1);     // Single
    choose(frmOptions->cbxDuration, 1); // 20 mins
    press(frmOptions->skbTest);

    EXPECT_EQ(testCaption(), "Stop");
    EXPECT_EQ(frmOptions->TestDuration, 1200u);
    EXPECT_TRUE(frmOptions->tmrDuration->Enabled());
    EXPECT_EQ(mixer(rig.image), 9u * 4369u);
    EXPECT_EQ(playback(rig.image), played(2, 0));
    EXPECT_TRUE(frmSelectMusic->tmrOneTrack->Enabled());
    EXPECT_EQ(frmSelectMusic->tmrOneTrack->Interval(), 201000u);

    // Exactly 1200 s later the real timer's tick lets it play on.
    clock.advance(1200 * 1000);
    int ticks = 0;
    const auto previous = frmOptions->tmrDuration->OnTimer;
    frmOptions->tmrDuration->OnTimer = [&] {
        ++ticks;
        previous();
    };
    ASSERT_TRUE(pumpUntil([&] { return ticks >= 1; }, 3000));
    EXPECT_EQ(testCaption(), "Stop");
    EXPECT_TRUE(playing(rig.image));
    // One second more and the next tick ends the test.
    clock.advance(1000);
    ASSERT_TRUE(pumpUntil([] { return testCaption() == "Test"; }, 3000));
    EXPECT_FALSE(frmOptions->tmrDuration->Enabled());
    EXPECT_FALSE(frmSelectMusic->tmrOneTrack->Enabled());
    EXPECT_FALSE(playing(rig.image));
    EXPECT_EQ(Timer::running(), 0);
}

TEST_F(FrmOptions, AWrappingTickCountNeverEndsATestEarly)
{
    ManualClock clock(0xFFFFFFFFu - 1500);
    start();
    openOptions();
    choose(frmOptions->cbxMode, 2); // All
    press(frmOptions->skbTest);
    EXPECT_EQ(testCaption(), "Stop");
    clock.advance(3000); // past the wrap
    frmOptions->tmrDurationTimer();
    EXPECT_EQ(testCaption(), "Stop");
    clock.advance(597 * 1000); // exactly ten minutes
    frmOptions->tmrDurationTimer();
    EXPECT_EQ(testCaption(), "Stop");
    clock.advance(1000);
    frmOptions->tmrDurationTimer();
    EXPECT_EQ(testCaption(), "Test");
}

TEST_F(FrmOptions, AnUnknownDurationTestsForTenMinutes)
{
    rig.image.image["firmware"]["methods"]["ADUR"]["choices"] = {"5 minutes", "20 MINS"};
    rig.image.write();
    ManualClock clock;
    start();
    openOptions();
    for (int duration = 0; duration < 2; ++duration) {
        choose(frmOptions->cbxDuration, duration);
        press(frmOptions->skbTest);
        EXPECT_EQ(frmOptions->TestDuration, 600u);
        EXPECT_EQ(playback(rig.image), played(1, 0));
        press(frmOptions->skbTest);
        EXPECT_EQ(testCaption(), "Test");
        EXPECT_FALSE(playing(rig.image));
    }
}

TEST_F(FrmOptions, NoneRepeatPlaysTheTrackOnceWithoutTiming)
{
    start();
    frmSelectMusic->lvMusic->Select(4);
    openOptions();
    choose(frmOptions->cbxMode, 0); // None
    for (int round = 0; round < 2; ++round) {
        press(frmOptions->skbTest);
        EXPECT_EQ(playback(rig.image), played(5, 6));
        EXPECT_EQ(testCaption(), "Test");
        EXPECT_FALSE(frmOptions->tmrDuration->Enabled());
        frmSelectMusic->skbStopClick();
    }
    EXPECT_EQ(Timer::running(), 0);
}

TEST_F(FrmOptions, TestWithoutTrackOrMixerPlaysNothing)
{
    start();
    rig.image.image["hardware"]["mixer"]["present"] = false;
    rig.image.write();
    openOptions();
    press(frmOptions->skbTest);
    EXPECT_EQ(rig.boxes.texts(), std::vector<std::string>{"Can not test. Audio function failed."});
    ASSERT_FALSE(rig.boxes.boxes.empty());
    EXPECT_EQ(rig.boxes.boxes.front().icon, MessageBoxes::Icon::Warning);
    EXPECT_EQ(rig.boxes.boxes.front().owner, frmOptions->Handle());
    EXPECT_EQ(testCaption(), "Test");
    EXPECT_FALSE(playing(rig.image));

    rig.image.image["hardware"]["mixer"]["present"] = true;
    rig.image.image["hardware"]["ide"][1]["disc"] = nullptr;
    rig.image.write();
    rig.boxes.boxes.clear();
    press(frmVesperin->SkButton4); // reloads the empty drive
    ASSERT_TRUE(pumpUntil([] { return frmSelectMusic->Visible(); }));
    openOptions();
    press(frmOptions->skbTest);
    EXPECT_EQ(rig.boxes.texts(), std::vector<std::string>{"Select a music first."});
    EXPECT_EQ(testCaption(), "Test");
    EXPECT_FALSE(frmOptions->tmrDuration->Enabled());
}

TEST_F(FrmOptions, OkDuringATestStopsTheMusicAndWrites)
{
    start();
    openOptions();
    // Another program changed the music choice since the dialogs loaded it.
    rig.image.setItem(ItemDrive, 3);
    rig.image.setItem(ItemTrack, 5);
    choose(frmOptions->cbxMode, 2);
    choose(frmOptions->cbxDuration, 3);
    typeVolume("12");
    press(frmOptions->skbTest);
    EXPECT_TRUE(playing(rig.image));

    press(frmOptions->skbOK);
    EXPECT_FALSE(playing(rig.image));
    EXPECT_FALSE(frmOptions->Visible());
    EXPECT_EQ(testCaption(), "Test");
    EXPECT_EQ(rig.image.item(ItemRepeat), 2u);
    EXPECT_EQ(rig.image.item(ItemDuration), 3u);
    EXPECT_EQ(rig.image.item(ItemVolume), 11u);
    EXPECT_EQ(rig.image.item(ItemDrive), 3u);
    EXPECT_EQ(rig.image.item(ItemTrack), 5u);
    EXPECT_EQ(frmVesperin->lblRepeat->Text(), "All");
    EXPECT_EQ(frmVesperin->lblLength->Text(), "1 hour");
    EXPECT_EQ(frmVesperin->lblVolume->Text(), "12");
    EXPECT_TRUE(rig.boxes.boxes.empty());
    EXPECT_EQ(Timer::running(), 0);
}

TEST_F(FrmOptions, ChoicesWithoutAFirmwareValueKeepTheFirmwares)
{
    rig.image.setItem(ItemDuration, 2);
    start();
    openOptions();
    choose(frmOptions->cbxMode, -1);
    choose(frmOptions->cbxDuration, -1);
    press(frmOptions->skbOK);
    EXPECT_TRUE(rig.boxes.boxes.empty());
    EXPECT_EQ(rig.image.item(ItemRepeat), 1u);
    // No duration chosen writes the first.
    EXPECT_EQ(rig.image.item(ItemDuration), 0u);
    EXPECT_EQ(rig.image.item(ItemVolume), 8u);
    // The panel shows what the firmware holds now.
    EXPECT_EQ(frmVesperin->lblRepeat->Text(), "Single");
    EXPECT_EQ(frmVesperin->lblLength->Text(), "10 mins");
    EXPECT_EQ(frmVesperin->lblVolume->Text(), "9");
}

TEST_F(FrmOptions, AVolumeTheFirmwareCannotHoldIsAFailedWrite)
{
    start();
    openOptions();
    choose(frmOptions->cbxMode, 2);
    pasteVolume("0");
    press(frmOptions->skbOK);
    EXPECT_EQ(rig.boxes.texts(),
              std::vector<std::string>{"Setting options failed, please retry again..."});
    // Nothing was stored, and the panel still shows what the firmware holds.
    EXPECT_EQ(rig.image.item(ItemVolume), 8u);
    EXPECT_EQ(rig.image.item(ItemRepeat), 1u);
    EXPECT_EQ(frmVesperin->lblVolume->Text(), "9");
    EXPECT_EQ(frmVesperin->lblRepeat->Text(), "Single");
}

TEST_F(FrmOptions, FewerThanTwoVolumeValuesStayInRange)
{
    for (const int values : {1, 0}) {
        WindowTestRig each;
        each.image.image["firmware"]["methods"]["AVOL"]["range"] = {0, 1, values};
        each.image.setItem(ItemVolume, 0);
        ASSERT_TRUE(each.start());
        EXPECT_EQ(frmOptions->MaxVolume, values);
        EXPECT_EQ(frmOptions->MixerStep, 65535);
        openOptions();
        press(frmOptions->skbArrowUpMin);
        press(frmOptions->skbArrowDMin);
        EXPECT_EQ(frmOptions->edtVolume->Text(), std::to_string(values));
        press(frmOptions->skbTest);
        EXPECT_EQ(mixer(each.image), values ? 65535u : 0u);
        press(frmOptions->skbOK);
        EXPECT_EQ(each.image.item(ItemVolume), 0u);
        EXPECT_TRUE(each.boxes.boxes.empty()) << values;
    }
}

TEST_F(FrmOptions, AfterAFailedWriteThePanelShowsWhatTheFirmwareHolds)
{
    struct Case
    {
        const char *method;
        int item;
        const char *repeatShown; // on the panel afterwards
    };
    // The drive cannot be read, so it cannot be written back and nothing is
    // written; or the library reports the write done while the firmware
    // stored the mode "None" and kept the old volume.
    for (const Case &c : {Case{"GITM", ItemDrive, "Single"}, Case{"SITM", ItemVolume, "None"}}) {
        WindowTestRig each;
        ASSERT_TRUE(each.start());
        openOptions();
        choose(frmOptions->cbxMode, 0);
        typeVolume("3");
        each.image.refuse(c.method, c.item);
        press(frmOptions->skbOK);

        EXPECT_EQ(each.boxes.texts(),
                  std::vector<std::string>{"Setting options failed, please retry again..."});
        ASSERT_FALSE(each.boxes.boxes.empty());
        EXPECT_EQ(each.boxes.boxes.front().icon, MessageBoxes::Icon::Error);
        EXPECT_EQ(each.boxes.boxes.front().owner, frmOptions->Handle());
        EXPECT_EQ(each.image.item(ItemDrive), 2u);
        EXPECT_EQ(each.image.item(ItemVolume), 8u);
        EXPECT_EQ(frmVesperin->lblRepeat->Text(), c.repeatShown) << c.method;
        EXPECT_EQ(each.image.item(ItemRepeat), c.item == ItemDrive ? 1u : 0u);
        EXPECT_EQ(frmVesperin->lblVolume->Text(), "9");
        // The controls keep the user's values until the next show.
        EXPECT_EQ(frmOptions->edtVolume->Text(), "3");
    }
}

TEST_F(FrmOptions, ASettingTheFirmwareWillNotGiveIsShownUnknownAndNeverWritten)
{
    rig.image.refuse("GITM", ItemVolume);
    rig.image.refuse("GITM", ItemRepeat);
    start();
    EXPECT_EQ(frmVesperin->lblVolume->Text(), "--");
    EXPECT_EQ(frmVesperin->lblRepeat->Text(), "--");
    EXPECT_EQ(frmVesperin->lblLength->Text(), "10 mins");
    openOptions();
    EXPECT_EQ(frmOptions->edtVolume->Text(), "--");
    EXPECT_EQ(frmOptions->cbxMode->ItemIndex(), -1);
    choose(frmOptions->cbxDuration, 2);
    press(frmOptions->skbOK);
    EXPECT_EQ(rig.boxes.texts(),
              std::vector<std::string>{
                  "Cannot get repeat mode and volume from BIOS... Set them, then press OK again."});
    EXPECT_TRUE(frmOptions->Visible());
    EXPECT_EQ(rig.image.item(ItemDuration), 0u);
    EXPECT_EQ(rig.image.item(ItemVolume), 8u);

    // Once the user has chosen both, they are the user's to write.
    rig.boxes.boxes.clear();
    choose(frmOptions->cbxMode, 2);
    typeVolume("5");
    press(frmOptions->skbOK);
    EXPECT_FALSE(frmOptions->Visible());
    EXPECT_EQ(rig.image.item(ItemRepeat), 2u);
    EXPECT_EQ(rig.image.item(ItemDuration), 2u);
    EXPECT_EQ(rig.image.item(ItemVolume), 4u);
    // Neither can be read back, so the write is not confirmed.
    EXPECT_EQ(rig.boxes.texts(),
              std::vector<std::string>{"Setting options failed, please retry again..."});
    EXPECT_EQ(frmVesperin->lblLength->Text(), "30 mins");
    EXPECT_EQ(frmVesperin->lblVolume->Text(), "--");
}

TEST_F(FrmOptions, EveryWayOutStopsTheTestAndDiscardsTheChanges)
{
    start();
    // Opening the music dialog, the close button, and the window system's close.
    for (int way = 0; way < 3; ++way) {
        openOptions();
        choose(frmOptions->cbxMode, 2);
        press(frmOptions->skbTest);
        EXPECT_TRUE(playing(rig.image));
        if (way == 0)
            press(frmVesperin->SkButton4);
        else if (way == 1)
            press(frmOptions->skbClose);
        else
            SendMessageA(frmOptions->Handle(), WM_CLOSE, 0, 0);
        EXPECT_FALSE(frmOptions->Visible()) << way;
        EXPECT_EQ(testCaption(), "Test") << way;
        EXPECT_FALSE(playing(rig.image)) << way;
        EXPECT_EQ(rig.image.item(ItemRepeat), 1u) << way;
        if (frmSelectMusic->Visible())
            press(frmSelectMusic->skbCancel);
    }
    openOptions();
    EXPECT_EQ(frmOptions->cbxMode->Text(), "Single");
    EXPECT_EQ(Timer::running(), 0);
}

TEST_F(FrmOptions, TheControlsKeepTheLayout)
{
    start();
    RECT client{};
    GetClientRect(frmOptions->Handle(), &client);
    EXPECT_EQ(client.right, 349);
    EXPECT_EQ(client.bottom, 239);
    char caption[64] = {};
    GetWindowTextA(frmOptions->Handle(), caption, sizeof caption);
    EXPECT_STREQ(caption, " Options");
    EXPECT_EQ(SendMessageA(frmOptions->edtVolume->Handle(), EM_GETLIMITTEXT, 0, 0), 2);
    EXPECT_EQ(frmOptions->skbArrowUpMin->Tag(), 0);
    EXPECT_EQ(frmOptions->skbArrowDMin->Tag(), 1);
    // Two digits fit the volume field.
    EditField *volume = frmOptions->edtVolume;
    EXPECT_LE(textWidth(volume->Handle(), volume->Font(), "16"), volume->Width());
}

TEST_F(FrmOptions, TitleDragsTheDialog)
{
    start();
    openOptions();
    EXPECT_TRUE(dragMovesTheWindow(frmOptions->Handle(), *frmOptions->lblTitle));
}

namespace {

ChoiceList listOf(std::initializer_list<std::pair<const char *, uint32_t>> entries)
{
    ChoiceList list;
    for (const auto &[name, value] : entries) {
        std::strncpy(list.names[list.count], name, ChoiceList::NameSize - 1);
        list.values[list.count++] = value;
    }
    return list;
}

} // namespace

TEST(OptionRules, RepairsTheVolumeText)
{
    struct Case
    {
        const char *typed;
        const char *kept; // null: the text stays
    };
    const Case cases[] = {
        {"99", "16"}, {"16", nullptr}, {"17", "16"},    {"", "8"},  {"ab", "8"},
        {"-5", "0"},  {"0", nullptr},  {"05", nullptr}, {"-", "8"}, {"5 ", "8"},
        {" 5", "8"},  {"+5", "8"},     {"5a", "8"},
    };
    for (const Case &c : cases) {
        const std::optional<std::string> repaired = repairedVolume(c.typed, 16);
        if (c.kept)
            EXPECT_EQ(repaired, std::string(c.kept)) << '"' << c.typed << '"';
        else
            EXPECT_FALSE(repaired) << '"' << c.typed << '"';
    }
    // A repaired text needs no further repair.
    for (const Case &c : cases) {
        if (const auto repaired = repairedVolume(c.typed, 16)) {
            EXPECT_FALSE(repairedVolume(*repaired, 16)) << *repaired;
        }
    }
}

TEST(OptionRules, VolumeNumbersSetTheMixerInEqualSteps)
{
    const uint32_t step = mixerStep(16);
    EXPECT_EQ(step, 4369u);
    EXPECT_EQ(mixerLevel(8, step), 34952u);
    EXPECT_EQ(mixerLevel(15, step), 65535u);
    // A typed highest number computes past full level; the mixer clamps it.
    EXPECT_EQ(mixerLevel(16, step), 69904u);
    EXPECT_EQ(mixerLevel(-3, step), 0u);
    // Without two values there is no step: the one volume is full level.
    EXPECT_EQ(mixerStep(1), 65535u);
    EXPECT_EQ(mixerStep(0), 65535u);
    EXPECT_EQ(mixerStep(-1), 65535u);
}

TEST(OptionRules, TestLengthAndWayFollowTheChosenNames)
{
    EXPECT_EQ(testSeconds("10 mins"), 600u);
    EXPECT_EQ(testSeconds("20 mins"), 1200u);
    EXPECT_EQ(testSeconds("30 mins"), 1800u);
    EXPECT_EQ(testSeconds("1 hour"), 3600u);
    // Durations compare exactly; any other name tests for ten minutes.
    EXPECT_EQ(testSeconds("20 MINS"), 600u);
    EXPECT_EQ(testSeconds("5 minutes"), 600u);
    EXPECT_EQ(testSeconds(""), 600u);

    // Repeat modes compare in lower case.
    EXPECT_EQ(testPlay("None"), TestPlay::Once);
    EXPECT_EQ(testPlay("NONE"), TestPlay::Once);
    EXPECT_EQ(testPlay("sInGlE"), TestPlay::RepeatOne);
    EXPECT_EQ(testPlay("All"), TestPlay::ToEnd);
    EXPECT_EQ(testPlay("Shuffle"), TestPlay::ToEnd);
    EXPECT_EQ(testPlay(""), TestPlay::ToEnd);
}

TEST(OptionRules, FirmwareEntriesAreFoundByValueWithinTheList)
{
    ChoiceList modes = listOf({{"None", 0}, {"Single", 1}, {"All", 2}, {"Again", 1}});
    EXPECT_EQ(entryOf(modes, 1), 1u);
    EXPECT_FALSE(entryOf(modes, 7));
    EXPECT_TRUE(validEntry(modes, 3));
    EXPECT_FALSE(validEntry(modes, 4));
    EXPECT_FALSE(validEntry(modes, -1));
    // A count past the list's room never reads past its entries.
    modes.count = 1000;
    EXPECT_FALSE(entryOf(modes, 12345));
    EXPECT_FALSE(validEntry(modes, int(ChoiceList::MaxEntries)));
    // A name that fills its whole slot is cut at the slot's end.
    std::memset(modes.names[0], 'x', ChoiceList::NameSize);
    EXPECT_EQ(entryName(modes, 0), std::string(ChoiceList::NameSize, 'x'));
    EXPECT_EQ(entryName(modes, 2), "All");
    EXPECT_EQ(entryName(modes, ChoiceList::MaxEntries), "");
}
