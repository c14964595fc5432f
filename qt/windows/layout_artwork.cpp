#include "qt/windows/layout_artwork.h"

#include "qt/skin/color_ref.h"
#include "qt/skin/sk_button.h"
#include "qt/skin/sk_check_box.h"
#include "qt/skin/sk_picture.h"
#include "qt/skin/sk_radio_button.h"

namespace {

const char *const Looks[] = {"raised", "sunken", "focused", "disabled"};

} // namespace

QImage LayoutArtwork::image(const QString &form, const QString &name)
{
    return QImage(QStringLiteral(":/artwork/%1/%2.png").arg(form, name));
}

void LayoutArtwork::fillPicture(SkPicture *picture, const QString &form)
{
    picture->setBitmap(image(form, picture->objectName()));
}

void LayoutArtwork::fillGroup(SkCustomControl *control, const QString &form, const QString &prefix,
                              int base)
{
    for (int look = 0; look < 4; ++look) {
        const QImage bitmap = image(form, prefix + QLatin1Char('_') + QLatin1String(Looks[look]));
        if (!bitmap.isNull())
            control->FillStateBitmap(base + look, bitmap);
    }
}

void LayoutArtwork::fillButton(SkButton *button, const QString &form, uint32_t transparentColour)
{
    button->SetTransparentColor(colorFromColorRef(transparentColour));
    fillGroup(button, form, button->objectName(), 0);
}

void LayoutArtwork::fillCheckBox(SkCheckBox *box, const QString &form, uint32_t transparentColour)
{
    box->SetTransparentColor(colorFromColorRef(transparentColour));
    fillGroup(box, form, box->objectName() + QStringLiteral("_unchecked"), 0);
    fillGroup(box, form, box->objectName() + QStringLiteral("_checked"), 4);
}

void LayoutArtwork::fillRadioButton(SkRadioButton *button, const QString &form,
                                    uint32_t transparentColour)
{
    button->SetTransparentColor(colorFromColorRef(transparentColour));
    fillGroup(button, form, button->objectName() + QStringLiteral("_unchecked"), 0);
    fillGroup(button, form, button->objectName() + QStringLiteral("_checked"), 4);
}

SkButton *LayoutArtwork::addButton(QWidget *window, const QString &form, const char *name, int left,
                                   int top, uint32_t transparentColour)
{
    auto *button = new SkButton(window);
    button->setObjectName(QLatin1String(name));
    fillButton(button, form, transparentColour);
    button->move(left, top);
    return button;
}
