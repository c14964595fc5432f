#pragma once

#include <string>

namespace emulator {

// Where the machine image lives: VESPERIN_EMULATOR_IMAGE when set, else
// $XDG_STATE_HOME/vesperin-emulator/notebook.json, else the same below
// ~/.local/state. Empty when none of these can be told (no home folder).
// This is the only place that reads these variables.
std::string imagePath();

// The file named by VESPERIN_EMULATOR_LOG, empty when the log is off.
std::string requestLogPath();

} // namespace emulator
