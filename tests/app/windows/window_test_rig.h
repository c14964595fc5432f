#pragma once

#include "app/binding/library_loader.h"
#include "fixed_screen.h"
#include "machine_image.h"
#include "recording_message_boxes.h"

#include <windows.h>

class Label;

#include <optional>
#include <string>

// What every window test stands on: a fresh machine image of its own, the
// emulated test Vesperlink, message boxes recorded instead of shown, and
// (unless the test wants the real one) a 1024x768 screen. Destroying the rig
// destroys the windows first, while all of these are still in place.
class WindowTestRig
{
public:
    enum class Screen
    {
        Fixed,
        System,
    };

    explicit WindowTestRig(Screen screen = Screen::Fixed);
    ~WindowTestRig();
    WindowTestRig(const WindowTestRig &) = delete;
    WindowTestRig &operator=(const WindowTestRig &) = delete;

    // The Vesperlink on the emulated notebook that the tests load.
    static std::string libraryPath();

    // Starts the program as its entry does and waits (bounded) for the
    // panel to appear; false when it did not.
    bool start(LibraryLoader &loader = LibraryLoader::system());

    MachineImage image;
    RecordingMessageBoxes boxes;

private:
    std::optional<FixedScreen> m_screen;
};

// The colour the screen shows at a point of a window's client area.
COLORREF screenPixel(HWND window, int x, int y);
// Presses and releases the left button at a point of a window's client
// area through the system's input, as the user would.
void clickAt(HWND window, int x, int y);
// Drags with `button` held from a point of a window's client area by dx, dy.
void dragFrom(HWND window, int x, int y, int dx, int dy, bool rightButton = false);
// Drags a window by the left button from near the top left of one of its
// labels by 25, 15 and waits (bounded) for it to arrive there; false when it
// did not move so.
bool dragMovesTheWindow(HWND window, const Label &by);
// How wide `text` is drawn in `font` on `window`.
int textWidth(HWND window, HFONT font, const char *text);
