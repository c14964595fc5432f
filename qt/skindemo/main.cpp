// Shows one shaped window with every kind of skinned control, all drawn from bitmaps made here.
// Drag the window by its background; the close button ends the program. Given a file name, the
// program saves a picture of the window there and ends, for looking at the skin without a screen.

#include "qt/skin/shaped_form.h"
#include "qt/skin/sk_button.h"
#include "qt/skin/sk_button_tx.h"
#include "qt/skin/sk_check_box.h"
#include "qt/skin/sk_custom_control.h"
#include "qt/skin/sk_picture.h"
#include "qt/skin/sk_radio_button.h"

#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QTimer>

namespace {

const QColor keyColour(0x3B, 0x3B, 0x3B);

QImage canvas(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB888);
    image.fill(keyColour);
    return image;
}

QImage background()
{
    QImage image = canvas(420, 300);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient fill(0, 0, 0, 300);
    fill.setColorAt(0, QColor(52, 70, 104));
    fill.setColorAt(1, QColor(18, 26, 44));
    painter.setBrush(fill);
    painter.setPen(QPen(QColor(120, 150, 200), 2));
    QPainterPath body;
    body.addRoundedRect(QRectF(4, 18, 412, 276), 40, 40);
    QPainterPath crown;
    crown.addEllipse(QRectF(150, 2, 120, 60));
    painter.drawPath(body.united(crown));
    return image;
}

// A rounded button face; lighter when focused, darker and shifted light when sunken.
QImage buttonFace(int width, int height, QColor base, bool sunken)
{
    QImage image = canvas(width, height);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient fill(0, 0, 0, height);
    fill.setColorAt(0, sunken ? base.darker(150) : base.lighter(140));
    fill.setColorAt(1, sunken ? base.lighter(110) : base.darker(130));
    painter.setBrush(fill);
    painter.setPen(QPen(base.darker(200), 1));
    painter.drawRoundedRect(QRectF(0.5, 0.5, width - 1, height - 1), height / 2.0, height / 2.0);
    return image;
}

void giveLooks(SkFourStateAppearance &looks, int width, int height)
{
    looks.FillRaisedBmp(buttonFace(width, height, QColor(70, 100, 150), false));
    looks.FillSunkenBmp(buttonFace(width, height, QColor(70, 100, 150), true));
    looks.FillFocusedBmp(buttonFace(width, height, QColor(90, 140, 210), false));
    looks.FillDisabledBmp(buttonFace(width, height, QColor(90, 90, 90), false));
    looks.control()->SetTransparentColor(keyColour);
    looks.control()->SetTransparent(true);
}

QImage closeFace(QColor colour)
{
    QImage image = canvas(16, 16);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(colour);
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(QRectF(1, 1, 14, 14));
    painter.setPen(QPen(Qt::white, 2));
    painter.drawLine(QPointF(5, 5), QPointF(11, 11));
    painter.drawLine(QPointF(11, 5), QPointF(5, 11));
    return image;
}

// A check box face: mark 0 none, 1 tick, 2 a bar for the grayed state; round for radio buttons.
QImage checkFace(int mark, QColor frame, bool round)
{
    QImage image = canvas(16, 16);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor(20, 24, 32));
    painter.setPen(QPen(frame, 1.5));
    if (round)
        painter.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    else
        painter.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 3, 3);
    painter.setPen(QPen(QColor(240, 200, 80), 2.2));
    painter.setBrush(QColor(240, 200, 80));
    if (mark == 1 && round)
        painter.drawEllipse(QRectF(5.5, 5.5, 5, 5));
    else if (mark == 1)
        painter.drawPolyline(QPolygonF({QPointF(4, 8), QPointF(7, 11), QPointF(12, 4.5)}));
    else if (mark == 2)
        painter.drawLine(QPointF(4.5, 8), QPointF(11.5, 8));
    return image;
}

void giveCheckLooks(SkFourStateAppearance &looks, int mark, bool round)
{
    looks.FillRaisedBmp(checkFace(mark, QColor(140, 160, 190), round));
    looks.FillFocusedBmp(checkFace(mark, QColor(150, 200, 255), round));
    looks.FillDisabledBmp(checkFace(mark, QColor(80, 80, 80), round));
    looks.control()->SetTransparentColor(keyColour);
    looks.control()->SetTransparent(true);
}

QLabel *label(QWidget *parent, const QString &text, QPoint at)
{
    auto *label = new QLabel(text, parent);
    label->move(at);
    return label;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Skin demonstration"));
    window.resize(420, 300);
    QPalette palette = window.palette();
    palette.setColor(QPalette::WindowText, QColor(0xC0, 0xC0, 0xC0));
    window.setPalette(palette);

    auto *picture = new SkPicture(&window);
    picture->setBitmap(background());

    auto *title = label(&window, QStringLiteral("Skinned controls"), QPoint(158, 24));
    QFont titleFont(QStringLiteral("Arial"));
    titleFont.setPixelSize(12);
    titleFont.setBold(true);
    title->setFont(titleFont);

    auto *close = new SkButton(&window);
    close->move(370, 34);
    close->setFocusPolicy(Qt::NoFocus);
    close->SetTransparentColor(keyColour);
    close->Appearance().FillRaisedBmp(closeFace(QColor(150, 60, 60)));
    close->Appearance().FillFocusedBmp(closeFace(QColor(210, 80, 80)));
    close->Appearance().FillSunkenBmp(closeFace(QColor(110, 40, 40)));
    close->SetTransparent(true);
    QObject::connect(close, &SkControl::clicked, &app, &QApplication::quit);

    QStringList days{"Sunday", "Monday", "Tuesday"};
    for (int i = 0; i < days.size(); ++i) {
        auto *day = new SkCheckBox(&window);
        day->move(44 + 110 * i, 80);
        day->SetTransparentColor(keyColour);
        giveCheckLooks(day->Appearance().Uncheck(), 0, false);
        giveCheckLooks(day->Appearance().Check(), 1, false);
        giveCheckLooks(day->Appearance().Gray(), 2, false);
        day->SetAllowGrayed(i == 2);
        day->SetChecked(i == 0);
        label(&window, days[i], QPoint(65 + 110 * i, 81));
    }
    auto *off = new SkCheckBox(&window);
    off->move(44, 110);
    giveCheckLooks(off->Appearance().Uncheck(), 0, false);
    giveCheckLooks(off->Appearance().Check(), 1, false);
    off->SetChecked(true);
    off->setEnabled(false);
    label(&window, QStringLiteral("Disabled"), QPoint(65, 111));

    for (int i = 0; i < 2; ++i) {
        auto *radio = new SkRadioButton(&window);
        radio->move(44 + 110 * i, 140);
        radio->SetTransparentColor(keyColour);
        giveCheckLooks(radio->Appearance().Uncheck(), 0, true);
        giveCheckLooks(radio->Appearance().Check(), 1, true);
        radio->SetChecked(i == 1);
        label(&window, i == 0 ? QStringLiteral("AM") : QStringLiteral("PM"),
              QPoint(65 + 110 * i, 141));
    }

    auto *arrow = new SkButton(&window);
    arrow->move(264, 140);
    giveLooks(arrow->Appearance(), 21, 12);
    label(&window, QStringLiteral("Plain button"), QPoint(292, 138));

    auto *ok = new SkButtonTx(&window);
    ok->move(60, 200);
    giveLooks(ok->Appearance(), 104, 25);
    ok->SetText(QStringLiteral("OK"));
    ok->FontColors().SetFocused(Qt::white);

    auto *test = new SkButtonTx(&window);
    test->move(180, 200);
    giveLooks(test->Appearance(), 91, 24);
    test->SetText(QStringLiteral("Test"));
    QObject::connect(test, &SkControl::clicked, test, [test] {
        test->SetText(test->Caption() == QStringLiteral("Test") ? QStringLiteral("Stop")
                                                                : QStringLiteral("Test"));
    });

    auto *greyed = new SkButtonTx(&window);
    greyed->move(290, 200);
    giveLooks(greyed->Appearance(), 91, 24);
    greyed->SetText(QStringLiteral("Disabled"));
    greyed->setEnabled(false);

    ShapedForm shape(&window, picture);
    shape.Apply();
    window.move(200, 150);
    window.show();

    const QStringList arguments = app.arguments();
    if (arguments.size() > 1) {
        QTimer::singleShot(300, &app, [&window, &app, file = arguments.at(1)] {
            window.grab().save(file);
            app.quit();
        });
    }
    return app.exec();
}
