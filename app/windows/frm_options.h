#pragma once

#include "app/windows/label.h"
#include "app/windows/options_dialog.h"
#include "skin/gdi_handle.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class AcpiBridge;
class AlarmModel;
class ComboBox;
class EditField;
class ShapedForm;
class SkButton;
class SkButtonTx;
class SkPicture;
class TfrmSelectMusic;
class Timer;
struct MouseEvent;

// The dialog in which the user sets how the alarm music plays: the repeat
// mode and the duration from the firmware's lists, and the volume. Test
// plays the chosen music now, through the music selection dialog's player,
// at the chosen volume and for the chosen duration. It loads these from the
// alarm model when shown, its controls hold what the user edits, and OK
// writes them through the model. A setting the firmware would not give shows
// as unknown until the user chooses it, and OK writes nothing while one is.
class TfrmOptions : public OptionsDialog
{
public:
    TfrmOptions(AlarmModel &alarm, HWND owner);
    ~TfrmOptions() override;

    std::string selectedMode() const override;
    std::string selectedDuration() const override;
    std::string volume() const override;
    void clickClose() override;

    // Selects the firmware's repeat mode, duration and volume.
    void LoadOptions();
    // Writes them and checks that the firmware took them.
    bool WriteOptions();
    // The settings shown as unknown that the user has not chosen since.
    std::vector<std::string> unknownFields() const;
    void StepVolumeUp();
    void StepVolumeDown();
    // Press-and-hold stepping of the two volume arrows, told apart by their
    // tags: 0 up, 1 down.
    void skbArrowDMinMouseDown(int tag);
    void skbArrowDMinMouseUp();
    void tmrUpDownTimer();
    void edtVolumeChange();
    void skbTestClick();
    void tmrDurationTimer();
    void StopTest();
    void skbOKClick();
    void skbCancelClick();
    void skbCloseClick();

    // The mixer level of one volume number.
    uint32_t mixerLevel(int volumeNumber) const;

    SkPicture *imgBg = nullptr;
    Label *lblTitle = nullptr;
    SkButton *skbClose = nullptr;
    Label *Label2 = nullptr;
    Label *Label4 = nullptr;
    Label *Label7 = nullptr;
    ComboBox *cbxMode = nullptr;
    Label *Label6 = nullptr;
    Label *Label8 = nullptr;
    ComboBox *cbxDuration = nullptr;
    Label *Label9 = nullptr;
    Label *Label10 = nullptr;
    EditField *edtVolume = nullptr;
    SkButton *skbArrowUpMin = nullptr;
    SkButton *skbArrowDMin = nullptr;
    SkButtonTx *skbTest = nullptr;
    SkButtonTx *skbOK = nullptr;
    SkButtonTx *skbCancel = nullptr;
    std::unique_ptr<Timer> tmrUpDown;
    std::unique_ptr<Timer> tmrDuration;

    // The number of volume values the firmware offers, the highest volume number.
    int32_t MaxVolume = 0;
    // The mixer level per volume number.
    int32_t MixerStep = 0;
    // The length of the running test in seconds.
    uint32_t TestDuration = 0;

protected:
    void FormShow() override;
    void FormHide() override;

private:
    void buildControls();
    void fillChoices();
    int volumeNumber() const;
    void setVolumeNumber(int number);

    AlarmModel &m_alarm;
    AcpiBridge &m_bridge;
    bool m_modeUnknown = false;
    bool m_durationUnknown = false;
    bool m_volumeUnknown = false;
    BrushHandle m_backdropBrush;
    Backdrop m_backdrop{};
    std::unique_ptr<ShapedForm> m_shapedForm;
    // The tag of the volume arrow last pressed.
    int m_heldArrow = 0;
    // The tick count in milliseconds at which the running test began.
    uint32_t m_testStartMs = 0;
};
