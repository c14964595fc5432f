#include "qt/windows/window_fonts.h"

#include <QStringList>

void WindowFonts::installSubstitutes()
{
    // Liberation Sans has Arial's widths. "MS Sans Serif" is a narrow bitmap
    // font; Liberation Sans at the same height comes closest among the fonts
    // the build machines install, DejaVu Sans (wider) only as a last resort.
    QFont::insertSubstitutions(QStringLiteral("Arial"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
}

QFont WindowFonts::arial(int pixelHeight, bool bold)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixelHeight);
    font.setBold(bold);
    return font;
}

QFont WindowFonts::dialogText()
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    return font;
}
