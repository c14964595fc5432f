#include "app/windows/screen_size.h"

#include <windows.h>

namespace {

// The resolution of the desktop window's device context.
class DesktopSize : public ScreenSize
{
public:
    Size size() const override
    {
        const HWND desktop = GetDesktopWindow();
        const HDC dc = GetDC(desktop);
        const Size result{GetDeviceCaps(dc, HORZRES), GetDeviceCaps(dc, VERTRES)};
        ReleaseDC(desktop, dc);
        return result;
    }
};

const ScreenSize *installed = nullptr;

} // namespace

const ScreenSize &ScreenSize::current()
{
    static const DesktopSize desktop;
    return installed ? *installed : desktop;
}

void ScreenSize::install(const ScreenSize *screen)
{
    installed = screen;
}
