#pragma once

#include "app/windows/window.h"

// One of the three setting dialogs that open beside the panel: a modeless
// window owned by the application window, cut to its background picture,
// created once and alive for the whole run. Its controls hold the
// application's copy of its part of the alarm; the panel shows what they
// hold. Closing it through the window system (Alt+F4, the system menu) acts
// exactly as its close button, which acts as Cancel. Each show by the
// program reloads its values from the firmware.
class SettingDialog : public Window
{
public:
    // Clicks the dialog's close button (skbClose), as the panel does to
    // close a dialog.
    virtual void clickClose() = 0;

protected:
    SettingDialog() = default;
    // Creates the dialog's window with a client area of that size.
    void createDialog(const char *className, const char *caption, int clientWidth, int clientHeight,
                      HWND owner);
    // Runs each time the program shows the dialog (not when it comes back
    // with the restored program).
    virtual void FormShow() {}
    // Runs whenever the dialog goes out of sight.
    virtual void FormHide() {}

    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};
