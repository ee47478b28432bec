#pragma once
// The one place that knows the pad picture window's handle; the messages
// between it and the main window's pad buttons are in window_messages.h.
#include <windows.h>

#include "window_messages.h"

namespace gd {

// Set by the pad picture window when it is created, and cleared (null)
// when it is destroyed, so that no post goes to a stale handle.
void SetPadPictureWindow(HWND window);
// Null while no pad picture window exists.
HWND PadPictureWindow();

}  // namespace gd
