#pragma once

#include "app/windows/gdi_object.h"
#include "app/windows/label.h"

#include <windows.h>

#include <string>

class ComboBox;
class EditField;
class SkButton;
class SkButtonTx;
class SkPicture;
class Window;

// The look the music selection and options dialogs share: their pictures and
// skinned buttons from the program's bitmap resources ("<form>/<name>" and
// "<form>/<name>_<look>"), silver "MS Sans Serif" text over the background
// picture, and fields on the dark grey of the layouts. Each control made here
// belongs to the window it is made on.
namespace DialogArtwork {

constexpr COLORREF Silver = RGB(0xC0, 0xC0, 0xC0);
constexpr COLORREF White = RGB(0xFF, 0xFF, 0xFF);
constexpr COLORREF FieldBackground = RGB(0x33, 0x33, 0x33);

// The bitmap resource `<form>/<name>`; null when the program has none.
HBITMAP loadBitmap(const std::string &form, const std::string &name);

SkPicture *addPicture(Window &window, const char *form, const char *name, int left, int top);
// A pattern brush of the picture's bitmap, for the labels over it.
BrushObject backdropBrush(const SkPicture &picture);

// A label in the dialog text font; width and height 0 size it to its text.
Label *addLabel(Window &window, const Backdrop &backdrop, const std::string &text, int left,
                int top, int width = 0, int height = 0);
// The dialog's title: Arial 12 pixels high, white. Like every label it takes
// no presses of its own: they reach the picture beneath and drag the window.
Label *addTitle(Window &window, const Backdrop &backdrop, const std::string &text, int left,
                int top);

ComboBox *addComboBox(Window &window, int left, int top, int width);
EditField *addEditField(Window &window, const std::string &text, int left, int top, int width,
                        int height);

// A skinned button with its looks; CLR_INVALID as the transparent colour
// leaves it a plain rectangle.
SkButton *addButton(Window &window, const char *form, const char *name, int left, int top,
                    COLORREF transparentColour);
SkButtonTx *addTextButton(Window &window, const char *form, const char *name,
                          const std::string &caption, int left, int top,
                          COLORREF transparentColour);

} // namespace DialogArtwork
