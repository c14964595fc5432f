#pragma once

#include "app/windows/window.h"

// The application window: titled with the application's title, it is the
// program's one entry in the task bar and the owner of every other window,
// which therefore have no task bar entries of their own and minimise with
// it. It has no size, so nothing of it shows on the screen. It also runs the
// message loop, with the keyboard navigation of dialogs (Tab, space).
class Application : public Window
{
public:
    Application();

    // Ends the message loop; a loop not yet started ends as soon as it starts.
    void Terminate();
    bool Terminated() const { return m_terminated; }
    // Minimises the program: every window goes, the task bar entry stays.
    void Minimize();
    // Restores what Minimize() took away.
    void Restore();
    // Puts the program's entry in the task bar.
    void ShowInTaskBar();

    // Runs the message loop until Terminate().
    void Run();
    // Hands one message to its window, after the dialog keys of the window
    // it belongs to; tests pump their messages through this too.
    static void dispatch(MSG &message);

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    bool m_terminated = false;
    // The entry was minimised, and the windows it owns went with it.
    bool m_minimized = false;
};
