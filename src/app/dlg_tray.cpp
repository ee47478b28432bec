// The tray icon, showing and hiding the window, and the start-up entry.
#include <windows.h>
#include <shellapi.h>

#include <cstring>

#include "app/gripdeck_app.h"
#include "app/gripdeck_dlg.h"
#include "app/launch_entry.h"
#include "app/main_window_messages.h"
#include "app/win_geometry.h"
#include "fw/text.h"
#include "resource.h"
#include "skin/pad_link.h"

namespace gd {
namespace {

constexpr UINT kBalloonTimeoutMs = 10000;

// The record in its extended form with balloon texts (488 bytes on 32-bit
// Windows), which every version of the shell understands.
#ifdef NOTIFYICONDATAA_V2_SIZE
constexpr DWORD kNotifyIconSize = NOTIFYICONDATAA_V2_SIZE;
#else
constexpr DWORD kNotifyIconSize = sizeof(NOTIFYICONDATAA);
#endif

template <std::size_t N>
void CopyText(char (&field)[N], const std::string& text) {
    const std::size_t count = text.size() < N ? text.size() : N - 1;
    std::memcpy(field, text.data(), count);
    field[count] = '\0';
}

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

void CGripdeckDlg::UpdateTrayIcon(TrayAction action) {
    NOTIFYICONDATAA data{};
    data.cbSize = kNotifyIconSize;
    data.hWnd = hwnd_;
    data.uID = kTrayIconId;
    data.uCallbackMessage = kTrayCallbackMessage;
    switch (action) {
        case TrayAction::Add:
            data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
            data.hIcon = smallIcon_.get();
            CopyText(data.szTip, LoadText(IDS_APP_TITLE));
            ::Shell_NotifyIconA(NIM_ADD, &data);
            return;
        case TrayAction::Modify:
            data.uFlags = NIF_MESSAGE | NIF_INFO;
            CopyText(data.szInfoTitle, LoadText(IDS_APP_TITLE));
            CopyText(data.szInfo, LoadText(IDS_TRAY_BALLOON));
            data.uTimeout = kBalloonTimeoutMs;
            ::Shell_NotifyIconA(NIM_MODIFY, &data);
            return;
        case TrayAction::Delete:
            data.uFlags = 0;
            data.uCallbackMessage = 0;
            ::Shell_NotifyIconA(NIM_DELETE, &data);
            return;
    }
}

void CGripdeckDlg::ShowHide() {
    CGripdeckApp& app = GripdeckApp();
    CWnd picture(PadPictureWindow());
    if (windowShown == 0) {
        const int screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
        const int screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
        if (app.summaryVisible) {
            summaryWindow.ShowWindow(SW_SHOWNOACTIVATE);
            BringBackOnScreen(summaryWindow, screenWidth, screenHeight);
        } else {
            summaryWindow.ShowWindow(SW_HIDE);
        }
        ShowWindow(SW_SHOWNORMAL);
        ::SetForegroundWindow(hwnd_);
        BringBackOnScreen(*this, screenWidth, screenHeight);
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
    UpdateTrayIcon(TrayAction::Modify);
}

LRESULT CGripdeckDlg::OnTaskbarCreated(WPARAM, LPARAM) {
    // A restarted Explorer has an empty notification area: the icon is
    // added again, or the program would have no way back from the tray.
    UpdateTrayIcon(TrayAction::Add);
    return 0;
}

LRESULT CGripdeckDlg::OnTrayNotify(WPARAM, LPARAM mouseMessage) {
    switch (static_cast<UINT>(mouseMessage)) {
        case WM_LBUTTONDOWN:
            ShowHide();
            return 0;
        case WM_RBUTTONUP:
            ShowTrayMenu();
            return 0;
        default:
            SetMsgHandled(false);
            return 0;
    }
}

void CGripdeckDlg::ShowTrayMenu() {
    POINT cursor{};
    ::GetCursorPos(&cursor);
    ::SetForegroundWindow(hwnd_);
    trayMenu_.GetSubMenu(0).TrackPopup(hwnd_, cursor, TPM_LEFTALIGN | TPM_RIGHTBUTTON);
    // Without a message after it, a tray menu left open by a click
    // elsewhere would not close the next time.
    PostMessage(WM_NULL);
}

void CGripdeckDlg::OnLaunchAtStartup() {
    SetLaunchAtStartup(launchAtStartup == 0);
    // Read back: a key this user may not write keeps what it holds, and the
    // mark shows what Windows will really do at the next logon.
    launchAtStartup = IsLaunchAtStartup() ? 1 : 0;
    CMenuRef(::GetMenu(hwnd_))
        .GetSubMenu(1)
        .CheckItem(ID_OPTIONS_LAUNCH_ON_STARTUP, launchAtStartup != 0);
}

}  // namespace gd
