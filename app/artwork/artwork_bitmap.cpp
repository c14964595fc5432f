#include "app/artwork/artwork_bitmap.h"

#include <cstring>

namespace {

// Picture names are "<form>/<stem>"; no alias names a longer one.
const DWORD LongestName = 128;

HBITMAP loadBitmapResource(HMODULE module, const char *name)
{
    return static_cast<HBITMAP>(
        LoadImageA(module, name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
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
