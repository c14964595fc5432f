#include "emulator/image_validator.h"

#include <cstdint>

namespace emulator {
namespace {

using nlohmann::json;

bool isWord(const json &value)
{
    if (value.is_number_unsigned())
        return value.get<uint64_t>() <= UINT32_MAX;
    if (value.is_number_integer())
        return value.get<int64_t>() >= 0 && value.get<int64_t>() <= INT64_C(0xFFFFFFFF);
    return false;
}

bool isWordArray(const json &value, size_t size)
{
    if (!value.is_array() || value.size() != size)
        return false;
    for (const json &element : value) {
        if (!isWord(element))
            return false;
    }
    return true;
}

bool isMethodName(const json &value)
{
    return value.is_string() && value.get_ref<const std::string &>().size() == 4;
}

// The problem of an optional key that must hold an unsigned 32-bit number.
std::string wordProblem(const json &object, const char *key, const std::string &where)
{
    if (object.contains(key) && !isWord(object[key]))
        return where + "." + key + " must be an unsigned 32-bit number";
    return {};
}

std::string typeProblem(const json &object, const char *key, const std::string &where,
                        bool (json::*test)() const noexcept, const char *what)
{
    if (object.contains(key) && !(object[key].*test)())
        return where + "." + key + " must be " + what;
    return {};
}

std::string firstOf(std::initializer_list<std::string> problems)
{
    for (const std::string &problem : problems) {
        if (!problem.empty())
            return problem;
    }
    return {};
}

} // namespace

std::string ImageValidator::problem(const json &image)
{
    if (!image.is_object())
        return "the image is not a JSON object";
    if (!image.contains("format") || !isWord(image["format"]) || image["format"] != 1)
        return "format must be 1";
    if (!image.contains("firmware") || !image["firmware"].is_object())
        return "firmware is missing or not an object";
    const std::string firmware = firmwareProblem(image["firmware"]);
    if (!firmware.empty() || !image.contains("hardware"))
        return firmware;
    return hardwareProblem(image["hardware"]);
}

std::string ImageValidator::firmwareProblem(const json &firmware)
{
    if (firmware.contains("mbif")) {
        const json &mbif = firmware["mbif"];
        if (!mbif.is_array() || !isWordArray(mbif, mbif.size()))
            return "firmware.mbif must be a list of unsigned 32-bit numbers";
    }
    if (firmware.contains("groups")) {
        const std::string groups = groupsProblem(firmware["groups"]);
        if (!groups.empty())
            return groups;
    }
    if (firmware.contains("methods")) {
        if (!firmware["methods"].is_object())
            return "firmware.methods must be an object";
        for (const auto &[name, method] : firmware["methods"].items()) {
            const std::string problem = methodProblem(name, method);
            if (!problem.empty())
                return problem;
        }
    }
    if (!firmware.contains("faults"))
        return {};
    if (!firmware["faults"].is_array())
        return "firmware.faults must be a list";
    for (size_t i = 0; i < firmware["faults"].size(); ++i) {
        const std::string where = "firmware.faults[" + std::to_string(i) + "]";
        const std::string problem = faultProblem(where, firmware["faults"][i]);
        if (!problem.empty())
            return problem;
    }
    return {};
}

std::string ImageValidator::groupsProblem(const json &groups)
{
    if (!groups.is_object())
        return "firmware.groups must be an object";
    for (const auto &[key, names] : groups.items()) {
        if (!names.is_array())
            return "firmware.groups." + key + " must be a list of method names";
        for (const json &name : names) {
            if (!isMethodName(name))
                return "firmware.groups." + key +
                       " holds a method name that is not four characters";
        }
    }
    return {};
}

std::string ImageValidator::methodProblem(const std::string &name, const json &method)
{
    const std::string where = "firmware.methods." + name;
    if (name.size() != 4)
        return "the method name " + where + " is not four characters";
    if (!method.is_object())
        return where + " must be an object";
    if (!method.contains("id") || !isWord(method["id"]))
        return where + ".id must be an unsigned 32-bit number";
    if (!method.contains("name") || !method["name"].is_string())
        return where + ".name must be a text";
    if (method.contains("attributes") && !isWordArray(method["attributes"], 2))
        return where + ".attributes must be two unsigned 32-bit numbers";
    if (method.contains("range") && !isWordArray(method["range"], 3))
        return where + ".range must be three unsigned 32-bit numbers";
    if (method.contains("choices")) {
        const json &choices = method["choices"];
        if (!choices.is_array())
            return where + ".choices must be a list of texts";
        for (const json &choice : choices) {
            if (!choice.is_string())
                return where + ".choices must be a list of texts";
        }
    }
    return wordProblem(method, "value", where);
}

std::string ImageValidator::faultProblem(const std::string &where, const json &fault)
{
    if (!fault.is_object())
        return where + " must be an object";
    if (!fault.contains("method") || !isMethodName(fault["method"]))
        return where + ".method must be a four-character method name";
    const json effect = fault.value("effect", json());
    if (effect != "fail" && effect != "refuse" && effect != "truncate")
        return where + ".effect must be \"fail\", \"refuse\" or \"truncate\"";
    const bool itemMethod = fault["method"] == "GITM" || fault["method"] == "SITM";
    if (!itemMethod && (effect == "refuse" || fault.contains("item")))
        return where + ": \"refuse\" and \"item\" apply only to GITM and SITM";
    if (effect == "truncate" && !fault.contains("bytes"))
        return where + ": \"truncate\" needs \"bytes\"";
    return firstOf({wordProblem(fault, "item", where), wordProblem(fault, "bytes", where),
                    wordProblem(fault, "times", where), wordProblem(fault, "used", where)});
}

std::string ImageValidator::hardwareProblem(const json &hardware)
{
    if (!hardware.is_object())
        return "hardware must be an object";
    for (const char *list : {"ide", "other_cdroms"}) {
        if (!hardware.contains(list))
            continue;
        if (!hardware[list].is_array())
            return std::string("hardware.") + list + " must be a list";
        for (size_t i = 0; i < hardware[list].size(); ++i) {
            const std::string where =
                std::string("hardware.") + list + "[" + std::to_string(i) + "]";
            const json &entry = hardware[list][i];
            const std::string problem =
                std::string(list) == "ide" ? ideProblem(where, entry) : cdromProblem(where, entry);
            if (!problem.empty())
                return problem;
        }
    }
    if (hardware.contains("mixer")) {
        const std::string mixer = mixerProblem(hardware["mixer"]);
        if (!mixer.empty())
            return mixer;
    }
    return hardware.contains("playback") ? playbackProblem(hardware["playback"]) : std::string();
}

std::string ImageValidator::ideProblem(const std::string &where, const json &device)
{
    if (!device.is_object())
        return where + " must be an object";
    if (!device.contains("channel") || (device["channel"] != 0 && device["channel"] != 1) ||
        !isWord(device["channel"]))
        return where + ".channel must be 0 or 1";
    if (!device.contains("device") || !isWord(device["device"]))
        return where + ".device must be an unsigned 32-bit number";
    if (!device.contains("type") || !device["type"].is_string())
        return where + ".type must be a text";
    const std::string location = typeProblem(device, "location", where, &json::is_string, "a text");
    if (!location.empty())
        return location;
    return cdromProblem(where, device);
}

// The keys that every drive carries: its instance id, and for a CD drive
// its letter and disc.
std::string ImageValidator::cdromProblem(const std::string &where, const json &drive)
{
    if (!drive.is_object())
        return where + " must be an object";
    if (!drive.contains("instance") || !drive["instance"].is_string())
        return where + ".instance must be a text";
    if (drive.contains("letter") &&
        (!drive["letter"].is_string() || drive["letter"].get_ref<const std::string &>().size() > 1))
        return where + ".letter must be a text of one letter";
    if (!drive.contains("disc") || drive["disc"].is_null())
        return {};
    const json &disc = drive["disc"];
    if (!disc.is_object() || !disc.contains("tracks_ms") || !disc["tracks_ms"].is_array() ||
        !isWordArray(disc["tracks_ms"], disc["tracks_ms"].size()))
        return where + ".disc must be null or hold tracks_ms, a list of unsigned 32-bit numbers";
    if (disc["tracks_ms"].size() > 99)
        return where + ".disc holds more than 99 tracks";
    return {};
}

std::string ImageValidator::mixerProblem(const json &mixer)
{
    if (!mixer.is_object())
        return "hardware.mixer must be an object";
    for (const char *flag : {"present", "speakers", "volume", "set"}) {
        const std::string problem =
            typeProblem(mixer, flag, "hardware.mixer", &json::is_boolean, "true or false");
        if (!problem.empty())
            return problem;
    }
    if (mixer.contains("level") && (!isWord(mixer["level"]) || mixer["level"] > 65535))
        return "hardware.mixer.level must be a number from 0 to 65535";
    return {};
}

std::string ImageValidator::playbackProblem(const json &playback)
{
    if (playback.is_null())
        return {};
    if (!playback.is_object() || !playback.contains("letter") || !playback["letter"].is_string() ||
        !playback.contains("from") || !isWord(playback["from"]) || !playback.contains("to") ||
        !isWord(playback["to"]))
        return "hardware.playback must be null or hold a text letter and the numbers from and to";
    return {};
}

} // namespace emulator
