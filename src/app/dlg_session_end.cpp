// The end of the program's working life: a close request, Exit, the end of
// the Windows session, and what each leaves behind (the settings, the pad).
#include "app/gripdeck_dlg.h"

#include "app/gripdeck_app.h"
#include "app/main_window_rules.h"
#include "fw/text.h"
#include "resource.h"
#include "window_messages.h"

namespace gd {

void CGripdeckDlg::OnClose(WPARAM request) {
    // Any other close only hides the window (the dialog turns it into Cancel).
    if (request == kCloseEndsProgram) {
        EndRun(2);
        return;
    }
    SetMsgHandled(false);
}

void CGripdeckDlg::EndRun(INT_PTR result) {
    // Taken now: by the time the window is destroyed, the windows it owns
    // are gone.
    TakeSummaryVisibility();
    TakeCompanionSpots();
    EndDialog(result);
}

void CGripdeckDlg::TakeSummaryVisibility() {
    if (!startFinished_) {
        // Ended before the summary window was made: the user saw nothing
        // that could change the setting.
        return;
    }
    CGripdeckApp& app = GripdeckApp();
    app.summaryVisible = SummaryVisibilityToStore(
        windowShown != 0, summaryWindow.IsWindowVisible() != FALSE, app.summaryVisible);
}

BOOL CGripdeckDlg::OnQueryEndSession(WPARAM, LPARAM) {
    if (!session_.modified()) {
        ::ShutdownBlockReasonDestroy(hwnd_);
        return TRUE;
    }
    // Unsaved edits are not dropped behind the user's back: Windows shows
    // the reason (the save question) beside the window's title in its own
    // list of programs that hold the session, and the user either goes
    // back to save or ends the session anyway. No message box here: the
    // shell waits for this answer. The window shows, so that going back
    // finds it rather than only a tray icon; a window without a reason
    // could not hold the session while hidden.
    const std::string reason = LoadText(IDS_SAVE_QUESTION);
    wchar_t wide[MAX_STR_BLOCKREASON] = {};
    ::MultiByteToWideChar(CP_ACP, 0, reason.c_str(), -1, wide, MAX_STR_BLOCKREASON - 1);
    ::ShutdownBlockReasonCreate(hwnd_, wide);
    if (windowShown == 0) {
        ShowHide();
    }
    return FALSE;
}

LRESULT CGripdeckDlg::OnEndSession(WPARAM ending, LPARAM) {
    if (ending == FALSE) {
        return 0;
    }
    ::ShutdownBlockReasonDestroy(hwnd_);
    // The process may end as soon as this returns: the settings are written
    // now, not on the way out of the modal run, and a game's profile gives
    // way now to the one from before it.
    ending_ = true;
    autoSwitch_.End();
    TakeSummaryVisibility();
    TakeCompanionSpots();
    GripdeckApp().SaveSettings();
    EndRun(1);
    return 0;
}

void CGripdeckDlg::OnDestroy() {
    // Also after a close request that skipped Exit: an icon left behind
    // would stay in the tray until the pointer passes over it.
    trayIcon_.UpdateTrayIcon(TrayAction::Delete);
    ending_ = true;
    autoSwitch_.End();
    autoSwitch_.Stop();
    summaryWindow.DestroyWindow();
    padPictureWindow.DestroyWindow();
    SetMsgHandled(false);
}

}  // namespace gd
