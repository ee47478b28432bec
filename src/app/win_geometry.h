#pragma once
// Rectangles between the system's RECT and the portable rules' Rect.
#include <windows.h>

#include "app/shell_rules.h"

namespace gd {

inline Rect ToRect(const RECT& r) {
    return Rect{r.left, r.top, r.right, r.bottom};
}

// The window's normal (restored) position, in workspace coordinates.
inline Rect NormalPosition(HWND window) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    ::GetWindowPlacement(window, &placement);
    return ToRect(placement.rcNormalPosition);
}

}  // namespace gd
