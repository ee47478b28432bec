// The pad: the re-check after device changes, the APPLY button's look, and
// the driver's reinstallation.
#include <windows.h>
#include <dbt.h>

#include "app/gripdeck_dlg.h"

namespace gd {
BOOL CGripdeckDlg::OnDeviceChange(UINT event, DWORD_PTR) {
    if (event == DBT_DEVNODES_CHANGED && deviceCheck_.OnDevicesChanged()) {
        SetTimer(kDeviceCheckTimer, kDeviceCheckDelayMs);
    }
    SetMsgHandled(false);
    return TRUE;
}

void CGripdeckDlg::RunDeviceCheck() {
    if (!deviceCheck_.BeginCheck()) {
        return;
    }
    driverHost_.SetMainWindow(hwnd_);
    // A pad seen without its driver while APPLY is drawn disabled gets its
    // driver installed.
    const bool present = driverLink_.IsDevicePresent(!apply_.IsLookEnabled());
    apply_.SetDisabledLook(!present);
    apply_.UpdateWindow();
    KillTimer(kDeviceCheckTimer);
    deviceCheck_.FinishCheck();
}

void CGripdeckDlg::OnReinstallDriver() {
    driverLink_.ReinstallDriverCommand();
}

LRESULT CGripdeckDlg::OnQueryApplyLook(WPARAM, LPARAM) {
    return apply_.IsLookEnabled() ? 1 : 0;
}

}  // namespace gd
