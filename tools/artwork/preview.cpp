#include "tools/artwork/preview.h"

#include "tools/artwork/bitmap_table.h"
#include "tools/artwork/palette.h"

#include <QFont>
#include <QPainter>

namespace artwork {

namespace {

constexpr int margin = 24;

struct Label
{
    const char *window;
    int x;
    int y;
    const char *text;
    QRgb colour;
    int pixelSize;
    bool bold;
};

// The windows' labels, only to judge the artwork around them.
const Label labels[] = {
    {"frmVesperin", 87, 203, "Time for Next Alarm", palette::white, 11, true},
    {"frmVesperin", 92, 220, "Alarm Time:", palette::white, 11, false},
    {"frmVesperin", 155, 221, "06", palette::white, 11, false},
    {"frmVesperin", 170, 220, ":", palette::white, 11, false},
    {"frmVesperin", 175, 221, "30", palette::white, 11, false},
    {"frmVesperin", 191, 221, "AM", palette::white, 11, false},
    {"frmVesperin", 81, 236, "Alarm Day(s):", palette::white, 11, false},
    {"frmVesperin", 155, 237, "Mon. Tue. Wed. Thu.", palette::white, 11, false},
    {"frmVesperin", 155, 252, "Fri.", palette::white, 11, false},
    {"frmVesperin", 72, 279, "Music", palette::white, 11, true},
    {"frmVesperin", 162, 278, "Options", palette::white, 11, true},
    {"frmVesperin", 77, 298, "CD-ROM:", palette::white, 11, false},
    {"frmVesperin", 125, 298, "D:", palette::white, 11, false},
    {"frmVesperin", 91, 313, "Track:", palette::white, 11, false},
    {"frmVesperin", 125, 314, "12", palette::white, 11, false},
    {"frmVesperin", 168, 298, "Repeat:", palette::white, 11, false},
    {"frmVesperin", 208, 298, "Single", palette::white, 11, false},
    {"frmVesperin", 162, 313, "Duration:", palette::white, 11, false},
    {"frmVesperin", 208, 313, "10 mins", palette::white, 11, false},
    {"frmVesperin", 166, 328, "Volume:", palette::white, 11, false},
    {"frmVesperin", 208, 328, "16", palette::white, 11, false},
    {"frmSetTime", 44, 10, "Alarm Time Setting", palette::white, 12, false},
    {"frmSetTime", 67, 53, "Vesperin Disabled", palette::silver, 11, false},
    {"frmSetTime", 42, 75, "Day", palette::silver, 11, false},
    {"frmSetTime", 65, 98, "Sunday", palette::silver, 11, false},
    {"frmSetTime", 145, 98, "Monday", palette::silver, 11, false},
    {"frmSetTime", 225, 98, "Tuesday", palette::silver, 11, false},
    {"frmSetTime", 296, 98, "Wednesday", palette::silver, 11, false},
    {"frmSetTime", 65, 123, "Thursday", palette::silver, 11, false},
    {"frmSetTime", 145, 123, "Friday", palette::silver, 11, false},
    {"frmSetTime", 225, 121, "Saturday", palette::silver, 11, false},
    {"frmSetTime", 42, 153, "Hour / Minute", palette::silver, 11, false},
    {"frmSetTime", 70, 185, "Hour:", palette::silver, 11, false},
    {"frmSetTime", 104, 186, "06", palette::silver, 11, false},
    {"frmSetTime", 170, 184, "Minute:", palette::silver, 11, false},
    {"frmSetTime", 212, 185, "30", palette::silver, 11, false},
    {"frmSetTime", 128, 232, "OK", palette::silver, 11, false},
    {"frmSetTime", 238, 232, "Cancel", palette::silver, 11, false},
    {"frmSelectMusic", 44, 9, "Music Selection", palette::white, 12, false},
    {"frmSelectMusic", 59, 56, "Select CD-ROM:", palette::silver, 11, false},
    {"frmSelectMusic", 152, 54, "D", palette::silver, 11, false},
    {"frmSelectMusic", 69, 80, "Current Track:", palette::silver, 11, false},
    {"frmSelectMusic", 143, 81, "3", palette::silver, 11, false},
    {"frmSelectMusic", 36, 108, "Track1          04:12", palette::silver, 11, false},
    {"frmSelectMusic", 36, 122, "Track2          03:55", palette::silver, 11, false},
    {"frmSelectMusic", 68, 290, "OK", palette::silver, 11, false},
    {"frmSelectMusic", 178, 290, "Cancel", palette::silver, 11, false},
    {"frmOptions", 44, 9, "Options", palette::white, 12, false},
    {"frmOptions", 44, 49, "Repeat", palette::silver, 11, false},
    {"frmOptions", 96, 74, "Mode", palette::silver, 11, false},
    {"frmOptions", 127, 74, ":", palette::silver, 11, false},
    {"frmOptions", 139, 74, "Single", palette::silver, 11, false},
    {"frmOptions", 84, 102, "Duration", palette::silver, 11, false},
    {"frmOptions", 129, 102, ":", palette::silver, 11, false},
    {"frmOptions", 139, 101, "10 mins", palette::silver, 11, false},
    {"frmOptions", 85, 150, "Volume", palette::silver, 11, false},
    {"frmOptions", 123, 150, ":", palette::silver, 11, false},
    {"frmOptions", 143, 152, "8", palette::silver, 11, false},
    {"frmOptions", 227, 152, "Test", palette::silver, 11, false},
    {"frmOptions", 105, 189, "OK", palette::silver, 11, false},
    {"frmOptions", 215, 189, "Cancel", palette::silver, 11, false},
};

} // namespace

QImage preview(const QString &windowName, QRgb desktop)
{
    const Window &w = window(windowName);
    QImage out(w.client + QSize(2 * margin, 2 * margin), QImage::Format_RGB32);
    out.fill(desktop);
    QPainter p(&out);
    p.translate(margin, margin);
    p.setClipRect(QRect(QPoint(0, 0), w.client));
    for (const Bitmap &b : bitmaps()) {
        if (b.window != windowName)
            continue;
        const QImage image = render(b);
        if (b.background) {
            QImage cut = image.convertToFormat(QImage::Format_ARGB32);
            for (int y = 0; y < cut.height(); ++y)
                for (int x = 0; x < cut.width(); ++x)
                    if ((cut.pixel(x, y) & 0xFFFFFFu) == (b.key & 0xFFFFFFu))
                        cut.setPixel(x, y, 0);
            p.drawImage(b.position, cut);
        } else if (b.state.isEmpty() || b.state == "raised" || b.state == "checked_raised") {
            p.drawImage(b.position, image);
        }
    }
    for (const Label &l : labels) {
        if (windowName != l.window)
            continue;
        QFont font(windowName == "frmVesperin" || l.pixelSize == 12 ? "Arial" : "Sans Serif");
        font.setPixelSize(l.pixelSize);
        font.setBold(l.bold);
        p.setFont(font);
        p.setPen(QColor::fromRgb(l.colour));
        p.drawText(QPoint(l.x, l.y + l.pixelSize), QString::fromLatin1(l.text));
    }
    return out;
}

} // namespace artwork
