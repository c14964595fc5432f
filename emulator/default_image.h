#pragma once

#include <nlohmann/json.hpp>

namespace emulator {

// The machine image written when none exists yet: a notebook whose alarm
// rings at 06:30 from Monday to Friday, with a hard disk, a CD drive D:
// holding a 12-track audio disc, and a working mixer.
nlohmann::json defaultImage();

} // namespace emulator
