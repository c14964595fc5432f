#pragma once

#include <QSize>

// The size of the desktop in pixels, as the windows place themselves by it.
// Tests install their own to place windows on a screen of known size.
class ScreenSize
{
public:
    virtual ~ScreenSize() = default;
    virtual QSize size() const = 0;

    // The screen in use: the primary screen unless another size was installed.
    static const ScreenSize &current();
    // Puts `screen` in place (not owned); nullptr brings the real one back.
    static void install(const ScreenSize *screen);
};
