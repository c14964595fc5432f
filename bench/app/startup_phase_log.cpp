#include "bench/app/startup_phase_log.h"

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>

long long PhaseClock::now()
{
    LARGE_INTEGER counter{};
    QueryPerformanceCounter(&counter);
    return counter.QuadPart;
}

double PhaseClock::ms(long long from, long long to)
{
    static const double frequency = [] {
        LARGE_INTEGER value{};
        QueryPerformanceFrequency(&value);
        return double(value.QuadPart);
    }();
    return 1000.0 * double(to - from) / frequency;
}

std::vector<PhaseMark> PhaseLog::read(const std::string &path, std::string &problem)
{
    std::vector<PhaseMark> marks;
    std::ifstream file(path);
    if (!file) {
        problem = "no file " + path;
        return marks;
    }
    std::string line;
    while (std::getline(file, line)) {
        const size_t blank = line.rfind(' ');
        if (blank == std::string::npos || blank == 0)
            continue;
        marks.push_back({line.substr(0, blank), std::atoll(line.c_str() + blank + 1)});
    }
    if (marks.empty())
        problem = "no marks in " + path;
    return marks;
}

const char *PhaseDurations::title(size_t phase)
{
    static const char *const titles[Count] = {
        "process start to WinMain",
        "the panel's window and its controls",
        "the panel's outline",
        "the bridge's start and the firmware reads",
        "the alarm time dialog",
        "the options dialog",
        "the music dialog, to its poll's start",
        "[inside the poll's 500 ms: drive search start, tooltip, waiting window]",
        "the poll's tick that sees the search ended, beyond its 500 ms",
        "that tick: drive list, music choice, panel's labels",
        "the panel and waiting window shown and hidden, to the sight of it",
    };
    return phase < Count ? titles[phase] : "";
}

namespace {

// The counters of the marks named in `order`, each the first of its name after the one before it
// (the first after `launchTicks`); empty, with `problem` set, when one is missing.
std::optional<std::vector<long long>> marksInOrder(const std::vector<PhaseMark> &marks,
                                                   const std::vector<const char *> &order,
                                                   long long launchTicks, std::string &problem)
{
    std::vector<long long> at;
    long long previous = launchTicks;
    for (const char *name : order) {
        const auto mark = std::find_if(marks.begin(), marks.end(), [&](const PhaseMark &candidate) {
            return candidate.name == name && candidate.ticks >= previous;
        });
        if (mark == marks.end()) {
            problem = std::string("no mark \"") + name + "\" in its place";
            return std::nullopt;
        }
        previous = mark->ticks;
        at.push_back(previous);
    }
    return at;
}

} // namespace

std::optional<PhaseDurations> PhaseDurations::of(const std::vector<PhaseMark> &marks,
                                                 long long launchTicks, long long seenTicks,
                                                 double pollMs, std::string &problem)
{
    const auto found =
        marksInOrder(marks,
                     {"WinMain", "panel-controls", "panel-outline", "bridge", "alarm-time-dialog",
                      "options-dialog", "poll-started", "waiting-window", "panel-to-show"},
                     launchTicks, problem);
    if (!found)
        return std::nullopt;
    const std::vector<long long> &at = *found;
    const long long pollStarted = at[6], panelShown = at[8];
    PhaseDurations durations;
    long long lastTick = -1;
    for (const PhaseMark &mark : marks) {
        if (mark.name == "poll-tick" && mark.ticks >= pollStarted && mark.ticks <= panelShown) {
            lastTick = std::max(lastTick, mark.ticks);
            ++durations.pollTicks;
        }
    }
    if (lastTick < 0) {
        problem = "no poll tick before the panel was shown";
        return std::nullopt;
    }
    for (size_t phase = ToWinMain; phase <= MusicDialog; ++phase)
        durations.ms[phase] = PhaseClock::ms(phase == 0 ? launchTicks : at[phase - 1], at[phase]);
    durations.ms[WithinPoll] = PhaseClock::ms(pollStarted, at[7]);
    durations.ms[PollLateness] = PhaseClock::ms(pollStarted, lastTick) - pollMs;
    durations.ms[TickWork] = PhaseClock::ms(lastTick, panelShown);
    durations.ms[ShownToSeen] = PhaseClock::ms(panelShown, seenTicks);
    long long previous = launchTicks;
    for (const PhaseMark &mark : marks) {
        durations.steps.emplace_back(mark.name, PhaseClock::ms(previous, mark.ticks));
        previous = mark.ticks;
    }
    return durations;
}

std::optional<WindowSetDurations> WindowSetDurations::of(const std::vector<PhaseMark> &marks,
                                                         long long launchTicks, long long seenTicks,
                                                         std::string &problem)
{
    const auto at = marksInOrder(
        marks, {"WinMain", "panel", "alarm-time-dialog", "options-dialog", "music-dialog", "shown"},
        launchTicks, problem);
    if (!at)
        return std::nullopt;
    WindowSetDurations durations;
    for (size_t phase = ToWinMain; phase <= TooltipAndShow; ++phase)
        durations.ms[phase] =
            PhaseClock::ms(phase == 0 ? launchTicks : (*at)[phase - 1], (*at)[phase]);
    durations.ms[ShownToSeen] = PhaseClock::ms(at->back(), seenTicks);
    return durations;
}
