#include "skin/sk_accessible.h"

#include "skin/sk_control.h"

namespace SkAccessible {

LRESULT answer(SkControl &, WPARAM, LPARAM, const std::function<LRESULT()> &fallback)
{
    return fallback();
}

void notifyStateChange(HWND window)
{
    NotifyWinEvent(EVENT_OBJECT_STATECHANGE, window, OBJID_CLIENT, CHILDID_SELF);
}

} // namespace SkAccessible
