#include "app/windows/forms.h"

#include "app/windows/application.h"
#include "app/windows/frm_vesperin.h"
#include "app/windows/frm_waiting.h"
#include "app/windows/startup_phases.h"

#include <objbase.h>

Application *application = nullptr;
TfrmVesperin *frmVesperin = nullptr;
TfrmSetTime *frmSetTime = nullptr;
TfrmSelectMusic *frmSelectMusic = nullptr;
TfrmOptions *frmOptions = nullptr;
TfrmWaiting *frmWaiting = nullptr;

namespace {

// Whether createForms joined the window thread to a COM apartment, which
// destroyForms then leaves.
bool comJoined = false;

} // namespace

bool createForms(const std::string &libraryPath, LibraryLoader &loader)
{
    destroyForms();
    // The controls answer screen readers (WM_GETOBJECT) with objects that
    // COM hands to the reader's thread: the window thread needs an
    // apartment of its own for that, single-threaded, so that every call
    // of the reader runs here, between the messages.
    comJoined = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    application = new Application;
    // The panel's creation is the start: the bridge, the dialogs, the drive
    // search, or a reported failure and a request to end.
    frmVesperin = new TfrmVesperin(libraryPath, loader);
    // The waiting window comes even after a failure; the loop that would
    // show it then ends at once.
    frmWaiting = new TfrmWaiting;
    application->ShowInTaskBar();
    StartupPhases::mark("waiting-window");
    return !application->Terminated();
}

void destroyForms()
{
    delete frmWaiting;
    frmWaiting = nullptr;
    // The dialogs belong to the panel and go with it.
    delete frmVesperin;
    frmVesperin = nullptr;
    frmSetTime = nullptr;
    frmSelectMusic = nullptr;
    frmOptions = nullptr;
    delete application;
    application = nullptr;
    if (comJoined)
        CoUninitialize();
    comJoined = false;
}
