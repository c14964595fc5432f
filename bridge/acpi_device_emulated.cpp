#include "bridge/acpi_device.h"
#include "bridge/wow64_probe.h"

#include "emulator/emulated_notebook.h"

namespace {

// The emulated notebook answers every request from its machine image; it
// keeps no handle, so opening again has nothing to close.
class EmulatedAcpiDevice final : public AcpiDevice
{
public:
    bool open() override { return emulator::acpiOpen(); }

    bool control(uint32_t code, const void *in, uint32_t inSize, void *out, uint32_t outSize,
                 uint32_t &returned) override
    {
        return emulator::acpiControl(code, in, inSize, out, outSize, returned);
    }

    // A test build on Windows sends the layout the real driver would get.
    bool runsUnderWow64() override { return processRunsUnderWow64(); }
};

EmulatedAcpiDevice device;

} // namespace

AcpiDevice &AcpiDevice::system()
{
    return device;
}
