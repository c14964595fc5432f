#include "emulator/mci_session.h"

#include "emulator/mci_errors.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <sstream>

namespace emulator {
namespace {

using nlohmann::json;
using Words = std::vector<std::string>;

constexpr uint64_t kFramesPerSecond = 75;

std::string lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The words of a command in lower case, without the wait and notify flags,
// which change nothing for an emulated device that answers at once.
Words wordsOf(const std::string &command)
{
    std::istringstream stream(command);
    Words words;
    for (std::string word; stream >> word;) {
        word = lower(word);
        if (word != "wait" && word != "notify")
            words.push_back(word);
    }
    return words;
}

std::optional<uint32_t> number(const std::string &text)
{
    uint32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::string joined(const Words &words, size_t from)
{
    std::string text;
    for (size_t i = from; i < words.size(); ++i)
        text += (i > from ? " " : "") + words[i];
    return text;
}

// The CD drives of an image: those on the IDE channels and the others.
std::vector<json> cdDrives(const json &image)
{
    std::vector<json> drives;
    if (!image.contains("hardware"))
        return drives;
    const json &hardware = image["hardware"];
    for (const json &device : hardware.value("ide", json::array())) {
        if (device["type"] == "cdrom")
            drives.push_back(device);
    }
    for (const json &drive : hardware.value("other_cdroms", json::array()))
        drives.push_back(drive);
    return drives;
}

std::optional<json> driveWithLetter(const json &image, char letter)
{
    for (const json &drive : cdDrives(image)) {
        const std::string own = lower(drive.value("letter", std::string()));
        if (own.size() == 1 && own[0] == letter)
            return drive;
    }
    return std::nullopt;
}

// The track lengths of the disc in a drive, empty when it holds none.
std::optional<std::vector<uint32_t>> tracksOf(const std::optional<json> &drive)
{
    if (!drive || !drive->contains("disc") || (*drive)["disc"].is_null())
        return std::nullopt;
    return (*drive)["disc"]["tracks_ms"].get<std::vector<uint32_t>>();
}

// Reads a track number word; 0 and an error code when it is not a track of
// a disc of `count` tracks.
uint32_t trackNumber(const Words &words, size_t index, size_t count, uint32_t &track)
{
    if (index >= words.size())
        return mci::kMissingParameter;
    const std::optional<uint32_t> value = number(words[index]);
    if (!value)
        return mci::kBadInteger;
    if (*value < 1 || *value > count)
        return mci::kOutOfRange;
    track = *value;
    return 0;
}

} // namespace

uint32_t MciSession::send(const std::string &command, const ImageStore &store, std::string &reply)
{
    reply.clear();
    const Words words = wordsOf(command);
    if (words.empty())
        return mci::kMissingCommandString;
    const std::string &verb = words[0];
    static const Words known = {"open", "close", "status", "set", "play", "stop"};
    if (std::find(known.begin(), known.end(), verb) == known.end())
        return mci::kUnrecognizedCommand;
    if (verb != "open" && (!m_alias || words.size() < 2 || words[1] != *m_alias))
        return mci::kInvalidDeviceName;
    if (verb == "close") {
        m_alias.reset();
        return 0;
    }
    if (verb == "stop")
        return words.size() == 2 ? stop(store) : mci::kUnrecognizedKeyword;
    if (verb == "set")
        return setFormat(words);
    const std::shared_ptr<const json> image = store.read();
    if (!image)
        return mci::kHardware;
    if (verb == "open")
        return open(words, *image);
    if (verb == "status")
        return status(words, *image, reply);
    return play(words, *image, store);
}

// "open X:\ type cdaudio alias NAME": one CD audio device at a time.
uint32_t MciSession::open(const Words &words, const json &image)
{
    if (words.size() < 2)
        return mci::kMissingParameter;
    const std::string &element = words[1];
    const bool driveElement =
        (element.size() == 2 || (element.size() == 3 && element[2] == '\\')) &&
        std::isalpha(static_cast<unsigned char>(element[0])) && element[1] == ':';
    std::string type;
    std::string alias = element;
    for (size_t i = 2; i < words.size(); i += 2) {
        if (words[i] != "type" && words[i] != "alias")
            return mci::kUnrecognizedKeyword;
        if (i + 1 >= words.size())
            return mci::kMissingParameter;
        (words[i] == "type" ? type : alias) = words[i + 1];
    }
    if (m_alias)
        return mci::kDuplicateAlias;
    if (type != "cdaudio" || !driveElement || !driveWithLetter(image, element[0]))
        return mci::kInvalidDeviceName;
    m_alias = alias;
    m_letter = element[0];
    m_format = "msf";
    return 0;
}

uint32_t MciSession::status(const Words &words, const json &image, std::string &reply) const
{
    const std::string item = joined(words, 2);
    if (item.empty())
        return mci::kMissingParameter;
    const std::optional<json> drive = openDrive(image);
    if (item == "media present") {
        reply = tracksOf(drive) ? "true" : "false";
        return 0;
    }
    if (item == "time format") {
        reply = m_format == "ms" ? "milliseconds" : m_format;
        return 0;
    }
    const std::optional<std::vector<uint32_t>> tracks = tracksOf(drive);
    if (item == "number of tracks" || item == "length" || item.rfind("length ", 0) == 0) {
        if (!tracks)
            return mci::kDeviceNotReady;
        if (item == "number of tracks") {
            reply = std::to_string(tracks->size());
            return 0;
        }
        return length(words, (*drive)["disc"], reply);
    }
    return mci::kUnrecognizedKeyword;
}

// "status NAME length" for the whole disc, "status NAME length track N" for
// one track, in milliseconds or as minutes, seconds and frames.
uint32_t MciSession::length(const Words &words, const json &disc, std::string &reply) const
{
    const auto tracks = disc["tracks_ms"].get<std::vector<uint32_t>>();
    uint64_t milliseconds = 0;
    if (words.size() == 3) {
        for (uint32_t track : tracks)
            milliseconds += track;
    } else {
        if (words[3] != "track")
            return mci::kUnrecognizedKeyword;
        uint32_t track = 0;
        if (const uint32_t error = trackNumber(words, 4, tracks.size(), track))
            return error;
        if (words.size() > 5)
            return mci::kUnrecognizedKeyword;
        milliseconds = tracks[track - 1];
    }
    reply = m_format == "ms"
                ? std::to_string(milliseconds)
                : formatLength(static_cast<uint32_t>(std::min<uint64_t>(milliseconds, UINT32_MAX)));
    return 0;
}

// "set NAME time format F" with F one of ms, milliseconds, msf, tmsf.
uint32_t MciSession::setFormat(const Words &words)
{
    if (words.size() < 5)
        return mci::kMissingParameter;
    if (words[2] != "time" || words[3] != "format" || words.size() > 5)
        return mci::kUnrecognizedKeyword;
    const std::string &format = words[4];
    if (format == "ms" || format == "milliseconds")
        m_format = "ms";
    else if (format == "msf" || format == "tmsf")
        m_format = format;
    else
        return mci::kBadTimeFormat;
    return 0;
}

// "play NAME [from N] [to M]" in the tmsf format: from the start of track N
// to the start of track M, or to the end of the disc. The playback is
// recorded in the machine image.
uint32_t MciSession::play(const Words &words, const json &image, const ImageStore &store) const
{
    const std::optional<std::vector<uint32_t>> tracks = tracksOf(openDrive(image));
    if (!tracks)
        return mci::kDeviceNotReady;
    if (m_format != "tmsf")
        return mci::kFlagsNotCompatible;
    uint32_t from = 1;
    uint32_t to = 0;
    for (size_t i = 2; i < words.size(); i += 2) {
        if (words[i] != "from" && words[i] != "to")
            return mci::kUnrecognizedKeyword;
        if (const uint32_t error =
                trackNumber(words, i + 1, tracks->size(), words[i] == "from" ? from : to))
            return error;
    }
    if (to != 0 && to <= from)
        return mci::kOutOfRange;
    const json playback = {{"letter", std::string(1, static_cast<char>(std::toupper(m_letter)))},
                           {"from", from},
                           {"to", to}};
    const bool stored = store.update([&](json &current) {
        current["hardware"]["playback"] = playback;
        return true;
    });
    return stored ? 0 : mci::kHardware;
}

uint32_t MciSession::stop(const ImageStore &store) const
{
    const bool stored = store.update([](json &current) {
        if (!current.contains("hardware") ||
            current["hardware"].value("playback", json()).is_null())
            return false;
        current["hardware"]["playback"] = nullptr;
        return true;
    });
    return stored ? 0 : mci::kHardware;
}

std::optional<json> MciSession::openDrive(const json &image) const
{
    return driveWithLetter(image, m_letter);
}

// Minutes, seconds and frames (75 a second), each at least two digits.
std::string MciSession::formatLength(uint32_t milliseconds) const
{
    const uint64_t frames = uint64_t(milliseconds) * kFramesPerSecond / 1000;
    const uint64_t perMinute = kFramesPerSecond * 60;
    char text[32];
    std::snprintf(text, sizeof text, "%02llu:%02llu:%02llu",
                  static_cast<unsigned long long>(frames / perMinute),
                  static_cast<unsigned long long>(frames / kFramesPerSecond % 60),
                  static_cast<unsigned long long>(frames % kFramesPerSecond));
    return text;
}

} // namespace emulator
