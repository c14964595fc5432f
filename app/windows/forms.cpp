#include "app/windows/forms.h"

#include "app/windows/application.h"
#include "app/windows/frm_vesperin.h"
#include "app/windows/frm_waiting.h"
#include "app/windows/startup_phases.h"

Application *application = nullptr;
TfrmVesperin *frmVesperin = nullptr;
TfrmSetTime *frmSetTime = nullptr;
TfrmSelectMusic *frmSelectMusic = nullptr;
TfrmOptions *frmOptions = nullptr;
TfrmWaiting *frmWaiting = nullptr;

bool createForms(const std::string &libraryPath, LibraryLoader &loader)
{
    destroyForms();
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
}
