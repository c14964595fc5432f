#include "discovery/registry_reader.h"

#include <algorithm>

std::string RegistryReader::storedText(std::span<const char> stored)
{
    return std::string(stored.begin(), std::find(stored.begin(), stored.end(), '\0'));
}
