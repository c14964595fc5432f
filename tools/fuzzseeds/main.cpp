// Writes the fuzz targets' seeds from the emulated notebook's own answers:
//   make_fuzz_seeds FOLDER
// Each machine image below is put in a fresh folder, the program's own code
// (the bridge and its exports, the CD player, the drive discovery's queries)
// asks the notebook what it always asks, and what the notebook answered is
// written in the input format of each target, as FOLDER/fuzz_NAME/IMAGE...
// A seed thus holds valid answers of every kind (a handshake, each item's
// description, ranges and choice lists, MCI replies, WMI rows and
// LocationInformation texts) that a target's mutations start from.

#include "audio/audio_cd_info.h"
#include "audio/mci_device.h"
#include "bridge/acpi_device.h"
#include "bridge/alarm_bridge.h"
#include "emulator/default_image.h"
#include "emulator/emulated_notebook.h"
#include "emulator/image_store.h"
#include "tools/fuzzseeds/fuzzed_input_writer.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <nlohmann/json.hpp>
#include <set>
#include <string>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

using nlohmann::json;
using Bytes = std::vector<uint8_t>;

void putWord32(Bytes &bytes, uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        bytes.push_back(static_cast<uint8_t>(value >> shift));
}

// ---- fuzz_bridge_results: every device answer in order ---------------------

// The notebook's device, recording each answer as the target reads one: a
// byte for the opening; per request a byte with bit 0 set on success, the
// 16-bit length and the result bytes.
class RecordingAcpiDevice final : public AcpiDevice
{
public:
    bool open() override
    {
        m_input.push_back(1);
        return emulator::acpiOpen();
    }
    bool runsUnderWow64() override { return false; }

    bool control(uint32_t code, const void *in, uint32_t inSize, void *out, uint32_t outSize,
                 uint32_t &returned) override
    {
        const bool answered = emulator::acpiControl(code, in, inSize, out, outSize, returned);
        const uint32_t length = answered ? std::min<uint32_t>(returned, 0xFFFF) : 0;
        m_input.push_back(answered ? 1 : 0);
        m_input.push_back(static_cast<uint8_t>(length));
        m_input.push_back(static_cast<uint8_t>(length >> 8));
        const auto *bytes = static_cast<const uint8_t *>(out);
        m_input.insert(m_input.end(), bytes, bytes + length);
        return answered;
    }

    const Bytes &input() const { return m_input; }

private:
    Bytes m_input;
};

// The calls the bridge target makes, in its order.
Bytes bridgeSession()
{
    RecordingAcpiDevice device;
    AlarmBridge bridge(device);
    if (!bridge.init())
        return device.input();
    uint32_t supported = 0;
    bridge.isSupport(&supported);
    for (uint32_t kind = 0; kind <= 6; ++kind) {
        for (uint32_t room : {0u, 1u, 7u, 400u}) {
            std::vector<char> buffer(room);
            uint32_t first = 0, second = 0, third = 0;
            bridge.getInfo(kind, room > 0 ? buffer.data() : nullptr, room, &first, &second,
                           &third);
        }
    }
    uint32_t status = 0;
    bridge.getStatus(&status);
    bridge.setStatus(status);
    TimeSetting time{};
    bridge.getTimeSetting(&time);
    bridge.setTimeSetting(&time);
    PlayStatus play{};
    bridge.getPlayStatus(&play);
    bridge.setPlayStatus(&play);
    return device.input();
}

// ---- fuzz_choice_lists: one VPGetInfo answer -------------------------------

class NotebookDevice final : public AcpiDevice
{
public:
    bool open() override { return emulator::acpiOpen(); }
    bool runsUnderWow64() override { return false; }
    bool control(uint32_t code, const void *in, uint32_t inSize, void *out, uint32_t outSize,
                 uint32_t &returned) override
    {
        return emulator::acpiControl(code, in, inSize, out, outSize, returned);
    }
};

// The answer, the three numbers (the second and third as one byte each) and
// the text, for each kind the list loader asks.
std::map<std::string, Bytes> choiceAnswers()
{
    NotebookDevice device;
    AlarmBridge bridge(device);
    uint32_t supported = 0;
    std::map<std::string, Bytes> answers;
    if (!bridge.init() || !bridge.isSupport(&supported) || supported == 0)
        return answers;
    const std::pair<const char *, uint32_t> kinds[] = {
        {"drive", 0}, {"duration", 1}, {"volume", 2}, {"repeat", 3}};
    for (const auto &[name, kind] : kinds) {
        std::vector<char> text(1024, '\0');
        uint32_t first = 0, second = 0, third = 0;
        const uint32_t answer = bridge.getInfo(kind, text.data(), 1024, &first, &second, &third);
        Bytes input;
        putWord32(input, answer);
        putWord32(input, first);
        input.push_back(static_cast<uint8_t>(second));
        input.push_back(static_cast<uint8_t>(third));
        input.insert(input.end(), text.begin(), text.begin() + std::min<uint32_t>(answer, 1024));
        answers[name] = input;
    }
    return answers;
}

// ---- fuzz_mci_replies: the track list's replies ----------------------------

struct MciReply
{
    uint32_t error = 0;
    std::string text;
};

// The notebook's MCI, keeping the replies the target hands out by slot: the
// media query, the track count, then each track's length.
class RecordingMci final : public MciDevice
{
public:
    explicit RecordingMci(std::map<size_t, MciReply> &replies)
        : m_real(MciDevice::create()), m_replies(replies)
    {
    }

    uint32_t sendString(const std::string &command, std::string &reply) override
    {
        const uint32_t error = m_real->sendString(command, reply);
        const std::string length = "status cd length track ";
        if (command == "status cd media present")
            m_replies[0] = {error, reply};
        else if (command == "status cd number of tracks wait")
            m_replies[1] = {error, reply};
        else if (command.rfind(length, 0) == 0)
            m_replies[1 + std::stoul(command.substr(length.size()))] = {error, reply};
        return error;
    }

    std::string errorText(uint32_t error) override { return m_real->errorText(error); }

private:
    std::unique_ptr<MciDevice> m_real;
    std::map<size_t, MciReply> &m_replies;
};

// Each reply as a flags byte (bit 0: the command failed) and its text.
Bytes mciReplies()
{
    std::map<size_t, MciReply> replies;
    AudioCDInfo player("D", 1, std::make_unique<RecordingMci>(replies));
    player.ReadTrackList();
    FuzzedInputWriter input;
    for (size_t slot = 0; !replies.empty() && slot <= replies.rbegin()->first; ++slot) {
        const auto found = replies.find(slot);
        const MciReply reply = found != replies.end() ? found->second : MciReply{263, {}};
        input.byte(reply.error != 0 ? 1 : 0);
        input.text(reply.text);
    }
    return input.bytes();
}

// ---- fuzz_drive_discovery: the WMI rows and the registry -------------------

std::string property(const emulator::WmiRow &row, const std::string &name, bool &found)
{
    for (const auto &[key, value] : row) {
        if (key == name) {
            found = true;
            return value;
        }
    }
    found = false;
    return {};
}

// One query's answer: a shape byte (bit 7: the query failed; the row count
// in the low bits), per row a byte telling which of DeviceID and Drive it
// has, and each of them as a string value.
std::vector<emulator::WmiRow> writeQuery(FuzzedInputWriter &input, const std::string &wql)
{
    std::vector<emulator::WmiRow> rows;
    const bool answered = !wql.empty() && emulator::wmiQuery(wql, rows);
    if (!answered)
        rows.clear();
    rows.resize(std::min<size_t>(rows.size(), 7));
    input.byte(static_cast<uint8_t>((answered ? 0 : 0x80) | rows.size()));
    for (const emulator::WmiRow &row : rows) {
        bool hasId = false, hasDrive = false;
        const std::string id = property(row, "DeviceID", hasId);
        const std::string drive = property(row, "Drive", hasDrive);
        input.byte(static_cast<uint8_t>((hasId ? 1 : 0) | (hasDrive ? 2 : 0)));
        for (const auto &[present, text] : {std::pair(hasId, id), std::pair(hasDrive, drive)}) {
            if (present) {
                input.byte(2); // a string (CIM type 8), not null
                input.text(text);
            }
        }
    }
    return rows;
}

std::string portQuery(int address)
{
    return "ASSOCIATORS OF {Win32_PortResource.StartingAddress=" + std::to_string(address) +
           "} WHERE AssocClass = Win32_AllocatedResource";
}

std::string controllerQuery(std::string channel)
{
    for (size_t at = 0; (at = channel.find('\\', at)) != std::string::npos; at += 2)
        channel.insert(at, 1, '\\');
    return "ASSOCIATORS OF {Win32_IDEController.DeviceID=\"" + channel +
           "\"} WHERE AssocClass = Win32_IDEControllerDevice";
}

// The two port queries, a controller query per channel found, the drive
// query, then each device's LocationInformation in the order of its rows.
Bytes discoveryAnswers()
{
    FuzzedInputWriter input;
    std::vector<std::string> channels;
    for (const int address : {496, 368}) {
        for (const emulator::WmiRow &row : writeQuery(input, portQuery(address))) {
            bool found = false;
            const std::string id = property(row, "DeviceID", found);
            if (found)
                channels.push_back(id);
        }
    }
    std::vector<std::string> devices;
    for (size_t channel = 0; channel < 2; ++channel) {
        const std::string wql = channel < channels.size() ? controllerQuery(channels[channel]) : "";
        for (const emulator::WmiRow &row : writeQuery(input, wql)) {
            bool found = false;
            const std::string id = property(row, "DeviceID", found);
            if (found)
                devices.push_back(id);
        }
    }
    writeQuery(input, "SELECT DeviceID, Drive FROM Win32_CDROMDrive");
    for (size_t read = 0; read < devices.size() && read < 8; ++read) {
        std::string location;
        if (emulator::registryLocation(devices[read], location)) {
            input.byte(2); // a stored string
            input.text(location);
        } else {
            input.byte(0); // no value
        }
    }
    return input.bytes();
}

// ---- The images ------------------------------------------------------------

std::vector<std::pair<std::string, json>> images()
{
    const json notebook = emulator::defaultImage();
    std::vector<std::pair<std::string, json>> all = {{"default", notebook}};
    json older = notebook;
    older["firmware"]["mbif"] = {2, 0, 0, 0, 0, 1}; // support told by element 5
    all.emplace_back("interface2", older);
    json unsupported = notebook;
    unsupported["firmware"]["mbif"] = {3, 0, 0, 0};
    all.emplace_back("unsupported", unsupported);
    // One track, as long as a signed 32-bit count of milliseconds goes.
    json longTrack = notebook;
    longTrack["hardware"]["ide"][1]["disc"]["tracks_ms"] = {2147483647};
    all.emplace_back("long-track", longTrack);
    json noDisc = notebook;
    noDisc["hardware"]["ide"][1].erase("disc");
    all.emplace_back("no-disc", noDisc);
    return all;
}

// Writes one seed, unless the target already has one with the same bytes
// (an image that differs only where a target does not look).
void writeSeed(const std::filesystem::path &folder, const std::string &target,
               const std::string &name, const Bytes &bytes)
{
    static std::map<std::string, std::set<Bytes>> written;
    if (!written[target].insert(bytes).second)
        return;
    const std::filesystem::path dir = folder / target;
    std::filesystem::create_directories(dir);
    std::ofstream((dir / name).string(), std::ios::binary)
        .write(reinterpret_cast<const char *>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

Bytes textBytes(const std::string &text)
{
    return Bytes(text.begin(), text.end());
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::cerr << "usage: make_fuzz_seeds FOLDER\n";
        return 2;
    }
    const std::filesystem::path out = argv[1];
    const std::filesystem::path work = std::filesystem::temp_directory_path() /
                                       ("vesperin-fuzz-seeds-" + std::to_string(getpid()));
    std::filesystem::create_directories(work);
    const std::string imageFile = (work / "notebook.json").string();
    setenv("VESPERIN_EMULATOR_IMAGE", imageFile.c_str(), 1);
    unsetenv("VESPERIN_EMULATOR_LOG");

    int status = 0;
    for (const auto &[name, image] : images()) {
        const std::string text = image.dump(2) + "\n";
        // Each target starts from the image as written, not as the one
        // before left it.
        const auto fresh = [&, &text = text] {
            std::ofstream(imageFile, std::ios::binary | std::ios::trunc) << text;
        };
        fresh();
        if (!emulator::ImageStore(imageFile).read()) {
            std::cerr << "make_fuzz_seeds: the image " << name << " is not valid\n";
            status = 1;
            continue;
        }
        writeSeed(out, "fuzz_machine_image", name + ".json", textBytes(text));
        fresh();
        writeSeed(out, "fuzz_bridge_results", name, bridgeSession());
        fresh();
        for (const auto &[kind, answer] : choiceAnswers())
            writeSeed(out, "fuzz_choice_lists", name + "-" + kind, answer);
        fresh();
        writeSeed(out, "fuzz_mci_replies", name, mciReplies());
        fresh();
        writeSeed(out, "fuzz_drive_discovery", name, discoveryAnswers());
    }
    std::error_code ignored;
    std::filesystem::remove_all(work, ignored);
    return status;
}
