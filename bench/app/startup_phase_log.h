#pragma once

// The phase times a benchmark build of Vesperin.exe writes (app/windows/startup_phases.h), read
// back and turned into the durations of its start's phases.

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// The performance counter, which every process of the machine shares.
struct PhaseClock
{
    static long long now();
    static double ms(long long from, long long to);
};

// The marks of one start, in the order they were written.
struct PhaseMark
{
    std::string name;
    long long ticks;
};

struct PhaseLog
{
    // The marks in the file; empty, with `problem` set, when it cannot be read.
    static std::vector<PhaseMark> read(const std::string &path, std::string &problem);
};

// One start's phases in milliseconds, from the benchmark's start of the process to its sight of
// the visible panel. The phase that runs inside the poll's interval adds nothing to that wait;
// the others add up to it, less the poll.
struct PhaseDurations
{
    enum Phase : size_t
    {
        ToWinMain,
        PanelControls,
        PanelOutline,
        Bridge,
        AlarmTimeDialog,
        OptionsDialog,
        MusicDialog,
        WithinPoll,
        PollLateness,
        TickWork,
        ShownToSeen,
        Count
    };

    static const char *title(size_t phase);

    // The durations of a start begun at `launchTicks` and seen at `seenTicks`; empty, with
    // `problem` set, when a mark is missing or out of order.
    static std::optional<PhaseDurations> of(const std::vector<PhaseMark> &marks,
                                            long long launchTicks, long long seenTicks,
                                            double pollMs, std::string &problem);

    double ms[Count] = {};
    int pollTicks = 0;
    // Every mark in the order written, with the milliseconds since the one before it (the first
    // since the launch): finer marks that a developer adds show here.
    std::vector<std::pair<std::string, double>> steps;
};

// The same for bench_window_set, which marks where it has made each window with its children:
// the windows Vesperin makes in its phases of those names, without Vesperin's own work.
struct WindowSetDurations
{
    enum Phase : size_t
    {
        ToWinMain,
        Panel,
        AlarmTimeDialog,
        OptionsDialog,
        MusicDialog,
        TooltipAndShow,
        ShownToSeen,
        Count
    };

    static std::optional<WindowSetDurations> of(const std::vector<PhaseMark> &marks,
                                                long long launchTicks, long long seenTicks,
                                                std::string &problem);

    double ms[Count] = {};
};
