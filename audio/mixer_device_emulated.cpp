#include "audio/mixer_device.h"

#include "emulator/emulated_notebook.h"

namespace {

// The emulated mixer has one line and one control; their identifiers are 0.
class EmulatedMixerDevice final : public MixerDevice
{
public:
    bool open() override
    {
        m_open = emulator::mixerOpen();
        return m_open;
    }
    bool speakersLine(uint32_t &lineId) override
    {
        lineId = 0;
        return m_open && emulator::mixerHasSpeakers();
    }
    bool volumeControl(uint32_t, uint32_t &controlId) override
    {
        controlId = 0;
        return m_open && emulator::mixerHasVolumeControl();
    }
    bool setLevel(uint32_t, uint32_t level) override
    {
        return m_open && emulator::mixerSetLevel(level);
    }
    void close() override { m_open = false; }

private:
    bool m_open = false;
};

} // namespace

std::unique_ptr<MixerDevice> MixerDevice::create()
{
    return std::make_unique<EmulatedMixerDevice>();
}
