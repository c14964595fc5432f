#include "qt/windows/forms.h"

#include "qt/windows/frm_options.h"
#include "qt/windows/frm_select_music.h"
#include "qt/windows/frm_set_time.h"
#include "qt/windows/frm_vesperin.h"
#include "qt/windows/frm_waiting.h"

TfrmVesperin *frmVesperin = nullptr;
TfrmSetTime *frmSetTime = nullptr;
TfrmSelectMusic *frmSelectMusic = nullptr;
TfrmOptions *frmOptions = nullptr;
TfrmWaiting *frmWaiting = nullptr;

bool createForms(const std::string &libraryPath, LibraryLoader &loader)
{
    destroyForms();
    frmVesperin = new TfrmVesperin(libraryPath, loader);
    if (frmVesperin->startupFailed())
        return false;
    frmWaiting = new TfrmWaiting;
    frmWaiting->show();
    return true;
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
}
