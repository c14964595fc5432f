// vpalarm: shows the alarm as the firmware holds it, read through Vesperlink
// from the program's own folder, or the reason the bridge did not start.

#include "app/binding/acpi_bridge.h"
#include "app/binding/program_location.h"

#include <cstdio>
#include <string>

namespace {

// The name of the entry that stands for `value`, or the value itself.
std::string entryFor(const ChoiceList &list, uint32_t value)
{
    for (uint32_t j = 0; j < list.count; ++j) {
        if (list.values[j] == value)
            return list.names[j][0] != '\0' ? list.names[j] : std::to_string(value);
    }
    return std::to_string(value) + " (not on offer)";
}

void printList(const char *title, const ChoiceList &list)
{
    std::printf("%s (%u):", title, list.count);
    for (uint32_t j = 0; j < list.count; ++j) {
        if (list.names[j][0] != '\0')
            std::printf(" [%u] %s", list.values[j], list.names[j]);
        else
            std::printf(" %u", list.values[j]);
    }
    std::printf("\n");
}

void printTime(const TimeSetting &time)
{
    const uint32_t hour12 = time.hour % 12 == 0 ? 12 : time.hour % 12;
    std::printf("Time: %02u:%02u (%u:%02u %s)\n", time.hour, time.minute, hour12, time.minute,
                time.hour < 12 ? "AM" : "PM");
    static const char *const days[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    std::printf("Days:");
    if ((time.days & 0x7F) == 0)
        std::printf(" none");
    for (int k = 0; k < 7; ++k) {
        if (time.days & (1u << k))
            std::printf(" %s", days[k]);
    }
    std::printf("\n");
}

} // namespace

int main()
{
    static AcpiBridge bridge;
    const int result = bridge.Load(ProgramLocation::libraryPath());
    if (result != AcpiBridge::LoadReady) {
        std::fprintf(stderr, "%s\n", AcpiBridge::loadResultText(result));
        return 1;
    }

    uint32_t status = 0;
    if (bridge.GetStatus(&status))
        std::printf("Alarm: %s\n", status != 0 ? "on" : "off");
    else
        std::printf("Alarm: status not readable\n");

    TimeSetting time{};
    if (!bridge.GetTimeSetting(&time))
        std::printf("(the time setting was not read whole)\n");
    printTime(time);

    PlayStatus play{};
    if (!bridge.GetPlayStatus(&play))
        std::printf("(the play status was not read whole)\n");
    std::printf("Drive: %s\n", entryFor(bridge.driveList, play.drive).c_str());
    std::printf("Track: %u\n", play.track + 1);
    std::printf("Repeat: %s\n", entryFor(bridge.modeList, play.repeatMode).c_str());
    std::printf("Duration: %s\n", entryFor(bridge.durationList, play.duration).c_str());
    std::printf("Volume: %u\n", play.volume);

    printList("Drives", bridge.driveList);
    printList("Repeat modes", bridge.modeList);
    printList("Durations", bridge.durationList);
    printList("Volumes", bridge.volumeList);
    return 0;
}
