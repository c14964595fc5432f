#include "emulator/default_image.h"

#include <cstdint>
#include <string>

namespace emulator {
namespace {

using nlohmann::json;

// The firmware hands out identifiers whose high 16 bits name the group of
// the alarm items and whose low 16 bits are the item number.
constexpr uint32_t kAlarmGroup = 10;

json item(uint32_t number, const std::string &name, uint32_t value)
{
    return json{{"id", (kAlarmGroup << 16) | number},
                {"name", name},
                {"attributes", json::array({0, 0})},
                {"value", value}};
}

json rangeItem(uint32_t number, const std::string &name, json range, uint32_t value)
{
    json described = item(number, name, value);
    described["range"] = std::move(range);
    return described;
}

json choiceItem(uint32_t number, const std::string &name, json choices, uint32_t value)
{
    json described = item(number, name, value);
    described["choices"] = std::move(choices);
    return described;
}

json methods()
{
    return json{
        {"ALEN", item(1, "Alarm Enable", 1)},
        {"ASUN", item(2, "Alarm Sunday", 0)},
        {"AMON", item(3, "Alarm Monday", 1)},
        {"ATUE", item(4, "Alarm Tuesday", 1)},
        {"AWED", item(5, "Alarm Wednesday", 1)},
        {"ATHU", item(6, "Alarm Thursday", 1)},
        {"AFRI", item(7, "Alarm Friday", 1)},
        {"ASAT", item(8, "Alarm Saturday", 0)},
        {"AHOU", rangeItem(9, "Alarm Hour", {0, 1, 24}, 6)},
        {"AMIN", rangeItem(10, "Alarm Minute", {0, 1, 60}, 30)},
        {"ADRV",
         choiceItem(11, "Alarm Drive",
                    {"Primary Master", "Primary Slave", "Secondary Master", "Secondary Slave"}, 2)},
        {"ATRK", rangeItem(12, "Alarm Track", {0, 1, 99}, 0)},
        {"ARPT", choiceItem(13, "Alarm Repeat Mode", {"None", "Single", "All"}, 1)},
        {"ADUR", choiceItem(14, "Alarm Duration", {"10 mins", "20 mins", "30 mins", "1 hour"}, 0)},
        {"AVOL", rangeItem(15, "Alarm Volume", {0, 1, 16}, 8)},
    };
}

json firmware()
{
    return json{
        {"mbif", {3, 0, 0, 65536}},
        {"groups",
         {{"10",
           {"ALEN", "ASUN", "AMON", "ATUE", "AWED", "ATHU", "AFRI", "ASAT", "AHOU", "AMIN", "ADRV",
            "ATRK", "ARPT", "ADUR", "AVOL"}}}},
        {"methods", methods()},
        {"faults", json::array()},
    };
}

json hardware()
{
    const json disc = {{"tracks_ms",
                        {247000, 212533, 198400, 305866, 181200, 263733, 229066, 174400, 291600,
                         236133, 203466, 318000}}};
    return json{
        {"ide",
         {{{"channel", 0},
           {"device", 0},
           {"type", "disk"},
           {"instance", "IDE\\DISKEMU_HDD_80G\\5&1A2B3C4D&0&0.0.0"}},
          {{"channel", 1},
           {"device", 0},
           {"type", "cdrom"},
           {"instance", "IDE\\CDROMEMU_DVD-RW\\5&1A2B3C4D&0&1.0.0"},
           {"letter", "D"},
           {"disc", disc}}}},
        {"other_cdroms", json::array()},
        {"mixer",
         {{"present", true}, {"speakers", true}, {"volume", true}, {"set", true}, {"level", 0}}},
        {"playback", nullptr},
    };
}

} // namespace

json defaultImage()
{
    return json{{"format", 1}, {"firmware", firmware()}, {"hardware", hardware()}};
}

} // namespace emulator
