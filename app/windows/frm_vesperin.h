#pragma once

#include "app/alarm/alarm_model.h"
#include "app/binding/acpi_bridge.h"
#include "app/windows/label.h"
#include "app/windows/window.h"
#include "skin/gdi_handle.h"

#include <memory>
#include <optional>
#include <string>

class LibraryLoader;
class MusicDialog;
class NextRingTip;
class OptionsDialog;
class PlainButton;
class SettingDialog;
class ShapedForm;
class SkButton;
class SkPicture;
class TfrmSetTime;

// The panel the user sees: a window cut to its background picture that shows
// the alarm the firmware holds and opens the three setting dialogs beside
// itself. Its creation is the program's start: it binds the bridge library,
// refuses to run when the library, the driver or the firmware is not usable,
// and creates the dialogs. It shows the alarm model (what the firmware holds,
// field by field), which the dialogs load and write: every load, after a
// show of a dialog and after every write, refreshes the display.
class TfrmVesperin : public Window
{
public:
    // Builds the panel and runs the start against the library at
    // `libraryPath`. The panel stays hidden; the end of the drive search shows it.
    TfrmVesperin(const std::string &libraryPath, LibraryLoader &loader);
    ~TfrmVesperin() override;

    // The start reported a failure: no dialog exists and the program ends.
    bool startupFailed() const { return m_startupFailed; }

    // Show one part of the alarm as the model holds it; a field the firmware
    // would not give shows as "--".
    void ShowAlarmTime();
    void ShowOptions();
    void ShowMusic();
    // When the alarm rings next, told from what the model holds and the
    // clock now: the tooltip over the alarm time and days.
    std::string nextRingLine() const;
    // The alarm as the firmware holds it; null when the start failed.
    AlarmModel *alarm() const { return m_alarm.get(); }
    // The tooltip window that shows that line (null before the dialogs exist).
    HWND nextRingTipWindow() const;
    // The drive search has ended and the music dialog holds the stored
    // choice: the panel shows itself and the waiting window goes for good.
    void driveSearchEnded();

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

    SkPicture *imgBg = nullptr;
    SkPicture *Image2 = nullptr;
    SkPicture *Image3 = nullptr;
    Label *Label1 = nullptr;
    SkButton *SkButton2 = nullptr;
    Label *Label2 = nullptr;
    Label *lblHour = nullptr;
    Label *Label4 = nullptr;
    Label *lblMinute = nullptr;
    Label *lblAMPM = nullptr;
    Label *Label3 = nullptr;
    Label *lblDays = nullptr;
    Label *lblMask = nullptr;
    Label *Label6 = nullptr;
    SkButton *SkButton4 = nullptr;
    Label *Label5 = nullptr;
    SkButton *SkButton3 = nullptr;
    Label *Label7 = nullptr;
    Label *lblCurDrive = nullptr;
    Label *Label11 = nullptr;
    Label *lblCurTrack = nullptr;
    Label *Label9 = nullptr;
    Label *lblRepeat = nullptr;
    Label *Label13 = nullptr;
    Label *lblLength = nullptr;
    Label *Label15 = nullptr;
    Label *lblVolume = nullptr;
    SkButton *skbMinimize = nullptr;
    SkButton *skbClose = nullptr;
    PlainButton *GroupBox1 = nullptr;
    PlainButton *Button1 = nullptr;
    PlainButton *GroupBox2 = nullptr;
    PlainButton *Button2 = nullptr;
    PlainButton *GroupBox3 = nullptr;
    PlainButton *Button3 = nullptr;
    PlainButton *Button4 = nullptr;

    // Created at the start and kept for the life of the panel; the library
    // it loaded stays loaded until the process ends.
    std::unique_ptr<AcpiBridge> bridge;
    int screenWidth = 0;
    int screenHeight = 0;

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void buildControls();
    void FormCreate(const std::string &libraryPath, LibraryLoader &loader);
    void createDialogs();
    void alarmLoaded(AlarmModel::Part part);
    void createNextRingTip();
    void followTimeLabels();
    void placeOnScreen();
    void toggleBeside(SettingDialog *dialog);
    void toggleAt(SettingDialog *dialog, int left, int top);
    void FormMouseDown();
    void FormMouseMove();
    void FormMouseUp();

    std::unique_ptr<ShapedForm> shapedForm;
    BrushHandle m_backdropBrush;
    std::optional<Backdrop> m_backdrop;
    // Declared after the bridge, so that they go before it.
    std::unique_ptr<AlarmModel> m_alarm;
    std::unique_ptr<TfrmSetTime> m_setTime;
    std::unique_ptr<OptionsDialog> m_options;
    std::unique_ptr<MusicDialog> m_music;
    std::unique_ptr<NextRingTip> m_nextRingTip;
    bool m_startupFailed = false;
    bool dragging = false;
    int dragX = 0;
    int dragY = 0;
};
