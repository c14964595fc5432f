#include "qt/windows/dialog_look.h"

#include "qt/windows/layout_artwork.h"
#include "qt/windows/window_fonts.h"
#include "qt/skin/sk_button_tx.h"

#include <QComboBox>
#include <QLabel>
#include <QWidget>

const QColor DialogLook::Silver(0xC0, 0xC0, 0xC0);
const QColor DialogLook::Grey(0x62, 0x62, 0x62);
const QColor DialogLook::FieldBackground(0x33, 0x33, 0x33);
const QColor DialogLook::TitleColour(0xFF, 0xFF, 0xFF);

void DialogLook::setTextColour(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::Text, colour);
    palette.setColor(QPalette::ButtonText, colour);
    widget->setPalette(palette);
}

void DialogLook::setFieldColours(QWidget *widget)
{
    QPalette palette = widget->palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Base, FieldBackground);
        palette.setColor(group, QPalette::AlternateBase, FieldBackground);
        palette.setColor(group, QPalette::Window, FieldBackground);
        palette.setColor(group, QPalette::Button, FieldBackground);
        palette.setColor(group, QPalette::Text, Silver);
        palette.setColor(group, QPalette::WindowText, Silver);
        palette.setColor(group, QPalette::ButtonText, Silver);
        palette.setColor(group, QPalette::Highlight, QColor(0x0A, 0x24, 0x6A));
        palette.setColor(group, QPalette::HighlightedText, Qt::white);
    }
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QLabel *DialogLook::addTitle(QWidget *window, const QString &text, int left, int top)
{
    auto *title = new QLabel(text, window);
    title->setObjectName(QStringLiteral("lblTitle"));
    title->setFont(WindowFonts::arial(12));
    setTextColour(title, TitleColour);
    title->move(left, top);
    title->adjustSize();
    return title;
}

QLabel *DialogLook::addLabel(QWidget *window, const char *name, const QString &text, int left,
                             int top)
{
    auto *label = new QLabel(text, window);
    label->setObjectName(QLatin1String(name));
    label->move(left, top);
    label->adjustSize();
    return label;
}

QComboBox *DialogLook::addComboBox(QWidget *window, const char *name, int left, int top, int width)
{
    auto *box = new QComboBox(window);
    box->setObjectName(QLatin1String(name));
    box->setGeometry(left, top, width, 21);
    setFieldColours(box);
    return box;
}

void DialogLook::styleTextButton(SkButtonTx *button, const QString &caption)
{
    button->FontColors().SetSunken(Qt::white);
    button->FontColors().SetFocused(Qt::white);
    button->FontColors().SetDisabled(Grey);
    button->SetText(caption);
}

SkButtonTx *DialogLook::addTextButton(QWidget *window, const QString &form,
                                      uint32_t transparentColour, const char *name,
                                      const QString &caption, int left, int top)
{
    auto *button = new SkButtonTx(window);
    button->setObjectName(QLatin1String(name));
    LayoutArtwork::fillButton(button, form, transparentColour);
    styleTextButton(button, caption);
    button->move(left, top);
    return button;
}
