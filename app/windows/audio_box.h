#pragma once

#include "audio/message_box_request.h"

#include <windows.h>

// Shows the boxes that the CD player and the mixer ask for through the
// program's one message box seam, owned by the window that drives them.
class AudioBox
{
public:
    // A callback for the audio code that shows its requests over `owner`.
    static MessageBoxCallback over(HWND owner);
};
