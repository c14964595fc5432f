// vpalarm: shows and sets the alarm the firmware holds, through Vesperlink
// from the program's own folder, as the program's windows do.

#include "app/alarm/alarm_clock.h"
#include "app/binding/acpi_bridge.h"
#include "app/binding/program_location.h"
#include "tools/vpalarm/alarm_reading.h"
#include "tools/vpalarm/alarm_report.h"
#include "tools/vpalarm/alarm_writer.h"
#include "tools/vpalarm/set_request.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

enum ExitCode
{
    ExitDone = 0,
    ExitBridge = 1,
    ExitArgument = 2,
    ExitWrite = 3,
};

// More arguments than every option once, each with a value, is malformed.
constexpr int MaxArguments = 24;

const char Usage[] =
    "Usage:\n"
    "  vpalarm [--json]          show the alarm and what the firmware offers\n"
    "  vpalarm set OPTION...     change the alarm, then show what was stored\n"
    "  vpalarm --help            show this text\n"
    "\n"
    "Options of set (each at most once; names or values as the firmware offers them):\n"
    "  --on | --off              switch the alarm on or off\n"
    "  --time HH:MM              the alarm time in 24-hour form (06:30, 18:05)\n"
    "  --time H:MM AM|PM         the alarm time in 12-hour form (6:30 AM)\n"
    "  --days LIST               days it rings: mon,tue,... or ranges (mon-fri), or none\n"
    "  --drive NAME|VALUE        the CD drive position\n"
    "  --track N                 the track to play, from 1\n"
    "  --repeat NAME|VALUE       the repeat mode\n"
    "  --duration NAME|VALUE     how long the music plays\n"
    "  --volume VALUE            the volume\n"
    "  --json                    show the result as one JSON object\n"
    "\n"
    "Every value is checked against what the firmware offers before anything is\n"
    "written; the records are then written (status, time, music and options)\n"
    "and read back.\n"
    "\n"
    "Vesperlink is loaded from the folder of vpalarm itself.\n"
    "\n"
    "Exit codes:\n"
    "  0  done\n"
    "  1  the bridge did not start (the message says why)\n"
    "  2  a malformed argument or a value the firmware does not offer; nothing written\n"
    "  3  the firmware refused or did not keep a write (the message names the field)\n";

int argumentError(const std::string &message)
{
    std::fprintf(stderr, "vpalarm: %s\n(vpalarm --help lists the options)\n", message.c_str());
    return ExitArgument;
}

void show(const AcpiBridge &bridge, const AlarmReading &reading, bool json)
{
    const std::time_t now = AlarmClock::current().now();
    const std::string text =
        json ? alarmJson(bridge, reading, now) : alarmText(bridge, reading, now);
    std::fputs(text.c_str(), stdout);
}

int runSet(AcpiBridge &bridge, const std::vector<std::string> &arguments, bool json)
{
    ChoiceList hours, minutes;
    bridge.LoadList(4, hours);
    bridge.LoadList(5, minutes);
    const FirmwareOffer offer{
        hours, minutes, bridge.driveList, bridge.modeList, bridge.durationList, bridge.volumeList};
    const SetParse parse = parseSetArguments(arguments, offer);
    if (!parse.error.empty())
        return argumentError(parse.error);

    const AlarmReading before = readAlarm(bridge);
    const WriteOutcome outcome = writeAlarm(bridge, before, parse.request);
    if (!outcome.stored) {
        std::fprintf(stderr, "vpalarm: %s\n", outcome.error.c_str());
        return ExitWrite;
    }
    if (!json)
        std::printf("Stored. The firmware now holds:\n");
    show(bridge, outcome.after, json);
    return ExitDone;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc > MaxArguments)
        return argumentError("too many arguments");
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument.size() > MaxArgumentLength)
            return argumentError("argument " + std::to_string(i) + " is too long");
        arguments.push_back(argument);
    }

    bool json = false, set = false, help = false;
    std::vector<std::string> setArguments;
    for (size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == "--help" || arguments[i] == "-h" || arguments[i] == "/?")
            help = true;
        else if (arguments[i] == "--json")
            json = true;
        else if (!set && setArguments.empty() && arguments[i] == "set")
            set = true;
        else if (set)
            setArguments.push_back(arguments[i]);
        else
            return argumentError("unknown argument \"" + arguments[i] + "\"");
    }
    if (help) {
        std::fputs(Usage, stdout);
        return ExitDone;
    }

    // The binding lives to the end of the process, as the program's does.
    static AcpiBridge bridge;
    const int result = bridge.Load(ProgramLocation::libraryPath());
    if (result != AcpiBridge::LoadReady) {
        std::fprintf(stderr, "%s\n", AcpiBridge::loadResultText(result));
        return ExitBridge;
    }
    if (set)
        return runSet(bridge, setArguments, json);
    show(bridge, readAlarm(bridge), json);
    return ExitDone;
}
