// A second start: the running copy comes up, and a profile path it was
// handed opens once no dialog of the program stands in the way.
#include "app/gripdeck_dlg.h"

#include "app/recent_files.h"
#include "window_messages.h"

namespace gd {

LRESULT CGripdeckDlg::OnSecondStart(WPARAM, LPARAM) {
    if (windowShown == 0) {
        ShowHide();
    }
    return 0;
}

LRESULT CGripdeckDlg::OnForwardedChar(WPARAM character, LPARAM lengthAndIndex) {
    const std::optional<std::string> path = forwarded_.Receive(
        static_cast<std::intptr_t>(character), static_cast<std::intptr_t>(lengthAndIndex));
    if (!path) {
        return 0;
    }
    forwardedOpen_.Keep(*path);
    // The user sees at once that the start arrived: the window, or the
    // dialog open over it, comes to the front.
    if (IsWindowVisible()) {
        ::SetForegroundWindow(::GetLastActivePopup(hwnd_));
    }
    // Opened from the window's own message, not inside the second copy's
    // call, which would wait for every question and dialog of the open.
    PostMessage(kOpenForwardedMessage);
    return 0;
}

LRESULT CGripdeckDlg::OnEnable(WPARAM enabled, LPARAM) {
    if (enabled != 0 && forwardedOpen_.IsWaiting()) {
        // Posted: the code that ran the dialog has not finished yet.
        PostMessage(kOpenForwardedMessage);
    }
    SetMsgHandled(false);
    return 0;
}

bool CGripdeckDlg::HoldForOpenDialog() {
    // A menu's loop hands on posted messages too: a profile opened under an
    // open menu would take the command chosen for the one shown before.
    if (!IsWindowEnabled() || inMenu_) {
        return true;
    }
    if (ModalDialogOver(hwnd_) == nullptr) {
        return false;
    }
    // A dialog that ended over another one has enabled the main window while
    // the other is still open. Disabled again, as that dialog's modal run
    // expects, its close enables it and the path follows.
    EnableWindow(FALSE);
    return true;
}

LRESULT CGripdeckDlg::OnOpenForwarded(WPARAM, LPARAM) {
    OpenForwardedPath();
    return 0;
}

void CGripdeckDlg::OpenForwardedPath() {
    {
        const std::optional<ForwardedOpen::Opening> opening =
            forwardedOpen_.Take(HoldForOpenDialog());
        if (!opening) {
            return;
        }
        const std::string& path = opening->Path();
        if (SaveModified(SaveModifiedMode::Ask) && session_.OpenProfile(path, FileNamePart(path))) {
            recentFilesMenu_.AddRecentFile(session_.currentPath());
            RefreshLabels(-1);
            ProfileChanged();
        }
    }
    // One that arrived during this open.
    if (forwardedOpen_.IsWaiting()) {
        PostMessage(kOpenForwardedMessage);
    }
}

}  // namespace gd
