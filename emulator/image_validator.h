#pragma once

#include <nlohmann/json.hpp>
#include <string>

namespace emulator {

// Checks a parsed machine image against the rules of format 1. Every key the
// emulation reads later has the type it expects once this check has passed,
// so the faces read the image without checking again.
class ImageValidator
{
public:
    // Empty when the image is valid, else one sentence naming the first
    // problem found.
    static std::string problem(const nlohmann::json &image);

private:
    static std::string firmwareProblem(const nlohmann::json &firmware);
    static std::string groupsProblem(const nlohmann::json &groups);
    static std::string methodProblem(const std::string &name, const nlohmann::json &method);
    static std::string faultProblem(const std::string &where, const nlohmann::json &fault);
    static std::string hardwareProblem(const nlohmann::json &hardware);
    static std::string ideProblem(const std::string &where, const nlohmann::json &device);
    static std::string cdromProblem(const std::string &where, const nlohmann::json &drive);
    static std::string mixerProblem(const nlohmann::json &mixer);
    static std::string playbackProblem(const nlohmann::json &playback);
};

} // namespace emulator
