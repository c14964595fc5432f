#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// A tooltip that tells when the alarm rings next over some labels of a
// window. The labels answer no hit test, so the mouse reaches the window
// beneath them (`surface`); the tooltip's tools are the labels' rectangles on
// it. The text is asked of `text` each time the tooltip is about to show
// (TTN_GETDISPINFO), so it follows the clock without a timer.
class NextRingTip
{
public:
    NextRingTip(HWND surface, const std::vector<HWND> &labels, std::function<std::string()> text);
    ~NextRingTip();
    NextRingTip(const NextRingTip &) = delete;
    NextRingTip &operator=(const NextRingTip &) = delete;

    HWND Handle() const { return m_tooltip; }

    // The labels moved or were resized (a label sized to its text changes
    // with the text): the tools follow them.
    void followLabels();

private:
    RECT labelArea(HWND label) const;

    static LRESULT CALLBACK surfaceProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_surface;
    std::vector<HWND> m_labels;
    HWND m_tooltip = nullptr;
    WNDPROC m_previous = nullptr;
    std::function<std::string()> m_text;
    std::string m_shown; // kept alive while the tooltip shows it
};
