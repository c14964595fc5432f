#pragma once

#include <string>

namespace emulator {

// Where the machine image lives: VESPERIN_EMULATOR_IMAGE when set, else
// $XDG_STATE_HOME/vesperin-emulator/notebook.json, else the same below
// ~/.local/state. Empty when none of these can be told (no home folder).
// This is the only place that reads these variables.
std::string imagePath();

// The file that `path` names: a symbolic link at `path` is followed, link
// by link, to the path of the file or folder it leads to, which need not
// exist. A path that is no link comes back as it is; so does the last link
// reached when the links run in a loop, and examining it then reports the
// loop.
std::string linkTarget(const std::string &path);

// The file named by VESPERIN_EMULATOR_LOG, empty when the log is off.
std::string requestLogPath();

} // namespace emulator
