// Feeds arbitrary machine image files to the emulated notebook. Whatever the
// text, loading it never crashes and gives the same answer twice. A rejected
// image fails every face and is never written. An accepted image saves and
// loads back as the same model, and every face works on it without meeting a
// key of a type it does not expect (the faces trust the check and read the
// image without checking again), leaving an image that still loads.

#include "emulator/emulated_notebook.h"
#include "emulator/image_store.h"

#include <cerrno>
#include <charconv>
#include <csignal>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <random>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using emulator::ImageStore;
using nlohmann::json;

constexpr uint32_t Evaluate = 0x00222404;
constexpr uint32_t Handshake = 0x0022240C;

std::filesystem::path folder;
std::string imageFile;

// The store reports every broken image on standard error; here that is
// most of them.
class Discard final : public std::streambuf
{
protected:
    int overflow(int c) override { return traits_type::not_eof(c); }
};
Discard discard;

void removeFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

std::string fileText()
{
    std::ifstream stream(imageFile, std::ios::binary);
    std::ostringstream text;
    text << stream.rdbuf();
    return text.str();
}

void putWord(std::vector<uint8_t> &bytes, uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        bytes.push_back(static_cast<uint8_t>(value >> shift));
}

// An evaluation request in the layout whose argument travels inside it.
std::vector<uint8_t> request(uint32_t kind, const std::string &method,
                             const std::vector<uint8_t> &data = {})
{
    std::vector<uint8_t> bytes;
    putWord(bytes, kind);
    const std::string name = (method + "    ").substr(0, 4);
    bytes.insert(bytes.end(), name.begin(), name.end());
    if (kind == 1) {
        bytes.resize(20, 0);
        return bytes;
    }
    const uint32_t blockSize = data.size() <= 4 ? 8 : static_cast<uint32_t>(data.size()) + 4;
    putWord(bytes, 1);
    putWord(bytes, blockSize);
    putWord(bytes, (kind == 2 ? 0u : 2u) | static_cast<uint32_t>(data.size()) << 16);
    bytes.insert(bytes.end(), data.begin(), data.end());
    bytes.resize(16 + blockSize, 0);
    return bytes;
}

void evaluate(const std::vector<uint8_t> &in)
{
    uint8_t out[4096];
    uint32_t returned = 0;
    if (emulator::acpiControl(Evaluate, in.data(), static_cast<uint32_t>(in.size()), out,
                              sizeof out, returned) &&
        returned > sizeof out)
        __builtin_trap();
}

std::vector<uint8_t> words(std::initializer_list<uint32_t> values)
{
    std::vector<uint8_t> bytes;
    for (const uint32_t value : values)
        putWord(bytes, value);
    return bytes;
}

void useFirmware(const json &image)
{
    uint8_t out[4];
    uint32_t returned = 0;
    if (!emulator::acpiControl(Handshake, nullptr, 0, out, sizeof out, returned) || returned != 4)
        __builtin_trap();
    evaluate(request(1, "MBIF"));
    const json firmware = image["firmware"];
    const json groups = firmware.value("groups", json::object());
    const json methods = firmware.value("methods", json::object());
    const json faults = firmware.value("faults", json::array());
    for (const auto &[key, names] : groups.items()) {
        uint32_t group = 0;
        const auto [end, error] = std::from_chars(key.data(), key.data() + key.size(), group);
        if (error == std::errc() && end == key.data() + key.size())
            evaluate(request(2, "GGRP", words({group})));
    }
    for (const auto &[name, method] : methods.items()) {
        evaluate(request(1, name));
        const uint32_t id = method["id"].get<uint32_t>();
        evaluate(request(4, "GITM", words({id})));
        evaluate(request(4, "SITM", words({id, method.value("value", 0u), 1})));
        evaluate(request(4, "SITM", words({id, method.value("value", 0u) + 1, 1})));
    }
    // The methods a fault may name whether or not the image describes them.
    for (const json &fault : faults)
        evaluate(request(1, fault["method"].get<std::string>()));
}

void useHardware(const json &image)
{
    std::vector<emulator::WmiRow> rows;
    emulator::wmiQuery("SELECT DeviceID, Drive FROM Win32_CDROMDrive", rows);
    std::vector<std::string> channels;
    for (const char *address : {"496", "368"}) {
        emulator::wmiQuery(std::string("ASSOCIATORS OF {Win32_PortResource.StartingAddress=") +
                               address + "} WHERE AssocClass = Win32_AllocatedResource",
                           rows);
        for (const auto &row : rows)
            channels.push_back(row.at(0).second);
    }
    for (std::string channel : channels) {
        for (size_t at = 0; (at = channel.find('\\', at)) != std::string::npos; at += 2)
            channel.insert(at, 1, '\\');
        emulator::wmiQuery("ASSOCIATORS OF {Win32_IDEController.DeviceID=\"" + channel +
                               "\"} WHERE AssocClass = Win32_IDEControllerDevice",
                           rows);
        for (const auto &row : rows) {
            std::string location;
            emulator::registryLocation(row.at(0).second, location);
        }
    }

    const json hardware = image.value("hardware", json::object());
    std::vector<std::string> letters;
    for (const char *list : {"ide", "other_cdroms"}) {
        const json drives = hardware.value(list, json::array());
        for (const json &drive : drives)
            letters.push_back(drive.value("letter", std::string()));
    }
    std::string reply;
    for (const std::string &letter : letters) {
        emulator::mciSendString("open " + letter + ":\\ type cdaudio alias cd", reply);
        for (const char *command :
             {"status cd media present", "set cd time format ms", "status cd number of tracks",
              "status cd length track 1", "status cd length", "set cd time format tmsf",
              "play cd from 1", "stop cd wait"})
            emulator::mciSendString(command, reply);
        emulator::mciSendString("close cd", reply);
    }

    emulator::mixerOpen();
    emulator::mixerHasSpeakers();
    emulator::mixerHasVolumeControl();
    emulator::mixerSetLevel(hardware.value("mixer", json::object()).value("level", 0u) + 1);
}

// The faces all fail on a rejected image, and none of them writes it.
void checkRejected(const std::string &text)
{
    std::vector<emulator::WmiRow> rows;
    std::string reply;
    uint8_t out[4];
    uint32_t returned = 0;
    if (emulator::acpiOpen() ||
        emulator::acpiControl(Handshake, nullptr, 0, out, sizeof out, returned) ||
        emulator::wmiQuery("SELECT DeviceID, Drive FROM Win32_CDROMDrive", rows) ||
        emulator::mciSendString("open d:\\ type cdaudio alias cd", reply) == 0 ||
        emulator::mixerOpen() || emulator::mixerSetLevel(1))
        __builtin_trap();
    emulator::mciSendString("close cd", reply);
    if (fileText() != text)
        __builtin_trap();
}

// Saving writes the model as the store's own text, and that loads back as
// the same model.
void checkRoundTrip(const ImageStore &store, const json &model)
{
    if (!store.update([](json &) { return true; }))
        __builtin_trap();
    const auto loaded = store.read();
    if (!loaded || *loaded != model || fileText() != model.dump(2) + "\n")
        __builtin_trap();
}

// ---- Mutations that keep the text JSON ---------------------------------

void collect(json &node, std::vector<json *> &nodes)
{
    nodes.push_back(&node);
    if (node.is_structured()) {
        for (json &child : node)
            collect(child, nodes);
    }
}

json anyValue(std::minstd_rand &random)
{
    static const json values = json::parse(R"([null, true, false, 0, 1, 2, 3, -1, 99, 100,
        65535, 65536, 4294967295, 4294967296, 1.5, "", "D", "d", "DE", "cdrom", "disk", "GITM",
        "SITM", "MBIF", "GGRP", "ALEN", "fail", "refuse", "truncate", "10", [], {}, [0, 1, 2],
        ["ALEN"], {"tracks_ms": [1000]}])");
    return values[random() % values.size()];
}

const char *anyKey(std::minstd_rand &random)
{
    static const char *const keys[] = {
        "format", "firmware", "hardware", "mbif", "groups", "methods", "faults", "id", "name",
        "attributes", "range", "choices", "value", "method", "effect", "item", "bytes", "times",
        "used", "ide", "other_cdroms", "channel", "device", "type", "instance", "location",
        "letter", "disc", "tracks_ms", "mixer", "present", "speakers", "volume", "set", "level",
        "playback", "from", "to", "10", "ALEN"};
    return keys[random() % (sizeof keys / sizeof keys[0])];
}

// One change to one node of a machine image: another value in its place, a
// key added or taken away, an element repeated or taken away.
void mutateImage(json &image, std::minstd_rand &random)
{
    std::vector<json *> nodes;
    collect(image, nodes);
    json &node = *nodes[random() % nodes.size()];
    switch (random() % 3) {
    case 0:
        node = anyValue(random);
        return;
    case 1:
        if (node.is_object()) {
            node[anyKey(random)] = anyValue(random);
            return;
        }
        if (node.is_array()) {
            node.push_back(node.empty() ? anyValue(random) : node[random() % node.size()]);
            return;
        }
        node = anyValue(random);
        return;
    default:
        if (node.is_object() && !node.empty()) {
            auto entry = node.begin();
            std::advance(entry, random() % node.size());
            node.erase(entry);
        } else if (node.is_array() && !node.empty()) {
            node.erase(random() % node.size());
        }
        return;
    }
}

} // namespace

extern "C" size_t LLVMFuzzerMutate(uint8_t *data, size_t size, size_t maxSize);

// Most byte changes break the JSON, so most changes are made to the parsed
// image instead, where they reach the check of every key.
extern "C" size_t LLVMFuzzerCustomMutator(uint8_t *data, size_t size, size_t maxSize,
                                          unsigned int seed)
{
    std::minstd_rand random(seed);
    json image = json::parse(data, data + size, nullptr, false);
    if (image.is_discarded() || random() % 4 == 0)
        return LLVMFuzzerMutate(data, size, maxSize);
    mutateImage(image, random);
    const std::string text = image.dump();
    if (text.size() > maxSize)
        return LLVMFuzzerMutate(data, size, maxSize);
    std::memcpy(data, text.data(), text.size());
    return text.size();
}

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    const std::filesystem::path base = std::filesystem::is_directory("/dev/shm")
                                           ? std::filesystem::path("/dev/shm")
                                           : std::filesystem::temp_directory_path();
    // A run that stops on a finding leaves its folder behind; the next run
    // takes away those of processes that are gone.
    const std::string prefix = "vesperin-fuzz-image-";
    std::error_code ignored;
    for (const auto &entry : std::filesystem::directory_iterator(base, ignored)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind(prefix, 0) == 0 && kill(std::atoi(name.c_str() + prefix.size()), 0) != 0 &&
            errno == ESRCH)
            std::filesystem::remove_all(entry.path(), ignored);
    }
    folder = base / (prefix + std::to_string(getpid()));
    if (!std::filesystem::create_directory(folder, ignored))
        std::abort();
    std::atexit(removeFolder);
    imageFile = (folder / "notebook.json").string();
    setenv("VESPERIN_EMULATOR_IMAGE", imageFile.c_str(), 1);
    unsetenv("VESPERIN_EMULATOR_LOG");
    std::cerr.rdbuf(&discard);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string text(reinterpret_cast<const char *>(data), size);
    std::ofstream(imageFile, std::ios::binary | std::ios::trunc) << text;
    const ImageStore store(imageFile);
    const auto first = store.read();
    const auto second = store.read();
    if ((first != nullptr) != (second != nullptr) || (first && *first != *second))
        __builtin_trap();
    if (!first) {
        checkRejected(text);
        return 0;
    }
    // Only a JSON object of format 1 with a firmware object is a machine.
    const json parsed = json::parse(text, nullptr, false);
    if (!parsed.is_object() || parsed != *first || parsed.value("format", json()) != 1 ||
        !parsed.value("firmware", json()).is_object())
        __builtin_trap();

    checkRoundTrip(store, *first);
    if (!emulator::acpiOpen())
        __builtin_trap();
    useFirmware(*first);
    useHardware(*first);
    const auto used = store.read();
    if (!used)
        __builtin_trap(); // a face wrote an image that no longer loads
    checkRoundTrip(store, *used);
    return 0;
}
