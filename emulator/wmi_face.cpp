// The WMI and device registry answers of the emulated notebook: the IDE
// channels, the devices on them and the CD-ROM drives of the machine image.

#include "emulator/emulated_notebook.h"
#include "emulator/image_store.h"

#include <algorithm>
#include <cctype>
#include <optional>

namespace emulator {
namespace {

using nlohmann::json;

const std::string kPortPrefix = "ASSOCIATORS OF {Win32_PortResource.StartingAddress=";
const std::string kPortSuffix = "} WHERE AssocClass = Win32_AllocatedResource";
const std::string kControllerPrefix = "ASSOCIATORS OF {Win32_IDEController.DeviceID=\"";
const std::string kControllerSuffix = "\"} WHERE AssocClass = Win32_IDEControllerDevice";
const std::string kCdromQuery = "SELECT DeviceID, Drive FROM Win32_CDROMDrive";

const char *const kChannelIds[] = {"PCIIDE\\IDECHANNEL\\4&EMU&0&0",
                                   "PCIIDE\\IDECHANNEL\\4&EMU&0&1"};

std::string upper(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

bool sameText(const std::string &a, const std::string &b)
{
    return upper(a) == upper(b);
}

// The text between a fixed prefix and suffix, when `text` has both.
std::optional<std::string> between(const std::string &text, const std::string &prefix,
                                   const std::string &suffix)
{
    if (text.size() < prefix.size() + suffix.size() || text.compare(0, prefix.size(), prefix) ||
        text.compare(text.size() - suffix.size(), suffix.size(), suffix))
        return std::nullopt;
    return text.substr(prefix.size(), text.size() - prefix.size() - suffix.size());
}

// Undoes the doubling of backslashes that an object path inside double
// quotes needs; empty when a backslash stands alone, as WMI would refuse it.
std::optional<std::string> unescape(const std::string &escaped)
{
    std::string id;
    for (size_t i = 0; i < escaped.size(); ++i) {
        if (escaped[i] == '\\' && (i + 1 == escaped.size() || escaped[++i] != '\\'))
            return std::nullopt;
        if (escaped[i] == '"')
            return std::nullopt;
        id.push_back(escaped[i]);
    }
    return id;
}

const json &listOf(const json &image, const char *key)
{
    static const json empty = json::array();
    if (!image.contains("hardware") || !image["hardware"].contains(key))
        return empty;
    return image["hardware"][key];
}

bool channelUsed(const json &image, uint32_t channel)
{
    const json &ide = listOf(image, "ide");
    return std::any_of(ide.begin(), ide.end(),
                       [&](const json &device) { return device["channel"] == channel; });
}

bool portRows(const json &image, const std::string &address, std::vector<WmiRow> &rows)
{
    if (address.empty() || !std::all_of(address.begin(), address.end(),
                                        [](unsigned char c) { return std::isdigit(c); }))
        return false;
    for (uint32_t channel : {0u, 1u}) {
        const bool matches = address == (channel == 0 ? "496" : "368");
        if (matches && channelUsed(image, channel))
            rows.push_back({{"DeviceID", kChannelIds[channel]}});
    }
    return true;
}

bool controllerRows(const json &image, const std::string &escaped, std::vector<WmiRow> &rows)
{
    const std::optional<std::string> id = unescape(escaped);
    if (!id)
        return false;
    for (uint32_t channel : {0u, 1u}) {
        if (!sameText(*id, kChannelIds[channel]))
            continue;
        for (const json &device : listOf(image, "ide")) {
            if (device["channel"] == channel)
                rows.push_back({{"DeviceID", device["instance"].get<std::string>()}});
        }
    }
    return true;
}

WmiRow cdromRow(const json &drive)
{
    const std::string letter = drive.value("letter", std::string());
    return {{"DeviceID", upper(drive["instance"].get<std::string>())},
            {"Drive", letter.empty() ? std::string() : letter + ":"}};
}

void cdromRows(const json &image, std::vector<WmiRow> &rows)
{
    for (const json &device : listOf(image, "ide")) {
        if (device["type"] == "cdrom")
            rows.push_back(cdromRow(device));
    }
    for (const json &drive : listOf(image, "other_cdroms"))
        rows.push_back(cdromRow(drive));
}

} // namespace

bool wmiQuery(const std::string &wql, std::vector<WmiRow> &rows)
{
    rows.clear();
    const std::shared_ptr<const json> image = ImageStore::current().read();
    if (!image)
        return false;
    if (wql == kCdromQuery) {
        cdromRows(*image, rows);
        return true;
    }
    if (const auto address = between(wql, kPortPrefix, kPortSuffix))
        return portRows(*image, *address, rows);
    if (const auto id = between(wql, kControllerPrefix, kControllerSuffix))
        return controllerRows(*image, *id, rows);
    return false;
}

bool registryLocation(const std::string &instanceId, std::string &value)
{
    const std::shared_ptr<const json> image = ImageStore::current().read();
    if (!image)
        return false;
    for (const json &device : listOf(*image, "ide")) {
        if (!sameText(device["instance"].get<std::string>(), instanceId))
            continue;
        value = device.contains("location") ? device["location"].get<std::string>()
                                            : std::to_string(device["device"].get<uint32_t>());
        return true;
    }
    return false;
}

} // namespace emulator
