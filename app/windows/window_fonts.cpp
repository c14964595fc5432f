#include "app/windows/window_fonts.h"

#include "skin/gdi_handle.h"

#include <cstring>
#include <map>
#include <string>
#include <tuple>

namespace {

int CALLBACK foundFace(const LOGFONTA *, const TEXTMETRICA *, DWORD, LPARAM found)
{
    *reinterpret_cast<bool *>(found) = true;
    return 0;
}

HFONT makeFont(const char *face, int height, bool bold)
{
    LOGFONTA font{};
    font.lfHeight = height;
    font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = DEFAULT_QUALITY;
    font.lfPitchAndFamily = DEFAULT_PITCH | FF_SWISS;
    lstrcpynA(font.lfFaceName, face, LF_FACESIZE);
    return CreateFontIndirectA(&font);
}

// Fonts by face, height and weight, alive until the program ends.
HFONT cachedFont(const char *face, int height, bool bold)
{
    static std::map<std::tuple<std::string, int, bool>, FontHandle> fonts;
    auto key = std::make_tuple(std::string(face), height, bold);
    auto found = fonts.find(key);
    if (found == fonts.end())
        found = fonts.emplace(key, FontHandle(makeFont(face, height, bold))).first;
    return found->second.get();
}

} // namespace

bool WindowFonts::hasFace(const char *face)
{
    LOGFONTA wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(wanted.lfFaceName, face, LF_FACESIZE);
    bool found = false;
    const HDC dc = GetDC(nullptr);
    EnumFontFamiliesExA(dc, &wanted, foundFace, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, dc);
    return found;
}

const char *WindowFonts::arialFace()
{
    static const char *const face =
        hasFace("Arial") || !hasFace("Liberation Sans") ? "Arial" : "Liberation Sans";
    return face;
}

HFONT WindowFonts::arial(int pixelHeight, bool bold)
{
    // A negative height asks for the character height, as the layouts'
    // pixel sizes mean.
    return cachedFont(arialFace(), -pixelHeight, bold);
}

HFONT WindowFonts::dialogText()
{
    return cachedFont("MS Sans Serif", -11, false);
}
