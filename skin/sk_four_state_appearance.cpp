#include "skin/sk_four_state_appearance.h"

#include "skin/gdi_handle.h"

void SkFourStateAppearance::Assign(const SkFourStateAppearance &other)
{
    SetRaisedBmp(other.RaisedBmp());
    SetSunkenBmp(other.SunkenBmp());
    SetFocusedBmp(other.FocusedBmp());
    SetDisabledBmp(other.DisabledBmp());
}

bool SkFourStateAppearance::LoadFromFiles(std::string folder, const std::string &raised,
                                          const std::string &sunken, const std::string &focused,
                                          const std::string &disabled)
{
    if (!folder.empty() && folder.back() != '\\' && folder.back() != '/' && folder.back() != ':')
        folder += '\\';
    const std::string *names[4] = {&raised, &sunken, &focused, &disabled};
    BitmapHandle loaded[4];
    for (int look = 0; look < 4; ++look) {
        if (names[look]->empty())
            continue;
        const std::string path = folder + *names[look];
        loaded[look].reset(static_cast<HBITMAP>(LoadImageA(
            nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
        if (!loaded[look])
            return false;
    }
    for (int look = 0; look < 4; ++look) {
        if (loaded[look])
            SetBitmap(loaded[look].get(), m_base + look);
    }
    return true;
}
