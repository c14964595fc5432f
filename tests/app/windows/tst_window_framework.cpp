// The pieces every window stands on: the object behind each window, the
// system's standard controls with their notifications, the timers, the
// program's keyboard navigation and the alarm time's field rules.

#include "app/windows/application.h"
#include "app/windows/combo_box.h"
#include "app/windows/control_table.h"
#include "app/windows/edit_field.h"
#include "app/windows/label.h"
#include "app/windows/plain_button.h"
#include "app/windows/time_fields.h"
#include "app/windows/timer.h"
#include "app/windows/window.h"
#include "app/windows/window_fonts.h"
#include "pump.h"
#include "recording_message_boxes.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// A plain window on the screen that records the messages it answers.
class TestWindow : public Window
{
public:
    TestWindow()
    {
        create({"VesperinTestWindow", "test", WS_POPUP | WS_VISIBLE, WS_EX_CONTROLPARENT, 100, 100,
                200, 120, nullptr});
    }
    std::vector<UINT> messages;

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        messages.push_back(message);
        return Window::handleMessage(message, wParam, lParam);
    }
};

TEST(WindowObject, OwnsItsHandleFromTheFirstMessageToTheLast)
{
    HWND handle = nullptr;
    {
        TestWindow window;
        handle = window.Handle();
        ASSERT_TRUE(IsWindow(handle));
        EXPECT_EQ(Window::fromHandle(handle), &window);
        // The object saw the window's creation itself, not only later messages.
        EXPECT_NE(std::find(window.messages.begin(), window.messages.end(), UINT(WM_CREATE)),
                  window.messages.end());
        EXPECT_EQ(window.Width(), 200);
        window.Move(150, 160);
        EXPECT_EQ(window.Left(), 150);
        EXPECT_EQ(window.Top(), 160);
    }
    EXPECT_FALSE(IsWindow(handle));
    // A window that is not one of the program's has no object.
    EXPECT_EQ(Window::fromHandle(GetDesktopWindow()), nullptr);
}

TEST(StandardControls, EditReportsEveryChangeTypedOrSet)
{
    TestWindow window;
    EditField *field =
        window.own(std::make_unique<EditField>(window.Handle(), "0", 10, 10, 30, 14));
    int changes = 0;
    field->OnChange = [&] { ++changes; };
    field->SetText("12");
    EXPECT_EQ(changes, 1);
    SetFocus(field->Handle());
    SendMessageA(field->Handle(), EM_SETSEL, 0, -1);
    SendMessageA(field->Handle(), WM_CHAR, '7', 0);
    EXPECT_EQ(field->Text(), "7");
    EXPECT_EQ(changes, 2);
    // The field's own colour request is answered with its colours.
    field->SetColours(RGB(0xC0, 0xC0, 0xC0), RGB(0x33, 0x33, 0x33));
    const HDC dc = GetDC(field->Handle());
    const auto brush = reinterpret_cast<HBRUSH>(
        SendMessageA(window.Handle(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                     reinterpret_cast<LPARAM>(field->Handle())));
    EXPECT_EQ(GetTextColor(dc), RGB(0xC0, 0xC0, 0xC0));
    ReleaseDC(field->Handle(), dc);
    LOGBRUSH look{};
    ASSERT_TRUE(GetObjectA(brush, sizeof look, &look));
    EXPECT_EQ(look.lbColor, RGB(0x33, 0x33, 0x33));
}

// The parent hands a control its notifications and colour requests through
// the object of the control's window, the combo box's dropped list included;
// a window whose object is gone has none, so no message reaches a freed one.
TEST(StandardControls, AnObjectAnswersForItsWindowsUntilItIsGone)
{
    TestWindow window;
    auto label = std::make_unique<Label>(window.Handle(), "Alarm Time:", 20, 20);
    auto box = std::make_unique<ComboBox>(window.Handle(), 20, 50, 98, 21);
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetComboBoxInfo(box->Handle(), &info));
    ASSERT_NE(info.hwndList, nullptr);
    const HWND labelWindow = label->Handle();
    EXPECT_EQ(StandardControl::fromHandle(labelWindow), label.get());
    EXPECT_EQ(StandardControl::fromHandle(box->Handle()), box.get());
    EXPECT_EQ(StandardControl::fromHandle(info.hwndList), box.get());
    EXPECT_EQ(StandardControl::fromHandle(window.Handle()), nullptr);

    label.reset();
    box.reset();
    EXPECT_EQ(StandardControl::fromHandle(labelWindow), nullptr);
    EXPECT_EQ(StandardControl::fromHandle(info.hwndList), nullptr);
    // A colour request about a window that is gone gets the system's answer.
    const HDC dc = GetDC(window.Handle());
    EXPECT_EQ(SendMessageA(window.Handle(), WM_CTLCOLORSTATIC, WPARAM(dc), LPARAM(labelWindow)),
              DefWindowProcA(window.Handle(), WM_CTLCOLORSTATIC, WPARAM(dc), LPARAM(labelWindow)));
    ReleaseDC(window.Handle(), dc);
}

TEST(StandardControls, PressesOnALabelReachWhatLiesBeneath)
{
    TestWindow window;
    PlainButton *beneath = window.own(std::make_unique<PlainButton>(
        window.Handle(), PlainButton::Kind::Push, "", 0, 0, 200, 120));
    Label *label = window.own(std::make_unique<Label>(window.Handle(), "Alarm Time:", 20, 20));
    // The label lies above the button, as a label lies above its picture.
    SetWindowPos(label->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    int clicks = 0;
    beneath->OnClick = [&] { ++clicks; };
    UpdateWindow(window.Handle());
    POINT at{label->Left() + 3, label->Top() + 3};
    ClientToScreen(window.Handle(), &at);
    EXPECT_EQ(WindowFromPoint(at), beneath->Handle());
    SetCursorPos(at.x, at.y);
    INPUT press[2]{};
    press[0].type = press[1].type = INPUT_MOUSE;
    press[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    press[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, press, sizeof(INPUT));
    EXPECT_TRUE(pumpUntil([&] { return clicks == 1; }));
}

// The stacking a layout gives: every control above the rows before it, and
// a second table's controls above the first's, as the labels must lie above
// the background picture made on its own before them.
TEST(ControlTables, EachRowLiesAboveTheRowsAndTheChildrenMadeBeforeIt)
{
    TestWindow window;
    PlainButton *first = nullptr;
    ControlTable::build(window, "test", nullptr, {{&first, "first", "", 0, 0, 200, 120}});
    Label *a = nullptr;
    Label *b = nullptr;
    PlainButton *c = nullptr;
    ControlTable::build(
        window, "test", nullptr,
        {{&a, "a", "A", 5, 5}, {&b, "b", "B", 25, 5}, {&c, "c", "C", 45, 5, 30, 20}});
    std::vector<HWND> topDown;
    for (HWND child = GetWindow(window.Handle(), GW_CHILD); child;
         child = GetWindow(child, GW_HWNDNEXT))
        topDown.push_back(child);
    const std::vector<HWND> expected{c->Handle(), b->Handle(), a->Handle(), first->Handle()};
    EXPECT_EQ(topDown, expected);
    for (HWND control : topDown)
        EXPECT_TRUE(GetWindowLongA(control, GWL_STYLE) & WS_CLIPSIBLINGS);
}

// The keyboard's order: the rows it names lie above the others in that
// order, so that Tab goes from one to the next, and the others keep the
// layout's stacking beneath them.
TEST(ControlTables, TheTabOrderLiesOnTopInItsOwnOrder)
{
    TestWindow window;
    PlainButton *first = nullptr;
    PlainButton *second = nullptr;
    Label *label = nullptr;
    PlainButton *third = nullptr;
    ControlTable::build(window, "test", nullptr,
                        {{&first, "first", "1", 5, 5, 30, 20},
                         {&second, "second", "2", 45, 5, 30, 20},
                         {&label, "label", "L", 5, 40},
                         {&third, "third", "3", 85, 5, 30, 20}},
                        {&second, &third, &first});
    std::vector<HWND> topDown;
    for (HWND child = GetWindow(window.Handle(), GW_CHILD); child;
         child = GetWindow(child, GW_HWNDNEXT))
        topDown.push_back(child);
    const std::vector<HWND> expected{second->Handle(), third->Handle(), first->Handle(),
                                     label->Handle()};
    EXPECT_EQ(topDown, expected);
    EXPECT_EQ(GetNextDlgTabItem(window.Handle(), second->Handle(), FALSE), third->Handle());
    EXPECT_EQ(GetNextDlgTabItem(window.Handle(), third->Handle(), FALSE), first->Handle());
}

namespace {

SIZE textOnOwnDc(const Label &label)
{
    const HDC dc = GetDC(label.Handle());
    const HGDIOBJ previous =
        SelectObject(dc, label.Font() ? label.Font() : GetStockObject(DEFAULT_GUI_FONT));
    const std::string text = label.Text();
    RECT bounds{0, 0, 0, 0};
    DrawTextA(dc, text.c_str(), int(text.size()), &bounds, DT_CALCRECT | DT_NOPREFIX);
    SelectObject(dc, previous);
    ReleaseDC(label.Handle(), dc);
    return SIZE{bounds.right, bounds.bottom};
}

} // namespace

TEST(StandardControls, LabelTakesTheSizeOfItsTextInItsFont)
{
    TestWindow window;
    const HFONT bold = WindowFonts::arial(11, true);
    Label *inFont = window.own(
        std::make_unique<Label>(window.Handle(), "Time for Next Alarm", 10, 10, 0, 0, bold));
    Label *inSystemFont =
        window.own(std::make_unique<Label>(window.Handle(), "Time for Next Alarm", 10, 40));
    for (Label *label : {inFont, inSystemFont}) {
        const SIZE expected = textOnOwnDc(*label);
        EXPECT_EQ(label->Width(), expected.cx);
        EXPECT_EQ(label->Height(), expected.cy);
    }
    EXPECT_EQ(inFont->Font(), bold);
    EXPECT_NE(inFont->Width(), inSystemFont->Width());
    // A new font brings its own size.
    inSystemFont->SetFont(WindowFonts::arial(12));
    EXPECT_EQ(inSystemFont->Width(), textOnOwnDc(*inSystemFont).cx);
    EXPECT_EQ(inSystemFont->Height(), textOnOwnDc(*inSystemFont).cy);
    // A label of a fixed size keeps it.
    Label *fixed = window.own(
        std::make_unique<Label>(window.Handle(), "Sun. Mon. Tue.", 10, 70, 110, 30, bold));
    EXPECT_EQ(fixed->Width(), 110);
    EXPECT_EQ(fixed->Height(), 30);
}

// A control on the screen is repainted in the font it is given; one that
// cannot be seen takes it for when it shows.
TEST(StandardControls, AControlOnTheScreenRepaintsInANewFont)
{
    TestWindow window;
    EditField *field =
        window.own(std::make_unique<EditField>(window.Handle(), "07", 10, 10, 30, 14));
    ComboBox *box = window.own(std::make_unique<ComboBox>(window.Handle(), 10, 40, 80, 120));
    RedrawWindow(window.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    for (StandardControl *control : std::initializer_list<StandardControl *>{field, box}) {
        ASSERT_FALSE(GetUpdateRect(control->Handle(), nullptr, FALSE));
        const HFONT font = WindowFonts::arial(12, true);
        control->SetFont(font);
        EXPECT_EQ(control->Font(), font);
        EXPECT_TRUE(GetUpdateRect(control->Handle(), nullptr, FALSE));
        ValidateRect(control->Handle(), nullptr);
    }
    // Hidden, it still takes the font it shows in later.
    ShowWindow(window.Handle(), SW_HIDE);
    field->SetFont(WindowFonts::arial(11));
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(field->Handle(), WM_GETFONT, 0, 0)),
              WindowFonts::arial(11));
}

TEST(StandardControls, AutoSizedLabelFollowsItsText)
{
    TestWindow window;
    Label *label = window.own(std::make_unique<Label>(window.Handle(), "", 10, 10));
    const int emptyWidth = label->Width();
    label->SetText("Sun. Mon. ");
    EXPECT_GT(label->Width(), emptyWidth);
    EXPECT_EQ(label->Text(), "Sun. Mon. ");
    label->SetText("");
    EXPECT_EQ(label->Width(), emptyWidth);
}

TEST(Timers, FireOnlyWhileEnabledAndCountWhileTheyRun)
{
    TestWindow window;
    const int before = Timer::running();
    int ticks = 0;
    {
        Timer timer(window, 10);
        timer.OnTimer = [&] { ++ticks; };
        EXPECT_EQ(Timer::running(), before);
        timer.SetEnabled(true);
        EXPECT_EQ(Timer::running(), before + 1);
        EXPECT_TRUE(pumpUntil([&] { return ticks >= 2; }));
        timer.SetEnabled(false);
        const int stopped = ticks;
        pumpUntil([] { return false; }, 60);
        EXPECT_EQ(ticks, stopped);
        timer.SetEnabled(true);
        EXPECT_EQ(Timer::running(), before + 1);
    }
    // A timer that goes while running stops with it.
    EXPECT_EQ(Timer::running(), before);
}

TEST(ProgramLoop, TabMovesTheFocusAndATerminatedLoopEndsAtOnce)
{
    TestWindow window;
    EditField *first =
        window.own(std::make_unique<EditField>(window.Handle(), "1", 10, 10, 30, 14));
    EditField *second =
        window.own(std::make_unique<EditField>(window.Handle(), "2", 50, 10, 30, 14));
    SetFocus(first->Handle());
    PostMessageA(first->Handle(), WM_KEYDOWN, VK_TAB, 0);
    EXPECT_TRUE(pumpUntil([&] { return GetFocus() == second->Handle(); }));

    Application app;
    app.Terminate();
    app.Run();
    EXPECT_TRUE(app.Terminated());
}

TEST(MessageBoxSeam, CaptionsEveryBoxWithTheApplicationTitle)
{
    RecordingMessageBoxes boxes;
    MessageBoxes::tell(nullptr, "Initiating failed...", MessageBoxes::Icon::Error);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].caption, "Vesperin");
    EXPECT_EQ(boxes.boxes[0].icon, MessageBoxes::Icon::Error);
}

TEST(TimeFields, RepairsWhatIsNotANumberInRangeAndOnlyThat)
{
    using namespace TimeFields;
    struct Case
    {
        const char *text;
        const Range &range;
        const char *repaired; // null: left as typed
    };
    const Case cases[] = {
        {"13", HourRange, "12"},     {"0", HourRange, "1"},     {"", HourRange, "06"},
        {"ab", HourRange, "06"},     {"5 ", HourRange, "06"},   {" 5", HourRange, "06"},
        {"-", HourRange, "06"},      {"-3", HourRange, "1"},    {"05", HourRange, nullptr},
        {"7", HourRange, nullptr},   {"75", MinuteRange, "59"}, {"", MinuteRange, "30"},
        {"0", MinuteRange, nullptr}, {"5 ", MinuteRange, "30"}, {"+5", MinuteRange, nullptr},
    };
    for (const Case &c : cases) {
        const auto repaired = repair(c.text, c.range);
        if (c.repaired)
            EXPECT_EQ(repaired.value_or("(kept)"), c.repaired) << '"' << c.text << '"';
        else
            EXPECT_FALSE(repaired) << '"' << c.text << '"';
    }
}

TEST(TimeFields, TwelveHourFormRoundTripsEveryFirmwareHour)
{
    using namespace TimeFields;
    for (uint32_t hour = 0; hour < 24; ++hour) {
        const uint32_t shown = twelveHour(hour);
        EXPECT_GE(shown, 1u);
        EXPECT_LE(shown, 12u);
        EXPECT_EQ(firmwareHour(int(shown), isAfternoon(hour)), hour) << hour;
    }
    // Hours the firmware should never hold: above 12 they lose 12 once.
    EXPECT_EQ(twelveHour(24), 12u);
    EXPECT_EQ(twelveHour(25), 13u);
    EXPECT_TRUE(isAfternoon(24));
    EXPECT_EQ(stepUp("12", HourRange), "01");
    EXPECT_EQ(stepDown("01", HourRange), "12");
    EXPECT_EQ(stepUp("59", MinuteRange), "00");
    EXPECT_EQ(stepDown("00", MinuteRange), "59");
    EXPECT_EQ(stepUp("", MinuteRange), "31");
}

} // namespace
