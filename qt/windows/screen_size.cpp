#include "qt/windows/screen_size.h"

#include <QGuiApplication>
#include <QScreen>

namespace {

class PrimaryScreenSize : public ScreenSize
{
public:
    QSize size() const override
    {
        const QScreen *screen = QGuiApplication::primaryScreen();
        return screen ? screen->size() : QSize();
    }
};

const PrimaryScreenSize primaryScreen;
const ScreenSize *installed = nullptr;

} // namespace

const ScreenSize &ScreenSize::current()
{
    return installed ? *installed : primaryScreen;
}

void ScreenSize::install(const ScreenSize *screen)
{
    installed = screen;
}
