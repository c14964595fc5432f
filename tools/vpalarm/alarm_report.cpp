#include "tools/vpalarm/alarm_report.h"

#include "app/alarm/next_ring.h"

#include <nlohmann/json.hpp>

#include <cstdio>

namespace {

using json = nlohmann::ordered_json;

const char *const DayNames[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

const char *const NotRead = "(not read)";

std::string listText(const ChoiceList &list)
{
    std::string text;
    for (uint32_t j = 0; j < list.count; ++j) {
        if (j > 0)
            text += list.names[j][0] != '\0' ? ", " : " ";
        text += std::to_string(list.values[j]);
        if (list.names[j][0] != '\0')
            text += std::string(" ") + list.names[j];
    }
    return text.empty() ? "(none)" : text;
}

json listJson(const ChoiceList &list)
{
    json entries = json::array();
    for (uint32_t j = 0; j < list.count; ++j) {
        if (list.names[j][0] != '\0')
            entries.push_back({{"value", list.values[j]}, {"name", list.names[j]}});
        else
            entries.push_back(list.values[j]);
    }
    return entries;
}

json choiceJson(const ChoiceList &list, uint32_t value, bool read)
{
    if (!read)
        return nullptr;
    return {{"value", value}, {"name", entryText(list, value)}};
}

} // namespace

std::string twelveHourText(uint32_t hour, uint32_t minute)
{
    // An hour of 24 or more from the firmware shows as it is, marked PM.
    const uint32_t shown = hour >= 24 ? hour : (hour % 12 == 0 ? 12 : hour % 12);
    char text[32];
    std::snprintf(text, sizeof text, "%02u:%02u %s", shown, minute, hour < 12 ? "AM" : "PM");
    return text;
}

std::string daysText(uint32_t days)
{
    std::string text;
    for (int k = 0; k < 7; ++k) {
        if (days & (1u << k))
            text += std::string(DayNames[k]) + ". ";
    }
    return text;
}

std::string entryText(const ChoiceList &list, uint32_t value)
{
    for (uint32_t j = 0; j < list.count; ++j) {
        if (list.values[j] == value)
            return list.names[j][0] != '\0' ? list.names[j] : std::to_string(value);
    }
    return std::to_string(value) + " (not on offer)";
}

std::string alarmText(const AcpiBridge &bridge, const AlarmReading &r, std::time_t now)
{
    std::string out;
    auto line = [&out](const std::string &label, const std::string &value) {
        out += label + value + "\n";
    };
    line("Alarm:         ", r.statusRead ? (r.status != 0 ? "on" : "off") : NotRead);
    line("Alarm Time:    ",
         r.hourRead && r.minuteRead ? twelveHourText(r.time.hour, r.time.minute) : NotRead);
    const std::string days = daysText(r.time.days);
    line("Alarm Day(s):  ", r.daysRead ? (days.empty() ? "(none)" : days) : NotRead);
    line("CD-ROM:        ", r.driveRead ? entryText(bridge.driveList, r.play.drive) : NotRead);
    line("Track:         ", r.trackRead ? std::to_string(r.play.track + 1) : NotRead);
    line("Repeat:        ", r.repeatRead ? entryText(bridge.modeList, r.play.repeatMode) : NotRead);
    line("Duration:      ",
         r.durationRead ? entryText(bridge.durationList, r.play.duration) : NotRead);
    line("Volume:        ", r.volumeRead ? std::to_string(r.play.volume) : NotRead);
    if (r.statusRead && r.timeRead())
        line("Next:          ", nextRingText(r.status, r.time, now));
    out += "\nOn offer:\n";
    line("  drives:      ", listText(bridge.driveList));
    line("  repeat:      ", listText(bridge.modeList));
    line("  durations:   ", listText(bridge.durationList));
    line("  volumes:     ", listText(bridge.volumeList));
    return out;
}

std::string alarmJson(const AcpiBridge &bridge, const AlarmReading &r, std::time_t now)
{
    json days = json::array();
    for (int k = 0; k < 7; ++k) {
        if (r.time.days & (1u << k))
            days.push_back(DayNames[k]);
    }
    json out = {
        {"on", r.statusRead ? json(r.status != 0) : json(nullptr)},
        {"status", r.statusRead ? json(r.status) : json(nullptr)},
        {"hour", r.hourRead ? json(r.time.hour) : json(nullptr)},
        {"minute", r.minuteRead ? json(r.time.minute) : json(nullptr)},
        {"time", r.hourRead && r.minuteRead ? json(twelveHourText(r.time.hour, r.time.minute))
                                            : json(nullptr)},
        {"days", r.daysRead ? days : json(nullptr)},
        {"drive", choiceJson(bridge.driveList, r.play.drive, r.driveRead)},
        {"track", r.trackRead ? json(r.play.track + 1) : json(nullptr)},
        {"repeat", choiceJson(bridge.modeList, r.play.repeatMode, r.repeatRead)},
        {"duration", choiceJson(bridge.durationList, r.play.duration, r.durationRead)},
        {"volume", r.volumeRead ? json(r.play.volume) : json(nullptr)},
        {"next_ring",
         r.statusRead && r.timeRead() ? json(nextRingText(r.status, r.time, now)) : json(nullptr)},
        {"choices",
         {{"drives", listJson(bridge.driveList)},
          {"repeat", listJson(bridge.modeList)},
          {"durations", listJson(bridge.durationList)},
          {"volumes", listJson(bridge.volumeList)}}},
    };
    // Names come from the firmware in its own code page: bytes that are not
    // UTF-8 are replaced rather than refused.
    return out.dump(2, ' ', false, json::error_handler_t::replace) + "\n";
}
