#pragma once

#include <QImage>
#include <QString>

namespace artwork {

// The window as a user sees it on a desktop of the given colour: the
// background cut to its outline and seen through the client area, each
// control's raised bitmap at its place, the labels in the windows' colours.
QImage preview(const QString &windowName, QRgb desktop);

} // namespace artwork
