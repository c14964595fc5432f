#include "qt/skin/sk_four_state_appearance.h"

#include <array>

void SkFourStateAppearance::Assign(const SkFourStateAppearance &other)
{
    // Copies first, so that assigning an appearance of the same control is safe.
    const std::array<QImage, 4> bitmaps{other.RaisedBmp(), other.SunkenBmp(), other.FocusedBmp(),
                                        other.DisabledBmp()};
    for (int look = 0; look < 4; ++look)
        setBitmap(bitmaps[static_cast<std::size_t>(look)], m_base + look);
}

bool SkFourStateAppearance::LoadFromFiles(const QString &folder, const QString &raised,
                                          const QString &sunken, const QString &focused,
                                          const QString &disabled)
{
    QString prefix = folder;
    if (!prefix.isEmpty() && !prefix.endsWith(QLatin1Char('/')) &&
        !prefix.endsWith(QLatin1Char('\\')) && !prefix.endsWith(QLatin1Char(':')))
        prefix += QLatin1Char('/');

    const std::array<QString, 4> names{raised, sunken, focused, disabled};
    std::array<QImage, 4> loaded;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i].isEmpty())
            continue;
        if (!loaded[i].load(prefix + names[i]) || loaded[i].isNull())
            return false;
    }
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (!names[i].isEmpty())
            setBitmap(loaded[i], m_base + static_cast<int>(i));
    }
    return true;
}
