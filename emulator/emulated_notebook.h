#pragma once

// The emulated notebook's faces, as the thin platform layers of Vesperlink,
// the drive discovery and the audio code see them on machines without the
// maker's driver. Every call answers from the machine image as it is on disk
// now, and every change it makes is written back at once under the image's
// lock. A call on an image that cannot be read or is invalid fails, and one
// line on standard error names the file and what is wrong with it.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace emulator {

// ---- The ACPI driver device ----------------------------------------------

// Opens the device: finds the image (creating the default one, folders
// included, when it is missing) and validates it.
bool acpiOpen();

// One device control request, answered as the driver answers it. In the
// native request layout the request carries the address of its argument
// block, which is read inside this process, as the driver would. Returns
// false when the request fails; otherwise `returned` is the number of result
// bytes written to `out` (never more than `outSize`).
bool acpiControl(uint32_t controlCode, const void *in, uint32_t inSize, void *out, uint32_t outSize,
                 uint32_t &returned);

// ---- WMI and the device registry -------------------------------------------

// One result row: property name and its value as text.
using WmiRow = std::vector<std::pair<std::string, std::string>>;

// Answers the three query shapes the drive discovery sends (the port
// resource's associators, the IDE controller's associators, the CD-ROM drive
// selection). False when the image is unusable or the query is not one of
// them; true with no rows when it is one of them and nothing matches.
bool wmiQuery(const std::string &wql, std::vector<WmiRow> &rows);

// The registry value LocationInformation of a device instance id, as text.
// False when no device of the image has that id (compared case-insensitively).
bool registryLocation(const std::string &instanceId, std::string &value);

// ---- The media control interface -----------------------------------------

// One MCI command string; answers 0 and the reply text, or an MCI error code
// (the Windows MCIERR_* values) and an empty reply.
uint32_t mciSendString(const std::string &command, std::string &reply);

// The text of an MCI error code.
std::string mciErrorText(uint32_t error);

// ---- The audio mixer -----------------------------------------------------

bool mixerOpen();              // false when the image has no mixer present
bool mixerHasSpeakers();       // the speakers line query
bool mixerHasVolumeControl();  // the volume control query
bool mixerSetLevel(uint32_t level); // stores 0..65535 in the image; false when `set` is false

} // namespace emulator
