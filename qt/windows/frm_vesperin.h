#pragma once

#include "app/binding/acpi_bridge.h"
#include "qt/skin/shaped_form.h"
#include "qt/skin/sk_picture.h"

#include <QPoint>
#include <QWidget>

#include <memory>
#include <string>

class LibraryLoader;
class MusicDialog;
class OptionsDialog;
class QGroupBox;
class QLabel;
class QPushButton;
class SettingDialog;
class SkButton;
class TfrmSetTime;

// The panel the user sees: a window cut to its background picture that shows
// the alarm the firmware holds and opens the three setting dialogs beside
// itself. Its creation is the program's start-up: it binds the bridge library,
// refuses to run when the library, the driver or the firmware is not usable,
// and creates the dialogs. After that it never reads the firmware: its
// display is copied from the dialogs' controls.
class TfrmVesperin : public QWidget
{
    Q_OBJECT

public:
    // Builds the panel and runs the start-up against the library at
    // `libraryPath`. The panel stays hidden; the end of the drive search shows it.
    TfrmVesperin(const std::string &libraryPath, LibraryLoader &loader, QWidget *parent = nullptr);
    ~TfrmVesperin() override;

    // The start-up reported a failure: no dialog exists and the program ends.
    bool startupFailed() const { return m_startupFailed; }
    // The panel asked the application to end (a start-up failure or its close button).
    bool terminationRequested() const { return m_terminationRequested; }

    // Copy one part of the alarm from the dialog that holds it into the display.
    void ShowAlarmTime();
    void ShowOptions();
    void ShowMusic();

    // The arrow buttons: each opens its dialog beside the panel, closing the
    // other two, or closes its dialog when it is open.
    void SkButton2Click();
    void SkButton4Click();
    void SkButton3Click();
    // The plain buttons outside the visible outline: each toggles one dialog
    // at a fixed place without touching the others.
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void skbCloseClick();
    void skbMinimizeClick();

    SkPicture *imgBg;
    SkPicture *Image2;
    SkPicture *Image3;
    QLabel *Label1;
    SkButton *SkButton2;
    QLabel *Label2;
    QLabel *lblHour;
    QLabel *Label4;
    QLabel *lblMinute;
    QLabel *lblAMPM;
    QLabel *Label3;
    QLabel *lblDays;
    QLabel *lblMask;
    QLabel *Label6;
    SkButton *SkButton4;
    QLabel *Label5;
    SkButton *SkButton3;
    QLabel *Label7;
    QLabel *lblCurDrive;
    QLabel *Label11;
    QLabel *lblCurTrack;
    QLabel *Label9;
    QLabel *lblRepeat;
    QLabel *Label13;
    QLabel *lblLength;
    QLabel *Label15;
    QLabel *lblVolume;
    SkButton *skbMinimize;
    SkButton *skbClose;
    QGroupBox *GroupBox1;
    QPushButton *Button1;
    QGroupBox *GroupBox2;
    QPushButton *Button2;
    QGroupBox *GroupBox3;
    QPushButton *Button3;
    QPushButton *Button4;

    // Created at start-up and kept for the life of the panel; the library it
    // loaded stays loaded until the process ends.
    std::unique_ptr<AcpiBridge> bridge;
    int screenWidth = 0;
    int screenHeight = 0;

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildControls();
    QLabel *addLabel(const char *name, const QString &text, int left, int top, bool bold = false);
    void FormCreate(const std::string &libraryPath, LibraryLoader &loader);
    void createDialogs();
    void placeOnScreen();
    void requestTermination();
    void driveSearchEnded();
    void toggleBeside(SettingDialog *dialog);
    void toggleAt(SettingDialog *dialog, QPoint position);

    ShapedForm shapedForm;
    TfrmSetTime *m_setTime = nullptr;
    OptionsDialog *m_options = nullptr;
    MusicDialog *m_music = nullptr;
    bool m_startupFailed = false;
    bool m_terminationRequested = false;
    bool dragging = false;
    QPoint m_dragFrom;
};
