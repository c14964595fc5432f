#pragma once

#include <QColor>
#include <QObject>

// Caption colours of a skinned control, one per look. An invalid QColor means "not set": the
// control then uses its font colour. changed() is emitted when a colour takes a different value.
class SkCtrlFontColor : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

signals:
    void changed(SkCtrlFontColor *colors);

protected:
    // Stores the value and emits changed() when it differs from what is held.
    void setColor(QColor &slot, QColor value);
};
