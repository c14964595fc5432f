#include "app/windows/application.h"

#include "app/windows/message_boxes.h"

Application::Application()
{
    // A popup of no size at the screen's corner: a task bar entry that the
    // user never sees as a window.
    create({"VesperinApplication", MessageBoxes::ApplicationTitle,
            WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 0, 0, 0, nullptr});
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Application::Terminate()
{
    m_terminated = true;
    // Wakes a loop waiting for its next message.
    PostMessageA(Handle(), WM_NULL, 0, 0);
}

namespace {

// Minimising the task bar entry takes every window of the program with it,
// the dialogs that the panel owns included. Windows hides the directly owned
// windows of a minimised owner itself, but not everywhere (Wine without a
// window manager does not), so the program hides and shows them: first the
// windows owned by the entry's own windows, then those the entry owns.
struct OwnedPopups
{
    HWND owner;
    BOOL show;
};

BOOL CALLBACK showPopupsOfOwned(HWND window, LPARAM popups)
{
    const auto &[owner, show] = *reinterpret_cast<const OwnedPopups *>(popups);
    if (GetWindow(window, GW_OWNER) == owner)
        ShowOwnedPopups(window, show);
    return TRUE;
}

void showWindowsOwnedBy(HWND owner, BOOL show)
{
    if (show)
        ShowOwnedPopups(owner, TRUE);
    // The top-level windows come in one list (a walk with GetWindow would
    // ask the window system once for each).
    OwnedPopups popups{owner, show};
    EnumWindows(showPopupsOfOwned, reinterpret_cast<LPARAM>(&popups));
    if (!show)
        ShowOwnedPopups(owner, FALSE);
}

} // namespace

void Application::Minimize()
{
    m_minimized = true;
    showWindowsOwnedBy(Handle(), FALSE);
    ShowWindow(Handle(), SW_MINIMIZE);
}

void Application::Restore()
{
    ShowWindow(Handle(), SW_RESTORE);
    m_minimized = false;
    showWindowsOwnedBy(Handle(), TRUE);
}

void Application::ShowInTaskBar()
{
    ShowWindow(Handle(), SW_SHOWNA);
}

void Application::Run()
{
    MSG message{};
    while (!m_terminated && GetMessageA(&message, nullptr, 0, 0) > 0)
        dispatch(message);
}

void Application::dispatch(MSG &message)
{
    // Tab, the arrows and space act on the controls of the program's
    // window that has the message, as in a dialog.
    const HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    if (root && Window::fromHandle(root) && IsDialogMessageA(root, &message))
        return;
    TranslateMessage(&message);
    DispatchMessageA(&message);
}

LRESULT Application::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CLOSE:
        // Closing the task bar entry ends the program as the panel's close
        // button does.
        Terminate();
        return 0;
    case WM_ACTIVATE:
        // The entry itself cannot be used: the keyboard goes to the window
        // the user had last.
        if (LOWORD(wParam) != WA_INACTIVE && !IsIconic(Handle())) {
            const HWND last = GetLastActivePopup(Handle());
            if (last && last != Handle() && IsWindowVisible(last))
                SetActiveWindow(last);
        }
        return 0;
    case WM_SIZE:
        // Restored from the task bar: the windows hidden with it come back.
        // A size that follows no minimising (the entry's first) has none.
        if (wParam == SIZE_MINIMIZED)
            m_minimized = true;
        else if (wParam == SIZE_RESTORED && m_minimized) {
            m_minimized = false;
            showWindowsOwnedBy(Handle(), TRUE);
        }
        return Window::handleMessage(message, wParam, lParam);
    default:
        return Window::handleMessage(message, wParam, lParam);
    }
}
