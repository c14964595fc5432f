#pragma once

#include <windows.h>

#include <memory>
#include <vector>

class Timer;

// A top-level window owned by one C++ object. The window procedure finds the
// object through the pointer handed to CreateWindowEx and kept in the
// window's user data from WM_NCCREATE on. Notifications of standard controls
// (WM_COMMAND, WM_CTLCOLOR*) are handed to the control's own object. The
// object owns the controls made for the window and destroys them, then the
// window, when it goes.
class Window
{
public:
    Window(const Window &) = delete;
    Window &operator=(const Window &) = delete;
    virtual ~Window();

    HWND Handle() const { return m_handle; }
    void Show();
    void Hide();
    bool Visible() const;
    // The outer rectangle, frame included, in screen pixels.
    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    void Move(int left, int top);

    // Keeps `control` alive as long as the window's controls are.
    template <typename Control> Control *own(std::unique_ptr<Control> control)
    {
        Control *const raw = control.get();
        m_controls.push_back(std::shared_ptr<Control>(std::move(control)));
        return raw;
    }

    // The window object behind `handle`, if it is one of these windows.
    static Window *fromHandle(HWND handle);

protected:
    struct Frame
    {
        const char *className;
        const char *caption;
        DWORD style;
        DWORD exStyle;
        int left;
        int top;
        int clientWidth;
        int clientHeight;
        HWND owner;
    };

    Window() = default;
    // Creates the window with a client area of the frame's size.
    void create(const Frame &frame);
    // Answers one message; the default hands control notifications to the
    // controls' objects, timers to their timers, and the rest to the system.
    virtual LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void destroyControls();

private:
    friend class Timer;
    static LRESULT CALLBACK procedure(HWND handle, UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_handle = nullptr;
    std::vector<std::shared_ptr<void>> m_controls;
    std::vector<Timer *> m_timers;
};
