#pragma once

#include <windows.h>

// The base of every window the skin toolkit makes: the object owns its window handle, and the
// window procedure finds the object through the pointer given at creation and kept in the
// window's user data. Destroying the object destroys the window; a window destroyed first (with
// its parent) leaves the object without a handle.
class SkWindow
{
public:
    SkWindow(const SkWindow &) = delete;
    SkWindow &operator=(const SkWindow &) = delete;
    virtual ~SkWindow();

    HWND Handle() const { return m_hwnd; }

    // The object of a window made by the skin toolkit, or null for any other window.
    static SkWindow *FromHandle(HWND window);

protected:
    SkWindow() = default;

    // Registers the window class on first use and creates the window. Messages that arrive
    // during creation reach the handleMessage of the class that calls create.
    void create(const char *className, UINT classStyle, DWORD style, DWORD exStyle, HWND parent,
                int left, int top, int width, int height);

    virtual LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_hwnd = nullptr;
};
