#include "app/binding/program_location.h"
#include "app/windows/application.h"
#include "app/windows/forms.h"
#include "app/windows/message_boxes.h"
#include "app/windows/startup_phases.h"

#include <windows.h>

#include <exception>

// The program takes no command line and reads no settings: everything it
// shows comes from the firmware through Vesperlink and from the drive search.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    StartupPhases::mark("WinMain");
    try {
        if (createForms(ProgramLocation::libraryPath()))
            application->Run();
    } catch (const std::exception &error) {
        MessageBoxes::tell(nullptr, error.what(), MessageBoxes::Icon::Error);
    }
    destroyForms();
    return 0;
}
