// Until the music selection and options dialogs are in, these stand in for
// them: hidden dialogs that hold no choice and end the drive search at the
// first tick of the waiting timer.
#include "app/windows/forms.h"
#include "app/windows/frm_vesperin.h"
#include "app/windows/music_dialog.h"
#include "app/windows/options_dialog.h"
#include "app/windows/timer.h"

namespace {

class StandInMusic : public MusicDialog
{
public:
    explicit StandInMusic(HWND owner) : m_waiting(*this, 500)
    {
        createDialog("StandInMusic", "Music Selection", 276, 340, owner);
        m_waiting.OnTimer = [this] {
            m_waiting.SetEnabled(false);
            if (frmVesperin)
                frmVesperin->driveSearchEnded();
        };
        m_waiting.SetEnabled(true);
    }
    void clickClose() override { Hide(); }
    std::string selectedDrive() const override { return {}; }
    std::string currentTrack() const override { return {}; }

private:
    Timer m_waiting;
};

class StandInOptions : public OptionsDialog
{
public:
    explicit StandInOptions(HWND owner)
    {
        createDialog("StandInOptions", " Options", 349, 239, owner);
    }
    void clickClose() override { Hide(); }
    std::string selectedMode() const override { return {}; }
    std::string selectedDuration() const override { return {}; }
    std::string volume() const override { return {}; }
};

} // namespace

std::unique_ptr<MusicDialog> makeSelectMusic(AcpiBridge &, HWND owner)
{
    return std::make_unique<StandInMusic>(owner);
}

std::unique_ptr<OptionsDialog> makeOptions(AcpiBridge &, HWND owner)
{
    return std::make_unique<StandInOptions>(owner);
}
