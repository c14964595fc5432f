#include "app/artwork/artwork_bitmap.h"

#include <cstdint>
#include <cstring>

namespace {

// Picture names are "<form>/<stem>"; no alias names a longer one.
const DWORD LongestName = 128;
// No picture of the artwork is larger than the screen it is shown on.
const LONG LongestSide = 4096;

// The bytes of the row-by-row pixels of a 24-bit bitmap of that size: each
// row is padded to whole 32-bit words.
size_t pixelBytes(LONG width, LONG height)
{
    const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~static_cast<size_t>(3);
    return stride * static_cast<size_t>(height);
}

// The resource's header when it is the plain form the build makes of every
// picture (24 bits, bottom-up, no compression, no colour table) and its
// pixels are all there; false for any other form.
bool plainPicture(const uint8_t *bytes, DWORD size, BITMAPINFOHEADER &header)
{
    if (bytes == nullptr || size < sizeof header)
        return false;
    std::memcpy(&header, bytes, sizeof header);
    return header.biSize == sizeof header && header.biPlanes == 1 && header.biBitCount == 24 &&
           header.biCompression == BI_RGB && header.biClrUsed == 0 && header.biWidth > 0 &&
           header.biWidth <= LongestSide && header.biHeight > 0 && header.biHeight <= LongestSide &&
           size - sizeof header >= pixelBytes(header.biWidth, header.biHeight);
}

// A section of the picture's own size with its rows copied as they are.
// LoadImage makes the same section, but takes about four times as long
// under Wine, and the start loads a hundred pictures.
HBITMAP sectionOf(const BITMAPINFOHEADER &header, const uint8_t *pixels)
{
    BITMAPINFO info{};
    info.bmiHeader = header;
    void *bits = nullptr;
    HBITMAP section = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (section == nullptr || bits == nullptr) {
        if (section)
            DeleteObject(section);
        return nullptr;
    }
    std::memcpy(bits, pixels, pixelBytes(header.biWidth, header.biHeight));
    return section;
}

HBITMAP loadBitmapResource(HMODULE module, const char *name)
{
    HRSRC found = FindResourceA(module, name, MAKEINTRESOURCEA(2)); // RT_BITMAP
    if (found == nullptr)
        return nullptr;
    const DWORD size = SizeofResource(module, found);
    HGLOBAL loaded = LoadResource(module, found);
    const auto *bytes = loaded ? static_cast<const uint8_t *>(LockResource(loaded)) : nullptr;
    BITMAPINFOHEADER header{};
    if (plainPicture(bytes, size, header))
        return sectionOf(header, bytes + sizeof header);
    return static_cast<HBITMAP>(LoadImageA(module, name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

// The name an alias resource holds, read no further than the resource's own
// size; empty when `name` is no alias.
std::string aliasTarget(HMODULE module, const char *name)
{
    HRSRC alias = FindResourceA(module, name, MAKEINTRESOURCEA(10)); // RT_RCDATA
    if (alias == nullptr)
        return {};
    const DWORD size = SizeofResource(module, alias);
    HGLOBAL loaded = LoadResource(module, alias);
    const char *text = loaded ? static_cast<const char *>(LockResource(loaded)) : nullptr;
    if (text == nullptr || size == 0 || size > LongestName)
        return {};
    return std::string(text, strnlen(text, size));
}

} // namespace

HBITMAP loadArtworkBitmap(const std::string &name)
{
    HMODULE self = GetModuleHandleA(nullptr);
    if (HBITMAP bitmap = loadBitmapResource(self, name.c_str()))
        return bitmap;
    // A picture kept once for several names: the alias names the bitmap
    // itself, never another alias, so one step is all there is.
    const std::string target = aliasTarget(self, name.c_str());
    return target.empty() ? nullptr : loadBitmapResource(self, target.c_str());
}
