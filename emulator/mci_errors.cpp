#include "emulator/mci_errors.h"

#include <map>

namespace emulator::mci {

std::string errorText(uint32_t error)
{
    static const std::map<uint32_t, std::string> texts = {
        {0, "The command succeeded."},
        {kUnrecognizedKeyword, "The command holds a keyword the device does not know."},
        {kUnrecognizedCommand, "The command is not one the device knows."},
        {kHardware, "The emulated machine cannot be used; see the message on standard error."},
        {kInvalidDeviceName, "No device of that name is open."},
        {kMissingCommandString, "The command is empty."},
        {kBadInteger, "A number in the command is not a valid number."},
        {kMissingParameter, "The command lacks a required value."},
        {kDeviceNotReady, "The drive holds no disc."},
        {kOutOfRange, "The track number lies outside the disc."},
        {kFlagsNotCompatible, "Play positions are track numbers only in the tmsf time format."},
        {kDuplicateAlias, "A device is already open under that alias."},
        {kBadTimeFormat, "The time format is not one the device knows."},
    };
    const auto found = texts.find(error);
    return found != texts.end() ? found->second : "Unknown MCI error code.";
}

} // namespace emulator::mci
