#pragma once

#include "app/binding/library_loader.h"

#include <windows.h>

#include <memory>
#include <string>

class AlarmModel;
class Application;
class MusicDialog;
class OptionsDialog;
class TfrmVesperin;
class TfrmSetTime;
class TfrmSelectMusic;
class TfrmOptions;
class TfrmWaiting;

// The program's windows, one instance each, reached by every window. The
// panel creates the three dialogs during its own creation; all of them are
// null before createForms() and after destroyForms().
extern Application *application;
extern TfrmVesperin *frmVesperin;
extern TfrmSetTime *frmSetTime;
extern TfrmSelectMusic *frmSelectMusic;
extern TfrmOptions *frmOptions;
extern TfrmWaiting *frmWaiting;

// Builds the windows as the program starts: the application window, the
// panel (which binds the bridge library at `libraryPath` and creates the
// dialogs, or reports why it cannot and asks the application to end), then
// the waiting window, shown at once. Answers false when the application was
// asked to end during the start: its message loop then ends at once.
bool createForms(const std::string &libraryPath, LibraryLoader &loader = LibraryLoader::system());

// Destroys every window and clears the instances; safe to call repeatedly.
void destroyForms();

// The music selection and options dialogs, made by their own files, which
// also set frmSelectMusic and frmOptions. They load and write their part of
// `alarm`; `owner` is the window that owns them.
std::unique_ptr<MusicDialog> makeSelectMusic(AlarmModel &alarm, HWND owner);
std::unique_ptr<OptionsDialog> makeOptions(AlarmModel &alarm, HWND owner);
