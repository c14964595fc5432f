#pragma once

#include <QColor>
#include <QString>

#include <cstdint>

class QComboBox;
class QLabel;
class QWidget;
class SkButtonTx;

// The look the setting dialogs share: silver text on the dark pictures,
// fields and lists on 0x333333, white titles.
class DialogLook
{
public:
    static const QColor Silver;
    static const QColor Grey;
    static const QColor FieldBackground;
    static const QColor TitleColour;

    static void setTextColour(QWidget *widget, const QColor &colour);
    // Silver text on the field background; a selection that keeps its
    // colour when the control loses the focus.
    static void setFieldColours(QWidget *widget);

    // The window's title in Arial, 12 pixels, white, at `left`, `top`.
    static QLabel *addTitle(QWidget *window, const QString &text, int left, int top);
    // A label sized to its text.
    static QLabel *addLabel(QWidget *window, const char *name, const QString &text, int left,
                            int top);
    // A drop-down list 21 pixels high, empty.
    static QComboBox *addComboBox(QWidget *window, const char *name, int left, int top, int width);
    // The caption of a skinned text button: silver, white while pressed or
    // under the mouse.
    static void styleTextButton(SkButtonTx *button, const QString &caption);
    // A skinned text button `name` of window `form` with that caption, at `left`, `top`.
    static SkButtonTx *addTextButton(QWidget *window, const QString &form,
                                     uint32_t transparentColour, const char *name,
                                     const QString &caption, int left, int top);
};
