#include "audio/mixer_device.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <mmsystem.h>

// The mixer records as the 8-bit-character calls know them; their sizes are
// part of the call on 32-bit Windows.
static_assert(sizeof(void *) != 4 || sizeof(MIXERLINEA) == 168);
static_assert(sizeof(void *) != 4 || sizeof(MIXERLINECONTROLSA) == 24);
static_assert(sizeof(void *) != 4 || sizeof(MIXERCONTROLA) == 148);
static_assert(sizeof(void *) != 4 || sizeof(MIXERCONTROLDETAILS) == 24);
static_assert(sizeof(MIXERCONTROLDETAILS_UNSIGNED) == 4);

namespace {

class Win32MixerDevice final : public MixerDevice
{
public:
    ~Win32MixerDevice() override { close(); }

    bool open() override
    {
        close();
        HMIXER mixer = nullptr;
        if (mixerOpen(&mixer, 0, 0, 0, MIXER_OBJECTF_MIXER) != MMSYSERR_NOERROR)
            return false;
        m_mixer = mixer;
        return true;
    }

    bool speakersLine(uint32_t &lineId) override
    {
        MIXERLINEA line{};
        line.cbStruct = sizeof line;
        line.dwComponentType = MIXERLINE_COMPONENTTYPE_DST_SPEAKERS;
        if (mixerGetLineInfoA(handle(), &line, MIXER_GETLINEINFOF_COMPONENTTYPE) !=
            MMSYSERR_NOERROR)
            return false;
        lineId = line.dwLineID;
        return true;
    }

    bool volumeControl(uint32_t lineId, uint32_t &controlId) override
    {
        MIXERCONTROLA control{};
        control.cbStruct = sizeof control;
        MIXERLINECONTROLSA request{};
        request.cbStruct = sizeof request;
        request.dwLineID = lineId;
        request.dwControlType = MIXERCONTROL_CONTROLTYPE_VOLUME;
        request.cControls = 1;
        request.cbmxctrl = sizeof control;
        request.pamxctrl = &control;
        if (mixerGetLineControlsA(handle(), &request, MIXER_GETLINECONTROLSF_ONEBYTYPE) !=
            MMSYSERR_NOERROR)
            return false;
        controlId = control.dwControlID;
        return true;
    }

    bool setLevel(uint32_t controlId, uint32_t level) override
    {
        MIXERCONTROLDETAILS_UNSIGNED detail{};
        detail.dwValue = level;
        MIXERCONTROLDETAILS request{};
        request.cbStruct = sizeof request;
        request.dwControlID = controlId;
        // One channel sets every channel of the control alike.
        request.cChannels = 1;
        request.cMultipleItems = 0;
        request.cbDetails = sizeof detail;
        request.paDetails = &detail;
        return mixerSetControlDetails(reinterpret_cast<HMIXEROBJ>(m_mixer), &request,
                                      MIXER_SETCONTROLDETAILSF_VALUE) == MMSYSERR_NOERROR;
    }

    void close() override
    {
        if (m_mixer) {
            mixerClose(m_mixer);
            m_mixer = nullptr;
        }
    }

private:
    HMIXEROBJ handle() const { return reinterpret_cast<HMIXEROBJ>(m_mixer); }

    HMIXER m_mixer = nullptr;
};

} // namespace

std::unique_ptr<MixerDevice> MixerDevice::create()
{
    return std::make_unique<Win32MixerDevice>();
}
