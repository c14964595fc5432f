#include "discovery/ide_devices.h"

#include "discovery/fixed_text.h"
#include "discovery/wmi_provider.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace {

constexpr size_t PropertyCapacity = 512;
constexpr int32_t PortAddresses[] = {496, 368};
// Only the first two channel ids are examined, whatever they are.
constexpr size_t ExaminedChannelIds = 2;

std::string readProperty(WMIProvider &wmi, const std::u16string &name)
{
    std::array<char, PropertyCapacity> buffer{};
    wmi.GetPropertyText(name, buffer);
    return std::string(fixedText(buffer));
}

char lowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return lowerAscii(x) == lowerAscii(y);
           });
}

// The channel from the last character of its id: 0, 1, or -1 when unknown.
int32_t channelOf(std::string_view channelId)
{
    if (channelId.empty())
        return -1;
    switch (channelId.back()) {
    case '0':
        return 0;
    case '1':
        return 1;
    default:
        return -1;
    }
}

} // namespace

IDEDevices::IDEDevices() = default;

int32_t IDEDevices::Discover(WbemServices &wbem, RegistryReader &registry)
{
    WMIProvider wmi(wbem);
    if (!wmi.Initialize())
        return fail(WmiFailed, "Initializing WMIProvider failed");

    const std::vector<std::string> channelIds = collectChannelIds(wmi);
    std::vector<std::string> deviceIds;
    const size_t examined = std::min(channelIds.size(), ExaminedChannelIds);
    for (size_t i = 0; i < examined; ++i) {
        if (channelIds[i].find("PCIIDE") == std::string::npos)
            continue;
        collectDevices(wmi, registry, channelIds[i], deviceIds);
    }
    if (deviceIds.empty())
        return fail(NoIdeDevices, "No IDE devices found.");
    Count = static_cast<int32_t>(deviceIds.size());

    if (!wmi.RunQuery(u"SELECT DeviceID, Drive FROM Win32_CDROMDrive"))
        return fail(NoCdromDrive, "No Win32_CDROMDrive found.");
    matchCdromDrives(wmi, deviceIds);
    return Found;
}

int32_t IDEDevices::ReadLocationNumber(RegistryReader &registry, const std::string &deviceId)
{
    const auto value = registry.readLocalMachineString(
        "SYSTEM\\CurrentControlSet\\Enum\\" + deviceId, "LocationInformation");
    if (!value || value->empty())
        return -1;
    // A plain decimal number with at most one sign, nothing before or after
    // it; anything else leaves the device number unknown.
    std::string_view text = *value;
    if (text.front() == '+') {
        text.remove_prefix(1);
        if (text.starts_with('-'))
            return -1;
    }
    int32_t number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size())
        return -1;
    return number;
}

int32_t IDEDevices::positionCode(int32_t channel, int32_t device)
{
    if ((channel != 0 && channel != 1) || (device != 0 && device != 1))
        return PositionUnknown;
    return 2 * channel + device;
}

std::string IDEDevices::portQuery(int32_t address)
{
    return "ASSOCIATORS OF {Win32_PortResource.StartingAddress=" + std::to_string(address) + "}" +
           " WHERE AssocClass = Win32_AllocatedResource";
}

std::string IDEDevices::controllerQuery(std::string_view channelId)
{
    // A WQL object path needs every backslash doubled.
    std::string escaped;
    for (const char c : channelId) {
        escaped += c;
        if (c == '\\')
            escaped += c;
    }
    return "ASSOCIATORS OF {Win32_IDEController.DeviceID=\"" + escaped + "\"}" +
           " WHERE AssocClass = Win32_IDEControllerDevice";
}

std::string_view IDEDevices::message() const
{
    return fixedText(Message);
}

int32_t IDEDevices::fail(int32_t result, std::string_view text)
{
    copyFixedText(text, Message);
    return result;
}

std::vector<std::string> IDEDevices::collectChannelIds(WMIProvider &wmi)
{
    std::vector<std::string> channelIds;
    for (const int32_t address : PortAddresses) {
        if (!wmi.RunQuery(wmi.widen(portQuery(address))))
            continue;
        do {
            // Ids past the examined ones are never looked at, so they are not kept.
            const std::string id = readProperty(wmi, u"DeviceID");
            if (channelIds.size() < ExaminedChannelIds)
                channelIds.push_back(id);
        } while (wmi.NextRow());
        wmi.CloseQuery();
    }
    return channelIds;
}

void IDEDevices::collectDevices(WMIProvider &wmi, RegistryReader &registry,
                                const std::string &channelId, std::vector<std::string> &deviceIds)
{
    const int32_t channel = channelOf(channelId);
    if (!wmi.RunQuery(wmi.widen(controllerQuery(channelId))))
        return;
    do {
        // The record has four slots; devices past them get none.
        const std::string id = readProperty(wmi, u"DeviceID");
        if (deviceIds.size() >= SlotCount)
            continue;
        Position[deviceIds.size()] = positionCode(channel, ReadLocationNumber(registry, id));
        deviceIds.push_back(id);
    } while (wmi.NextRow());
    wmi.CloseQuery();
}

void IDEDevices::matchCdromDrives(WMIProvider &wmi, const std::vector<std::string> &deviceIds)
{
    do {
        const std::string id = readProperty(wmi, u"DeviceID");
        const auto found =
            std::find_if(deviceIds.begin(), deviceIds.end(),
                         [&id](const std::string &d) { return equalIgnoringCase(d, id); });
        if (found == deviceIds.end())
            continue;
        const std::string drive = readProperty(wmi, u"Drive");
        // A drive without a letter is no drive the user could choose, so its
        // slot stays as it was.
        if (drive.empty())
            continue;
        const auto slot = static_cast<size_t>(found - deviceIds.begin());
        Letter[slot] = drive.front();
        Kind[slot] = DriveCdrom;
    } while (wmi.NextRow());
    wmi.CloseQuery();
}
