// The macro editor's row editor: the key, mouse position and delay of the
// selected row, shown from the list and written back to it, and the delays
// set for every row at once.
#include "editors/macro_edit_dlg.h"

#include "editors/macro_fields.h"
#include "editors/mouse_button_rules.h"
#include "keys/key_names.h"
#include "fw/text.h"
#include "keys/key_table.h"
#include "profile/image.h"

namespace gd {

void CMacroEditDlg::EnableRowEditor(int selected) {
    const bool on = selected >= 0;
    for (int id : {IDC_KEY_LIST, IDC_PRESS_DELAYS, IDC_RELEASE_DELAYS, IDC_PRESS_DELAY,
                   IDC_PRESS_DELAY_SPIN, IDC_RELEASE_DELAY, IDC_RELEASE_DELAY_SPIN}) {
        GetDlgItem(id).EnableWindow(on);
    }
    delay_.EnableWindow(on && selected != events_.size() - 1);
}

void CMacroEditDlg::RefreshSelection() {
    const int selected = SelectedRow();
    EnableRowEditor(selected);
    GetDlgItem(IDC_CLEAR_ALL).EnableWindow(!events_.empty());
    ForceLastDelayZero();
    UpdateOkButton();
    UpdateDuration();
    if (selected < 0) {
        eventList_.SetHighlightPair(-1, -1);
        eventList_.Invalidate(false);
        UpdateMoveButtons();
        ShowMouseControls(-1);
        return;
    }
    const MacroRow& row = events_.row(selected);
    ShowKeyOf(row.code);
    {
        ScopedFlag filling(fillingFields_);
        delay_.SetWindowText(row.delay);
    }
    const std::optional<RowPair> pair = events_.PairOf(selected);
    eventList_.SetHighlightPair(pair ? pair->start : -1, pair ? pair->end : -1);
    eventList_.Invalidate(false);
    UpdateMoveButtons();
    ShowMouseControls(selected);
}

void CMacroEditDlg::ShowKeyOf(EventCode code) {
    // The key list holds the key table in its order; a row of an input it
    // does not offer leaves the list as it was.
    const int entry = KeyTableIndexOf(code);
    if (entry >= 0) {
        keyList_.SetCurSel(entry);
    }
}

void CMacroEditDlg::ShowMouseControls(int selected) {
    bool mouse = false;
    if (selected >= 0) {
        const int entry = keyList_.GetCurSel();
        if (entry >= 0) {
            const auto code = static_cast<EventCode>(keyList_.GetItemData(entry));
            mouse = DeviceOf(code) == kDeviceMouse && IsSameInput(code, events_.row(selected).code);
        }
    }
    for (int id : kMouseControls) {
        GetDlgItem(id).ShowWindow(mouse ? SW_SHOW : SW_HIDE);
    }
    const int start = eventList_.HighlightStart();
    const int end = eventList_.HighlightEnd();
    if (mouse && start >= 0 && end >= 0) {
        FillMouseFields({start, end});
    }
}

void CMacroEditDlg::FillMouseFields(const RowPair& pair) {
    const MacroRow& press = events_.row(pair.start);
    const int mode = PressPositionItem(press.code, press.position);
    positionMode_.SetCurSel(mode);
    {
        ScopedFlag filling(fillingFields_);
        SetDlgItemInt(IDC_POSITION_X, PositionX(press.position));
        SetDlgItemInt(IDC_POSITION_Y, PositionY(press.position));
    }
    ShowPositionRow(mode);
}

void CMacroEditDlg::ShowPositionRow(int mode) {
    GetDlgItem(IDC_POSITION_X).EnableWindow(mode != kMouseUndefinedItem);
    GetDlgItem(IDC_POSITION_Y).EnableWindow(mode != kMouseUndefinedItem);
    const bool screen = ShowsScreenCaptions(mode);
    GetDlgItem(IDC_POSITION_X_CAPTION).SetWindowText(screen ? xText_ : xRefText_);
    GetDlgItem(IDC_POSITION_Y_CAPTION).SetWindowText(screen ? yText_ : yRefText_);
}

void CMacroEditDlg::OnKeyChanged() {
    const int selected = SelectedRow();
    const int start = eventList_.HighlightStart();
    const int end = eventList_.HighlightEnd();
    const int entry = keyList_.GetCurSel();
    if (selected < 0 || start < 0 || end < 0 || entry < 0) {
        return;
    }
    const auto code = static_cast<EventCode>(keyList_.GetItemData(entry));
    if (!events_.ChangePairInput(selected, {start, end}, code)) {
        ShowMessage(hwnd_, LoadText(IDS_CANT_INSERT_KEY), MB_OK | MB_ICONEXCLAMATION);
        ShowKeyOf(events_.row(selected).code);
        return;
    }
    {
        ScopedFlag updating(updating_);
        RenderRows();
    }
    UpdateMoveButtons();
    RefreshSelection();
}

void CMacroEditDlg::OnPositionModeChanged() {
    const int selected = SelectedRow();
    const int start = eventList_.HighlightStart();
    const int end = eventList_.HighlightEnd();
    const int mode = positionMode_.GetCurSel();
    if (selected < 0 || start < 0 || end < 0 || mode < 0) {
        return;
    }
    ScopedFlag updating(updating_);
    events_.SetPositionMode({start, end}, mode == kMouseAbsoluteItem);
    if (mode == kMouseUndefinedItem) {
        // Through the fields' own handling, the position becomes 0.
        GetDlgItem(IDC_POSITION_X).SetWindowText("0");
        GetDlgItem(IDC_POSITION_Y).SetWindowText("0");
    }
    ShowPositionRow(mode);
    events_.SetOthers(
        start, PositionText(ModeText(positionMode_.GetCurSel()), GetDlgItemInt(IDC_POSITION_X),
                            GetDlgItemInt(IDC_POSITION_Y)));
    RenderRows();
}

void CMacroEditDlg::OnPositionChanged() {
    const int start = eventList_.HighlightStart();
    const int end = eventList_.HighlightEnd();
    if (fillingFields_ || start < 0 || end < 0) {
        return;
    }
    int values[2] = {};
    const int fields[2] = {IDC_POSITION_X, IDC_POSITION_Y};
    for (int i = 0; i < 2; ++i) {
        CEdit field(GetDlgItem(fields[i]));
        const PositionFieldCheck check = CheckPositionField(field.GetWindowText());
        if (check.outcome == PositionFieldCheck::Outcome::Retype) {
            // The shortened text is handled again as a change of its own.
            field.SetWindowText(check.text);
            field.SetCaretToEnd();
            ShowMessage(hwnd_, LoadText(IDS_POSITION_RANGE), MB_OK | MB_ICONEXCLAMATION);
            return;
        }
        values[i] = check.value;
    }
    events_.SetPosition({start, end}, values[0], values[1]);
    events_.SetOthers(start,
                      PositionText(ModeText(positionMode_.GetCurSel()), values[0], values[1]));
    eventList_.SetItemText(start, kOthersColumn, events_.row(start).others);
}

void CMacroEditDlg::OnDelayChanged() {
    const int selected = SelectedRow();
    if (fillingFields_ || selected < 0) {
        return;
    }
    const DelayFieldCheck check = CheckDelayField(delay_.GetWindowText());
    switch (check.outcome) {
        case DelayFieldCheck::Outcome::CutAndKeep:
            // This change is the handler's own and is not taken.
            {
                ScopedFlag filling(fillingFields_);
                delay_.SetWindowText(check.text);
            }
            delay_.SetCaretToEnd();
            ShowMessage(hwnd_, LoadText(IDS_DELAY_RANGE), MB_OK | MB_ICONEXCLAMATION);
            return;
        case DelayFieldCheck::Outcome::Shorten:
            delay_.SetWindowText(check.text);  // handled again, which stores it
            delay_.SetCaretToEnd();
            ShowMessage(hwnd_, LoadText(IDS_DELAY_RANGE), MB_OK | MB_ICONEXCLAMATION);
            return;
        case DelayFieldCheck::Outcome::Store:
            break;
    }
    events_.SetDelay(selected, check.text);
    eventList_.SetItemText(selected, kDelayColumn, check.text);
    UpdateDuration();
}

bool CMacroEditDlg::ReadNumericFields() {
    return UpdateData(true);
}

void CMacroEditDlg::ForceLastDelayZero() {
    if (events_.empty()) {
        return;
    }
    const int last = events_.size() - 1;
    if (SelectedRow() == last) {
        delay_.EnableWindow(false);
        ScopedFlag filling(fillingFields_);
        delay_.SetWindowText("0");
    } else {
        delay_.EnableWindow(SelectedRow() >= 0);
    }
    if (events_.ForceLastDelayZero()) {
        eventList_.SetItemText(last, kDelayColumn, events_.row(last).delay);
    }
}

void CMacroEditDlg::SetBulkDelays(std::uint32_t action) {
    if (!ReadNumericFields()) {
        return;
    }
    events_.SetDelaysOf(action, action == kActionPress ? pressDelayField : releaseDelayField);
    {
        ScopedFlag updating(updating_);
        RenderRows();
    }
    ForceLastDelayZero();
    UpdateDuration();
}

}  // namespace gd
