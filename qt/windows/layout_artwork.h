#pragma once

#include <QImage>
#include <QString>

#include <cstdint>

class QWidget;
class SkButton;
class SkCheckBox;
class SkCustomControl;
class SkPicture;
class SkRadioButton;

// Fills the windows' pictures and skinned controls with their bitmaps, as a
// window's layout does: the transparent colour first, then every state bitmap
// that the artwork has for the control. A control's bitmaps are named after
// its window and its own name, ":/artwork/frmSetTime/skbOK_raised.png".
class LayoutArtwork
{
public:
    // The bitmap `name` of window `form`; a null image when there is none.
    static QImage image(const QString &form, const QString &name);

    static void fillPicture(SkPicture *picture, const QString &form);
    // `transparentColour` is the layout's colour value, red in the lowest byte.
    static void fillButton(SkButton *button, const QString &form, uint32_t transparentColour);
    static void fillCheckBox(SkCheckBox *box, const QString &form, uint32_t transparentColour);
    static void fillRadioButton(SkRadioButton *button, const QString &form,
                                uint32_t transparentColour);

    // A skinned button `name` of window `form`, filled and placed at `left`, `top`.
    static SkButton *addButton(QWidget *window, const QString &form, const char *name, int left,
                               int top, uint32_t transparentColour);

private:
    // Fills the four looks of one group of states from `prefix`_raised and so on.
    static void fillGroup(SkCustomControl *control, const QString &form, const QString &prefix,
                          int base);
};
