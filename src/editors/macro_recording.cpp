// The macro editor's recording: every stroke of the desktop goes to the
// list through a low-level keyboard hook until Pause, Stop, a full list, or
// a click in the list ends it.
#include "editors/macro_edit_dlg.h"

#include "editors/key_capture_rules.h"
#include "fw/text.h"
#include "keys/key_names.h"

namespace gd {

bool CMacroEditDlg::IsRecording() const {
    return recording_.IsInstalled();
}

void CMacroEditDlg::ShowRecording(bool recording) {
    // The button turned on first: the one turned off, should it hold the
    // focus, hands it on to the next live control, and Stop Recording comes
    // right after Start Recording in Tab order.
    const int on = recording ? IDC_STOP_RECORDING : IDC_START_RECORDING;
    const int off = recording ? IDC_START_RECORDING : IDC_STOP_RECORDING;
    GetDlgItem(on).EnableWindow(true);
    GetDlgItem(off).EnableWindow(false);
    CWnd hint = GetDlgItem(IDC_RECORDING_HINT);
    if (recording) {
        hint.SetWindowText(LoadText(IDS_RECORDING_STOP_HINT));
    }
    hint.ShowWindow(recording ? SW_SHOW : SW_HIDE);
}

void CMacroEditDlg::OnStartRecording() {
    // Only presses this recording swallows: a key held across the last one
    // was released to the system without the hook.
    recordingKeys_ = {};
    recording_.Install();
    ShowRecording(true);
    recorder_.Restart();
    events_.Clear();
    RenderRows();
    SelectRow(-1);
    RefreshSelection();
}

void CMacroEditDlg::OnStopRecording() {
    StopRecording();
}

void CMacroEditDlg::StopRecording() {
    recording_.Remove();
    if (IsWindow()) {
        ShowRecording(false);
        UpdateDuration();
    }
}

void CMacroEditDlg::AddRecordedEvent(EventCode code) {
    switch (recorder_.Add(events_, code, ::GetTickCount(), !EventName(code).empty())) {
        case MacroRecorder::Result::Dropped:
            return;
        case MacroRecorder::Result::ListFull:
            StopRecording();
            return;
        case MacroRecorder::Result::Added:
            break;
    }
    RenderRows();
    UpdateDuration();
    // A recorded macro with a name can be confirmed, or cleared, straight away.
    UpdateOkButton();
    GetDlgItem(IDC_CLEAR_ALL).EnableWindow(true);
    eventList_.Scroll(0, 1000);
}

LRESULT CMacroEditDlg::OnKeyboardHook(int code, WPARAM message, LPARAM data) {
    if (code != HC_ACTION) {
        return RecordingHook::PassOn(code, message, data);
    }
    const auto& stroke = *reinterpret_cast<const KBDLLHOOKSTRUCT*>(data);
    const bool down = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
    const bool up = message == WM_KEYUP || message == WM_SYSKEYUP;
    if (!down && !up) {
        return 1;
    }
    const bool extended = (stroke.flags & LLKHF_EXTENDED) != 0;
    // Every stroke of the desktop goes to the recorder alone, but for Pause
    // and the release of a key pressed before recording began (RecordingKeys).
    const RecordingKeys::Outcome outcome = recordingKeys_.OnKey(
        stroke.vkCode, StrokeKey(stroke.scanCode, extended), up, KeyHeldBefore(stroke));
    if (outcome.record) {
        AddRecordedEvent(RecordedKeyCode(stroke.scanCode, extended, up));
    }
    if (outcome.stop) {
        StopRecording();
    }
    return outcome.passOn ? RecordingHook::PassOn(code, message, data) : 1;
}

}  // namespace gd
