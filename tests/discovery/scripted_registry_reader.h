#pragma once

#include "discovery/registry_reader.h"

#include <map>
#include <vector>

// A registry stand-in: string values by key path, and the reads it saw.
class ScriptedRegistryReader : public RegistryReader
{
public:
    // Sets LocationInformation of a device instance.
    void setLocation(const std::string &instanceId, std::string value)
    {
        values["SYSTEM\\CurrentControlSet\\Enum\\" + instanceId + "|LocationInformation"] =
            std::move(value);
    }

    std::optional<std::string> readLocalMachineString(const std::string &subKey,
                                                      const std::string &valueName) override
    {
        reads.push_back(subKey + "|" + valueName);
        const auto found = values.find(subKey + "|" + valueName);
        if (found == values.end())
            return std::nullopt;
        return found->second;
    }

    std::map<std::string, std::string> values;
    std::vector<std::string> reads;
};
