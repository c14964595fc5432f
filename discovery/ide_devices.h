#pragma once

#include "discovery/registry_reader.h"
#include "discovery/wbem_services.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class WMIProvider;

// The devices on the two legacy IDE channels, each placed by its channel and
// its number on the channel, and the drive letter of each that is a CD-ROM
// drive. Filled once by `Discover` on the worker thread that owns the record;
// it holds no other state and shares nothing.
class IDEDevices
{
public:
    static constexpr int32_t SlotCount = 4;
    static constexpr int32_t DriveCdrom = 5;
    static constexpr int32_t PositionUnknown = 4;

    // Results of `Discover`.
    static constexpr int32_t Found = 0;
    static constexpr int32_t WmiFailed = 1;
    static constexpr int32_t NoIdeDevices = 3;
    static constexpr int32_t NoCdromDrive = 4;

    IDEDevices();

    // Runs the discovery on the platform's WMI and registry.
    int32_t Discover()
    {
        const auto wbem = WbemServices::create();
        const auto registry = RegistryReader::create();
        return Discover(*wbem, *registry);
    }
    int32_t Discover(WbemServices &wbem, RegistryReader &registry);

    // The device number on its channel from the registry value
    // LocationInformation of the device instance; -1 when the value is
    // missing or not a decimal number.
    static int32_t ReadLocationNumber(RegistryReader &registry, const std::string &deviceId);
    static int32_t ReadLocationNumber(const std::string &deviceId)
    {
        const auto registry = RegistryReader::create();
        return ReadLocationNumber(*registry, deviceId);
    }

    // The position code of a device from its channel and device number.
    static int32_t positionCode(int32_t channel, int32_t device);
    // The text of the port resource and IDE controller queries.
    static std::string portQuery(int32_t address);
    static std::string controllerQuery(std::string_view channelId);

    std::string_view message() const;

    int32_t Count = 0;
    std::array<int32_t, SlotCount> Kind{};
    std::array<char, SlotCount> Letter{};
    std::array<int32_t, SlotCount> Position{PositionUnknown, PositionUnknown, PositionUnknown,
                                            PositionUnknown};
    std::array<char, 1024> Message{};

private:
    int32_t fail(int32_t result, std::string_view text);
    std::vector<std::string> collectChannelIds(WMIProvider &wmi);
    void collectDevices(WMIProvider &wmi, RegistryReader &registry, const std::string &channelId,
                        std::vector<std::string> &deviceIds);
    void matchCdromDrives(WMIProvider &wmi, const std::vector<std::string> &deviceIds);
};
