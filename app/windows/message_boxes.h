#pragma once

#include <windows.h>

#include <string>

// The one place where the program shows a message box. Every box is modal,
// owned by the window concerned, captioned with the application's title
// unless it names its own caption, and has a single OK button. Tests install
// their own implementation, which records the boxes and never blocks.
class MessageBoxes
{
public:
    enum class Icon
    {
        None,
        Warning,
        Error,
    };

    // The application's title: the task bar's text and every box's caption.
    static constexpr const char *ApplicationTitle = "Vesperin";

    virtual ~MessageBoxes() = default;

    // Shows one box and returns when the user has closed it.
    virtual void show(HWND owner, const std::string &caption, const std::string &text,
                      Icon icon) = 0;

    // The boxes in use: the system's unless another implementation was installed.
    static MessageBoxes &current();
    // Puts `boxes` in place (not owned); nullptr brings the system's back.
    static void install(MessageBoxes *boxes);

    // A box captioned with the application's title.
    static void tell(HWND owner, const std::string &text, Icon icon);
};
