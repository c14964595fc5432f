// How long the program takes from its start to the visible panel, against a
// bare Win32 window made and shown in the same process. The panel appears at
// the first tick of the music dialog's 500 ms poll after the drive search,
// so that tick is taken off its time. Run under Wine from the folder of the
// emulated Vesperlink, in a build on the emulated notebook (its drive search
// finds the emulated drives): bench_startup.exe [rounds]. A message box
// would wait for a hand that a benchmark does not have: each is printed
// instead, and the run fails.

#include "app/binding/program_location.h"
#include "app/windows/application.h"
#include "app/windows/forms.h"
#include "app/windows/frm_vesperin.h"
#include "app/windows/message_boxes.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr double PollMs = 500.0;

class PrintedMessageBoxes : public MessageBoxes
{
public:
    void show(HWND, const std::string &caption, const std::string &text, Icon) override
    {
        std::printf("a message box showed: %s: %s\n", caption.c_str(), text.c_str());
        ++shown;
    }
    int shown = 0;
};

PrintedMessageBoxes printedBoxes;

double nowMs()
{
    LARGE_INTEGER frequency{}, counter{};
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return 1000.0 * double(counter.QuadPart) / double(frequency.QuadPart);
}

bool pumpUntil(bool (*done)(), double timeoutMs)
{
    const double start = nowMs();
    MSG message{};
    while (nowMs() - start < timeoutMs) {
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message != WM_QUIT)
                Application::dispatch(message);
        }
        if (done())
            return true;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    }
    return false;
}

HWND bareWindow = nullptr;

bool bareShown()
{
    return bareWindow && IsWindowVisible(bareWindow);
}

bool panelShown()
{
    return frmVesperin && frmVesperin->Visible();
}

double bare()
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "BenchBareWindow";
    RegisterClassA(&windowClass);
    const double start = nowMs();
    bareWindow = CreateWindowExA(0, "BenchBareWindow", "bare", WS_OVERLAPPEDWINDOW, 100, 100, 330,
                                 443, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ShowWindow(bareWindow, SW_SHOW);
    UpdateWindow(bareWindow);
    pumpUntil(bareShown, 5000);
    const double elapsed = nowMs() - start;
    DestroyWindow(bareWindow);
    bareWindow = nullptr;
    return elapsed;
}

double program()
{
    const double start = nowMs();
    if (!createForms(ProgramLocation::libraryPath()) || !pumpUntil(panelShown, 30000) ||
        printedBoxes.shown > 0) {
        destroyForms();
        return -1;
    }
    UpdateWindow(frmVesperin->Handle());
    const double elapsed = nowMs() - start - PollMs;
    destroyForms();
    return elapsed;
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
    MessageBoxes::install(&printedBoxes);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    std::vector<double> bares, programs;
    for (int round = 0; round < rounds; ++round) {
        bares.push_back(bare());
        std::printf("round %d: bare %.1f ms\n", round, bares.back());
        const double took = program();
        if (took < 0) {
            std::printf("the panel did not appear without a message box\n");
            return 1;
        }
        programs.push_back(took);
    }
    const double bareMs = median(bares);
    const double programMs = median(programs);
    std::printf("bare window shown:          %8.1f ms (median of %d)\n", bareMs, rounds);
    std::printf("panel shown, less the poll: %8.1f ms (median of %d)\n", programMs, rounds);
    std::printf("ratio:                      %8.2f (target at most 1.5)\n", programMs / bareMs);
    return 0;
}
