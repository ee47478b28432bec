#include "editors/key_capture_dlg.h"

#include "fw/text.h"
#include "keys/key_names.h"
#include "keys/key_table.h"
#include "window_messages.h"

namespace gd {

const MessageMap& CKeyCaptureDlg::GetMessageMap() const {
    static constexpr Route kRoutes[] = {
        OnCommand<&CKeyCaptureDlg::OnAccept>(IDC_ACCEPT),
        OnCommand<&CKeyCaptureDlg::OnReject>(IDC_REJECT),
        OnCommand<&CKeyCaptureDlg::OnCaptureAgain>(IDC_CAPTURE_AGAIN),
        OnMessage<kCaptureCompleteMessage, &CKeyCaptureDlg::OnCaptureComplete>(),
        OnMessage<WM_HELP, &CKeyCaptureDlg::OnHelp>(),
        OnMessage<WM_DESTROY, &CKeyCaptureDlg::OnDestroy>(),
    };
    static const MessageMap kMap{kRoutes, &CDialog::GetMessageMap()};
    return kMap;
}

void CKeyCaptureDlg::LoadSingleSwitch(const MultiLayerRecord& record) {
    actionChoiceEnabled = false;
    if (const auto stored = SingleSwitchKeyOf(record)) {
        flags = kKeyEditorStart;
        key = *stored;
    }
}

void CKeyCaptureDlg::StoreSingleSwitch(MultiLayerRecord& record) const {
    WriteSingleSwitchKey(record, key, LoadText(IDS_SINGLE_SUFFIX));
}

BOOL CKeyCaptureDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetDlgItemText(IDC_CAPTURE_HINT, LoadText(IDS_CAPTURE_ESCAPE_HINT));
    // A key the table lacks shows as none: what shows is what OK gives.
    GetDlgItem(IDC_ACCEPT).EnableWindow(false);
    SetCapturedKey(key);
    actionList.ResetContent();
    for (int index = 0; index < kCaptureActionCount; ++index) {
        actionList.InsertString(index, LoadText(kCaptureActions[index].textId));
    }
    actionList.SetCurSel(CaptureActionIndex(flags));
    if (!actionChoiceEnabled) {
        DropActionRow();
    }
    state_.SetArrowsWorkTheDialog(actionChoiceEnabled);
    state_.Restart();
    ShowCapturing(true);
    // The hook is called on this thread, through the dialog's message loop.
    capture_.Install();
    return TRUE;
}

void CKeyCaptureDlg::DropActionRow() {
    const RECT row = GetDlgItem(IDC_ACTION).GetRectInParent();
    const int rise = GetDlgItem(IDC_ACCEPT).GetRectInParent().top - row.top;
    for (int id : {IDC_ACTION, IDC_ACTION_CAPTION}) {
        GetDlgItem(id).ShowWindow(SW_HIDE);
    }
    for (int id : {IDC_ACCEPT, IDC_REJECT}) {
        const CWnd button = GetDlgItem(id);
        const RECT place = button.GetRectInParent();
        button.MoveWindow(place.left, place.top - rise, RectWidth(place), RectHeight(place));
    }
    const RECT window = GetWindowRect();
    SetWindowPos(nullptr, 0, 0, RectWidth(window), RectHeight(window) - rise,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CKeyCaptureDlg::ShowCapturing(bool capturing) {
    GetDlgItem(IDC_CAPTURE_HINT).ShowWindow(capturing ? SW_SHOW : SW_HIDE);
}

void CKeyCaptureDlg::OnCaptureAgain() {
    // Off while capturing: the button is for after the capture.
    CWnd again = GetDlgItem(IDC_CAPTURE_AGAIN);
    SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(::GetDlgItem(hwnd_, IDC_ACCEPT)), TRUE);
    again.EnableWindow(false);
    state_.Restart();
    ShowCapturing(true);
}

LRESULT CKeyCaptureDlg::OnCaptureComplete(WPARAM, LPARAM) {
    if (state_.IsCapturing()) {
        return 0;  // captured anew since
    }
    ShowCapturing(false);
    GetDlgItem(IDC_CAPTURE_AGAIN).EnableWindow(true);
    SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(::GetDlgItem(hwnd_, IDC_ACCEPT)), TRUE);
    // The keyboard chose the key; it shows where it goes on.
    KeyboardUsed();
    return 0;
}

void CKeyCaptureDlg::OnAccept() {
    // Sent by a program, the command reaches a disabled OK all the same.
    if (!HasCapturedKey(key)) {
        return;
    }
    StopCapture();
    flags = kKeyCodeBase | CaptureActionFlags(actionList.GetCurSel());
    EndDialog(IDOK);
}

void CKeyCaptureDlg::OnReject() {
    StopCapture();
    EndDialog(IDCANCEL);
}

void CKeyCaptureDlg::SetCapturedKey(std::uint32_t candidate) {
    if (!HasCapturedKey(candidate)) {
        return;
    }
    key = candidate;
    char name[256] = {};
    if (GetEventName(kKeyCodeBase | candidate, name, sizeof name)) {
        SetDlgItemText(IDC_KEY_NAME, name);
    }
    GetDlgItem(IDC_ACCEPT).EnableWindow(true);
}

LRESULT CKeyCaptureDlg::OnKeyboardHook(int code, WPARAM message, LPARAM data) {
    if (code == HC_ACTION) {
        const auto& event = *reinterpret_cast<const KBDLLHOOKSTRUCT*>(data);
        const std::uint32_t stroke = StrokeKey(event.scanCode, (event.flags & LLKHF_EXTENDED) != 0);
        const KeyCaptureState::Outcome outcome =
            state_.OnKey(stroke, (event.flags & LLKHF_UP) != 0, ::GetForegroundWindow() == hwnd_,
                         KeyHeldBefore(event));
        if (outcome.takeKey) {
            SetCapturedKey(stroke);
        }
        if (outcome.complete) {
            PostMessage(kCaptureCompleteMessage);
        }
        if (outcome.passOn) {
            return KeyCaptureHook::PassOn(code, message, data);
        }
    }
    // Swallowed: the stroke reaches no other hook and no window.
    return 1;
}

}  // namespace gd
