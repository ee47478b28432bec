#include "editors/multi_layer_dlg.h"

#include <commctrl.h>

#include <cstring>

#include "editors/key_capture_dlg.h"
#include "editors/macro_edit_dlg.h"
#include "editors/mouse_button_dlg.h"
#include "fw/text.h"
#include "profile/image.h"

namespace gd {
namespace {

enum Column { kLayerColumn, kNameColumn, kTypeColumn };

}  // namespace

CMultiLayerDlg::CMultiLayerDlg(HWND parent)
    : CDialog(IDD, parent), record_(std::make_unique<MultiLayerRecord>()) {
    std::memset(record_.get(), 0, sizeof *record_);
}

const MessageMap& CMultiLayerDlg::GetMessageMap() const {
    using D = CMultiLayerDlg;
    static constexpr Route kRoutes[] = {
        OnNotify<&D::OnListCustomDraw>(IDC_LAYER_LIST, NM_CUSTOMDRAW),
        OnNotify<&D::OnRightClick>(IDC_LAYER_LIST, NM_RCLICK),
        OnNotify<&D::OnDoubleClick>(IDC_LAYER_LIST, NM_DBLCLK),
        OnNotify<&D::OnListReturn>(IDC_LAYER_LIST, NM_RETURN),
        OnNotify<&D::OnListKeyDown>(IDC_LAYER_LIST, LVN_KEYDOWN),
        OnMessage<WM_CONTEXTMENU, &D::OnContextMenu>(),
        OnCommand<&D::OnKeyboard>(ID_KEYBOARD),
        OnCommand<&D::OnMouseButton>(ID_MOUSE_BUTTON),
        OnCommand<&D::OnMacro>(ID_MACRO),
        OnCommandRange<&D::OnStop>(ID_STOP_MACRO_LOOP, ID_SUPER_STOP),
        OnCommand<&D::OnClear>(ID_CLEAR),
        OnCommand<&D::OnNameChanged>(IDC_RECORD_NAME, EN_CHANGE),
        OnCommand<&D::OnAccept>(IDC_OK),
        OnCommand<&D::OnReject>(IDC_CANCEL),
        OnMessage<WM_HELP, &D::OnHelp>(),
    };
    static const MessageMap kMap{kRoutes, &CDialog::GetMessageMap()};
    return kMap;
}

void CMultiLayerDlg::DoDataExchange(CDataExchange& dx) {
    dx.Control(IDC_RECORD_NAME, name_);
    dx.Control(IDC_LAYER_LIST, list_);
}

void CMultiLayerDlg::LoadRecord(const MultiLayerRecord& record) {
    std::memcpy(record_.get(), &record, sizeof *record_);
    // A damaged count would let the list grow past the record's layers.
    record_->layerCount = static_cast<std::uint32_t>(UsedLayers(*record_));
}

void CMultiLayerDlg::StoreRecord(MultiLayerRecord& place) const {
    std::memcpy(&place, record_.get(), sizeof place);
}

BOOL CMultiLayerDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    freeRowMenu_.LoadMenu(IDR_MENU_LAYER_FREE);
    usedRowMenu_.LoadMenu(IDR_MENU_LAYER_USED);
    texts_ = {LoadText(IDS_SINGLE), LoadText(IDS_MACRO), LoadText(IDS_STOP)};
    cue_ = LoadText(IDS_ADD_LAYER_CUE);

    list_.SetExtendedStyle(list_.GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    list_.InsertColumn(kLayerColumn, LoadText(IDS_COLUMN_LAYER), LVCFMT_CENTER, 60);
    list_.InsertColumn(kNameColumn, LoadText(IDS_COLUMN_NAME), LVCFMT_CENTER, 80);
    list_.InsertColumn(kTypeColumn, LoadText(IDS_COLUMN_TYPE), LVCFMT_CENTER, 80);
    // The names run longest: theirs is whatever the list has left.
    list_.FillWithColumn(kNameColumn);
    const std::string layer = LoadText(IDS_COLUMN_LAYER);
    for (int row = 0; row < kMaxLayers; ++row) {
        list_.InsertItem(row, layer + " " + std::to_string(row + 1));
    }
    // Once: from now on the edit holds what the user typed, and OK stores it.
    const std::string name = ReadText(record_->name);
    if (!name.empty()) {
        name_.SetWindowText(name);
    }
    Refresh();
    return FALSE;  // the name has the focus
}

void CMultiLayerDlg::Refresh() {
    name_.SetFocus();
    for (int row = 0; row < kMaxLayers; ++row) {
        const LayerRowTexts texts = RowTexts(record_->layers[row], texts_);
        list_.SetItemText(row, kNameColumn, texts.name);
        list_.SetItemText(row, kTypeColumn, texts.type);
    }
    // The free row may have moved, and its cue with it.
    list_.Invalidate(false);
    UpdateOkButton();
}

LRESULT CMultiLayerDlg::OnListCustomDraw(NMLVCUSTOMDRAW& draw) {
    switch (draw.nmcd.dwDrawStage) {
        case CDDS_PREPAINT:
            return CDRF_NOTIFYITEMDRAW;
        case CDDS_ITEMPREPAINT:
            return IsFreeRow(*record_, static_cast<int>(draw.nmcd.dwItemSpec))
                       ? CDRF_NOTIFYPOSTPAINT
                       : CDRF_DODEFAULT;
        case CDDS_ITEMPOSTPAINT:
            DrawFreeRowCue(draw);
            return CDRF_DODEFAULT;
        default:
            return CDRF_DODEFAULT;
    }
}

// Nothing in an empty list says how it fills: the free row's empty cells
// carry a grey hint, drawn over them and never stored as their text.
void CMultiLayerDlg::DrawFreeRowCue(const NMLVCUSTOMDRAW& draw) const {
    const int row = static_cast<int>(draw.nmcd.dwItemSpec);
    RECT cells = list_.GetSubItemRect(row, kNameColumn, LVIR_BOUNDS);
    cells.right = list_.GetSubItemRect(row, kTypeColumn, LVIR_BOUNDS).right;
    if (cells.right <= cells.left) {
        return;
    }
    const bool selected = list_.IsSelected(row) && ::GetFocus() == list_.GetSafeHwnd();
    const int oldMode = ::SetBkMode(draw.nmcd.hdc, TRANSPARENT);
    const COLORREF oldColour = ::SetTextColor(
        draw.nmcd.hdc, ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_GRAYTEXT));
    ::DrawTextA(draw.nmcd.hdc, cue_.c_str(), static_cast<int>(cue_.size()), &cells,
                DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    ::SetTextColor(draw.nmcd.hdc, oldColour);
    ::SetBkMode(draw.nmcd.hdc, oldMode);
}

void CMultiLayerDlg::UpdateOkButton() {
    GetDlgItem(IDC_OK).EnableWindow(CanConfirm(*record_, name_.GetWindowText()));
}

int CMultiLayerDlg::RowUnderCursor() const {
    POINT cursor{};
    ::GetCursorPos(&cursor);
    ::ScreenToClient(list_, &cursor);
    const int row = list_.HitTest(cursor);
    return IsPickableRow(*record_, row) ? row : -1;
}

void CMultiLayerDlg::OnRightClick() {
    POINT cursor{};
    ::GetCursorPos(&cursor);
    ShowRowMenu(RowUnderCursor(), cursor);
}

void CMultiLayerDlg::OnContextMenu(HWND window, POINT screen) {
    if (window != list_.GetSafeHwnd() || screen.x != -1 || screen.y != -1) {
        SetMsgHandled(false);
        return;
    }
    ShowRowMenuBelow(KeyboardRow());
}

void CMultiLayerDlg::ShowRowMenuBelow(int row) {
    const RECT cell = list_.GetSubItemRect(row, kNameColumn, LVIR_BOUNDS);
    ShowRowMenu(row, list_.ClientToScreen(POINT{cell.left, cell.bottom}));
}

void CMultiLayerDlg::OnListKeyDown(const NMLVKEYDOWN& key) {
    // With all four layers used there is no row to add one in.
    if (key.wVKey == VK_INSERT && FreeRow(*record_) >= 0) {
        ShowRowMenuBelow(FreeRow(*record_));
    }
}

void CMultiLayerDlg::OnOK() {
    if (::GetFocus() == list_.GetSafeHwnd()) {
        OnListReturn();
    }
}

void CMultiLayerDlg::OnListReturn() {
    const int row = KeyboardRow();
    if (!EditRow(row)) {
        ShowRowMenuBelow(row);
    }
}

int CMultiLayerDlg::KeyboardRow() const {
    const int selected = list_.GetSelectedItem();
    if (selected >= 0) {
        return selected;
    }
    const int focused = static_cast<int>(list_.SendMessage(LVM_GETNEXTITEM, -1, LVNI_FOCUSED));
    return focused >= 0 ? focused : 0;
}

bool CMultiLayerDlg::ShowRowMenu(int row, POINT screen) {
    if (!IsPickableRow(*record_, row)) {
        return false;
    }
    selectedLayer = row;
    const CMenu& menu = IsFreeRow(*record_, selectedLayer) ? freeRowMenu_ : usedRowMenu_;
    CMenuRef popup = menu.GetSubMenu(0);
    if (!popup) {
        return false;
    }
    const std::uint32_t type = record_->layers[selectedLayer].layerType;
    popup.CheckItem(ID_KEYBOARD, type == LayerType::Key);
    popup.CheckItem(ID_MOUSE_BUTTON, type == LayerType::Mouse);
    popup.CheckItem(ID_MACRO, type == LayerType::Macro);
    popup.CheckItem(ID_STOP_KEY, type == LayerType::StopKey);
    ::SetForegroundWindow(hwnd_);
    popup.TrackPopup(hwnd_, screen, TPM_LEFTALIGN | TPM_LEFTBUTTON);
    return true;
}

void CMultiLayerDlg::OnDoubleClick() {
    EditRow(RowUnderCursor());
}

bool CMultiLayerDlg::EditRow(int row) {
    if (!IsPickableRow(*record_, row)) {
        return false;
    }
    selectedLayer = row;
    Layer& layer = record_->layers[selectedLayer];
    bool edited = false;
    switch (layer.layerType) {
        case LayerType::Key:
            edited = EditKey(layer);
            break;
        case LayerType::Mouse:
            edited = EditMouse(layer);
            break;
        case LayerType::Macro:
            edited = EditMacro(layer, true);
            break;
        default:
            return false;  // stops and empty rows have nothing to edit
    }
    if (edited) {
        Refresh();
    }
    return true;
}

bool CMultiLayerDlg::EditKey(Layer& layer) {
    CKeyCaptureDlg capture(hwnd_);
    capture.SetActionChoiceEnabled(true);
    const KeyStart start = KeyStartFor(layer);
    capture.flags = start.flags;
    capture.key = start.key;
    if (capture.DoModal() != IDOK) {
        return false;
    }
    SetKeyLayer(layer, capture.flags | capture.key);
    return true;
}

bool CMultiLayerDlg::EditMouse(Layer& layer) {
    CMouseButtonDlg mouse(hwnd_);
    mouse.SetActionChoiceEnabled(true);
    const MouseStart start = MouseStartFor(layer);
    mouse.flags = start.flags;
    mouse.button = start.button;
    mouse.x = start.x;
    mouse.y = start.y;
    if (mouse.DoModal() != IDOK) {
        return false;
    }
    SetMouseLayer(layer, mouse.flags | mouse.button, mouse.x, mouse.y, mouse.screenWidth,
                  mouse.screenHeight);
    return true;
}

bool CMultiLayerDlg::EditMacro(Layer& layer, bool fromLayer) {
    CLayerMacroEditDlg editor(hwnd_);
    if (fromLayer && layer.layerType == LayerType::Macro) {
        editor.LoadMacro(layer.macro);
    }
    if (editor.DoModal() != IDOK) {
        return false;
    }
    layer.layerType = LayerType::Macro;
    editor.StoreMacro(layer.macro);
    return true;
}

void CMultiLayerDlg::OnKeyboard() {
    if (selectedLayer < 0) {
        return;
    }
    if (EditKey(record_->layers[selectedLayer])) {
        GrowIfFree(*record_, selectedLayer);
    }
    Refresh();
}

void CMultiLayerDlg::OnMouseButton() {
    if (selectedLayer < 0) {
        return;
    }
    if (EditMouse(record_->layers[selectedLayer])) {
        GrowIfFree(*record_, selectedLayer);
    }
    Refresh();
}

void CMultiLayerDlg::OnMacro() {
    if (selectedLayer < 0) {
        return;
    }
    if (EditMacro(record_->layers[selectedLayer], true)) {
        GrowIfFree(*record_, selectedLayer);
    }
    Refresh();
}

void CMultiLayerDlg::OnStop(UINT id) {
    if (selectedLayer < 0) {
        return;
    }
    SetStopLayer(record_->layers[selectedLayer], StopLayerType(id));
    GrowIfFree(*record_, selectedLayer);
    Refresh();
}

void CMultiLayerDlg::OnClear() {
    if (selectedLayer < 0) {
        return;
    }
    ClearRow(*record_, selectedLayer);
    Refresh();
}

void CMultiLayerDlg::OnAccept() {
    WriteName(record_->name, name_.GetWindowText());
    EndDialog(IDOK);
}

}  // namespace gd
