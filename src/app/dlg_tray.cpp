// Showing and hiding the window between the screen and the tray, and the
// start-up entry.
#include <windows.h>

#include "app/gripdeck_app.h"
#include "app/gripdeck_dlg.h"
#include "app/launch_entry.h"
#include "app/win_geometry.h"
#include "resource.h"
#include "skin/pad_link.h"

namespace gd {
namespace {

// A window remembered beyond the right or bottom edge of a smaller screen
// comes back flush with the screen's bottom-right corner.
void BringBackOnScreen(CWnd window, int screenWidth, int screenHeight) {
    const Rect before = NormalPosition(window);
    const Rect after = BringOnScreen(before, screenWidth, screenHeight);
    if (after.left != before.left || after.top != before.top) {
        window.SetWindowPos(nullptr, after.left, after.top, 0, 0,
                            SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

}  // namespace

void CGripdeckDlg::ShowHide() {
    FinishStart();
    CGripdeckApp& app = GripdeckApp();
    CWnd picture(PadPictureWindow());
    if (windowShown == 0) {
        ShowWindow(SW_SHOWNORMAL);
        ::SetForegroundWindow(hwnd_);
        BringBackOnScreen(*this, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
        // Beside the main window where it is now, unless the user moved it.
        if (app.summaryVisible) {
            PlaceSummary();
            ShowSummaryWindow(true);
        } else {
            summaryWindow.ShowWindow(SW_HIDE);
        }
        windowShown = 1;
        return;
    }
    app.summaryVisible = summaryWindow.IsWindowVisible();
    ShowWindow(SW_HIDE);
    summaryWindow.ShowWindow(SW_HIDE);
    if (picture.IsWindow()) {
        picture.ShowWindow(SW_HIDE);
    }
    windowShown = 0;
    trayIcon_.UpdateTrayIcon(TrayAction::Modify);
}

void CGripdeckDlg::OnLaunchAtStartup() {
    SetLaunchAtStartup(launchAtStartup == 0);
    // Read back: a key this user may not write keeps what it holds, and the
    // mark shows what Windows will really do at the next logon.
    launchAtStartup = IsLaunchAtStartup() ? 1 : 0;
    CMenuRef(::GetMenu(hwnd_)).CheckItem(ID_OPTIONS_LAUNCH_ON_STARTUP, launchAtStartup != 0);
}

}  // namespace gd
