#pragma once

#include "machine_image.h"

#include <nlohmann/json.hpp>

#include <fstream>

// What the emulated notebook's hardware holds now, read from the image file.
namespace NotebookState {

inline nlohmann::json current(const MachineImage &image)
{
    std::ifstream file(image.path());
    return nlohmann::json::parse(file);
}

// The playback the CD drive runs, null when it is stopped.
inline nlohmann::json playback(const MachineImage &image)
{
    return current(image)["hardware"].value("playback", nlohmann::json());
}

inline bool playing(const MachineImage &image)
{
    return !playback(image).is_null();
}

inline uint32_t mixerLevel(const MachineImage &image)
{
    return current(image)["hardware"]["mixer"].value("level", 0u);
}

} // namespace NotebookState
