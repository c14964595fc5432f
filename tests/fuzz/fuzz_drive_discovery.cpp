// Feeds arbitrary WMI rows and registry values to the drive discovery and
// checks the record against a plain model of it. A property reads as its
// text (a string) or its number in decimal (any other value), up to its
// first zero and cut to what the buffer holds; a missing or null one reads
// empty. LocationInformation is a whole decimal number with at most a
// leading sign, else unknown. Only the first two channel ids count, a
// device takes the next of four slots, and a CD-ROM row names its slot by
// the device id in any letter case.

#include "discovery/ide_devices.h"
#include "discovery/wmi_provider.h"
#include "tests/discovery/scripted_wbem_services.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace {

using Query = ScriptedWbemServices::Query;

const std::string EnumKey = "SYSTEM\\CurrentControlSet\\Enum\\";
const std::string DrivesQuery = "SELECT DeviceID, Drive FROM Win32_CDROMDrive";

std::string portQuery(int address)
{
    return "ASSOCIATORS OF {Win32_PortResource.StartingAddress=" + std::to_string(address) +
           "} WHERE AssocClass = Win32_AllocatedResource";
}

// Which answer a query gets: the two port queries and the drive query by
// their text, the controller queries by the order in which they run.
class FuzzWbem final : public ScriptedWbemServices
{
public:
    int32_t execQuery(const std::u16string &language, const std::u16string &query,
                      int32_t flags) override
    {
        // A controller query names a channel id, which may hold any text.
        const std::string text(query.begin(), query.end());
        std::string key = text;
        if (text.rfind("ASSOCIATORS OF {Win32_IDEController.DeviceID=", 0) == 0)
            key = "controller" + std::to_string(m_controllers++);
        else if (text == portQuery(496))
            key = "port0";
        else if (text == portQuery(368))
            key = "port1";
        else if (text == DrivesQuery)
            key = "drives";
        return ScriptedWbemServices::execQuery(language, toWide(key), flags);
    }

private:
    int m_controllers = 0;
};

// The registry answers its reads in order, each from the bytes the input
// stored; a value too long for the reader's buffer is not read.
class FuzzRegistry final : public RegistryReader
{
public:
    std::optional<std::string> readLocalMachineString(const std::string &subKey,
                                                      const std::string &valueName) override
    {
        keys.push_back(subKey);
        if (valueName != "LocationInformation")
            __builtin_trap();
        const size_t read = keys.size() - 1;
        if (read >= stored.size() || !stored[read] || stored[read]->size() > 256)
            return std::nullopt;
        return storedText(*stored[read]);
    }

    std::vector<std::optional<std::string>> stored;
    std::vector<std::string> keys;
};

WbemValue fuzzValue(FuzzedDataProvider &input)
{
    WbemValue value;
    const uint8_t kind = input.ConsumeIntegral<uint8_t>();
    value.cimType = (kind & 3) == 0 ? input.ConsumeIntegral<uint32_t>() : ((kind & 3) == 1 ? 3 : 8);
    value.isNull = (kind & 4) != 0;
    value.integer = (kind & 8) != 0 ? input.ConsumeIntegral<int32_t>() : 0;
    // Texts of the shapes a machine answers with come often enough that
    // inputs reach the channels, the devices and their drives.
    static const char *const shapes[] = {"", "PCIIDE\\IDECHANNEL\\4&1&0&", "IDE\\CDROM", "ide\\cdrom"};
    value.text = shapes[(kind >> 4) & 3];
    value.text += input.ConsumeRandomLengthString(600);
    return value;
}

Query fuzzQuery(FuzzedDataProvider &input)
{
    Query query;
    const uint8_t shape = input.ConsumeIntegral<uint8_t>();
    if ((shape & 0x80) != 0)
        query.execResult = static_cast<int32_t>(0x80041010);
    const size_t rows = shape & 7;
    for (size_t r = 0; r < rows; ++r) {
        ScriptedWbemServices::Row row;
        const uint8_t present = input.ConsumeIntegral<uint8_t>();
        if ((present & 1) != 0)
            row["DeviceID"] = fuzzValue(input);
        if ((present & 2) != 0)
            row["Drive"] = fuzzValue(input);
        query.rows.push_back(row);
    }
    return query;
}

// ---- The model ------------------------------------------------------------

std::string propertyText(const ScriptedWbemServices::Row &row, const std::string &name,
                         size_t capacity)
{
    const auto found = row.find(name);
    if (found == row.end() || found->second.isNull || capacity == 0)
        return {};
    std::string text = found->second.text;
    if (found->second.cimType != 8) {
        char number[16];
        std::snprintf(number, sizeof number, "%d", static_cast<int>(found->second.integer));
        text = number;
    }
    text = text.substr(0, text.find('\0'));
    return text.substr(0, capacity - 1);
}

std::string property(const ScriptedWbemServices::Row &row, const std::string &name)
{
    return propertyText(row, name, 512);
}

int32_t locationNumber(const std::optional<std::string> &stored)
{
    if (!stored || stored->size() > 256)
        return -1;
    const std::string text = stored->substr(0, stored->find('\0'));
    size_t at = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (!text.empty() && (negative || text[0] == '+'))
        ++at;
    if (at == text.size())
        return -1;
    int64_t value = 0;
    for (; at < text.size(); ++at) {
        if (text[at] < '0' || text[at] > '9')
            return -1;
        value = value * 10 + (text[at] - '0');
        if (value > int64_t(INT32_MAX) + 1)
            return -1;
    }
    value = negative ? -value : value;
    return value < INT32_MIN || value > INT32_MAX ? -1 : static_cast<int32_t>(value);
}

bool sameIgnoringCase(const std::string &a, const std::string &b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c + 32) : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

struct Record
{
    int32_t result = 0;
    int32_t count = 0;
    std::array<int32_t, 4> kind{};
    std::array<char, 4> letter{};
    std::array<int32_t, 4> position{4, 4, 4, 4};
    std::vector<std::string> registryKeys;
    bool operator==(const Record &) const = default;
};

Record expected(const std::map<std::string, Query> &queries,
                const std::vector<std::optional<std::string>> &stored)
{
    Record model;
    const auto rowsOf = [&](const std::string &key) {
        static const std::vector<ScriptedWbemServices::Row> none;
        const auto found = queries.find(key);
        if (found == queries.end() || found->second.execResult < 0)
            return none;
        return found->second.rows;
    };
    std::vector<std::string> channels;
    for (const char *port : {"port0", "port1"}) {
        for (const auto &row : rowsOf(port))
            channels.push_back(property(row, "DeviceID"));
    }
    channels.resize(std::min<size_t>(channels.size(), 2));
    std::vector<std::string> devices;
    int controller = 0;
    for (const std::string &channel : channels) {
        if (channel.find("PCIIDE") == std::string::npos)
            continue;
        const char last = channel.empty() ? 0 : channel.back();
        const int number = last == '0' ? 0 : (last == '1' ? 1 : -1);
        for (const auto &row : rowsOf("controller" + std::to_string(controller++))) {
            const std::string id = property(row, "DeviceID");
            if (devices.size() == 4)
                continue;
            const size_t read = model.registryKeys.size();
            model.registryKeys.push_back(EnumKey + id);
            const int32_t device =
                locationNumber(read < stored.size() ? stored[read] : std::nullopt);
            if (number >= 0 && (device == 0 || device == 1))
                model.position[devices.size()] = 2 * number + device;
            devices.push_back(id);
        }
    }
    if (devices.empty()) {
        model.result = IDEDevices::NoIdeDevices;
        return model;
    }
    model.count = static_cast<int32_t>(devices.size());
    const auto drives = rowsOf("drives");
    if (drives.empty()) {
        model.result = IDEDevices::NoCdromDrive;
        return model;
    }
    for (const auto &row : drives) {
        const std::string id = property(row, "DeviceID");
        const auto slot = std::find_if(devices.begin(), devices.end(),
                                       [&](const std::string &d) { return sameIgnoringCase(d, id); });
        const std::string drive = property(row, "Drive");
        if (slot == devices.end() || drive.empty())
            continue;
        model.letter[slot - devices.begin()] = drive[0];
        model.kind[slot - devices.begin()] = IDEDevices::DriveCdrom;
    }
    return model;
}

// Every row's properties into buffers of several sizes, each filled with
// garbage first: the text and its zero, and nothing written past the end.
void checkPropertyTexts(const std::map<std::string, Query> &queries)
{
    FuzzWbem wbem;
    wbem.queries = queries;
    WMIProvider wmi(wbem);
    if (!wmi.Initialize() || !wmi.RunQuery(u"SELECT DeviceID, Drive FROM Win32_CDROMDrive"))
        return;
    const auto &rows = queries.at("drives").rows;
    size_t r = 0;
    do {
        for (const char *name : {"DeviceID", "Drive"}) {
            const std::u16string wide(name, name + std::strlen(name));
            for (const size_t capacity : {0u, 1u, 2u, 9u, 512u}) {
                std::vector<char> buffer(capacity + 1, 'Q');
                wmi.GetPropertyText(wide, {buffer.data(), capacity});
                const std::string text = propertyText(rows.at(r), name, capacity);
                if (capacity > 0 &&
                    (std::memcmp(buffer.data(), text.data(), text.size()) != 0 ||
                     buffer[text.size()] != '\0'))
                    __builtin_trap();
                if (buffer[capacity] != 'Q')
                    __builtin_trap(); // written past the buffer's end
            }
        }
        ++r;
    } while (wmi.NextRow());
    if (r != rows.size())
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider input(data, size);
    std::map<std::string, Query> queries;
    for (const char *key : {"port0", "port1", "controller0", "controller1", "drives"})
        queries[key] = fuzzQuery(input);
    std::vector<std::optional<std::string>> stored;
    while (input.remaining_bytes() > 0 && stored.size() < 8) {
        const uint8_t shape = input.ConsumeIntegral<uint8_t>();
        if ((shape & 3) == 0)
            stored.push_back(std::nullopt);
        else if ((shape & 3) == 1)
            stored.push_back(std::to_string(input.ConsumeIntegralInRange(-1, 2)));
        else
            stored.push_back(input.ConsumeRandomLengthString(300));
    }

    FuzzWbem wbem;
    wbem.queries = queries;
    FuzzRegistry registry;
    registry.stored = stored;
    IDEDevices devices;
    Record found;
    found.result = devices.Discover(wbem, registry);
    found.count = devices.Count;
    found.kind = devices.Kind;
    found.letter = devices.Letter;
    found.position = devices.Position;
    found.registryKeys = registry.keys;
    if (!(found == expected(queries, stored)))
        __builtin_trap();
    if (wbem.held() != 0 || wbem.releasedTwice != 0 ||
        std::count(wbem.calls.begin(), wbem.calls.end(), "leak") != 0)
        __builtin_trap(); // every interface handed out is released once

    for (size_t read = 0; read < stored.size(); ++read) {
        FuzzRegistry one;
        one.stored = {stored[read]};
        if (IDEDevices::ReadLocationNumber(one, "X") != locationNumber(stored[read]))
            __builtin_trap();
    }
    checkPropertyTexts(queries);
    return 0;
}
