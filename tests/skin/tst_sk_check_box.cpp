#include "skin/sk_check_box.h"
#include "skin_test_support.h"

#include <memory>
#include <vector>

using namespace skintest;

namespace {

// Each of the twelve states has its own colour.
COLORREF stateColour(int index)
{
    return RGB(20 * index + 10, 255 - 20 * index, 100);
}

class SkCheckBoxTest : public ::testing::Test
{
protected:
    SkCheckBoxTest()
    {
        box = std::make_unique<SkCheckBox>(host.get(), 20, 20);
        box->SetTransparentColor(RGB(0x3B, 0x3B, 0x3B));
        for (int i = 0; i < 12; ++i)
            box->SetStateBitmap(i, solid(16, 16, stateColour(i)));
        moveTo(host.get(), 250, 20);
    }

    COLORREF shown() const { return shownAt(box->Handle(), 4, 4); }
    void fill(int index, bool present)
    {
        box->SetStateBitmap(index, present ? solid(16, 16, stateColour(index)) : nullptr);
    }

    HostWindow host;
    std::unique_ptr<SkCheckBox> box;
};

TEST_F(SkCheckBoxTest, ClickTogglesAndReportsAfterTheChange)
{
    std::vector<SkCheckState> seen;
    box->OnClick = [&] { seen.push_back(box->State()); };
    // The layout's transparent colour stays when the bitmaps arrive.
    EXPECT_EQ(box->TransparentColor(), RGB(0x3B, 0x3B, 0x3B));
    clickAt(box->Handle(), 8, 8);
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(SendMessageA(box->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
    clickAt(box->Handle(), 8, 8);
    EXPECT_FALSE(box->Checked());
    EXPECT_EQ(seen, (std::vector<SkCheckState>{SkCheckState::Checked, SkCheckState::Unchecked}));
    // Released over the box: the hover look of the unchecked group.
    EXPECT_EQ(box->shownState(), 2);
    EXPECT_EQ(shown(), stateColour(2));
}

TEST_F(SkCheckBoxTest, AllowGrayedPassesThroughGrayed)
{
    box->SetAllowGrayed(true);
    for (SkCheckState state : {SkCheckState::Grayed, SkCheckState::Checked, SkCheckState::Unchecked,
                               SkCheckState::Grayed}) {
        box->Click();
        EXPECT_EQ(box->State(), state);
    }
    EXPECT_EQ(box->CurrentState(), 8);
    EXPECT_FALSE(box->Checked());
    EXPECT_EQ(SendMessageA(box->Handle(), BM_GETCHECK, 0, 0), BST_INDETERMINATE);
}

TEST_F(SkCheckBoxTest, ProgrammaticChangesKeepTheLookAndRaiseNothing)
{
    int clicks = 0;
    box->OnClick = [&] { ++clicks; };
    moveTo(box->Handle(), 8, 8);
    ASSERT_EQ(box->CurrentState(), 2);
    box->SetChecked(true);
    EXPECT_EQ(box->CurrentState(), 6);
    EXPECT_EQ(shown(), stateColour(6));
    box->SetState(SkCheckState::Grayed);
    EXPECT_EQ(box->CurrentState(), 10);
    // AllowGrayed governs clicks only.
    EXPECT_FALSE(box->AllowGrayed());
    box->SetState(SkCheckState::Unchecked);
    EXPECT_EQ(box->CurrentState(), 2);
    EXPECT_EQ(clicks, 0);
}

TEST_F(SkCheckBoxTest, EmptyLooksFallBackWithinTheGroupThenToStateZero)
{
    fill(6, false);
    box->SetChecked(true);
    moveTo(box->Handle(), 8, 8);
    ASSERT_EQ(box->CurrentState(), 6);
    EXPECT_EQ(box->shownState(), 4);
    EXPECT_EQ(shown(), stateColour(4));
    fill(4, false);
    EXPECT_EQ(box->shownState(), 0);
    EXPECT_EQ(shown(), stateColour(0));
    // The fallback is looked at again when its bitmap arrives.
    fill(4, true);
    EXPECT_EQ(box->shownState(), 4);
    EXPECT_EQ(shown(), stateColour(4));
}

TEST_F(SkCheckBoxTest, DisabledDayBoxesShowTheirBitmaps)
{
    // A day box has the checked raised and disabled bitmaps and the unchecked raised one.
    for (int i = 0; i < 12; ++i)
        fill(i, i == 0 || i == 4 || i == 7);
    box->SetChecked(true);
    box->SetEnabled(false);
    EXPECT_EQ(box->shownState(), 7);
    EXPECT_EQ(shown(), stateColour(7));
    box->SetChecked(false);
    EXPECT_EQ(box->CurrentState(), 3);
    EXPECT_EQ(box->shownState(), 0);
    box->SetEnabled(true);
    EXPECT_EQ(box->shownState(), 0);
    EXPECT_EQ(shown(), stateColour(0));
}

TEST_F(SkCheckBoxTest, SpaceTogglesOncePerCharacter)
{
    int clicks = 0;
    box->OnClick = [&] { ++clicks; };
    SetForegroundWindow(host.get());
    SetFocus(box->Handle());
    pump();
    key(VK_SPACE, false);
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(box->CurrentState(), 5);
    key(VK_SPACE, false); // auto-repeat
    EXPECT_FALSE(box->Checked());
    key(VK_SPACE, true);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(box->CurrentState(), 2);
}

TEST_F(SkCheckBoxTest, LoadsBitmapsFromFiles)
{
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    std::string dir = std::string(folder) + "skin-test-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(dir.c_str(), nullptr);
    auto save = [&](const char *name, COLORREF colour) {
        // A 16 x 16 24-bit bitmap file.
        const int stride = 48;
        BITMAPFILEHEADER file{};
        BITMAPINFOHEADER info{};
        info.biSize = sizeof info;
        info.biWidth = 16;
        info.biHeight = 16;
        info.biPlanes = 1;
        info.biBitCount = 24;
        file.bfType = 0x4D42;
        file.bfOffBits = sizeof file + sizeof info;
        file.bfSize = file.bfOffBits + stride * 16;
        std::vector<unsigned char> pixels(stride * 16);
        for (size_t i = 0; i < pixels.size(); i += 3) {
            pixels[i] = GetBValue(colour);
            pixels[i + 1] = GetGValue(colour);
            pixels[i + 2] = GetRValue(colour);
        }
        HANDLE out = CreateFileA((dir + "\\" + name).c_str(), GENERIC_WRITE, 0, nullptr,
                                 CREATE_ALWAYS, 0, nullptr);
        DWORD written;
        WriteFile(out, &file, sizeof file, &written, nullptr);
        WriteFile(out, &info, sizeof info, &written, nullptr);
        WriteFile(out, pixels.data(), static_cast<DWORD>(pixels.size()), &written, nullptr);
        CloseHandle(out);
    };
    save("on.bmp", RGB(255, 0, 0));
    save("on-off.bmp", RGB(128, 128, 128));
    EXPECT_TRUE(box->LoadChecked(dir, "on.bmp", "", "", "on-off.bmp"));
    EXPECT_EQ(pixel(box->Appearance.Check.RaisedBmp(), 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(pixel(box->Appearance.Check.DisabledBmp(), 0, 0), RGB(128, 128, 128));
    // Names left empty keep their bitmaps.
    EXPECT_EQ(pixel(box->Appearance.Check.SunkenBmp(), 0, 0), stateColour(5));
    EXPECT_TRUE(box->LoadUnchecked(dir + "\\", "on-off.bmp", "", "", ""));
    EXPECT_EQ(pixel(box->Appearance.Uncheck.RaisedBmp(), 0, 0), RGB(128, 128, 128));
    // A file that cannot be read changes nothing.
    EXPECT_FALSE(box->LoadGrayed(dir, "on.bmp", "missing.bmp", "", ""));
    EXPECT_EQ(pixel(box->Appearance.Gray.RaisedBmp(), 0, 0), stateColour(8));
    DeleteFileA((dir + "\\on.bmp").c_str());
    DeleteFileA((dir + "\\on-off.bmp").c_str());
    RemoveDirectoryA(dir.c_str());
}

} // namespace
