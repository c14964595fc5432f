#include "window_test_rig.h"

#include "app/binding/program_location.h"
#include "app/windows/forms.h"
#include "app/windows/frm_vesperin.h"
#include "app/windows/window_fonts.h"

#include <QCoreApplication>
#include <QtTest>

void WindowTestRig::prepareApplication()
{
    QCoreApplication::setApplicationName(QStringLiteral("Vesperin"));
    WindowFonts::installSubstitutes();
}

WindowTestRig::WindowTestRig(Screen screen)
{
    if (screen == Screen::Fixed)
        m_screen.emplace(1024, 768);
}

WindowTestRig::~WindowTestRig()
{
    destroyForms();
}

void WindowTestRig::start(LibraryLoader &loader)
{
    QVERIFY(createForms(ProgramLocation::libraryPath(), loader));
    QTRY_VERIFY(frmVesperin->isVisible());
}
