#include "app/tray_icon.h"

#include <cstring>
#include <string>

#include "window_messages.h"
#include "fw/dialog.h"
#include "fw/text.h"
#include "resource.h"

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

}  // namespace

const MessageMap& TrayIcon::GetMessageMap() const {
    using T = TrayIcon;
    static constexpr Route kRoutes[] = {
        OnMessage<kTrayCallbackMessage, &T::OnTrayNotify>(),
        OnRegisteredMessage<&T::OnTaskbarCreated>("TaskbarCreated"),
        OnCommand<&T::OnShowHide>(ID_TRAY_SHOW_HIDE),
    };
    static const MessageMap kMap{kRoutes, nullptr};
    return kMap;
}

void TrayIcon::Attach(HWND window, HICON icon) {
    window_ = window;
    icon_ = icon;
    menu_.LoadMenu(IDR_MENU_TRAY);
}

void TrayIcon::UpdateTrayIcon(TrayAction action) {
    NOTIFYICONDATAA data{};
    data.cbSize = kNotifyIconSize;
    data.hWnd = window_;
    data.uID = kTrayIconId;
    data.uCallbackMessage = kTrayCallbackMessage;
    switch (action) {
        case TrayAction::Add:
            data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
            data.hIcon = icon_;
            CopyText(data.szTip, LoadText(IDS_APP_TITLE));
            ::Shell_NotifyIconA(NIM_ADD, &data);
            return;
        case TrayAction::Modify:
            ShowBalloon(LoadText(IDS_TRAY_BALLOON));
            return;
        case TrayAction::Delete:
            data.uFlags = 0;
            data.uCallbackMessage = 0;
            ::Shell_NotifyIconA(NIM_DELETE, &data);
            return;
    }
}

LRESULT TrayIcon::OnTaskbarCreated(WPARAM, LPARAM) {
    // A restarted Explorer has an empty notification area: the icon is
    // added again, or the program would have no way back from the tray.
    UpdateTrayIcon(TrayAction::Add);
    return 0;
}

LRESULT TrayIcon::OnTrayNotify(WPARAM, LPARAM mouseMessage) {
    switch (static_cast<UINT>(mouseMessage)) {
        case WM_LBUTTONDOWN:
            // The menu's Show/Hide, the way the menu's commands go: under
            // an open dialog it brings that dialog to the front instead.
            ::SendMessageA(window_, WM_COMMAND, ID_TRAY_SHOW_HIDE, 0);
            return 0;
        case WM_RBUTTONUP:
            ShowMenu();
            return 0;
        default:
            SetMsgHandled(false);
            return 0;
    }
}

void TrayIcon::ShowMenu() {
    POINT cursor{};
    ::GetCursorPos(&cursor);
    ::SetForegroundWindow(window_);
    Menu().TrackPopup(window_, cursor, TPM_LEFTALIGN | TPM_RIGHTBUTTON);
    // Without a message after it, a tray menu left open by a click
    // elsewhere would not close the next time.
    ::PostMessageA(window_, WM_NULL, 0, 0);
    // A dialog open over the window goes on in front, whatever the menu
    // ended with: a key capture behind its own window takes its dialog keys
    // as any other key.
    if (HWND dialog = ModalDialogOver(window_)) {
        ::SetForegroundWindow(dialog);
    }
}

void TrayIcon::ShowBalloon(const std::string& text, DWORD iconFlags) {
    NOTIFYICONDATAA data{};
    data.cbSize = kNotifyIconSize;
    data.hWnd = window_;
    data.uID = kTrayIconId;
    data.uCallbackMessage = kTrayCallbackMessage;
    data.uFlags = NIF_MESSAGE | NIF_INFO;
    CopyText(data.szInfoTitle, LoadText(IDS_APP_TITLE));
    CopyText(data.szInfo, text);
    data.uTimeout = kBalloonTimeoutMs;
    data.dwInfoFlags = iconFlags;
    ::Shell_NotifyIconA(NIM_MODIFY, &data);
}

}  // namespace gd
