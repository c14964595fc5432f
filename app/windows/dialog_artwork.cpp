#include "app/windows/dialog_artwork.h"

#include "app/windows/combo_box.h"
#include "app/windows/edit_field.h"
#include "app/windows/window.h"
#include "app/windows/window_fonts.h"
#include "skin/sk_button.h"
#include "skin/sk_button_tx.h"
#include "skin/sk_picture.h"

#include <memory>

namespace DialogArtwork {

namespace {

const char *const Looks[] = {"raised", "sunken", "focused", "disabled"};
constexpr int TitleHeight = 12;
constexpr int ComboHeight = 21;

void fillLooks(SkButton &button, const char *form, const char *name, COLORREF transparentColour)
{
    // A button whose layout names no transparent colour is a plain rectangle.
    if (transparentColour != CLR_INVALID) {
        button.SetTransparentColor(transparentColour);
        button.SetTransparent(true);
    }
    for (int look = 0; look < 4; ++look) {
        if (const HBITMAP bitmap = loadBitmap(form, std::string(name) + "_" + Looks[look]))
            button.SetStateBitmap(look, bitmap);
    }
    // The skinned buttons take no part in tabbing; the mouse presses them.
    const HWND handle = button.Handle();
    SetWindowLongPtrA(handle, GWL_STYLE, GetWindowLongPtrA(handle, GWL_STYLE) & ~WS_TABSTOP);
}

} // namespace

HBITMAP loadBitmap(const std::string &form, const std::string &name)
{
    const std::string resource = form + "/" + name;
    return static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), resource.c_str(),
                                           IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

SkPicture *addPicture(Window &window, const char *form, const char *name, int left, int top)
{
    return window.own(
        std::make_unique<SkPicture>(window.Handle(), left, top, loadBitmap(form, name)));
}

BrushObject backdropBrush(const SkPicture &picture)
{
    return BrushObject(picture.Bitmap() ? CreatePatternBrush(picture.Bitmap()) : nullptr);
}

Label *addLabel(Window &window, const Backdrop &backdrop, const std::string &text, int left,
                int top, int width, int height)
{
    auto label = std::make_unique<Label>(window.Handle(), text, left, top, width, height);
    label->SetFont(WindowFonts::dialogText());
    label->SetColour(Silver);
    label->SetBackdrop(&backdrop);
    return window.own(std::move(label));
}

Label *addTitle(Window &window, const Backdrop &backdrop, const std::string &text, int left,
                int top)
{
    auto label = std::make_unique<Label>(window.Handle(), text, left, top);
    label->SetFont(WindowFonts::arial(TitleHeight));
    label->SetColour(White);
    label->SetBackdrop(&backdrop);
    return window.own(std::move(label));
}

ComboBox *addComboBox(Window &window, int left, int top, int width)
{
    auto box = std::make_unique<ComboBox>(window.Handle(), left, top, width, ComboHeight);
    box->SetFont(WindowFonts::dialogText());
    box->SetColours(Silver, FieldBackground);
    return window.own(std::move(box));
}

EditField *addEditField(Window &window, const std::string &text, int left, int top, int width,
                        int height)
{
    auto field = std::make_unique<EditField>(window.Handle(), text, left, top, width, height);
    field->SetFont(WindowFonts::dialogText());
    field->SetColours(Silver, FieldBackground);
    return window.own(std::move(field));
}

SkButton *addButton(Window &window, const char *form, const char *name, int left, int top,
                    COLORREF transparentColour)
{
    auto button = std::make_unique<SkButton>(window.Handle(), left, top);
    fillLooks(*button, form, name, transparentColour);
    return window.own(std::move(button));
}

SkButtonTx *addTextButton(Window &window, const char *form, const char *name,
                          const std::string &caption, int left, int top, COLORREF transparentColour)
{
    auto button = std::make_unique<SkButtonTx>(window.Handle(), left, top);
    fillLooks(*button, form, name, transparentColour);
    button->SetFont(WindowFonts::dialogText());
    button->SetFontColor(Silver);
    button->SetText(caption);
    return window.own(std::move(button));
}

} // namespace DialogArtwork
