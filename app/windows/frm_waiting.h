#pragma once

#include "app/windows/window.h"

class Label;

// The small window that is the only one on screen while the program searches
// the CD drives at start. The user cannot close it; the end of the drive
// search hides it for the rest of the run.
class TfrmWaiting : public Window
{
public:
    // Made visible, centred on the desktop.
    TfrmWaiting();

    // The drive search has ended: the window goes for the rest of the run,
    // also when the program is minimised now and restored later.
    void searchEnded();

    Label *Label1 = nullptr;

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    bool m_searchEnded = false;
};
