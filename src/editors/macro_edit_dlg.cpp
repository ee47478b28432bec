#include "editors/macro_edit_dlg.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>

#include "editors/key_capture_dlg.h"
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
constexpr int kExpandBy = 172;  // the Others and No. columns, 124 + 48
constexpr COLORREF kDurationColour = 0x00FF0000;
constexpr std::uint32_t kMinField = 30;
constexpr std::uint32_t kMaxField = 60000;

enum Column { kKeyColumn, kActionColumn, kDelayColumn, kOthersColumn, kNumberColumn };

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
    IDC_OK,
    IDC_CANCEL,
    IDC_MORE_LESS,
};
constexpr int kWideningControls[] = {IDC_MACRO_NAME, IDC_DURATION};
constexpr int kMouseControls[] = {IDC_POSITION_MODE, IDC_POSITION_X_CAPTION, IDC_POSITION_Y_CAPTION,
                                  IDC_POSITION_X,    IDC_POSITION_Y,         IDC_CURSOR_X,
                                  IDC_CURSOR_Y};

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

bool CMacroEditDlg::IsRecording() const {
    return recording_.IsInstalled();
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
    eventList_.SetExpandedSize(kExpandBy, 0);
    eventList_.SetScrollBarMode(CSkinListCtrl::kHideHorizontal);
    const struct {
        UINT heading;
        int width;
    } columns[] = {{IDS_COLUMN_KEY, 100},
                   {IDS_COLUMN_ACTION, 48},
                   {IDS_COLUMN_DELAY, 70},
                   {IDS_COLUMN_OTHERS, 124},
                   {IDS_COLUMN_NUMBER, 48}};
    // The action words may not fit the Action column's first width in the
    // list's font: it grows until the longest shows whole.
    int actionWidth = columns[kActionColumn].width;
    for (std::uint32_t action : {kActionPress, kActionRelease, kActionClick}) {
        actionWidth = std::max(
            actionWidth, eventList_.CellWidthFor(ActionName(WithAction(kKeyCodeBase, action))));
    }
    for (int i = 0; i < 5; ++i) {
        eventList_.InsertColumn(i, LoadText(columns[i].heading), LVCFMT_LEFT,
                                i == kActionColumn ? actionWidth : columns[i].width);
    }

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
        GetDlgItem(IDC_START_RECORDING).EnableWindow(true);
        GetDlgItem(IDC_STOP_RECORDING).EnableWindow(false);
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

// ---- recording

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
    const int dx = expanded_ ? -kExpandBy : kExpandBy;
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
