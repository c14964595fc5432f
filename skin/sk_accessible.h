#pragma once

#include <windows.h>

#include <functional>

class SkControl;

// What assistive technology (Microsoft Active Accessibility) is told about a skinned control:
// its role, its name and its state, answered to WM_GETOBJECT by a small accessible object of the
// control's window.
namespace SkAccessible {

// The roles, as the accessibility interface numbers them.
constexpr int kPushButton = 0x2B;  // ROLE_SYSTEM_PUSHBUTTON
constexpr int kCheckButton = 0x2C; // ROLE_SYSTEM_CHECKBUTTON
constexpr int kRadioButton = 0x2D; // ROLE_SYSTEM_RADIOBUTTON

// The answer to WM_GETOBJECT; other objects than the client go to fallback.
LRESULT answer(SkControl &control, WPARAM wParam, LPARAM lParam,
               const std::function<LRESULT()> &fallback);
// Tells listeners that the control's state (checked, enabled, focused) changed.
void notifyStateChange(HWND window);

} // namespace SkAccessible
