#include "qt/windows/frm_vesperin.h"

#include "qt/windows/forms.h"
#include "qt/windows/frm_options.h"
#include "qt/windows/frm_select_music.h"
#include "qt/windows/frm_set_time.h"
#include "qt/windows/frm_waiting.h"
#include "qt/windows/layout_artwork.h"
#include "qt/windows/message_boxes.h"
#include "qt/windows/screen_size.h"
#include "qt/windows/time_fields.h"
#include "qt/windows/window_fonts.h"
#include "qt/skin/color_ref.h"
#include "qt/skin/sk_button.h"
#include "qt/skin/sk_check_box.h"
#include "qt/skin/sk_radio_button.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>

namespace {

// The panel's labels are white on its dark picture; the mask that hides the
// time while the alarm is off has the picture's colour there.
const QColor LabelColour(0xFF, 0xFF, 0xFF);
const QColor MaskColour = colorFromColorRef(0x151416);

const QString Form = QStringLiteral("frmVesperin");
// The layout's transparent colours of the buttons (red in the lowest byte).
constexpr uint32_t BezelKey = 0x838384;
constexpr uint32_t DialKey = 0x151516;

const char *const StartupFailures[] = {
    "",
    "Loading ACPI DLL failed...",
    "Initiating failed...",
    "Your BIOS does not support Vesperin !",
};

// The value labels size themselves to their text, as the labels of the
// layout do.
void setLabelText(QLabel *label, const QString &text)
{
    label->setText(text);
    label->adjustSize();
}

// A dialog that opens takes the keyboard, as a newly shown window does on
// Windows; the panel's arrow then loses its focused look.
void showActive(QWidget *dialog)
{
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

} // namespace

TfrmVesperin::TfrmVesperin(const std::string &libraryPath, LibraryLoader &loader, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint),
      imgBg(new SkPicture(this)), shapedForm(this, imgBg)
{
    setObjectName(QStringLiteral("frmVesperin"));
    setWindowTitle(QStringLiteral("frmVesperin"));
    setFixedSize(330, 443);
    move(272, 80);
    buildControls();
    FormCreate(libraryPath, loader);
}

TfrmVesperin::~TfrmVesperin()
{
    // The dialogs use the bridge until they are gone, so they go first.
    delete m_music;
    delete m_options;
    delete m_setTime;
}

QLabel *TfrmVesperin::addLabel(const char *name, const QString &text, int left, int top, bool bold)
{
    auto *label = new QLabel(text, this);
    label->setObjectName(QLatin1String(name));
    label->setFont(WindowFonts::arial(11, bold));
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, LabelColour);
    label->setPalette(palette);
    label->move(left, top);
    label->adjustSize();
    return label;
}

void TfrmVesperin::buildControls()
{
    // Built in the layout's order, so that later controls lie above earlier ones.
    imgBg->setObjectName(QStringLiteral("imgBg"));
    LayoutArtwork::fillPicture(imgBg, Form);
    imgBg->move(-63, -10);
    Image2 = new SkPicture(this);
    Image2->setObjectName(QStringLiteral("Image2"));
    LayoutArtwork::fillPicture(Image2, Form);
    Image2->move(111, 174);
    Image3 = new SkPicture(this);
    Image3->setObjectName(QStringLiteral("Image3"));
    LayoutArtwork::fillPicture(Image3, Form);
    Image3->move(130, 355);

    Label1 = addLabel("Label1", QStringLiteral("Time for Next Alarm"), 87, 203, true);
    SkButton2 = LayoutArtwork::addButton(this, Form, "SkButton2", 203, 205, DialKey);
    Label2 = addLabel("Label2", QStringLiteral("Alarm Time:"), 92, 220);
    lblHour = addLabel("lblHour", QString(), 155, 221);
    Label4 = addLabel("Label4", QStringLiteral(":"), 170, 220);
    lblMinute = addLabel("lblMinute", QString(), 175, 221);
    lblAMPM = addLabel("lblAMPM", QString(), 191, 221);
    Label3 = addLabel("Label3", QStringLiteral("Alarm Day(s):"), 81, 236);
    lblDays = addLabel("lblDays", QString(), 155, 237);
    lblDays->setFixedSize(110, 30);
    lblDays->setWordWrap(true);
    lblDays->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblMask = addLabel("lblMask", QString(), 154, 220);
    lblMask->setFixedSize(92, 16);
    lblMask->setAutoFillBackground(true);
    lblMask->hide();

    Label6 = addLabel("Label6", QStringLiteral("Music"), 72, 279, true);
    SkButton4 = LayoutArtwork::addButton(this, Form, "SkButton4", 110, 281, DialKey);
    Label5 = addLabel("Label5", QStringLiteral("Options"), 162, 278, true);
    SkButton3 = LayoutArtwork::addButton(this, Form, "SkButton3", 213, 280, DialKey);
    Label7 = addLabel("Label7", QStringLiteral("CD-ROM:"), 77, 298);
    lblCurDrive = addLabel("lblCurDrive", QString(), 125, 298);
    Label11 = addLabel("Label11", QStringLiteral("Track:"), 91, 313);
    lblCurTrack = addLabel("lblCurTrack", QString(), 125, 314);
    Label9 = addLabel("Label9", QStringLiteral("Repeat:"), 168, 298);
    lblRepeat = addLabel("lblRepeat", QString(), 208, 298);
    Label13 = addLabel("Label13", QStringLiteral("Duration:"), 162, 313);
    lblLength = addLabel("lblLength", QString(), 208, 313);
    Label15 = addLabel("Label15", QStringLiteral("Volume:"), 166, 328);
    lblVolume = addLabel("lblVolume", QString(), 208, 328);

    skbMinimize = LayoutArtwork::addButton(this, Form, "skbMinimize", 219, 156, BezelKey);
    skbClose = LayoutArtwork::addButton(this, Form, "skbClose", 236, 168, BezelKey);

    connect(SkButton2, &SkButton::clicked, this, &TfrmVesperin::SkButton2Click);
    connect(SkButton4, &SkButton::clicked, this, &TfrmVesperin::SkButton4Click);
    connect(SkButton3, &SkButton::clicked, this, &TfrmVesperin::SkButton3Click);
    connect(skbMinimize, &SkButton::clicked, this, &TfrmVesperin::skbMinimizeClick);
    connect(skbClose, &SkButton::clicked, this, &TfrmVesperin::skbCloseClick);

    // Plain buttons beyond the client area, where the user never sees them.
    const auto addGroup = [this](const char *name, const QString &title, int top) {
        auto *group = new QGroupBox(title, this);
        group->setObjectName(QLatin1String(name));
        group->setGeometry(360, top, 120, 50);
        return group;
    };
    const auto addButton = [](const char *name, const QString &text, QWidget *owner) {
        auto *button = new QPushButton(text, owner);
        button->setObjectName(QLatin1String(name));
        button->setGeometry(10, 18, 75, 25);
        return button;
    };
    GroupBox1 = addGroup("GroupBox1", QStringLiteral(" Time for Next Alarm "), 0);
    Button1 = addButton("Button1", QStringLiteral("change"), GroupBox1);
    GroupBox2 = addGroup("GroupBox2", QStringLiteral(" Music "), 60);
    Button2 = addButton("Button2", QStringLiteral("Set"), GroupBox2);
    GroupBox3 = addGroup("GroupBox3", QStringLiteral(" Options "), 120);
    Button3 = addButton("Button3", QStringLiteral("Set"), GroupBox3);
    Button4 = addButton("Button4", QStringLiteral("Apply"), this);
    Button4->move(360, 180);
    connect(Button1, &QPushButton::clicked, this, &TfrmVesperin::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TfrmVesperin::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TfrmVesperin::Button3Click);
}

void TfrmVesperin::FormCreate(const std::string &libraryPath, LibraryLoader &loader)
{
    shapedForm.Apply();
    bridge = std::make_unique<AcpiBridge>(loader);
    const int result = bridge->Load(libraryPath);
    if (result != AcpiBridge::LoadReady) {
        const int failure = result >= 1 && result <= 3 ? result : AcpiBridge::LoadLibraryFailed;
        MessageBoxes::tell(this, QString::fromLatin1(StartupFailures[failure]),
                           MessageBoxes::Icon::Error);
        m_startupFailed = true;
        requestTermination();
        return;
    }
    createDialogs();
    placeOnScreen();
}

void TfrmVesperin::createDialogs()
{
    // The dialogs are windows of their own that belong to the panel: they
    // live as long as it does and the window manager keeps them with it.
    frmSetTime = m_setTime = new TfrmSetTime(*bridge, this);
    connect(m_setTime, &SettingDialog::stored, this, &TfrmVesperin::ShowAlarmTime);
    ShowAlarmTime();
    auto *options = new TfrmOptions(*bridge, this);
    frmOptions = options;
    m_options = options;
    connect(m_options, &SettingDialog::stored, this, &TfrmVesperin::ShowOptions);
    ShowOptions();
    auto *music = new TfrmSelectMusic(*bridge, this);
    frmSelectMusic = music;
    m_music = music;
    connect(m_music, &SettingDialog::stored, this, &TfrmVesperin::ShowMusic);
    connect(m_music, &MusicDialog::driveSearchEnded, this, &TfrmVesperin::driveSearchEnded);
    ShowMusic();
}

void TfrmVesperin::placeOnScreen()
{
    const QSize screen = ScreenSize::current().size();
    screenWidth = screen.width();
    screenHeight = screen.height();
    // On a narrow screen the panel moves right so that the alarm time dialog
    // still fits beside it.
    const int panelWidth = frameGeometry().width();
    const int dialogWidth = m_setTime->frameGeometry().width();
    int left = x();
    if (screenWidth / 2 - panelWidth / 2 < dialogWidth)
        left = screenWidth - dialogWidth - panelWidth;
    if (left < 0)
        left = 0;
    move(left, y());
}

void TfrmVesperin::requestTermination()
{
    m_terminationRequested = true;
    QCoreApplication::quit();
}

void TfrmVesperin::driveSearchEnded()
{
    ShowMusic();
    show();
    if (frmWaiting)
        frmWaiting->hide();
}

void TfrmVesperin::ShowAlarmTime()
{
    if (m_setTime->skcDisabled->Checked()) {
        QPalette palette = lblMask->palette();
        palette.setColor(QPalette::Window, MaskColour);
        lblMask->setPalette(palette);
        lblMask->show();
        lblDays->clear();
        return;
    }
    lblMask->hide();
    setLabelText(lblHour, TimeFields::twoDigits(m_setTime->edtHourVal->text()));
    setLabelText(lblMinute, TimeFields::twoDigits(m_setTime->edtMinuteVal->text()));
    setLabelText(lblAMPM,
                 m_setTime->skrAM->Checked() ? QStringLiteral("AM") : QStringLiteral("PM"));

    const SkCheckBox *const days[] = {m_setTime->skcSun, m_setTime->skcMon, m_setTime->skcTue,
                                      m_setTime->skcWed, m_setTime->skcThu, m_setTime->skcFri,
                                      m_setTime->skcSat};
    const char *const names[] = {"Sun. ", "Mon. ", "Tue. ", "Wed. ", "Thu. ", "Fri. ", "Sat. "};
    QString text;
    for (int day = 0; day < 7; ++day) {
        if (days[day]->Checked())
            text += QLatin1String(names[day]);
    }
    lblDays->setText(text);
}

void TfrmVesperin::ShowOptions()
{
    setLabelText(lblRepeat, m_options->selectedMode());
    setLabelText(lblLength, m_options->selectedDuration());
    setLabelText(lblVolume, m_options->volume());
}

void TfrmVesperin::ShowMusic()
{
    setLabelText(lblCurTrack, m_music->currentTrack());
    setLabelText(lblCurDrive, m_music->selectedDrive());
}

void TfrmVesperin::SkButton2Click()
{
    toggleBeside(m_setTime);
}

void TfrmVesperin::SkButton4Click()
{
    toggleBeside(m_music);
}

void TfrmVesperin::SkButton3Click()
{
    toggleBeside(m_options);
}

void TfrmVesperin::toggleBeside(SettingDialog *dialog)
{
    if (!dialog)
        return;
    if (dialog->isVisible()) {
        dialog->clickClose();
        return;
    }
    // One dialog at a time: the others close as if cancelled.
    for (SettingDialog *other :
         {static_cast<SettingDialog *>(m_setTime), static_cast<SettingDialog *>(m_music),
          static_cast<SettingDialog *>(m_options)}) {
        if (other && other != dialog)
            other->clickClose();
    }

    const QRect panel = frameGeometry();
    const QSize size = dialog->frameGeometry().size();
    const int top = panel.top() + panel.height() - size.height();
    // Right of the panel, unless only the left has room.
    const int roomRight = screenWidth - panel.left() - panel.width();
    int left = panel.left() + panel.width();
    if (size.width() > roomRight && size.width() < panel.left())
        left = panel.left() - size.width();
    if (left + size.width() > screenWidth)
        left = screenWidth - size.width();
    dialog->move(left, top);
    showActive(dialog);
}

void TfrmVesperin::Button1Click()
{
    const QRect panel = frameGeometry();
    toggleAt(m_setTime, QPoint(panel.left() + panel.width(), panel.top()));
}

void TfrmVesperin::Button2Click()
{
    if (!m_music)
        return;
    const QRect panel = frameGeometry();
    toggleAt(m_music, QPoint(panel.left() - m_music->frameGeometry().width(), panel.top()));
}

void TfrmVesperin::Button3Click()
{
    const QRect panel = frameGeometry();
    toggleAt(m_options, QPoint(panel.left(), panel.top() + panel.height()));
}

void TfrmVesperin::toggleAt(SettingDialog *dialog, QPoint position)
{
    if (!dialog)
        return;
    if (dialog->isVisible()) {
        dialog->hide();
        return;
    }
    dialog->move(position);
    showActive(dialog);
}

void TfrmVesperin::skbCloseClick()
{
    // Nothing is written at exit: the dialogs are not asked.
    requestTermination();
}

void TfrmVesperin::skbMinimizeClick()
{
    showMinimized();
}

void TfrmVesperin::closeEvent(QCloseEvent *event)
{
    // Closing the panel from the window manager ends the program, as its
    // close button does.
    event->accept();
    requestTermination();
}

// The window's own mouse events: the background picture covers the whole
// client area, so these only see presses where a layout leaves the window
// bare. They move the panel and all three dialogs together.
void TfrmVesperin::mousePressEvent(QMouseEvent *event)
{
    m_dragFrom = event->globalPosition().toPoint();
    dragging = true;
}

void TfrmVesperin::mouseMoveEvent(QMouseEvent *event)
{
    if (!dragging)
        return;
    const QPoint cursor = event->globalPosition().toPoint();
    const QPoint delta = cursor - m_dragFrom;
    move(pos() + delta);
    for (QWidget *dialog : {static_cast<QWidget *>(m_options), static_cast<QWidget *>(m_setTime),
                            static_cast<QWidget *>(m_music)}) {
        if (dialog)
            dialog->move(dialog->pos() + delta);
    }
    m_dragFrom = cursor;
}

void TfrmVesperin::mouseReleaseEvent(QMouseEvent *)
{
    dragging = false;
}
