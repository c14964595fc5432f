#include "app/windows/setting_dialog.h"

void SettingDialog::createDialog(const char *className, const char *caption, int clientWidth,
                                 int clientHeight, HWND owner)
{
    create({className, caption, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN,
            WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, 0, 0, clientWidth, clientHeight, owner});
}

LRESULT SettingDialog::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CLOSE:
        clickClose();
        return 0;
    case WM_SYSCOMMAND:
        // The dialog has no minimise box; the system menu's minimise, if
        // any, minimises the program with it.
        if ((wParam & 0xFFF0) == SC_MINIMIZE) {
            ShowWindow(GetWindow(Handle(), GW_OWNER), SW_MINIMIZE);
            return 0;
        }
        break;
    case WM_SHOWWINDOW:
        // lParam tells a show or hide that comes with the owner's
        // minimising or restoring, which leaves the values as they are.
        if (lParam == 0) {
            if (wParam)
                FormShow();
            else
                FormHide();
        }
        break;
    case WM_COMMAND:
        // Enter and Escape of the dialog keys mean nothing here.
        if (lParam == 0 && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL))
            return 0;
        break;
    default:
        break;
    }
    return Window::handleMessage(message, wParam, lParam);
}
