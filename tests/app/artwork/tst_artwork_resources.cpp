// The pictures and the version as a Windows program carries them: every
// committed picture loads by its name as a 24-bit DIB section of the
// picture's size and colours, and the version resource names the project
// version.

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include "app/artwork/artwork_bitmap.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

struct Picture
{
    const char *name;
    int width, height;
    int red, green, blue;
};

const Picture kPictures[] = {
#include "artwork_table.inc"
};

struct BitmapDeleter
{
    void operator()(HBITMAP bitmap) const { DeleteObject(bitmap); }
};

HBITMAP loadPicture(const char *name)
{
    return loadArtworkBitmap(name);
}

// The bottom-left pixel read from the DIB section's own bits: rows of a
// bottom-up 24-bit section start at the bottom, in blue-green-red order.
COLORREF bottomLeft(const DIBSECTION &section)
{
    const auto *bits = static_cast<const uint8_t *>(section.dsBm.bmBits);
    const bool bottomUp = section.dsBmih.biHeight > 0;
    const uint8_t *pixel = bottomUp ? bits
                                    : bits + static_cast<size_t>(section.dsBm.bmWidthBytes) *
                                                 static_cast<size_t>(section.dsBm.bmHeight - 1);
    return RGB(pixel[2], pixel[1], pixel[0]);
}

TEST(ArtworkResources, EveryPictureLoadsByNameAsA24BitSectionOfItsSizeAndKeyColour)
{
    ASSERT_GE(std::size(kPictures), 100u) << "the table of committed pictures is nearly empty";
    for (const Picture &picture : kPictures) {
        SCOPED_TRACE(picture.name);
        const HBITMAP bitmap = loadPicture(picture.name);
        ASSERT_NE(bitmap, nullptr) << "error " << GetLastError();
        std::unique_ptr<std::remove_pointer_t<HBITMAP>, BitmapDeleter> owner(bitmap);
        DIBSECTION section = {};
        ASSERT_EQ(GetObjectA(bitmap, sizeof section, &section), static_cast<int>(sizeof section))
            << "not a DIB section";
        EXPECT_EQ(section.dsBm.bmBitsPixel, 24);
        EXPECT_EQ(section.dsBmih.biCompression, static_cast<DWORD>(BI_RGB));
        EXPECT_EQ(section.dsBmih.biClrUsed, 0u);
        EXPECT_EQ(section.dsBm.bmWidth, picture.width);
        EXPECT_EQ(section.dsBm.bmHeight, picture.height);
        ASSERT_NE(section.dsBm.bmBits, nullptr);
        EXPECT_EQ(bottomLeft(section), RGB(picture.red, picture.green, picture.blue));
    }
}

// The window system's own loading of the picture, through its alias when
// the name is one.
HBITMAP loadImageOf(const char *name)
{
    const HMODULE self = GetModuleHandleA(nullptr);
    if (HBITMAP bitmap =
            static_cast<HBITMAP>(LoadImageA(self, name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)))
        return bitmap;
    const HRSRC alias = FindResourceA(self, name, MAKEINTRESOURCEA(10)); // RT_RCDATA
    if (alias == nullptr)
        return nullptr;
    const auto *text = static_cast<const char *>(LockResource(LoadResource(self, alias)));
    const std::string target(text, strnlen(text, SizeofResource(self, alias)));
    return static_cast<HBITMAP>(
        LoadImageA(self, target.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

TEST(ArtworkResources, EveryPictureHoldsThePixelsTheWindowSystemLoadsOfIt)
{
    for (const Picture &picture : kPictures) {
        SCOPED_TRACE(picture.name);
        std::unique_ptr<std::remove_pointer_t<HBITMAP>, BitmapDeleter> ours(
            loadPicture(picture.name));
        std::unique_ptr<std::remove_pointer_t<HBITMAP>, BitmapDeleter> system(
            loadImageOf(picture.name));
        ASSERT_NE(ours, nullptr);
        ASSERT_NE(system, nullptr);
        DIBSECTION mine = {}, theirs = {};
        ASSERT_EQ(GetObjectA(ours.get(), sizeof mine, &mine), static_cast<int>(sizeof mine));
        ASSERT_EQ(GetObjectA(system.get(), sizeof theirs, &theirs),
                  static_cast<int>(sizeof theirs));
        ASSERT_EQ(mine.dsBm.bmWidth, theirs.dsBm.bmWidth);
        ASSERT_EQ(mine.dsBm.bmHeight, theirs.dsBm.bmHeight);
        ASSERT_EQ(mine.dsBm.bmBitsPixel, theirs.dsBm.bmBitsPixel);
        ASSERT_EQ(mine.dsBm.bmWidthBytes, theirs.dsBm.bmWidthBytes);
        EXPECT_EQ(mine.dsBmih.biHeight > 0, theirs.dsBmih.biHeight > 0) << "rows in another order";
        const size_t bytes =
            static_cast<size_t>(mine.dsBm.bmWidthBytes) * static_cast<size_t>(mine.dsBm.bmHeight);
        EXPECT_EQ(std::memcmp(mine.dsBm.bmBits, theirs.dsBm.bmBits, bytes), 0);
    }
}

TEST(ArtworkResources, AnUnknownNameLoadsNothing)
{
    EXPECT_EQ(loadPicture("frmSetTime/noSuchPicture"), nullptr);
}

TEST(ProgramResources, TheVersionResourceCarriesTheProjectVersion)
{
    char path[MAX_PATH] = {};
    ASSERT_GT(GetModuleFileNameA(nullptr, path, MAX_PATH), 0u);
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path, &ignored);
    ASSERT_GT(size, 0u) << "no version resource";
    std::vector<char> info(size);
    ASSERT_TRUE(GetFileVersionInfoA(path, 0, size, info.data()));

    VS_FIXEDFILEINFO *fixed = nullptr;
    UINT fixedSize = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void **>(&fixed), &fixedSize));
    ASSERT_GE(fixedSize, sizeof(VS_FIXEDFILEINFO));
    EXPECT_EQ(fixed->dwFileVersionMS,
              static_cast<DWORD>(VESPERIN_TEST_VERSION_MAJOR << 16 | VESPERIN_TEST_VERSION_MINOR));
    EXPECT_EQ(fixed->dwFileVersionLS, static_cast<DWORD>(VESPERIN_TEST_VERSION_PATCH << 16));
    EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);

    char *text = nullptr;
    UINT textSize = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\StringFileInfo\\040904b0\\ProductVersion",
                               reinterpret_cast<void **>(&text), &textSize));
    EXPECT_EQ(std::string(text), VESPERIN_TEST_VERSION);
}

TEST(ProgramResources, TheProgramCarriesItsManifestAndIcon)
{
    const HMODULE self = GetModuleHandleA(nullptr);
    const HRSRC manifest = FindResourceA(self, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    ASSERT_NE(manifest, nullptr);
    const auto *bytes = static_cast<const char *>(LockResource(LoadResource(self, manifest)));
    const std::string text(bytes, SizeofResource(self, manifest));
    EXPECT_NE(text.find("Microsoft.Windows.Common-Controls"), std::string::npos);
    EXPECT_NE(text.find("asInvoker"), std::string::npos);
    EXPECT_NE(text.find(VESPERIN_TEST_VERSION), std::string::npos);

    const HICON icon =
        static_cast<HICON>(LoadImageA(self, MAKEINTRESOURCEA(1), IMAGE_ICON, 32, 32, 0));
    ASSERT_NE(icon, nullptr);
    ICONINFO iconInfo = {};
    ASSERT_TRUE(GetIconInfo(icon, &iconInfo));
    BITMAP colour = {};
    GetObjectA(iconInfo.hbmColor, sizeof colour, &colour);
    EXPECT_EQ(colour.bmWidth, 32);
    DeleteObject(iconInfo.hbmColor);
    DeleteObject(iconInfo.hbmMask);
    DestroyIcon(icon);
}

} // namespace
