// Where the summary window and the pad picture open: where the user left
// them, else beside the main window on its monitor, covering neither it nor
// each other where there is room.
#include <vector>

#include "app/gripdeck_app.h"
#include "app/gripdeck_dlg.h"
#include "app/win_geometry.h"
#include "app/window_placement.h"

namespace gd {
namespace {

bool SamePlace(const Rect& a, const Rect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

Rect PlaceOf(CWnd window) {
    return ToRect(window.GetWindowRect());
}

void MoveTo(CWnd window, const Rect& place) {
    window.SetWindowPos(nullptr, place.left, place.top, 0, 0,
                        SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

void CGripdeckDlg::PlaceCompanion(CWnd window, CompanionPlace& place,
                                  const std::optional<WindowSpot>& stored, CWnd other) {
    const Rect now = PlaceOf(window);
    // Moved since the program put it there: the user's place, kept as long
    // as it is on a monitor.
    if (place.shown && !SamePlace(now, place.placed)) {
        place.byUser = true;
    }
    std::optional<Rect> kept;
    if (place.byUser) {
        kept = PlaceStored(now, MonitorWorkAreas());
    } else if (!place.shown && stored) {
        kept = PlaceStored(
            Rect{stored->left, stored->top, stored->left + now.Width(), stored->top + now.Height()},
            MonitorWorkAreas());
    }
    place.shown = true;
    place.byUser = kept.has_value();
    if (kept) {
        place.placed = *kept;
    } else {
        std::vector<Rect> taken;
        if (other.IsWindow() && other.IsWindowVisible()) {
            taken.push_back(PlaceOf(other));
        }
        place.placed =
            PlaceBeside(ScreenPlace(hwnd_), now.Width(), now.Height(), WorkAreaOf(hwnd_), taken);
    }
    MoveTo(window, place.placed);
}

void CGripdeckDlg::PlaceSummary() {
    PlaceCompanion(summaryWindow, summaryPlace_, GripdeckApp().summarySpot, padPictureWindow);
}

void CGripdeckDlg::PlacePadPicture(CWnd picture) {
    PlaceCompanion(picture, picturePlace_, GripdeckApp().padPictureSpot, summaryWindow);
}

void CGripdeckDlg::TakeCompanionSpots() {
    CGripdeckApp& app = GripdeckApp();
    const struct {
        CWnd window;
        CompanionPlace& place;
        std::optional<WindowSpot>& spot;
    } companions[] = {
        {summaryWindow, summaryPlace_, app.summarySpot},
        {padPictureWindow, picturePlace_, app.padPictureSpot},
    };
    for (const auto& companion : companions) {
        if (!companion.window.IsWindow() || !companion.place.shown) {
            continue;
        }
        const Rect now = PlaceOf(companion.window);
        if (companion.place.byUser || !SamePlace(now, companion.place.placed)) {
            companion.spot = WindowSpot{now.left, now.top};
        }
    }
}

}  // namespace gd
