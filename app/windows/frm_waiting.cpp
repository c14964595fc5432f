#include "app/windows/frm_waiting.h"

#include "app/windows/application.h"
#include "app/windows/forms.h"
#include "app/windows/label.h"
#include "app/windows/screen_size.h"
#include "app/windows/window_fonts.h"

TfrmWaiting::TfrmWaiting()
{
    create({"TfrmWaiting", "Vesperin", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 0,
            306, 29, application ? application->Handle() : nullptr});
    Label1 = own(std::make_unique<Label>(Handle(), "Searching CD-ROMs, please wait...", 70, 7));
    Label1->SetFont(WindowFonts::dialogText());
    Label1->SetColour(GetSysColor(COLOR_BTNTEXT));
    Label1->SetOpaque(GetSysColor(COLOR_BTNFACE));

    // Centred by its outer size.
    const ScreenSize::Size screen = ScreenSize::current().size();
    Move((screen.width - Width()) / 2, (screen.height - Height()) / 2);
    Show();
    UpdateWindow(Handle());
}

void TfrmWaiting::searchEnded()
{
    m_searchEnded = true;
    Hide();
}

LRESULT TfrmWaiting::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SHOWWINDOW:
        // Hidden with the minimised program, the window would come back with
        // its restore, and nothing would take it away again.
        if (wParam && lParam == SW_PARENTOPENING && m_searchEnded)
            return 0;
        break;
    case WM_CLOSE:
        // Only the end of the drive search takes this window away.
        return 0;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_MINIMIZE && application) {
            application->Minimize();
            return 0;
        }
        break;
    default:
        break;
    }
    return Window::handleMessage(message, wParam, lParam);
}
