#pragma once

#include <windows.h>

#include <initializer_list>
#include <variant>
#include <vector>

class ComboBox;
class EditField;
class Label;
class PlainButton;
class SkButton;
class SkButtonTx;
class SkCheckBox;
class SkPicture;
class SkRadioButton;
class Window;
struct Backdrop;

// One control of a window's layout: the member that holds it (which also
// tells its kind), its name, text, place and size, its transparent colour,
// and for text its font and colour. The pictures of a control come from the
// artwork resources named after the window and the control
// ("frmSetTime/skbOK_raised").
struct ControlRow
{
    enum Flags : unsigned
    {
        None = 0,
        Hidden = 1,    // made invisible
        NoTabStop = 2, // the keyboard passes it by
        GroupBox = 4,  // a plain button drawn as a group's frame
    };
    using Slot = std::variant<SkPicture **, Label **, EditField **, ComboBox **, SkButton **,
                              SkButtonTx **, SkCheckBox **, SkRadioButton **, PlainButton **>;

    Slot slot;
    const char *name;
    const char *text = "";
    int left = 0;
    int top = 0;
    int width = 0; // 0: the natural size of its text or picture
    int height = 0;
    COLORREF transparent = CLR_INVALID;
    HFONT font = nullptr;
    COLORREF colour = RGB(0, 0, 0);
    unsigned flags = None;
};

// Builds a window's controls from its layout: each control lies above those
// of the rows before it and above the window's earlier children, as in a form
// resource (they are made from the last row up). The window owns the
// controls; the rows' members point at them.
class ControlTable
{
public:
    // `form` names the window in the artwork; labels show `backdrop`
    // behind their text. `tabOrder` names rows of this table by their slots
    // (&edtHourVal) in the keyboard's order: Tab goes from one to the next,
    // and they lie above the other rows.
    static void build(Window &window, const char *form, const Backdrop *backdrop,
                      std::initializer_list<ControlRow> rows,
                      std::initializer_list<const void *> tabOrder = {});

    // The bitmap "<form>/<stem>" of the artwork resources, or null; owned by
    // the caller.
    static HBITMAP artwork(const char *form, const char *stem);
};
