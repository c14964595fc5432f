#include "machine_image.h"

#include <fstream>

using nlohmann::json;

const char *const MachineImage::ItemMethods[16] = {
    "",     "AENA", "ASUN", "AMON", "ATUE", "AWED", "ATHU", "AFRI",
    "ASAT", "AHOU", "AMIN", "ADRV", "ATRK", "AREP", "ADUR", "AVOL",
};

namespace {

json plainItem(int item, const char *name, uint32_t value)
{
    return {{"id", MachineImage::itemId(item)}, {"name", name}, {"value", value}};
}

json rangeItem(int item, const char *name, uint32_t count, uint32_t value)
{
    json method = plainItem(item, name, value);
    method["range"] = {0, 1, count};
    return method;
}

json choiceItem(int item, const char *name, json choices, uint32_t value)
{
    json method = plainItem(item, name, value);
    method["choices"] = std::move(choices);
    return method;
}

json defaultImage()
{
    json methods = json::object();
    methods["AENA"] = plainItem(1, "Alarm Enable", 1);
    const char *dayNames[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                               "Thursday", "Friday", "Saturday"};
    for (int day = 0; day < 7; ++day) {
        const bool workday = day >= 1 && day <= 5;
        methods[MachineImage::ItemMethods[2 + day]] = plainItem(2 + day, dayNames[day], workday);
    }
    methods["AHOU"] = rangeItem(9, "Alarm Hour", 24, 6);
    methods["AMIN"] = rangeItem(10, "Alarm Minute", 60, 30);
    methods["ADRV"] =
        choiceItem(11, "Alarm Drive",
                   {"Primary Master", "Primary Slave", "Secondary Master", "Secondary Slave"}, 2);
    methods["ATRK"] = rangeItem(12, "Alarm Track", 99, 0);
    methods["AREP"] = choiceItem(13, "Repeat Mode", {"None", "Single", "All"}, 1);
    methods["ADUR"] = choiceItem(14, "Duration", {"10 mins", "20 mins", "30 mins", "1 hour"}, 0);
    methods["AVOL"] = rangeItem(15, "Volume", 16, 8);

    json group = json::array();
    for (int item = 1; item <= 15; ++item)
        group.push_back(MachineImage::ItemMethods[item]);

    json tracks = {185000, 201000, 97500,  243000, 176000, 212000,
                   198000, 231000, 164000, 205000, 189000, 250000};
    return {
        {"format", 1},
        {"firmware",
         {{"mbif", {3, 0, 0, 65536}}, {"groups", {{"10", group}}}, {"methods", methods}}},
        {"hardware",
         {{"ide",
           {{{"channel", 0},
             {"device", 0},
             {"type", "disk"},
             {"instance", "IDE\\DISKEMU_HDD_80G\\5&1A2B3C4D&0&0.0.0"}},
            {{"channel", 1},
             {"device", 0},
             {"type", "cdrom"},
             {"instance", "IDE\\CDROMEMU_DVD-RW\\5&1A2B3C4D&0&1.0.0"},
             {"letter", "D"},
             {"disc", {{"tracks_ms", tracks}}}}}},
          {"mixer", {{"present", true}, {"level", 0}}},
          {"playback", nullptr}}},
    };
}

} // namespace

MachineImage::MachineImage() : image(defaultImage()), m_folder("vesperin-window")
{
    write();
}

void MachineImage::write() const
{
    std::ofstream file(m_folder.path(), std::ios::trunc);
    file << image.dump(2);
}

json MachineImage::current() const
{
    std::ifstream file(m_folder.path());
    return json::parse(file);
}

uint32_t MachineImage::item(int item) const
{
    return current()["firmware"]["methods"][ItemMethods[item]].value("value", 0u);
}

void MachineImage::setItem(int item, uint32_t value)
{
    image["firmware"]["methods"][ItemMethods[item]]["value"] = value;
    write();
}

uint32_t MachineImage::days() const
{
    uint32_t mask = 0;
    for (int day = 0; day < 7; ++day)
        mask |= (item(2 + day) ? 1u : 0u) << day;
    return mask;
}

void MachineImage::setAlarm(bool enabled, uint32_t hour, uint32_t minute, uint32_t days)
{
    auto &methods = image["firmware"]["methods"];
    methods["AENA"]["value"] = enabled ? 1 : 0;
    methods["AHOU"]["value"] = hour;
    methods["AMIN"]["value"] = minute;
    for (int day = 0; day < 7; ++day)
        methods[ItemMethods[2 + day]]["value"] = (days >> day) & 1u;
    write();
}

void MachineImage::refuse(const char *method, int item)
{
    image["firmware"]["faults"].push_back(
        {{"method", method}, {"item", item}, {"effect", "refuse"}});
    write();
}
