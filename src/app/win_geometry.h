#pragma once
// Rectangles between the system's RECT and the portable rules' Rect, and
// the monitors' work areas the placement rules take.
#include <windows.h>

#include <vector>

#include "app/shell_rules.h"
#include "app/window_placement.h"

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

// The work area (the monitor less its taskbars) of the monitor that holds
// most of the window, or the nearest one.
inline Rect WorkAreaOf(HWND window) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    ::GetMonitorInfoA(::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info);
    return ToRect(info.rcWork);
}

// Adds a monitor's work area to the vector `found` points to. A function of
// its own: the system calls it with the stdcall convention, which a lambda
// does not take on 32-bit Windows.
inline BOOL CALLBACK AddMonitorWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM found) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (::GetMonitorInfoA(monitor, &info)) {
        reinterpret_cast<std::vector<Rect>*>(found)->push_back(ToRect(info.rcWork));
    }
    return TRUE;
}

// Every monitor's work area.
inline std::vector<Rect> MonitorWorkAreas() {
    std::vector<Rect> areas;
    ::EnumDisplayMonitors(nullptr, nullptr, AddMonitorWorkArea, reinterpret_cast<LPARAM>(&areas));
    return areas;
}

// The window's place on the screen as it is when shown: a minimized window
// reports a place far off the screen, so its restored place stands in,
// taken from workspace into screen coordinates.
inline Rect ScreenPlace(HWND window) {
    if (!::IsIconic(window)) {
        RECT place{};
        ::GetWindowRect(window, &place);
        return ToRect(place);
    }
    Rect place = NormalPosition(window);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if ((::GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) == 0 &&
        ::GetMonitorInfoA(::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info)) {
        const LONG dx = info.rcWork.left - info.rcMonitor.left;
        const LONG dy = info.rcWork.top - info.rcMonitor.top;
        place = Rect{place.left + dx, place.top + dy, place.right + dx, place.bottom + dy};
    }
    return place;
}

// CDialog's modal placement: a dialog centred on its owner, on the owner's
// monitor. An owner out of sight (the main window in the tray) leaves the
// system's place, the middle of the screen.
inline void CentreOnOwner(HWND dialog, HWND owner) {
    if (!::IsWindowVisible(owner) || ::IsIconic(owner)) {
        return;
    }
    RECT own{};
    RECT size{};
    ::GetWindowRect(owner, &own);
    ::GetWindowRect(dialog, &size);
    const Rect placed =
        CentreOn(ToRect(own), size.right - size.left, size.bottom - size.top, WorkAreaOf(owner));
    ::SetWindowPos(dialog, nullptr, placed.left, placed.top, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace gd
