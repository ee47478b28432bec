#pragma once
// The messages between the main window's pad buttons and the pad picture
// window, and the one place that knows the pad picture window's handle.
#include <windows.h>

namespace gd {

// Main window's pad button -> pad picture window; wParam is the button's
// bitmap id for the shown group, lParam 0.
inline constexpr UINT kPadButtonHover = WM_USER + 100;
inline constexpr UINT kPadButtonLeave = WM_USER + 101;
// Pad picture window -> main window; wParam is the button 0..9 of the group.
inline constexpr UINT kPadPickLowGroup = WM_USER + 102;   // M1-M10
inline constexpr UINT kPadPickHighGroup = WM_USER + 103;  // M11-M20

// Set by the pad picture window when it is created, and cleared (null)
// when it is destroyed, so that no post goes to a stale handle.
void SetPadPictureWindow(HWND window);
// Null while no pad picture window exists.
HWND PadPictureWindow();

}  // namespace gd
