// The emulated audio mixer: its presence, its speakers line and volume
// control, and the level set on it, all from the machine image.

#include "emulator/emulated_notebook.h"
#include "emulator/image_store.h"

namespace emulator {
namespace {

using nlohmann::json;

constexpr uint32_t kMaximumLevel = 65535;

// A flag of the image's mixer; every flag but `present` defaults to true,
// and a mixer that is not present has none of its parts.
bool mixerFlag(const json &image, const char *flag)
{
    if (!image.contains("hardware") || !image["hardware"].contains("mixer"))
        return false;
    const json &mixer = image["hardware"]["mixer"];
    return mixer.value("present", false) && mixer.value(flag, true);
}

bool currentFlag(const char *flag)
{
    const std::shared_ptr<const json> image = ImageStore::current().read();
    return image && mixerFlag(*image, flag);
}

} // namespace

bool mixerOpen()
{
    return currentFlag("present");
}

bool mixerHasSpeakers()
{
    return currentFlag("speakers");
}

bool mixerHasVolumeControl()
{
    return currentFlag("volume");
}

// A level beyond the control's range is refused, as the mixer refuses it,
// rather than stored cut to the range.
bool mixerSetLevel(uint32_t level)
{
    if (level > kMaximumLevel)
        return false;
    bool accepted = false;
    const bool stored = ImageStore::current().update([&](json &image) {
        accepted = mixerFlag(image, "set");
        if (accepted)
            image["hardware"]["mixer"]["level"] = level;
        return accepted;
    });
    return stored && accepted;
}

} // namespace emulator
