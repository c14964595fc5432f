#include "skin/dib.h"
#include "skin/sk_accessible.h"
#include "skin/sk_button.h"
#include "skin/sk_button_tx.h"
#include "skin_test_support.h"

#include <memory>
#include <string>
#include <vector>

using namespace skintest;

namespace {

const COLORREF raisedColour = RGB(200, 0, 0);
const COLORREF sunkenColour = RGB(0, 200, 0);
const COLORREF focusedColour = RGB(0, 0, 200);
const COLORREF disabledColour = RGB(90, 90, 90);

void giveAllLooks(SkButton &button, int size = 16)
{
    button.Appearance.Fill(0, solid(size, size, raisedColour));
    button.Appearance.Fill(1, solid(size, size, sunkenColour));
    button.Appearance.Fill(2, solid(size, size, focusedColour));
    button.Appearance.Fill(3, solid(size, size, disabledColour));
}

class SkButtonTest : public ::testing::Test
{
protected:
    SkButtonTest()
    {
        button = std::make_unique<SkButton>(host.get(), 20, 20);
        giveAllLooks(*button);
        elsewhere = std::make_unique<SkButton>(host.get(), 200, 150);
        elsewhere->Appearance.Fill(0, solid(10, 10, RGB(1, 1, 1)));
        button->OnClick = [this] { events.push_back("click"); };
        button->OnMouseDown = [this](const MouseEvent &e) {
            events.push_back("down" + std::to_string(e.button));
        };
        button->OnMouseUp = [this](const MouseEvent &e) {
            events.push_back("up" + std::to_string(e.button));
        };
        moveTo(host.get(), 250, 20);
        pump();
    }

    int clicks() const
    {
        int count = 0;
        for (const std::string &event : events)
            count += event == "click" ? 1 : 0;
        return count;
    }
    COLORREF shown() const { return shownAt(button->Handle(), 4, 4); }
    void focus(SkControl &control)
    {
        SetForegroundWindow(host.get());
        SetFocus(control.Handle());
        pump();
    }

    HostWindow host;
    std::unique_ptr<SkButton> button;
    std::unique_ptr<SkButton> elsewhere;
    std::vector<std::string> events;
};

TEST_F(SkButtonTest, HoverShowsFocusedAndLeavingShowsRaised)
{
    EXPECT_EQ(shown(), raisedColour);
    moveTo(button->Handle(), 5, 5);
    EXPECT_TRUE(button->isHovered());
    EXPECT_EQ(button->CurrentState(), 2);
    EXPECT_EQ(shown(), focusedColour);
    // The pointer is captured while over the control, so that the control sees it leave.
    EXPECT_EQ(GetCapture(), button->Handle());
    moveTo(host.get(), 250, 20);
    EXPECT_FALSE(button->isHovered());
    EXPECT_EQ(shown(), raisedColour);
    EXPECT_EQ(GetCapture(), nullptr);

    // Without ShowMouseOver hover keeps the raised look.
    button->SetShowMouseOver(false);
    moveTo(button->Handle(), 5, 5);
    EXPECT_EQ(shown(), raisedColour);
}

TEST_F(SkButtonTest, LeaveNoticeEndsTheHoverAndItsCapture)
{
    int elsewhereClicks = 0;
    elsewhere->OnClick = [&] { ++elsewhereClicks; };
    moveTo(button->Handle(), 5, 5);
    ASSERT_EQ(GetCapture(), button->Handle());
    // The pointer goes to another control, and the moves that tell of it never reach this
    // one (as when it leaves the window at speed); the leave tracking's notice comes instead:
    // the hover ends, and its capture with it.
    POINT away{5, 5};
    ClientToScreen(elsewhere->Handle(), &away);
    SetCursorPos(away.x, away.y);
    MSG move;
    while (PeekMessageA(&move, button->Handle(), WM_MOUSEMOVE, WM_MOUSEMOVE, PM_REMOVE)) {
    }
    PostMessageA(button->Handle(), WM_MOUSELEAVE, 0, 0);
    pump();
    EXPECT_FALSE(button->isHovered());
    EXPECT_EQ(shown(), raisedColour);
    EXPECT_NE(GetCapture(), button->Handle());
    // So the next click goes where the pointer is.
    clickAt(elsewhere->Handle(), 5, 5);
    EXPECT_EQ(elsewhereClicks, 1);
    EXPECT_EQ(clicks(), 0);

    // A held press keeps the pointer: the notice does not end it.
    moveTo(button->Handle(), 5, 5);
    leftDown();
    PostMessageA(button->Handle(), WM_MOUSELEAVE, 0, 0);
    pump();
    EXPECT_EQ(GetCapture(), button->Handle());
    EXPECT_TRUE(button->isPressed());
    leftUp();
    EXPECT_EQ(clicks(), 1);
}

TEST_F(SkButtonTest, DragOutAndBackInClicksOnlyInside)
{
    moveTo(button->Handle(), 5, 5);
    leftDown();
    EXPECT_EQ(shown(), sunkenColour);
    EXPECT_EQ(GetFocus(), button->Handle());
    moveTo(host.get(), 250, 20);
    // Outside with the button held: released look (focused, the control has the focus).
    EXPECT_EQ(button->CurrentState(), 2);
    EXPECT_EQ(GetCapture(), button->Handle());
    moveTo(button->Handle(), 6, 6);
    EXPECT_EQ(shown(), sunkenColour);
    moveTo(host.get(), 250, 20);
    leftUp();
    EXPECT_EQ(clicks(), 0);
    EXPECT_EQ(GetCapture(), nullptr);

    // Pressed and released inside: one click, before the mouse-up event.
    events.clear();
    clickAt(button->Handle(), 5, 5);
    EXPECT_EQ(events, (std::vector<std::string>{"down0", "click", "up0"}));
    EXPECT_EQ(shown(), focusedColour);

    // Other buttons are reported but do not click.
    events.clear();
    rightClick();
    EXPECT_EQ(events, (std::vector<std::string>{"down1", "up1"}));
}

TEST_F(SkButtonTest, LostCaptureEndsPressAndHover)
{
    moveTo(button->Handle(), 5, 5);
    leftDown();
    ASSERT_EQ(GetCapture(), button->Handle());
    SetCapture(host.get());
    pump();
    EXPECT_FALSE(button->isHovered());
    EXPECT_FALSE(button->isPressed());
    EXPECT_EQ(button->CurrentState(), 2);
    ReleaseCapture();
    leftUp();
    EXPECT_EQ(clicks(), 0);
}

TEST_F(SkButtonTest, SpaceClicksPerCharacterAndFocusLossReleases)
{
    focus(*button);
    ASSERT_EQ(GetFocus(), button->Handle());
    EXPECT_EQ(shown(), focusedColour);
    key(VK_SPACE, false);
    EXPECT_EQ(shown(), sunkenColour);
    EXPECT_EQ(clicks(), 1);
    // Held: every repeated character clicks again.
    key(VK_SPACE, false);
    EXPECT_EQ(clicks(), 2);
    key(VK_SPACE, true);
    EXPECT_EQ(shown(), focusedColour);
    EXPECT_EQ(clicks(), 2);

    // Enter does not click.
    key(VK_RETURN, false);
    key(VK_RETURN, true);
    EXPECT_EQ(clicks(), 2);

    // Losing the focus while the key is held restores the released look.
    key(VK_SPACE, false);
    EXPECT_EQ(shown(), sunkenColour);
    SetFocus(elsewhere->Handle());
    pump();
    EXPECT_EQ(shown(), raisedColour);
    EXPECT_FALSE(button->isPressed());
    key(VK_SPACE, true);
}

TEST_F(SkButtonTest, DisablingWhilePressedAndHoveredCancelsBoth)
{
    moveTo(button->Handle(), 5, 5);
    leftDown();
    ASSERT_TRUE(button->isPressed());
    button->SetEnabled(false);
    EXPECT_FALSE(button->isPressed());
    EXPECT_FALSE(button->isHovered());
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(shown(), disabledColour);
    leftUp();
    EXPECT_EQ(clicks(), 0);
    button->SetEnabled(true);
    EXPECT_EQ(shown(), raisedColour);
}

TEST_F(SkButtonTest, EmptyLooksFallBackToRaised)
{
    SkButton bare(host.get(), 60, 20);
    bare.Appearance.Fill(0, solid(16, 16, raisedColour));
    moveTo(bare.Handle(), 5, 5);
    EXPECT_EQ(bare.CurrentState(), 2);
    EXPECT_EQ(bare.shownState(), 0);
    EXPECT_EQ(shownAt(bare.Handle(), 4, 4), raisedColour);
    leftDown();
    EXPECT_EQ(bare.CurrentState(), 1);
    EXPECT_EQ(shownAt(bare.Handle(), 4, 4), raisedColour);
    leftUp();
    moveTo(host.get(), 250, 20);
    bare.SetEnabled(false);
    EXPECT_EQ(bare.CurrentState(), 3);
    EXPECT_EQ(shownAt(bare.Handle(), 4, 4), raisedColour);
    // A disabled look that arrives later is shown at once.
    bare.Appearance.Fill(3, solid(16, 16, disabledColour));
    EXPECT_EQ(shownAt(bare.Handle(), 4, 4), disabledColour);
}

TEST_F(SkButtonTest, ChangingTheShownBitmapRedrawsAtOnce)
{
    moveTo(button->Handle(), 5, 5);
    leftDown();
    ASSERT_EQ(shown(), sunkenColour);
    button->Appearance.Fill(1, solid(16, 16, RGB(7, 77, 177)));
    EXPECT_EQ(shown(), RGB(7, 77, 177));
    leftUp();
}

TEST_F(SkButtonTest, SizeIsLockedToTheRaisedBitmap)
{
    EXPECT_EQ(button->Width(), 16);
    EXPECT_EQ(button->Height(), 16);
    button->SetBounds(30, 25, 50, 50);
    EXPECT_EQ(button->Left(), 30);
    EXPECT_EQ(button->Top(), 25);
    EXPECT_EQ(button->Width(), 16);
    MoveWindow(button->Handle(), 30, 25, 70, 5, TRUE);
    EXPECT_EQ(button->Height(), 16);
    // A new raised bitmap brings its size.
    button->Appearance.Fill(0, solid(24, 12, raisedColour));
    EXPECT_EQ(button->Width(), 24);
    EXPECT_EQ(button->Height(), 12);
}

namespace {

// A 20 x 20 bitmap, red above row 10 and blue from there down, as a 24-bit section whose rows
// lie bottom-up (as the artwork's do) or as a bitmap of the screen's own format.
HBITMAP redOverBlue(bool section)
{
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = nullptr;
    if (section) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = 20;
        info.bmiHeader.biHeight = 20; // bottom-up
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 24;
        void *bits = nullptr;
        bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    } else {
        bitmap = CreateCompatibleBitmap(screen, 20, 20);
    }
    ReleaseDC(nullptr, screen);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            setPixel(bitmap, x, y, y < 10 ? RGB(255, 0, 0) : RGB(0, 0, 255));
    return bitmap;
}

} // namespace

TEST_F(SkButtonTest, StateBitmapsOfEitherFormatShowAndCutTheRightWayUp)
{
    for (const bool section : {true, false}) {
        SCOPED_TRACE(section ? "bottom-up 24-bit section" : "screen-format bitmap");
        SkButton shaped(host.get(), 100, 20);
        shaped.SetTransparentColor(RGB(0, 0, 255));
        shaped.SetTransparent(true);
        const HBITMAP given = redOverBlue(section);
        shaped.SetStateBitmap(0, given);
        // Kept as a 24-bit section: the section itself, anything else as a copy of it.
        EXPECT_TRUE(dib::section24(shaped.StateBitmap(0)).has_value());
        EXPECT_EQ(shaped.StateBitmap(0) == given, section);
        EXPECT_EQ(shownAt(shaped.Handle(), 5, 3), RGB(255, 0, 0));
        EXPECT_TRUE(shaped.HitTest(5, 3));
        EXPECT_FALSE(shaped.HitTest(5, 15));
    }
}

TEST_F(SkButtonTest, TransparentPixelsLetClicksThrough)
{
    const COLORREF key = RGB(0x15, 0x14, 0x16);
    SkButton beneath(host.get(), 100, 20);
    beneath.Appearance.Fill(0, solid(20, 20, RGB(0, 90, 0)));
    SkButton above(host.get(), 100, 20);
    HBITMAP shape = solid(20, 20, raisedColour);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 8; ++x)
            setPixel(shape, x, y, key);
    above.SetTransparentColor(key);
    above.Appearance.Fill(0, shape);
    SetWindowPos(above.Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    int beneathClicks = 0, aboveClicks = 0;
    beneath.OnClick = [&] { ++beneathClicks; };
    above.OnClick = [&] { ++aboveClicks; };

    // Opaque everywhere while not transparent.
    clickAt(host.get(), 103, 28);
    EXPECT_EQ(aboveClicks, 1);
    EXPECT_EQ(beneathClicks, 0);

    moveTo(host.get(), 250, 20);
    above.SetTransparent(true);
    EXPECT_FALSE(above.HitTest(3, 8));
    EXPECT_TRUE(above.HitTest(12, 8));
    clickAt(host.get(), 103, 28);
    EXPECT_EQ(beneathClicks, 1);
    EXPECT_EQ(aboveClicks, 1);
    clickAt(host.get(), 112, 28);
    EXPECT_EQ(aboveClicks, 2);
    // The cut-out part shows what lies beneath.
    EXPECT_EQ(shownAt(host.get(), 103, 28), RGB(0, 90, 0));
    EXPECT_EQ(shownAt(host.get(), 112, 28), raisedColour);

    // Hovering a transparent pixel is no hover.
    moveTo(host.get(), 103, 28);
    EXPECT_FALSE(above.isHovered());
}

TEST_F(SkButtonTest, ANewRaisedBitmapBringsItsOutlineAtTheSameSizeOrAnother)
{
    const COLORREF key = RGB(0x15, 0x14, 0x16);
    const auto cutLeft = [&](int width, int cut) {
        HBITMAP shape = solid(width, 20, raisedColour);
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < cut; ++x)
                setPixel(shape, x, y, key);
        return shape;
    };
    SkButton shaped(host.get(), 100, 20);
    shaped.SetTransparentColor(key);
    shaped.SetTransparent(true);
    shaped.SetStateBitmap(0, cutLeft(20, 8));
    EXPECT_FALSE(shaped.HitTest(5, 5));
    EXPECT_TRUE(shaped.HitTest(12, 5));
    // The same size, another cut.
    shaped.SetStateBitmap(0, cutLeft(20, 14));
    EXPECT_FALSE(shaped.HitTest(12, 5));
    EXPECT_TRUE(shaped.HitTest(16, 5));
    // A wider picture, cut less.
    shaped.SetStateBitmap(0, cutLeft(30, 2));
    EXPECT_EQ(shaped.Width(), 30);
    EXPECT_TRUE(shaped.HitTest(5, 5));
    EXPECT_TRUE(shaped.HitTest(26, 5));
    EXPECT_FALSE(shaped.HitTest(1, 5));
}

TEST_F(SkButtonTest, ClickGivesItsWindowTheModalResultAlsoWhenZero)
{
    const HWND window = host.get();
    button->ModalResult = 7;
    moveTo(button->Handle(), 5, 5);
    leftDown();
    leftUp();
    EXPECT_EQ(SkButton::ModalResultOf(window), 7);
    button->ModalResult = 0;
    button->Click();
    EXPECT_EQ(SkButton::ModalResultOf(window), 0);
    EXPECT_EQ(clicks(), 2);
    // A button on a child window gives it to the top-level window.
    const HWND child = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 100, 100, 50, 50,
                                       window, nullptr, nullptr, nullptr);
    SkButton inner(child, 2, 2);
    giveAllLooks(inner);
    inner.ModalResult = 3;
    inner.Click();
    EXPECT_EQ(SkButton::ModalResultOf(window), 3);
    EXPECT_EQ(SkButton::ModalResultOf(child), 0);
}

TEST_F(SkButtonTest, KeyPressHandlerCanSwallowOrChangeTheKey)
{
    std::string seen;
    button->OnKeyPress = [&seen](char &k) {
        seen += k;
        k = 0;
    };
    focus(*button);
    key(VK_SPACE, false);
    key(VK_SPACE, true);
    EXPECT_EQ(seen, " ");
    EXPECT_EQ(clicks(), 0);
    button->OnKeyPress = [](char &k) { k = ' '; };
    key('A', false);
    key('A', true);
    EXPECT_EQ(clicks(), 1);
}

TEST_F(SkButtonTest, QuickSecondPressIsASecondClick)
{
    moveTo(button->Handle(), 5, 5);
    leftDown();
    leftUp();
    leftDown();
    leftUp();
    EXPECT_EQ(events, (std::vector<std::string>{"down0", "click", "up0", "down0", "click", "up0"}));
}

namespace {

// Handles what is queued, and what comes within a short while, through the dialog keys of
// `dialog` first, as the message loop of a window with dialog keys does.
void pumpAsDialog(HWND dialog)
{
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < 80) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (IsDialogMessageA(dialog, &msg))
                continue;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

void pressKeyInDialog(HWND dialog, WORD virtualKey)
{
    for (const bool up : {false, true}) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = virtualKey;
        input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(virtualKey, 0));
        input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        SendInput(1, &input, sizeof input);
        pumpAsDialog(dialog);
    }
}

} // namespace

TEST_F(SkButtonTest, RealTabAndSpaceWorkThroughTheDialogKeys)
{
    // A control without the tab stop, between the two in the tab order, is passed by.
    SkButton passedBy(host.get(), 60, 20);
    passedBy.Appearance.Fill(0, solid(16, 16, raisedColour));
    SetWindowLongA(passedBy.Handle(), GWL_STYLE,
                   GetWindowLongA(passedBy.Handle(), GWL_STYLE) & ~WS_TABSTOP);
    SetWindowPos(passedBy.Handle(), button->Handle(), 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    focus(*button);
    ASSERT_EQ(GetFocus(), button->Handle());
    pressKeyInDialog(host.get(), VK_TAB);
    EXPECT_EQ(GetFocus(), elsewhere->Handle());
    pressKeyInDialog(host.get(), VK_TAB);
    EXPECT_EQ(GetFocus(), button->Handle());
    EXPECT_EQ(shown(), focusedColour);
    // Space is the control's own: the dialog keys let it through, and it clicks once.
    pressKeyInDialog(host.get(), VK_SPACE);
    EXPECT_EQ(clicks(), 1);
    EXPECT_EQ(GetFocus(), button->Handle());
}

class SkButtonTxTest : public SkButtonTest
{
protected:
    std::unique_ptr<SkButtonTx> text(int left, int top, int width, int height, COLORREF fill)
    {
        auto made = std::make_unique<SkButtonTx>(host.get(), left, top);
        SetWindowLongA(made->Handle(), GWL_STYLE,
                       GetWindowLongA(made->Handle(), GWL_STYLE) & ~WS_TABSTOP);
        made->SetFont(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
        made->Appearance.Fill(0, solid(width, height, fill));
        return made;
    }
};

TEST_F(SkButtonTxTest, CaptionMovesWithThePressOnly)
{
    auto cancel = text(100, 40, 104, 25, RGB(0, 0, 0));
    cancel->SetFontColor(RGB(255, 255, 255));
    cancel->Appearance.Fill(1, solid(104, 25, RGB(0, 0, 0)));
    cancel->Appearance.Fill(2, solid(104, 25, RGB(0, 0, 0)));
    cancel->SetText("Cancel");
    const auto raised = pixelsOfArea(cancel->SurfaceCanvas(), 0, 0, 103, 24);
    EXPECT_GT(pixelsOf(cancel->SurfaceCanvas(), RGB(255, 255, 255)), 0);

    moveTo(cancel->Handle(), 50, 12);
    leftDown();
    // Left and top grew by 2: the centred caption moved by one pixel right and down.
    EXPECT_EQ(pixelsOfArea(cancel->SurfaceCanvas(), 1, 1, 103, 24), raised);
    EXPECT_NE(pixelsOfArea(cancel->SurfaceCanvas(), 0, 0, 103, 24), raised);
    // What the screen shows is the surface.
    EXPECT_EQ(shownAt(cancel->Handle(), 0, 0), RGB(0, 0, 0));

    // A repaint while still pressed draws the caption unmoved.
    cancel->SetText("Stop");
    cancel->SetText("Cancel");
    EXPECT_EQ(pixelsOfArea(cancel->SurfaceCanvas(), 0, 0, 103, 24), raised);
    leftUp();
}

TEST_F(SkButtonTxTest, CaptionSurvivesChangesOfTextAndBitmaps)
{
    auto makeButton = [this](const char *caption) {
        auto made = text(20, 60, 91, 24, RGB(40, 40, 40));
        made->SetFontColor(RGB(250, 250, 250));
        made->SetText(caption);
        return made;
    };
    auto toggled = makeButton("Test");
    toggled->SetText("Stop");
    auto fresh = makeButton("Stop");
    EXPECT_EQ(pixelsOfArea(toggled->SurfaceCanvas(), 0, 0, 91, 24),
              pixelsOfArea(fresh->SurfaceCanvas(), 0, 0, 91, 24));
    EXPECT_EQ(toggled->GetText(), "Stop");
    EXPECT_GT(pixelsOf(toggled->SurfaceCanvas(), RGB(250, 250, 250)), 0);

    // Replacing the raised bitmap (same size or not) or another look keeps the caption.
    toggled->Appearance.Fill(0, solid(91, 24, RGB(40, 40, 40)));
    EXPECT_EQ(pixelsOfArea(toggled->SurfaceCanvas(), 0, 0, 91, 24),
              pixelsOfArea(fresh->SurfaceCanvas(), 0, 0, 91, 24));
    toggled->Appearance.Fill(2, solid(91, 24, RGB(40, 40, 40)));
    toggled->Appearance.Fill(0, solid(100, 30, RGB(40, 40, 40)));
    EXPECT_GT(pixelsOf(toggled->SurfaceCanvas(), RGB(250, 250, 250)), 0);
    // The caption is centred on the control as it is.
    EXPECT_EQ(toggled->textRect().right, 100);
    EXPECT_EQ(toggled->textRect().bottom, 30);
}

TEST_F(SkButtonTxTest, CaptionColourFollowsTheLook)
{
    auto ok = text(20, 60, 104, 25, RGB(0, 0, 0));
    ok->SetFontColor(RGB(192, 192, 192));
    ok->SetText("OK");
    EXPECT_GT(pixelsOf(ok->SurfaceCanvas(), RGB(192, 192, 192)), 0);

    // No focused bitmap and no Focused colour: the raised bitmap with the font colour.
    moveTo(ok->Handle(), 50, 12);
    ASSERT_EQ(ok->CurrentState(), 2);
    EXPECT_GT(pixelsOf(ok->SurfaceCanvas(), RGB(192, 192, 192)), 0);
    // A Focused colour takes over at once.
    ok->FontColors.SetFocused(RGB(255, 200, 0));
    EXPECT_GT(pixelsOf(ok->SurfaceCanvas(), RGB(255, 200, 0)), 0);
    EXPECT_EQ(pixelsOf(ok->SurfaceCanvas(), RGB(192, 192, 192)), 0);

    moveTo(host.get(), 250, 20);
    ok->SetEnabled(false);
    EXPECT_EQ(ok->GetFontColorOfCurState(), GetSysColor(COLOR_GRAYTEXT));
    ok->SetFontColors(CLR_INVALID, CLR_INVALID, RGB(98, 98, 98));
    EXPECT_EQ(ok->GetFontColorOfCurState(), RGB(98, 98, 98));
    EXPECT_GT(pixelsOf(ok->SurfaceCanvas(), RGB(98, 98, 98)), 0);
    ok->SetEnabled(true);
    EXPECT_EQ(ok->GetFontColorOfCurState(), RGB(192, 192, 192));
}

// While its window is hidden, a control leaves its surface and the screen alone; what it
// shows when it comes to show, and what its surface holds whenever it is asked, is its last
// picture with its caption on it.
TEST_F(SkButtonTxTest, HiddenButtonShowsItsLastPictureAndCaption)
{
    ShowWindow(host.get(), SW_HIDE);
    auto ok = text(20, 60, 104, 25, RGB(10, 10, 10));
    ok->SetFontColor(RGB(250, 250, 250));
    ok->SetText("OK");
    ok->Appearance.Fill(0, solid(104, 25, RGB(0, 0, 120)));
    ok->SetText("Cancel");
    EXPECT_EQ(pixelsOf(ok->SurfaceCanvas(), RGB(10, 10, 10)), 0);
    EXPECT_GT(pixelsOf(ok->SurfaceCanvas(), RGB(0, 0, 120)), 0);
    EXPECT_GT(pixelsOf(ok->SurfaceCanvas(), RGB(250, 250, 250)), 0);

    // Changed again while hidden and never asked: the screen gets the latest.
    ok->Appearance.Fill(0, solid(104, 25, RGB(0, 120, 0)));
    ShowWindow(host.get(), SW_SHOWNA);
    pump();
    EXPECT_EQ(shownAt(ok->Handle(), 2, 2), RGB(0, 120, 0));
    EXPECT_GT(pixelsOf(ok->SurfaceCanvas(), RGB(250, 250, 250)), 0);
}

} // namespace
