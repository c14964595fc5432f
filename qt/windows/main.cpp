#include "app/binding/program_location.h"
#include "qt/windows/forms.h"
#include "qt/windows/message_boxes.h"
#include "qt/windows/window_fonts.h"

#include <QApplication>

#include <exception>

// The program takes no command line and reads no settings: everything it
// shows comes from the firmware through Vesperlink and from the drive search.
int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    // The title captions every message box. No display name is set, so the
    // platform appends nothing to the windows' own titles.
    QCoreApplication::setApplicationName(QStringLiteral("Vesperin"));
    WindowFonts::installSubstitutes();

    try {
        if (createForms(ProgramLocation::libraryPath()))
            QApplication::exec();
    } catch (const std::exception &error) {
        MessageBoxes::tell(nullptr, QString::fromLocal8Bit(error.what()),
                           MessageBoxes::Icon::Error);
    }
    destroyForms();
    return 0;
}
