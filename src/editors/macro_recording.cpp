// The macro editor's recording: every stroke of the desktop goes to the
// list through a low-level keyboard hook until Stop, a full list, or a
// click in the list ends it.
#include "editors/macro_edit_dlg.h"

#include "editors/key_capture_rules.h"
#include "keys/key_names.h"

namespace gd {

bool CMacroEditDlg::IsRecording() const {
    return recording_.IsInstalled();
}

void CMacroEditDlg::OnStartRecording() {
    // Only presses this recording swallows: a key held across the last one
    // was released to the system without the hook.
    swallowed_ = {};
    recording_.Install();
    GetDlgItem(IDC_START_RECORDING).EnableWindow(false);
    GetDlgItem(IDC_STOP_RECORDING).EnableWindow(true);
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
        GetDlgItem(IDC_START_RECORDING).EnableWindow(true);
        GetDlgItem(IDC_STOP_RECORDING).EnableWindow(false);
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
    const bool extended = (stroke.flags & LLKHF_EXTENDED) != 0;
    if (down || up) {
        AddRecordedEvent(RecordedKeyCode(stroke.scanCode, extended, up));
    }
    // Every stroke of the desktop goes to the recorder alone, but for the
    // release of a key pressed before recording began (the Enter that
    // started it, a Shift held since), which the system must see to mark
    // the key up. Such a key's auto-repeats come through the hook as well.
    const std::uint32_t key = StrokeKey(stroke.scanCode, extended);
    if (down) {
        swallowed_.Pressed(key, KeyHeldBefore(stroke));
    } else if (up && !swallowed_.Released(key)) {
        return RecordingHook::PassOn(code, message, data);
    }
    return 1;
}

}  // namespace gd
