#include "editors/macro_edit_dlg.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>

#include "editors/key_capture_dlg.h"
#include "editors/list_columns.h"
#include "editors/macro_fields.h"
#include "editors/mouse_button_dlg.h"
#include "editors/mouse_button_rules.h"
#include "fw/handle.h"
#include "fw/text.h"
#include "keys/key_names.h"
#include "keys/key_table.h"
#include "profile/image.h"

namespace gd {
namespace {

constexpr UINT_PTR kCursorTimer = 1;
constexpr UINT kCursorPeriodMs = 100;
constexpr COLORREF kDurationColour = 0x00FF0000;
constexpr std::uint32_t kMinField = 30;
constexpr std::uint32_t kMaxField = 60000;

// The controls that move right when the editor widens.
constexpr int kMovingControls[] = {
    IDC_ROW_EDITOR,
    IDC_KEY_CAPTION,
    IDC_KEY_LIST,
    IDC_POSITION_MODE,
    IDC_DELAY_CAPTION,
    IDC_DELAY,
    IDC_POSITION_X_CAPTION,
    IDC_CURSOR_X,
    IDC_POSITION_X,
    IDC_POSITION_Y_CAPTION,
    IDC_CURSOR_Y,
    IDC_POSITION_Y,
    IDC_MOVE_UP,
    IDC_MOVE_DOWN,
    IDC_CLEAR_ALL,
    IDC_PRESS_DELAYS,
    IDC_RELEASE_DELAYS,
    IDC_BULK_DELAY_CAPTION,
    IDC_PRESS_DELAY,
    IDC_PRESS_DELAY_SPIN,
    IDC_RELEASE_DELAY,
    IDC_RELEASE_DELAY_SPIN,
    IDC_START_RECORDING,
    IDC_STOP_RECORDING,
    IDC_RECORDING_HINT,
    IDC_OK,
    IDC_CANCEL,
    IDC_MORE_LESS,
};
constexpr int kWideningControls[] = {IDC_MACRO_NAME, IDC_DURATION};

std::string WithNumber(const std::string& format, std::uint64_t value) {
    std::string text = format;
    const std::size_t at = text.find("%d");
    const std::string number = std::to_string(value);
    if (at == std::string::npos) {
        return text + number;
    }
    return text.replace(at, 2, number);
}

bool IsMousePress(EventCode code) {
    return DeviceOf(code) == kDeviceMouse && IsPress(code);
}

}  // namespace

CMacroEditDlg::CMacroEditDlg(HWND parent) : CMacroEditDlg(IDD_MACRO_EDIT, parent, true) {}

CMacroEditDlg::CMacroEditDlg(UINT templateId, HWND parent, bool playModes)
    : CDialog(templateId, parent), playModes_(playModes), macro_(std::make_unique<MacroRecord>()) {
    std::memset(macro_.get(), 0, sizeof *macro_);
    macro_->playMode = PlayMode::Once;
    macro_->repeatInterval = 30;
}

CMacroEditDlg::~CMacroEditDlg() {
    StopRecording();
    DestroyWindow();
}

CLayerMacroEditDlg::CLayerMacroEditDlg(HWND parent)
    : CMacroEditDlg(IDD_LAYER_MACRO_EDIT, parent, false) {}

const MessageMap& CMacroEditDlg::GetMessageMap() const {
    using D = CMacroEditDlg;
    static constexpr Route kRoutes[] = {
        OnCommand<&D::OnStartRecording>(IDC_START_RECORDING),
        OnCommand<&D::OnStopRecording>(IDC_STOP_RECORDING),
        OnNotify<&D::OnListItemChanged>(IDC_EVENT_LIST, LVN_ITEMCHANGED),
        OnNotify<&D::OnListSetFocus>(IDC_EVENT_LIST, NM_SETFOCUS),
        OnNotify<&D::OnListKillFocus>(IDC_EVENT_LIST, NM_KILLFOCUS),
        OnNotify<&D::OnListRightClick>(IDC_EVENT_LIST, NM_RCLICK),
        OnMessage<WM_CONTEXTMENU, &D::OnContextMenu>(),
        OnCommand<&D::OnInsertKeyboard>(ID_KEYBOARD),
        OnCommand<&D::OnInsertMouseButton>(ID_MOUSE_BUTTON),
        OnCommand<&D::OnDelete>(ID_DELETE),
        OnCommand<&D::OnClearAll>(IDC_CLEAR_ALL),
        OnCommand<&D::OnMoveUp>(IDC_MOVE_UP),
        OnCommand<&D::OnMoveDown>(IDC_MOVE_DOWN),
        OnCommand<&D::OnKeyChanged>(IDC_KEY_LIST, CBN_SELCHANGE),
        OnCommand<&D::OnPositionModeChanged>(IDC_POSITION_MODE, CBN_SELCHANGE),
        OnCommand<&D::OnPositionChanged>(IDC_POSITION_X, EN_CHANGE),
        OnCommand<&D::OnPositionChanged>(IDC_POSITION_Y, EN_CHANGE),
        OnCommand<&D::OnDelayChanged>(IDC_DELAY, EN_CHANGE),
        OnCommand<&D::OnPressDelays>(IDC_PRESS_DELAYS),
        OnCommand<&D::OnReleaseDelays>(IDC_RELEASE_DELAYS),
        OnCommand<&D::OnPlayOnce>(IDC_PLAY_ONCE),
        OnCommand<&D::OnPlayWhilePressed>(IDC_PLAY_WHILE_PRESSED),
        OnCommand<&D::OnPlayUntilPressedAgain>(IDC_PLAY_UNTIL_PRESSED_AGAIN),
        OnCommand<&D::OnMoreLess>(IDC_MORE_LESS, STN_CLICKED),
        OnCommand<&D::OnNameChanged>(IDC_MACRO_NAME, EN_CHANGE),
        OnCommand<&D::OnOkButton>(IDC_OK),
        OnCommand<&D::OnCancelButton>(IDC_CANCEL),
        OnMessage<WM_TIMER, &D::OnTimer>(),
        OnMessage<WM_HELP, &D::OnHelp>(),
    };
    static const MessageMap kMap{kRoutes, &CDialog::GetMessageMap()};
    return kMap;
}

void CMacroEditDlg::DoDataExchange(CDataExchange& dx) {
    dx.Control(IDC_DURATION, durationLabel_);
    dx.Control(IDC_POSITION_MODE, positionMode_);
    dx.Control(IDC_MACRO_NAME, name_);
    dx.Control(IDC_DELAY, delay_);
    dx.Control(IDC_KEY_LIST, keyList_);
    dx.Control(IDC_EVENT_LIST, eventList_);
    if (playModes_) {
        dx.UInt(IDC_REPEAT_INTERVAL, repeatIntervalField, kMinField, kMaxField);
    }
    dx.UInt(IDC_PRESS_DELAY, pressDelayField, kMinField, kMaxField);
    dx.UInt(IDC_RELEASE_DELAY, releaseDelayField, kMinField, kMaxField);
}

void CMacroEditDlg::LoadMacro(const MacroRecord& macro) {
    std::memcpy(macro_.get(), &macro, sizeof *macro_);
}

void CMacroEditDlg::StoreMacro(MacroRecord& place) const {
    std::memcpy(&place, macro_.get(), sizeof place);
}

BOOL CMacroEditDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    LoadTexts();
    durationLabel_.SetTextColour(kDurationColour);
    SetUpLists();
    rowMenu_.LoadMenu(IDR_MENU_EVENT_ROW);
    spaceMenu_.LoadMenu(IDR_MENU_EVENT_SPACE);

    static constexpr UDACCEL kStep[] = {{0, 30}};
    for (int spin : {IDC_REPEAT_INTERVAL_SPIN, IDC_PRESS_DELAY_SPIN, IDC_RELEASE_DELAY_SPIN}) {
        CSpinButtonCtrl control(GetDlgItem(spin));
        if (!control.IsWindow()) {
            continue;  // the layer variant has no interval
        }
        control.SetRange32(static_cast<int>(kMinField), static_cast<int>(kMaxField));
        control.SetAccel(kStep, 1);
        control.SetPos32(static_cast<int>(kMinField));
    }
    // The spins show their start position; the fields keep what the caller set.
    UpdateData(false);

    SetTimer(kCursorTimer, kCursorPeriodMs);
    FillFromMacro();
    name_.SetFocus();
    return FALSE;
}

void CMacroEditDlg::LoadTexts() {
    xRefText_ = LoadText(IDS_X_REF);
    yRefText_ = LoadText(IDS_Y_REF);
    xText_ = LoadText(IDS_X);
    yText_ = LoadText(IDS_Y);
    relativeText_ = LoadText(IDS_RELATIVE);
    absoluteText_ = LoadText(IDS_ABSOLUTE);
    undefinedText_ = LoadText(IDS_UNDEFINED_POSITION);
    shortDuration_ = LoadText(IDS_DURATION_SHORT);
    longDuration_ = LoadText(IDS_DURATION_LONG);
}

void CMacroEditDlg::SetUpLists() {
    eventList_.SetExtendedStyle(eventList_.GetExtendedStyle() | LVS_EX_FULLROWSELECT |
                                LVS_EX_GRIDLINES);
    const UINT headings[] = {IDS_COLUMN_KEY, IDS_COLUMN_ACTION, IDS_COLUMN_DELAY, IDS_COLUMN_OTHERS,
                             IDS_COLUMN_NUMBER};
    // At 96 dpi, as the list scales them. The action words and the longest
    // position may not fit their columns' first widths in the list's font
    // (measured at its own DPI): those grow until the longest shows whole.
    int widths[] = {100, 48, 70, 124, 48};
    const std::uint32_t dpi = GetDpi();
    for (std::uint32_t action : {kActionPress, kActionRelease, kActionClick}) {
        const int measured = eventList_.CellWidthFor(ActionName(WithAction(kKeyCodeBase, action)));
        widths[kActionColumn] = ColumnWidthFor(measured, dpi, widths[kActionColumn]);
    }
    for (int item = 0; item < kMousePositionItemCount; ++item) {
        const int measured =
            eventList_.CellWidthFor(PositionText(ModeText(item), kMinPosition, kMinPosition));
        widths[kOthersColumn] = ColumnWidthFor(measured, dpi, widths[kOthersColumn]);
    }
    for (int i = 0; i < 5; ++i) {
        eventList_.InsertColumn(i, LoadText(headings[i]), LVCFMT_LEFT, widths[i]);
    }
    // More >> widens the list until every column shows whole, beside a
    // vertical scroll bar.
    const int room = RectWidth(eventList_.GetClientRect()) - ::GetSystemMetrics(SM_CXVSCROLL);
    eventList_.SetExpandedSize(WideningToShow(widths, dpi, room), 0);
    eventList_.SetScrollBarMode(CSkinListCtrl::kHideHorizontal);

    for (int item = 0; item < kMousePositionItemCount; ++item) {
        positionMode_.InsertString(item, ModeText(item));
        positionMode_.SetItemData(item, static_cast<LPARAM>(MousePositionItemValue(item)));
    }

    char name[64];
    for (int i = 0; i < KeyTableSize(); ++i) {
        if (!KeyTableName(i, name, sizeof name)) {
            name[0] = '\0';
        }
        const int index = keyList_.AddString(name);
        keyList_.SetItemData(index, static_cast<LPARAM>(KeyTableCode(i)));
    }
}

const std::string& CMacroEditDlg::ModeText(int item) const {
    return item == kMouseAbsoluteItem    ? absoluteText_
           : item == kMouseUndefinedItem ? undefinedText_
                                         : relativeText_;
}

std::string CMacroEditDlg::MouseOthers(EventCode code, std::uint32_t position) const {
    return PositionText(ModeText(PressPositionItem(code, position)), PositionX(position),
                        PositionY(position));
}

void CMacroEditDlg::FillFromMacro() {
    {
        ScopedFlag updating(updating_);
        const std::string name = ReadText(macro_->name);
        if (!name.empty()) {
            name_.SetWindowText(name);
        }
        ShowRecording(false);
        events_.Load(*macro_);
        for (int i = 0; i < events_.size(); ++i) {
            if (IsMousePress(events_.row(i).code)) {
                events_.SetOthers(i, MouseOthers(events_.row(i).code, events_.row(i).position));
            }
        }
        RenderRows();
        EnableRowEditor(-1);
        ShowMouseControls(-1);
        GetDlgItem(IDC_CLEAR_ALL).EnableWindow(!events_.empty());
        UpdateMoveButtons();

        if (playModes_) {
            for (const PlayModeRadio& row : kPlayModeRadios) {
                CButton(GetDlgItem(row.radio)).SetCheck(false);
            }
            GetDlgItem(IDC_REPEAT_INTERVAL).EnableWindow(false);
            GetDlgItem(IDC_REPEAT_INTERVAL_SPIN).EnableWindow(false);
            // An unknown mode checks no radio, and OK then stores play mode 0.
            if (const PlayModeRadio* row = RadioForPlayMode(macro_->playMode)) {
                SelectPlayMode(row->radio);
                if (row->repeats) {
                    SetDlgItemUInt(IDC_REPEAT_INTERVAL, macro_->repeatInterval);
                }
            }
        }
    }
    UpdateOkButton();
    // The macro's length shows from the start, not only once a row is picked.
    UpdateDuration();
}

void CMacroEditDlg::RenderRows() {
    ScopedFlag updating(updating_);
    const int selected = SelectedRow();
    while (eventList_.GetItemCount() > events_.size()) {
        eventList_.DeleteItem(eventList_.GetItemCount() - 1);
    }
    for (int i = 0; i < events_.size(); ++i) {
        const MacroRow& row = events_.row(i);
        if (i >= eventList_.GetItemCount()) {
            eventList_.InsertItem(i, "");
        }
        eventList_.SetItemText(i, kKeyColumn, EventName(row.code));
        eventList_.SetItemText(i, kActionColumn, ActionName(row.code));
        eventList_.SetItemText(i, kDelayColumn, row.delay);
        eventList_.SetItemText(i, kOthersColumn, row.others);
        eventList_.SetItemData(i, static_cast<LPARAM>(row.code));
    }
    if (selected >= events_.size()) {
        SelectRow(-1);
    }
}

void CMacroEditDlg::SelectRow(int row) {
    ScopedFlag updating(updating_);
    for (int i = 0; i < eventList_.GetItemCount(); ++i) {
        const bool selected = i == row;
        if (eventList_.IsSelected(i) != selected) {
            eventList_.SetItemState(i, selected ? LVIS_SELECTED | LVIS_FOCUSED : 0,
                                    LVIS_SELECTED | LVIS_FOCUSED);
        }
    }
}

// ---- the helpers every command ends with

void CMacroEditDlg::UpdateMoveButtons() {
    const int selected = SelectedRow();
    const int start = eventList_.HighlightStart();
    const int end = eventList_.HighlightEnd();
    RowSelection selection{selected, std::nullopt};
    if (start >= 0 && end >= 0) {
        selection.pair = RowPair{start, end};
    }
    const MoveButtons buttons = events_.MoveButtonStates(selection);
    if (buttons.up) {
        GetDlgItem(IDC_MOVE_UP).EnableWindow(*buttons.up);
    }
    if (buttons.down) {
        GetDlgItem(IDC_MOVE_DOWN).EnableWindow(*buttons.down);
    }
}

void CMacroEditDlg::UpdateDuration() {
    for (int i = 0; i < events_.size(); ++i) {
        eventList_.SetItemText(
            i, kNumberColumn, events_.row(i).delay.empty() ? std::string() : std::to_string(i + 1));
    }
    durationLabel_.SetWindowText(
        WithNumber(expanded_ ? longDuration_ : shortDuration_, events_.Duration()));
}

void CMacroEditDlg::UpdateOkButton() {
    GetDlgItem(IDC_OK).EnableWindow(!events_.empty() && !name_.GetWindowText().empty());
}

// ---- list notifications and the popup menu

void CMacroEditDlg::OnListItemChanged(const NMLISTVIEW& change) {
    if (updating_ || (change.uChanged & LVIF_STATE) == 0 ||
        ((change.uOldState ^ change.uNewState) & LVIS_SELECTED) == 0) {
        return;
    }
    RefreshSelection();
}

void CMacroEditDlg::OnListSetFocus() {
    if (!updating_ && IsRecording()) {
        StopRecording();
    }
}

void CMacroEditDlg::OnListKillFocus() {
    if (updating_) {
        return;
    }
    const int selected = SelectedRow();
    EnableRowEditor(selected);
    GetDlgItem(IDC_MOVE_UP).EnableWindow(selected >= 0);
    GetDlgItem(IDC_MOVE_DOWN).EnableWindow(selected >= 0);
    GetDlgItem(IDC_CLEAR_ALL).EnableWindow(!events_.empty());
}

void CMacroEditDlg::OnListRightClick() {
    POINT cursor{};
    ::GetCursorPos(&cursor);
    POINT client = cursor;
    ::ScreenToClient(eventList_, &client);
    ShowListMenu(eventList_.HitTest(client) >= 0, cursor);
}

void CMacroEditDlg::OnContextMenu(HWND window, POINT screen) {
    if (window != eventList_.GetSafeHwnd() || screen.x != -1 || screen.y != -1) {
        SetMsgHandled(false);
        return;
    }
    const int row = SelectedRow();
    POINT at{};
    if (row >= 0) {
        const RECT cell = eventList_.GetSubItemRect(row, 0, LVIR_BOUNDS);
        at = POINT{cell.left, cell.bottom};
    }
    ShowListMenu(row >= 0, eventList_.ClientToScreen(at));
}

void CMacroEditDlg::ShowListMenu(bool onRow, POINT screen) {
    CMenuRef popup = (onRow ? rowMenu_ : spaceMenu_).GetSubMenu(0);
    if (!popup) {
        return;
    }
    const bool room = events_.CanInsertPair();
    popup.EnableItem(ID_KEYBOARD, room);
    popup.EnableItem(ID_MOUSE_BUTTON, room);
    popup.TrackPopup(hwnd_, screen, TPM_LEFTALIGN | TPM_RIGHTBUTTON);
}

// ---- editing the list

void CMacroEditDlg::OnInsertKeyboard() {
    CKeyCaptureDlg capture(hwnd_);
    if (capture.DoModal() != IDOK) {
        RefreshSelection();
        return;
    }
    InsertPair(WithAction(capture.flags | capture.key, kActionPress), kNewEventDelay, 0, {});
}

void CMacroEditDlg::OnInsertMouseButton() {
    CMouseButtonDlg mouse(hwnd_);
    mouse.flags = kMouseEditorStart;
    mouse.button = kMouseLeft;
    mouse.x = 0;
    mouse.y = 0;
    mouse.SetActionChoiceEnabled(false);
    if (mouse.DoModal() != IDOK) {
        RefreshSelection();
        return;
    }
    const EventCode press = WithAction(mouse.flags | mouse.button, kActionPress);
    const std::uint32_t position = PackPosition(mouse.x, mouse.y);
    InsertPair(press, NewMousePressDelay(mouse.x, mouse.y), position,
               PositionText(ModeText(PressPositionItem(press, position)), mouse.x, mouse.y));
}

void CMacroEditDlg::InsertPair(EventCode press, const std::string& pressDelay,
                               std::uint32_t position, const std::string& others) {
    const int selected = SelectedRow();
    const InsertResult result =
        events_.InsertPair(selected, press, pressDelay, kNewEventDelay, position, others);
    if (result == InsertResult::InsideSameInput) {
        ShowMessage(hwnd_, LoadText(IDS_CANT_INSERT_KEY), MB_OK | MB_ICONEXCLAMATION);
    }
    if (result == InsertResult::Inserted) {
        ScopedFlag updating(updating_);
        RenderRows();
        // The selection stays on its row, now two rows lower.
        SelectRow(selected >= 0 ? selected + 2 : -1);
    }
    RefreshSelection();
}

void CMacroEditDlg::OnDelete() {
    const int start = eventList_.HighlightStart();
    const int end = eventList_.HighlightEnd();
    if (start < 0 || end < 0) {
        return;
    }
    {
        ScopedFlag updating(updating_);
        events_.DeletePair({start, end});
        SelectRow(-1);
        RenderRows();
        eventList_.SetHighlightPair(-1, -1);
    }
    RefreshSelection();
}

void CMacroEditDlg::OnClearAll() {
    {
        ScopedFlag updating(updating_);
        events_.Clear();
        RenderRows();
    }
    RefreshSelection();
}

void CMacroEditDlg::Move(bool up) {
    const int start = eventList_.HighlightStart();
    const int end = eventList_.HighlightEnd();
    if (start < 0 || end < 0) {
        return;
    }
    RowSelection selection{SelectedRow(), RowPair{start, end}};
    {
        ScopedFlag updating(updating_);
        if (up) {
            events_.MoveUp(selection);
        } else {
            events_.MoveDown(selection);
        }
        RenderRows();
        SelectRow(selection.selected);
        eventList_.SetHighlightPair(selection.pair->start, selection.pair->end);
        eventList_.EnsureVisible(selection.selected);
    }
    ForceLastDelayZero();
    UpdateMoveButtons();
    eventList_.Invalidate(false);
}

// ---- play mode, More/Less, ending

void CMacroEditDlg::SelectPlayMode(int radio) {
    for (const PlayModeRadio& row : kPlayModeRadios) {
        CButton(GetDlgItem(row.radio)).SetCheck(row.radio == radio);
    }
    const PlayModeRadio* picked = PlayModeOfRadio(radio);
    const bool repeats = picked != nullptr && picked->repeats;
    GetDlgItem(IDC_REPEAT_INTERVAL).EnableWindow(repeats);
    GetDlgItem(IDC_REPEAT_INTERVAL_SPIN).EnableWindow(repeats);
}

void CMacroEditDlg::OnMoreLess() {
    const int widening = RectWidth(eventList_.ExpandedRect()) - RectWidth(eventList_.NormalRect());
    const int dx = expanded_ ? -widening : widening;
    const RECT window = GetWindowRect();
    SetWindowPos(nullptr, 0, 0, window.right - window.left + dx, window.bottom - window.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    for (int id : kMovingControls) {
        CWnd control = GetDlgItem(id);
        if (!control.IsWindow()) {
            continue;
        }
        const RECT place = control.GetRectInParent();
        control.MoveWindow(place.left + dx, place.top, place.right - place.left,
                           place.bottom - place.top, false);
    }
    for (int id : kWideningControls) {
        CWnd control = GetDlgItem(id);
        const RECT place = control.GetRectInParent();
        control.MoveWindow(place.left, place.top, place.right - place.left + dx,
                           place.bottom - place.top, false);
    }
    expanded_ = !expanded_;
    GetDlgItem(IDC_MORE_LESS).SetWindowText(LoadText(expanded_ ? IDS_LESS : IDS_MORE));
    eventList_.ToggleExpanded();
    UpdateDuration();
    RedrawWindow(RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void CMacroEditDlg::OnOkButton() {
    StopRecording();
    ForceLastDelayZero();
    if (!ReadNumericFields()) {
        return;
    }
    std::memset(macro_.get(), 0, sizeof *macro_);
    WriteName(macro_->name, name_.GetWindowText());
    events_.Store(*macro_);
    if (playModes_) {
        for (const PlayModeRadio& row : kPlayModeRadios) {
            if (CButton(GetDlgItem(row.radio)).GetCheck()) {
                macro_->playMode = row.playMode;
                if (row.repeats) {
                    macro_->repeatInterval = repeatIntervalField;
                }
                break;
            }
        }
    }
    macro_->screenWidth = static_cast<std::uint32_t>(::GetSystemMetrics(SM_CXSCREEN));
    macro_->screenHeight = static_cast<std::uint32_t>(::GetSystemMetrics(SM_CYSCREEN));
    EndDialog(IDOK);
}

void CMacroEditDlg::OnCancelButton() {
    StopRecording();
    EndDialog(IDCANCEL);
}

void CMacroEditDlg::OnTimer(UINT_PTR id) {
    if (id != kCursorTimer) {
        SetMsgHandled(false);
        return;
    }
    POINT cursor{};
    ::GetCursorPos(&cursor);
    SetDlgItemInt(IDC_CURSOR_X, static_cast<int>(cursor.x));
    SetDlgItemInt(IDC_CURSOR_Y, static_cast<int>(cursor.y));
}

}  // namespace gd
