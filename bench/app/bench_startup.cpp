// How long Vesperin.exe takes from its start to its visible panel, against bare Win32 programs'
// starts to their visible windows, all started the same way in the same run. The panel appears
// at the first tick of the music dialog's 500 ms poll after the drive search, so that tick is
// taken off its time. Run under Wine from the folder of a benchmark build on the emulated
// notebook (its drive search finds the emulated drives), which holds Vesperin.exe,
// Vesperlink.dll and the bare programs: bench_startup.exe [rounds [--marks]]; --marks also
// prints every mark the program wrote, finer ones a developer adds included. bench_window_set.exe,
// the bare program that makes the windows Vesperin makes before its panel shows, is the measure:
// what Vesperin adds to it is its own work. The other two bare programs are references
// (bench_bare_window.cpp says what they add).
// A benchmark build of Vesperin writes the times of its start's phases to the file the
// benchmark names (app/windows/startup_phases.h); they are printed as the median of the rounds.
// The programs read a machine image of their own in the temporary folder, made on the first
// start.

#include "bench/app/startup_phase_log.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <string>
#include <vector>

namespace {

constexpr double PollMs = 500.0;
constexpr double BoundMs = 20000.0;
constexpr double TargetRatio = 1.25;

std::string besideThisProgram(const char *file)
{
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of("\\/") + 1) + file;
}

// One start: the counter when it was started and the milliseconds to its visible window.
struct Start
{
    long long launchTicks = 0;
    long long shownTicks = 0;
    double shownAfterMs = -1;
};

// Starts the program, waits for its window of that caption to show, then closes it and waits
// for it to end.
Start timeStart(const std::string &program, const char *caption)
{
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string commandLine = "\"" + program + "\"";
    const std::string folder = program.substr(0, program.find_last_of("\\/") + 1);
    Start start;
    start.launchTicks = PhaseClock::now();
    if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &process)) {
        std::printf("%s did not start (error %lu)\n", program.c_str(), GetLastError());
        return start;
    }
    HWND window = nullptr;
    while (PhaseClock::ms(start.launchTicks, PhaseClock::now()) < BoundMs) {
        window = FindWindowA(nullptr, caption);
        if (window && IsWindowVisible(window)) {
            start.shownTicks = PhaseClock::now();
            start.shownAfterMs = PhaseClock::ms(start.launchTicks, start.shownTicks);
            break;
        }
        if (WaitForSingleObject(process.hProcess, 1) == WAIT_OBJECT_0)
            break; // it ended without showing the window: a start-up failure
    }
    if (window)
        PostMessageA(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, 5000) != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    if (start.shownAfterMs < 0)
        std::printf("%s showed no visible \"%s\" window\n", program.c_str(), caption);
    return start;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct Program
{
    const char *file;
    const char *caption;
    const char *what;
    double offMs;
    std::vector<double> times;
};

void printPhases(const std::vector<PhaseDurations> &rounds)
{
    std::printf("Vesperin's start by phase (median of %zu rounds):\n", rounds.size());
    for (size_t phase = 0; phase < PhaseDurations::Count; ++phase) {
        std::vector<double> values;
        for (const PhaseDurations &round : rounds)
            values.push_back(round.ms[phase]);
        std::printf("  %-66s %7.1f ms\n", PhaseDurations::title(phase), median(values));
    }
    std::vector<double> ticks;
    for (const PhaseDurations &round : rounds)
        ticks.push_back(round.pollTicks);
    std::printf("  (poll ticks until the drive search had ended: %.0f)\n", median(ticks));
}

// Each mark of the first round's order, with the median time since the mark before it.
void printMarks(const std::vector<PhaseDurations> &rounds)
{
    std::printf("every mark, after the one before it (median of the rounds that have it):\n");
    for (size_t index = 0; index < rounds.front().steps.size(); ++index) {
        const std::string &name = rounds.front().steps[index].first;
        std::vector<double> values;
        for (const PhaseDurations &round : rounds)
            if (index < round.steps.size() && round.steps[index].first == name)
                values.push_back(round.steps[index].second);
        std::printf("  %-40s %7.1f ms\n", name.c_str(), median(values));
    }
}

// The median over the rounds of the sum of those phases of each round.
template <typename Durations>
double medianOf(const std::vector<Durations> &rounds, std::initializer_list<size_t> phases)
{
    std::vector<double> values;
    for (const Durations &round : rounds) {
        double sum = 0;
        for (size_t phase : phases)
            sum += round.ms[phase];
        values.push_back(sum);
    }
    return median(values);
}

// The window set's phases beside Vesperin's that make the same windows: the difference is
// Vesperin's own work in them (its artwork, outlines, fonts, texts and firmware reads).
void printBesideWindowSet(const std::vector<WindowSetDurations> &set,
                          const std::vector<PhaseDurations> &vesperin)
{
    using P = PhaseDurations;
    using S = WindowSetDurations;
    struct Pair
    {
        const char *title;
        std::initializer_list<size_t> setPhases;
        std::initializer_list<size_t> vesperinPhases;
    };
    const Pair pairs[] = {
        {"process start to WinMain", {S::ToWinMain}, {P::ToWinMain}},
        {"task bar entry, panel and its controls", {S::Panel}, {P::PanelControls}},
        {"the panel's outline, the bridge, the firmware reads", {}, {P::PanelOutline, P::Bridge}},
        {"the alarm time dialog", {S::AlarmTimeDialog}, {P::AlarmTimeDialog}},
        {"the options dialog", {S::OptionsDialog}, {P::OptionsDialog}},
        {"the music dialog", {S::MusicDialog}, {P::MusicDialog}},
        {"the panel shown, to the sight of it",
         {S::TooltipAndShow, S::ShownToSeen},
         {P::PollLateness, P::TickWork, P::ShownToSeen}},
    };
    std::printf("by phase, bench_window_set beside Vesperin (medians of %zu rounds):\n",
                set.size());
    std::printf("  %-52s %9s %9s %9s\n", "", "set", "Vesperin", "more");
    for (const Pair &pair : pairs) {
        const double setMs = medianOf(set, pair.setPhases);
        const double vesperinMs = medianOf(vesperin, pair.vesperinPhases);
        std::printf("  %-52s %6.1f ms %6.1f ms %6.1f ms\n", pair.title, setMs, vesperinMs,
                    vesperinMs - setMs);
    }
}

} // namespace

int main(int argc, char **argv)
{
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    const bool everyMark = argc > 2 && std::string(argv[2]) == "--marks";
    char temporary[MAX_PATH];
    GetTempPathA(MAX_PATH, temporary);
    const std::string image = std::string(temporary) + "vesperin-bench-notebook.json";
    const std::string phaseFile = std::string(temporary) + "vesperin-bench-phases.txt";
    DeleteFileA(image.c_str());
    SetEnvironmentVariableA("VESPERIN_EMULATOR_IMAGE", image.c_str());
    // The bare program first, Vesperin last; bench_window_set is the measure.
    std::vector<Program> programs{
        {"bench_bare_window.exe", "bench bare window", "bare program to its visible window", 0, {}},
        {"bench_bare_common_controls.exe",
         "bench bare window",
         "the same, with common controls 6 loaded",
         0,
         {}},
        {"bench_window_set.exe",
         "bench bare window",
         "the same, with Vesperin's windows made first",
         0,
         {}},
        {"Vesperin.exe", "frmVesperin", "Vesperin.exe to its panel, less the poll", PollMs, {}},
    };
    const size_t windowSet = 2;
    Program &vesperin = programs.back();
    // One start of each first, so that all are measured warm.
    for (const Program &program : programs) {
        if (timeStart(besideThisProgram(program.file), program.caption).shownAfterMs < 0)
            return 1;
    }
    std::vector<PhaseDurations> phases;
    std::vector<WindowSetDurations> setPhases;
    const Program *const setProgram = &programs[windowSet];
    for (int round = 0; round < rounds; ++round) {
        std::printf("round %d:", round);
        for (Program &program : programs) {
            const bool own = &program == &vesperin;
            const bool set = &program == setProgram;
            DeleteFileA(phaseFile.c_str());
            SetEnvironmentVariableA("VESPERIN_STARTUP_PHASES_LOG",
                                    own || set ? phaseFile.c_str() : nullptr);
            const Start start = timeStart(besideThisProgram(program.file), program.caption);
            if (start.shownAfterMs < 0)
                return 1;
            program.times.push_back(start.shownAfterMs - program.offMs);
            std::printf(" %s %.1f ms", program.file, program.times.back());
            if (set) {
                std::string problem;
                const auto durations =
                    WindowSetDurations::of(PhaseLog::read(phaseFile, problem), start.launchTicks,
                                           start.shownTicks, problem);
                if (!durations) {
                    std::printf("\nno phase times from %s: %s\n", program.file, problem.c_str());
                    return 1;
                }
                setPhases.push_back(*durations);
            }
            if (own) {
                std::string problem;
                const auto durations =
                    PhaseDurations::of(PhaseLog::read(phaseFile, problem), start.launchTicks,
                                       start.shownTicks, PollMs, problem);
                if (!durations) {
                    std::printf(
                        "\nno phase times from Vesperin.exe: %s (is it a benchmark build?)\n",
                        problem.c_str());
                    return 1;
                }
                phases.push_back(*durations);
            }
        }
        std::printf("\n");
    }
    SetEnvironmentVariableA("VESPERIN_STARTUP_PHASES_LOG", nullptr);
    printPhases(phases);
    if (everyMark)
        printMarks(phases);
    printBesideWindowSet(setPhases, phases);
    const double bareMs = median(programs.front().times);
    for (const Program &program : programs) {
        const double ms = median(program.times);
        std::printf("%-46s %7.1f ms, %5.2f times the bare program (median of %d)\n", program.what,
                    ms, ms / bareMs, rounds);
    }
    const double setMs = median(programs[windowSet].times);
    const double ratio = median(vesperin.times) / setMs;
    std::printf("Vesperin less the poll: %.2f times bench_window_set; target at most %.2f: %s\n",
                ratio, TargetRatio, ratio <= TargetRatio ? "met" : "NOT met");
    DeleteFileA(phaseFile.c_str());
    DeleteFileA(image.c_str());
    return 0;
}
