#pragma once

#include "tests/support/temporary_machine_image.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <string>

// A machine image of the emulated notebook in a folder of the test's own,
// which the emulator reads for as long as the object lives. It starts as a
// believable notebook: the alarm on at 06:30, Monday to Friday, and a CD
// drive D on the secondary channel with a 12-track disc.
class MachineImage
{
public:
    // The method names of the alarm items, by item number 1 to 15.
    static const char *const ItemMethods[16];
    static constexpr uint32_t ItemGroup = 10;
    static uint32_t itemId(int item) { return (ItemGroup << 16) | uint32_t(item); }

    MachineImage();

    nlohmann::json image;

    // Writes `image` to the image file.
    void write() const;
    // The image as the emulator holds it now.
    nlohmann::json current() const;
    // The value the firmware holds for item `item` (1 to 15).
    uint32_t item(int item) const;
    void setItem(int item, uint32_t value);
    // The firmware's day items as a mask, bit 0 Sunday.
    uint32_t days() const;
    void setAlarm(bool enabled, uint32_t hour, uint32_t minute, uint32_t days);
    // Makes the firmware refuse reads ("GITM") or writes ("SITM") of one item.
    void refuse(const char *method, int item);

    std::string path() const { return m_folder.path().string(); }

private:
    testsupport::TemporaryMachineImage m_folder;
};
