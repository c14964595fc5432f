#pragma once

#include "app/windows/standard_control.h"

#include <functional>
#include <string>

// A BUTTON of the system's own: a push button or a group box.
class PlainButton : public StandardControl
{
public:
    enum class Kind
    {
        Push,
        Group,
    };

    PlainButton(HWND parent, Kind kind, const std::string &text, int left, int top, int width,
                int height);

    // Clicks the button as the user would.
    void Click();

    std::function<void()> OnClick;

    void command(WORD code) override;
};
