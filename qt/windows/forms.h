#pragma once

#include "app/binding/library_loader.h"

#include <string>

class TfrmVesperin;
class TfrmSetTime;
class TfrmSelectMusic;
class TfrmOptions;
class TfrmWaiting;

// The program's windows, one instance each, reached by every window. The
// panel creates the three dialogs during its own creation; all of them are
// null before createForms() and after destroyForms().
extern TfrmVesperin *frmVesperin;
extern TfrmSetTime *frmSetTime;
extern TfrmSelectMusic *frmSelectMusic;
extern TfrmOptions *frmOptions;
extern TfrmWaiting *frmWaiting;

// Builds the windows as the program starts: the panel (which binds the bridge
// library at `libraryPath` and creates the dialogs, or reports why it cannot),
// then the waiting window, shown at once. Answers false when the panel
// reported a start-up failure: the program then ends without running.
bool createForms(const std::string &libraryPath, LibraryLoader &loader = LibraryLoader::system());

// Destroys every window and clears the instances; safe to call repeatedly.
void destroyForms();
