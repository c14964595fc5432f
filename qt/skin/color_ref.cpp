#include "qt/skin/color_ref.h"

#include <QGuiApplication>
#include <QPalette>

namespace {

constexpr std::uint32_t notSet = 0xFFFFFFFFu;
constexpr std::uint32_t systemColorFlag = 0x80000000u;
constexpr std::uint32_t grayText = 0x80000011u;

} // namespace

QColor colorFromColorRef(std::uint32_t value)
{
    if (value == notSet)
        return QColor();
    if (value == grayText)
        return QGuiApplication::palette().color(QPalette::Disabled, QPalette::WindowText);
    if (value & systemColorFlag)
        return QColor(Qt::black);
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}
