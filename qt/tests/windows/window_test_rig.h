#pragma once

#include "app/binding/library_loader.h"
#include "fixed_screen.h"
#include "machine_image.h"
#include "recording_message_boxes.h"

#include <optional>

// What every window test function stands on: a fresh machine image of its
// own, message boxes recorded instead of shown, and (unless the test wants
// the real one) a 1024x768 screen. Destroying the rig destroys the windows
// first, while all of these are still in place.
class WindowTestRig
{
public:
    enum class Screen
    {
        Fixed,
        System,
    };

    // Once per test program: the application's name, which the windows
    // show, and the substitutes of the windows' fonts.
    static void prepareApplication();

    explicit WindowTestRig(Screen screen = Screen::Fixed);
    ~WindowTestRig();
    WindowTestRig(const WindowTestRig &) = delete;
    WindowTestRig &operator=(const WindowTestRig &) = delete;

    // Starts the program against the built Vesperlink and waits for the
    // panel to appear.
    void start(LibraryLoader &loader = LibraryLoader::system());

    MachineImage image;
    RecordingMessageBoxes boxes;

private:
    std::optional<FixedScreen> m_screen;
};
