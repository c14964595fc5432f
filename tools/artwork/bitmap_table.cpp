#include "tools/artwork/bitmap_table.h"

#include "tools/artwork/background_painter.h"
#include "tools/artwork/control_painter.h"
#include "tools/artwork/palette.h"

#include <stdexcept>

namespace artwork {

namespace {

namespace pal = palette;

// The main panel. The picture sits at (-63, -10) in the panel's 330 x 443
// client area, so the clock stays within picture columns 63 to 392 and rows
// 10 to 452. The dial holds every label; the close and minimise buttons
// (client 219,156 and 236,168) sit on the bezel-coloured plate.
PanelLayout panelLayout()
{
    PanelLayout l;
    l.size = QSize(454, 454);
    l.centre = QPointF(232, 283);
    l.caseRadius = 150;
    l.dialRadius = 122;
    l.bellAngle = 45;
    l.bellRadius = 38;
    l.bellDistance = 157;
    l.handleAngle = 22;
    l.handleRadius = 172;
    l.handleLift = 56;
    l.handleWidth = 9;
    l.footAngle = 145;
    l.footLength = 22;
    l.plateFrom = QPointF(290, 174);
    l.plateTo = QPointF(307, 186);
    l.plateRadius = 13;
    l.dialDots = {0, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    l.dotRadius = 112;
    l.dividerY = 283;
    l.dividerHalfWidth = 92;
    return l;
}

const std::vector<Window> windowList = {
    {"frmVesperin", {330, 443}, {-63, -10}, {454, 454}},
    {"frmSetTime", {393, 283}, {-3, -5}, {400, 292}},
    {"frmSelectMusic", {276, 340}, {-4, -5}, {285, 350}},
    {"frmOptions", {349, 239}, {-3, -5}, {355, 250}},
};

const std::vector<Surface> surfaceList = {
    {"frmVesperin", "lblMask", {154, 220, 92, 16}, pal::face},
    {"frmSetTime", "edtHourVal", {102, 186, 16, 14}, pal::field},
    {"frmSetTime", "edtMinuteVal", {211, 185, 14, 14}, pal::field},
    {"frmSelectMusic", "cbxCDROM", {148, 51, 98, 21}, pal::field},
    {"frmSelectMusic", "lvMusic", {32, 106, 212, 169}, pal::field},
    {"frmOptions", "cbxMode", {135, 71, 128, 21}, pal::field},
    {"frmOptions", "cbxDuration", {135, 98, 128, 21}, pal::field},
    {"frmOptions", "edtVolume", {140, 152, 17, 14}, pal::field},
};

// A dialog's background: the body just inside the client area, a title band
// down to row 46, wells under its fields and grooves between its groups.
DialogLayout dialogLayout(const QString &name, DialogIcon icon, std::vector<int> grooves,
                          int floorTop)
{
    const Window &w = window(name);
    const QPoint toPicture = -w.picture;
    DialogLayout l;
    l.size = w.pictureSize;
    l.body = QRect(toPicture, w.client).adjusted(3, 3, -3, -3);
    l.headerBottom = 46;
    l.sheenBottom = 22;
    l.floorTop = floorTop;
    l.badgeRadius = 13;
    l.cornerRadius = 12;
    l.icon = icon;
    for (const Surface &f : surfaceList)
        if (f.window == name && f.colour == pal::field)
            l.wells.push_back(f.rect.translated(toPicture));
    for (int y : grooves)
        l.dividers.push_back({y, l.body.left() + 24, l.body.right() - 24});
    return l;
}

using Paint = std::function<void(QPainter &, QSize)>;

struct Builder
{
    std::vector<Bitmap> list;

    void add(const QString &windowName, const QString &control, const QString &state, QSize size,
             QRgb key, QPoint position, Paint paint, bool background = false)
    {
        list.push_back(
            {windowName, control, state, size, key, position, background, std::move(paint)});
    }

    void background(const QString &windowName, Paint paint)
    {
        const Window &w = window(windowName);
        add(windowName, "imgBg", {}, w.pictureSize, pal::backgroundKey, w.picture, std::move(paint),
            true);
    }

    // A push button in the given looks.
    void button(const QString &windowName, const QString &control, QSize size, QRgb key,
                QPoint position, std::initializer_list<Look> looks,
                const std::function<void(QPainter &, QSize, Look)> &paint)
    {
        for (Look look : looks)
            add(windowName, control, lookName(look), size, key, position,
                [paint, look](QPainter &p, QSize s) { paint(p, s, look); });
    }

    static QString lookName(Look look)
    {
        switch (look) {
        case Look::Raised:
            return "raised";
        case Look::Sunken:
            return "sunken";
        case Look::Focused:
            return "focused";
        case Look::Disabled:
            return "disabled";
        }
        return {};
    }

    void roundButton(const QString &windowName, const QString &control, QRgb key, QPoint position,
                     Glyph glyph)
    {
        button(windowName, control, {16, 16}, key, position,
               {Look::Raised, Look::Sunken, Look::Focused},
               [glyph](QPainter &p, QSize s, Look look) { paintRoundButton(p, s, glyph, look); });
    }

    void textButton(const QString &windowName, const QString &control, QSize size, QPoint position)
    {
        button(windowName, control, size, pal::bodyKey, position,
               {Look::Raised, Look::Sunken, Look::Focused, Look::Disabled}, paintTextButton);
    }

    void spinArrow(const QString &windowName, const QString &control, Glyph glyph, QPoint position)
    {
        button(windowName, control, {21, 12}, glyph == Glyph::Up ? pal::upArrowKey : pal::bodyKey,
               position, {Look::Raised, Look::Sunken, Look::Disabled},
               [glyph](QPainter &p, QSize s, Look look) { paintSpinArrow(p, s, glyph, look); });
    }

    // A day check box: checked, checked and disabled, unchecked.
    void dayBox(const QString &control, QPoint position)
    {
        checkBox(control, position, "checked_raised", true, Look::Raised);
        checkBox(control, position, "checked_disabled", true, Look::Disabled);
        checkBox(control, position, "unchecked_raised", false, Look::Raised);
    }

    void checkBox(const QString &control, QPoint position, const QString &state, bool checked,
                  Look look)
    {
        add("frmSetTime", control, state, {16, 16}, pal::bodyKey, position,
            [checked, look](QPainter &p, QSize s) { paintCheckBox(p, s, checked, look); });
    }

    void radio(const QString &control, const QString &word, QPoint position)
    {
        for (bool checked : {true, false})
            for (Look look : {Look::Raised, Look::Disabled})
                add("frmSetTime", control,
                    QString(checked ? "checked_" : "unchecked_") + lookName(look), {35, 12},
                    pal::bodyKey, position, [word, checked, look](QPainter &p, QSize s) {
                        paintRadioLamp(p, s, word, checked, look);
                    });
    }
};

std::vector<Bitmap> buildTable()
{
    Builder b;
    const std::initializer_list<Look> threeLooks = {Look::Raised, Look::Sunken, Look::Focused};

    // The main panel.
    const PanelLayout panel = panelLayout();
    b.background("frmVesperin", [panel](QPainter &p, QSize) { paintPanel(p, panel); });
    b.add("frmVesperin", "Image2", {}, {105, 19}, pal::face, {111, 174}, paintWordmark);
    b.add("frmVesperin", "Image3", {}, {71, 18}, pal::face, {130, 355}, paintOrnament);
    b.roundButton("frmVesperin", "skbMinimize", pal::closeKeyPanel, {219, 156}, Glyph::Minimize);
    b.roundButton("frmVesperin", "skbClose", pal::closeKeyPanel, {236, 168}, Glyph::Close);
    const std::pair<const char *, QPoint> arrows[] = {
        {"SkButton2", {203, 205}}, {"SkButton4", {110, 281}}, {"SkButton3", {213, 280}}};
    for (const auto &[name, at] : arrows)
        b.button("frmVesperin", name, {12, 11}, pal::arrowKeyPanel, at, threeLooks,
                 paintPanelArrow);

    // The alarm time dialog.
    const DialogLayout setTime = dialogLayout("frmSetTime", DialogIcon::Bell, {150, 220}, 262);
    b.background("frmSetTime", [setTime](QPainter &p, QSize) { paintDialog(p, setTime); });
    b.roundButton("frmSetTime", "skbClose", pal::closeKeyDialog, {350, 20}, Glyph::Close);
    b.checkBox("skcDisabled", {44, 52}, "checked_raised", true, Look::Raised);
    b.checkBox("skcDisabled", {44, 52}, "unchecked_raised", false, Look::Raised);
    const std::pair<const char *, QPoint> days[] = {
        {"skcSun", {44, 97}},  {"skcMon", {124, 97}},  {"skcTue", {204, 97}}, {"skcWed", {276, 97}},
        {"skcThu", {44, 122}}, {"skcFri", {124, 122}}, {"skcSat", {204, 121}}};
    for (const auto &[name, at] : days)
        b.dayBox(name, at);
    b.spinArrow("frmSetTime", "skbArrowUpHour", Glyph::Up, {124, 179});
    b.spinArrow("frmSetTime", "skbArrowDHour", Glyph::Down, {124, 192});
    b.spinArrow("frmSetTime", "skbArrowUpMin", Glyph::Up, {233, 179});
    b.spinArrow("frmSetTime", "skbArrowDMin", Glyph::Down, {233, 192});
    b.radio("skrAM", "AM", {279, 179});
    b.radio("skrPM", "PM", {279, 192});
    b.textButton("frmSetTime", "skbOK", {104, 25}, {87, 227});
    b.textButton("frmSetTime", "skbCancel", {104, 25}, {205, 227});

    // The music selection dialog.
    const DialogLayout music = dialogLayout("frmSelectMusic", DialogIcon::Note, {}, 320);
    b.background("frmSelectMusic", [music](QPainter &p, QSize) { paintDialog(p, music); });
    b.roundButton("frmSelectMusic", "skbClose", pal::closeKeyDialog, {233, 20}, Glyph::Close);
    for (const auto &[name, glyph, at] : {std::tuple{"skbPlay", Glyph::Play, QPoint(176, 77)},
                                          std::tuple{"skbStop", Glyph::Stop, QPoint(210, 77)}}) {
        const Glyph g = glyph;
        b.button("frmSelectMusic", name, {31, 24}, pal::bodyKey, at, threeLooks,
                 [g](QPainter &p, QSize s, Look look) { paintGlyphButton(p, s, g, look); });
    }
    b.textButton("frmSelectMusic", "skbOK", {104, 25}, {27, 285});
    b.textButton("frmSelectMusic", "skbCancel", {104, 25}, {145, 285});

    // The options dialog.
    const DialogLayout options = dialogLayout("frmOptions", DialogIcon::Sliders, {138}, 219);
    b.background("frmOptions", [options](QPainter &p, QSize) { paintDialog(p, options); });
    b.roundButton("frmOptions", "skbClose", pal::closeKeyDialog, {305, 19}, Glyph::Close);
    b.spinArrow("frmOptions", "skbArrowUpMin", Glyph::Up, {165, 145});
    b.spinArrow("frmOptions", "skbArrowDMin", Glyph::Down, {165, 159});
    b.textButton("frmOptions", "skbTest", {91, 24}, {192, 147});
    b.textButton("frmOptions", "skbOK", {104, 25}, {64, 184});
    b.textButton("frmOptions", "skbCancel", {104, 25}, {182, 184});
    return b.list;
}

} // namespace

QString Bitmap::file() const
{
    return window + '/' + control + (state.isEmpty() ? QString() : '_' + state) + ".png";
}

const std::vector<Window> &windows()
{
    return windowList;
}

const Window &window(const QString &name)
{
    for (const Window &w : windowList)
        if (w.name == name)
            return w;
    throw std::invalid_argument("no such window: " + name.toStdString());
}

const std::vector<Surface> &surfaces()
{
    return surfaceList;
}

const std::vector<Bitmap> &bitmaps()
{
    static const std::vector<Bitmap> table = buildTable();
    return table;
}

QImage render(const Bitmap &bitmap)
{
    QImage image;
    if (bitmap.background) {
        QImage layer(bitmap.size, QImage::Format_ARGB32_Premultiplied);
        layer.fill(Qt::transparent);
        QPainter p(&layer);
        p.setRenderHint(QPainter::Antialiasing);
        bitmap.paint(p, bitmap.size);
        p.end();
        image = cutOut(layer, bitmap.key, pal::rim);
    } else {
        image = QImage(bitmap.size, QImage::Format_RGB32);
        image.fill(bitmap.key);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        bitmap.paint(p, bitmap.size);
    }
    // The bottom-left pixel names the key colour: it is always the surface.
    image.setPixel(0, image.height() - 1, bitmap.key);
    return image;
}

} // namespace artwork
