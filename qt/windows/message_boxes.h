#pragma once

#include <QString>

class QWidget;

// The one place where the program shows a message box. Every box is modal,
// owned by the window concerned and has a single OK button. Tests install
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

    virtual ~MessageBoxes() = default;

    // Shows one box and returns when the user has closed it.
    virtual void show(QWidget *owner, const QString &caption, const QString &text, Icon icon) = 0;

    // The boxes in use: the real ones unless another implementation was installed.
    static MessageBoxes &current();
    // Puts `boxes` in place (not owned); nullptr brings the real ones back.
    static void install(MessageBoxes *boxes);

    // A box captioned with the application's title, as every box of the
    // program is unless it names its own caption.
    static void tell(QWidget *owner, const QString &text, Icon icon);
};
