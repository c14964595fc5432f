#pragma once

// The size of the desktop in pixels, by which the windows place themselves.
// Tests install their own to place windows on a screen of known size.
class ScreenSize
{
public:
    struct Size
    {
        int width;
        int height;
    };

    virtual ~ScreenSize() = default;
    virtual Size size() const = 0;

    // The screen in use: the desktop's unless another size was installed.
    static const ScreenSize &current();
    // Puts `screen` in place (not owned); nullptr brings the desktop's back.
    static void install(const ScreenSize *screen);
};
