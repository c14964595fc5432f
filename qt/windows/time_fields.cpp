#include "qt/windows/time_fields.h"

uint32_t TimeFields::firmwareHour(int hour12, bool afternoon)
{
    const uint32_t hour = hour12 == 12 ? 0 : uint32_t(hour12);
    return afternoon ? hour + 12 : hour;
}

QString TimeFields::twoDigits(int number)
{
    return twoDigits(QString::number(number));
}

QString TimeFields::twoDigits(const QString &text)
{
    return text.size() < 2 ? QStringLiteral("0") + text : text;
}

std::optional<QString> TimeFields::repair(const QString &text, const Range &range)
{
    bool isNumber = false;
    const int number = text.toInt(&isNumber);
    if (!isNumber)
        return QString::fromLatin1(range.notANumber);
    if (number > range.high)
        return QString::number(range.high);
    if (number < range.low)
        return QString::number(range.low);
    return std::nullopt;
}

int TimeFields::value(const QString &text, const Range &range)
{
    bool isNumber = false;
    const int number = text.toInt(&isNumber);
    return isNumber ? number : QString::fromLatin1(range.notANumber).toInt();
}

QString TimeFields::stepUp(const QString &text, const Range &range)
{
    const int number = value(text, range);
    return twoDigits(number >= range.high ? range.low : number + 1);
}

QString TimeFields::stepDown(const QString &text, const Range &range)
{
    const int number = value(text, range);
    return twoDigits(number <= range.low ? range.high : number - 1);
}
