#pragma once

#include "emulator/image_store.h"

#include <cstdint>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

namespace emulator {

// The emulated CD audio device of one process: which drive is open under
// which alias, and in which time format. The drives, their discs and the
// running playback belong to the machine image.
class MciSession
{
public:
    // Answers one command string: 0 and the reply, or an MCI error code.
    uint32_t send(const std::string &command, const ImageStore &store, std::string &reply);

private:
    using Words = std::vector<std::string>;

    uint32_t open(const Words &words, const nlohmann::json &image);
    uint32_t status(const Words &words, const nlohmann::json &image, std::string &reply) const;
    uint32_t length(const Words &words, const nlohmann::json &disc, std::string &reply) const;
    uint32_t setFormat(const Words &words);
    uint32_t play(const Words &words, const nlohmann::json &image, const ImageStore &store) const;
    uint32_t stop(const ImageStore &store) const;
    std::optional<nlohmann::json> openDrive(const nlohmann::json &image) const;
    std::string formatLength(uint32_t milliseconds) const;

    std::optional<std::string> m_alias;
    char m_letter = 0;
    std::string m_format = "msf";
};

} // namespace emulator
