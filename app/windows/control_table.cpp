#include "app/windows/control_table.h"

#include "app/artwork/artwork_bitmap.h"

#include "app/windows/combo_box.h"
#include "app/windows/edit_field.h"
#include "app/windows/label.h"
#include "app/windows/plain_button.h"
#include "app/windows/window.h"
#include "skin/sk_button.h"
#include "skin/sk_button_tx.h"
#include "skin/sk_check_box.h"
#include "skin/sk_picture.h"
#include "skin/sk_radio_button.h"

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

namespace {

// The looks of a state bitmap group, in the order of their indices.
const char *const Looks[] = {"raised", "sunken", "focused", "disabled"};

// The pictures of one state bitmap group, loaded before the control is made
// so that its window is made at the size of the first.
struct PictureGroup
{
    HBITMAP looks[4] = {};

    PictureGroup(const char *form, const std::string &prefix)
    {
        for (int look = 0; look < 4; ++look) {
            const std::string stem = prefix + "_" + Looks[look];
            looks[look] = ControlTable::artwork(form, stem.c_str());
        }
    }

    SIZE size() const
    {
        BITMAP info{};
        if (!looks[0] || !GetObjectA(looks[0], sizeof info, &info))
            return SIZE{0, 0};
        return SIZE{info.bmWidth, info.bmHeight < 0 ? -info.bmHeight : info.bmHeight};
    }

    // Hands the pictures to the control, which owns them from then on.
    void giveTo(SkCustomControl &control, int base)
    {
        for (int look = 0; look < 4; ++look) {
            if (looks[look])
                control.SetStateBitmap(base + look, looks[look]);
            looks[look] = nullptr;
        }
    }

    ~PictureGroup()
    {
        for (const HBITMAP look : looks)
            if (look)
                DeleteObject(look);
    }

    PictureGroup(const PictureGroup &) = delete;
    PictureGroup &operator=(const PictureGroup &) = delete;
};

// The children of a window, the topmost first.
std::vector<HWND> childrenTopDown(HWND parent)
{
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

const void *slotOf(const ControlRow &row)
{
    return std::visit([](auto *slot) { return static_cast<const void *>(slot); }, row.slot);
}

// The rows of the tab order in that order, then the others from the last up.
std::vector<const ControlRow *> creationOrder(std::initializer_list<ControlRow> rows,
                                              std::initializer_list<const void *> tabOrder)
{
    std::vector<const ControlRow *> order;
    for (const void *slot : tabOrder)
        for (const ControlRow &row : rows)
            if (slotOf(row) == slot)
                order.push_back(&row);
    for (auto row = std::rbegin(rows); row != std::rend(rows); ++row)
        if (std::find(std::begin(tabOrder), std::end(tabOrder), slotOf(*row)) == std::end(tabOrder))
            order.push_back(&*row);
    return order;
}

void dropTabStop(HWND control)
{
    SetWindowLongA(control, GWL_STYLE, GetWindowLongA(control, GWL_STYLE) & ~WS_TABSTOP);
}

struct Builder
{
    Window &window;
    const char *form;
    const Backdrop *backdrop;
    const ControlRow &row;

    HWND parent() const { return window.Handle(); }

    template <typename Control> Control *keep(std::unique_ptr<Control> control) const
    {
        return window.own(std::move(control));
    }

    // The window of a skinned control: at the size of its first picture, and
    // without a tab stop where the row says so.
    SkWindowShape shape(const PictureGroup &pictures) const
    {
        const SIZE size = pictures.size();
        return SkWindowShape{size.cx, size.cy, !(row.flags & ControlRow::NoTabStop)};
    }

    // Before the pictures come: the outline is then made once, from the
    // first picture with its transparent colour.
    template <typename Skinned> void skinned(Skinned &control) const
    {
        if (row.transparent != CLR_INVALID)
            control.SetTransparentColor(row.transparent);
        if (row.flags & ControlRow::Hidden)
            control.SetVisible(false);
    }

    HWND operator()(SkPicture **slot) const
    {
        *slot = keep(std::make_unique<SkPicture>(parent(), row.left, row.top,
                                                 ControlTable::artwork(form, row.name)));
        return (*slot)->Handle();
    }
    HWND operator()(Label **slot) const
    {
        auto *label = keep(std::make_unique<Label>(parent(), row.text, row.left, row.top, row.width,
                                                   row.height, row.font));
        label->SetColour(row.colour);
        label->SetBackdrop(backdrop);
        if (row.flags & ControlRow::Hidden)
            label->SetVisible(false);
        *slot = label;
        return label->Handle();
    }
    HWND operator()(EditField **slot) const
    {
        auto *field = keep(std::make_unique<EditField>(parent(), row.text, row.left, row.top,
                                                       row.width, row.height));
        field->SetFont(row.font);
        *slot = field;
        return field->Handle();
    }
    HWND operator()(ComboBox **slot) const
    {
        auto *box =
            keep(std::make_unique<ComboBox>(parent(), row.left, row.top, row.width, row.height));
        box->SetFont(row.font);
        *slot = box;
        return box->Handle();
    }
    HWND operator()(SkButton **slot) const
    {
        PictureGroup pictures(form, row.name);
        auto *button =
            keep(std::make_unique<SkButton>(parent(), row.left, row.top, shape(pictures)));
        skinned(*button);
        pictures.giveTo(*button, 0);
        *slot = button;
        return button->Handle();
    }
    HWND operator()(SkButtonTx **slot) const
    {
        PictureGroup pictures(form, row.name);
        auto *button =
            keep(std::make_unique<SkButtonTx>(parent(), row.left, row.top, shape(pictures)));
        skinned(*button);
        pictures.giveTo(*button, 0);
        button->SetFont(row.font);
        button->SetFontColor(row.colour);
        button->SetText(row.text);
        *slot = button;
        return button->Handle();
    }
    HWND operator()(SkCheckBox **slot) const
    {
        PictureGroup unchecked(form, std::string(row.name) + "_unchecked");
        PictureGroup checked(form, std::string(row.name) + "_checked");
        auto *box =
            keep(std::make_unique<SkCheckBox>(parent(), row.left, row.top, shape(unchecked)));
        skinned(*box);
        unchecked.giveTo(*box, 0);
        checked.giveTo(*box, 4);
        *slot = box;
        return box->Handle();
    }
    HWND operator()(SkRadioButton **slot) const
    {
        PictureGroup unchecked(form, std::string(row.name) + "_unchecked");
        PictureGroup checked(form, std::string(row.name) + "_checked");
        auto *button =
            keep(std::make_unique<SkRadioButton>(parent(), row.left, row.top, shape(unchecked)));
        skinned(*button);
        unchecked.giveTo(*button, 0);
        checked.giveTo(*button, 4);
        *slot = button;
        return button->Handle();
    }
    HWND operator()(PlainButton **slot) const
    {
        const auto kind =
            (row.flags & ControlRow::GroupBox) ? PlainButton::Kind::Group : PlainButton::Kind::Push;
        auto *button = keep(std::make_unique<PlainButton>(parent(), kind, row.text, row.left,
                                                          row.top, row.width, row.height));
        button->SetFont(row.font ? row.font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
        if (row.flags & ControlRow::NoTabStop)
            dropTabStop(button->Handle());
        *slot = button;
        return button->Handle();
    }
};

} // namespace

HBITMAP ControlTable::artwork(const char *form, const char *stem)
{
    return loadArtworkBitmap(std::string(form) + "/" + stem);
}

void ControlTable::build(Window &window, const char *form, const Backdrop *backdrop,
                         std::initializer_list<ControlRow> rows,
                         std::initializer_list<const void *> tabOrder)
{
    // Each control lies above the ones made before it, and the keyboard
    // follows the windows from the top down. The window system puts a new
    // child beneath its siblings, so the rows of the tab order are made
    // first, in that order, then the others from the last up, and the
    // children made before this table then go beneath them: a move for each
    // of those few instead of one for every control (each a round trip to
    // the window system).
    const std::vector<HWND> earlier = childrenTopDown(window.Handle());
    for (const ControlRow *row : creationOrder(rows, tabOrder)) {
        const HWND control = std::visit(Builder{window, form, backdrop, *row}, row->slot);
        // A control clips those above it, so that a picture never paints
        // over the labels and buttons that lie on it.
        const LONG style = GetWindowLongA(control, GWL_STYLE);
        if (!(style & WS_CLIPSIBLINGS))
            SetWindowLongA(control, GWL_STYLE, style | WS_CLIPSIBLINGS);
    }
    for (const HWND child : earlier)
        SetWindowPos(child, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}
