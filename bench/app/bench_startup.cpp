// How long Vesperin.exe takes from its start to its visible panel, against a bare Win32
// program's start to its visible window, both started the same way in the same run. The panel
// appears at the first tick of the music dialog's 500 ms poll after the drive search, so that
// tick is taken off its time. Run under Wine from the folder of a build on the emulated
// notebook (its drive search finds the emulated drives), which holds Vesperin.exe,
// Vesperlink.dll and the two bare programs: bench_startup.exe [rounds]. The second bare
// program also loads common controls 6, as Vesperin does; its figure is for reference only.
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
    const std::string bare = besideThisProgram("bench_bare_window.exe");
    const std::string bareCommon = besideThisProgram("bench_bare_common_controls.exe");
    const std::string vesperin = besideThisProgram("Vesperin.exe");
    const char *const bareCaption = "bench bare window";
    // One start of each first, so that all are measured warm.
    if (timeStart(bare, bareCaption) < 0 || timeStart(bareCommon, bareCaption) < 0 ||
        timeStart(vesperin, "frmVesperin") < 0)
        return 1;
    std::vector<double> bares, bareCommons, programs;
    for (int round = 0; round < rounds; ++round) {
        const double bareMs = timeStart(bare, bareCaption);
        const double bareCommonMs = timeStart(bareCommon, bareCaption);
        const double programMs = timeStart(vesperin, "frmVesperin");
        if (bareMs < 0 || bareCommonMs < 0 || programMs < 0)
            return 1;
        bares.push_back(bareMs);
        bareCommons.push_back(bareCommonMs);
        programs.push_back(programMs - PollMs);
        std::printf("round %d: bare %.1f ms, bare with common controls 6 %.1f ms, "
                    "Vesperin less the poll %.1f ms\n",
                    round, bareMs, bareCommonMs, programs.back());
    }
    const double bareMs = median(bares);
    const double bareCommonMs = median(bareCommons);
    const double programMs = median(programs);
    std::printf("bare program to its visible window:       %8.1f ms (median of %d)\n", bareMs,
                rounds);
    std::printf("the same with common controls 6 loaded:   %8.1f ms (median of %d)\n", bareCommonMs,
                rounds);
    std::printf("Vesperin.exe to its panel, less the poll: %8.1f ms (median of %d)\n", programMs,
                rounds);
    std::printf("ratio to the bare program:                %8.2f (target at most 1.5: %s)\n",
                programMs / bareMs, programMs <= 1.5 * bareMs ? "met" : "NOT met");
    std::printf("ratio to the one with common controls 6:  %8.2f\n", programMs / bareCommonMs);
    DeleteFileA(image.c_str());
    return 0;
}
