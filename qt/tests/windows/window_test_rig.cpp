#include "window_test_rig.h"

#include "app/binding/program_location.h"
#include "qt/windows/forms.h"
#include "qt/windows/frm_vesperin.h"
#include "qt/windows/window_fonts.h"

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
