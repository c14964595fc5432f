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

// The interface identifier of IAccessible. Spelled out here because the x86_64 MinGW import
// library of oleacc resolves IID_IAccessible to a code thunk instead of the GUID.
constexpr GUID kIAccessibleId = {
    0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};

// Posted to a control by its default action (accDoDefaultAction): the control clicks when it
// handles it, after the screen reader's call has returned, as the user's click would come. A
// click inside the call could open a modal box or write the firmware while the reader waits.
constexpr UINT DefaultActionMessage = WM_USER + 0x5A0;

// The answer to WM_GETOBJECT; other objects than the client go to fallback.
LRESULT answer(SkControl &control, WPARAM wParam, LPARAM lParam,
               const std::function<LRESULT()> &fallback);
// Tells listeners that the control's state (checked, enabled, focused) changed.
void notifyStateChange(HWND window);
// Tells listeners that the control's name changed.
void notifyNameChange(HWND window);

} // namespace SkAccessible
