#include "pump.h"

#include "app/windows/application.h"

namespace {

void handleQueued()
{
    MSG message{};
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        // A quit request is the program's end, not the test's.
        if (message.message != WM_QUIT)
            Application::dispatch(message);
    }
}

} // namespace

bool pumpUntil(const std::function<bool()> &done, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    for (;;) {
        handleQueued();
        if (done())
            return true;
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeoutMs)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE,
                                  timeoutMs - elapsed > 20 ? 20 : timeoutMs - elapsed, QS_ALLINPUT);
    }
}

void pumpPending()
{
    handleQueued();
}
