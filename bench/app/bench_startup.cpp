// How long Vesperin.exe takes from its start to its visible panel, against a bare Win32
// program's start to its visible window, both started the same way in the same run. The panel
// appears at the first tick of the music dialog's 500 ms poll after the drive search, so that
// tick is taken off its time. Run under Wine from the folder of a build on the emulated
// notebook (its drive search finds the emulated drives), which holds Vesperin.exe,
// Vesperlink.dll and the bare programs: bench_startup.exe [rounds]. Two builds of the bare
// program are references only (bench_bare_window.cpp says what they add).
// The programs read a machine image of their own in the temporary folder, made on the first
// start.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr double PollMs = 500.0;
constexpr double BoundMs = 20000.0;

double nowMs()
{
    LARGE_INTEGER frequency{}, counter{};
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return 1000.0 * double(counter.QuadPart) / double(frequency.QuadPart);
}

std::string besideThisProgram(const char *file)
{
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of("\\/") + 1) + file;
}

// Starts the program, waits for its window of that caption to show, then closes it. Gives
// the milliseconds from the start to the visible window, or a negative number.
double timeStart(const std::string &program, const char *caption)
{
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string commandLine = "\"" + program + "\"";
    const std::string folder = program.substr(0, program.find_last_of("\\/") + 1);
    const double start = nowMs();
    if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &process)) {
        std::printf("%s did not start (error %lu)\n", program.c_str(), GetLastError());
        return -1;
    }
    double shownAfter = -1;
    HWND window = nullptr;
    while (nowMs() - start < BoundMs) {
        window = FindWindowA(nullptr, caption);
        if (window && IsWindowVisible(window)) {
            shownAfter = nowMs() - start;
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
    if (shownAfter < 0)
        std::printf("%s showed no visible \"%s\" window\n", program.c_str(), caption);
    return shownAfter;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    char temporary[MAX_PATH];
    GetTempPathA(MAX_PATH, temporary);
    const std::string image = std::string(temporary) + "vesperin-bench-notebook.json";
    DeleteFileA(image.c_str());
    SetEnvironmentVariableA("VESPERIN_EMULATOR_IMAGE", image.c_str());
    // The bare program first, Vesperin last; those between are references.
    struct Program
    {
        const char *file;
        const char *caption;
        const char *what;
        double offMs;
        std::vector<double> times;
    };
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
    // One start of each first, so that all are measured warm.
    for (const Program &program : programs) {
        if (timeStart(besideThisProgram(program.file), program.caption) < 0)
            return 1;
    }
    for (int round = 0; round < rounds; ++round) {
        std::printf("round %d:", round);
        for (Program &program : programs) {
            const double ms = timeStart(besideThisProgram(program.file), program.caption);
            if (ms < 0)
                return 1;
            program.times.push_back(ms - program.offMs);
            std::printf(" %s %.1f ms", program.file, program.times.back());
        }
        std::printf("\n");
    }
    const double bareMs = median(programs.front().times);
    for (const Program &program : programs) {
        const double ms = median(program.times);
        std::printf("%-46s %7.1f ms, %5.2f times the bare program (median of %d)\n", program.what,
                    ms, ms / bareMs, rounds);
    }
    const double programMs = median(programs.back().times);
    std::printf("target, Vesperin at most 1.5 times the bare program: %s\n",
                programMs <= 1.5 * bareMs ? "met" : "NOT met");
    DeleteFileA(image.c_str());
    return 0;
}
