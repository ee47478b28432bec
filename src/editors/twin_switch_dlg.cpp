#include "editors/twin_switch_dlg.h"

#include <cstring>

#include "editors/key_capture_dlg.h"
#include "editors/layer_list.h"
#include "editors/mouse_button_dlg.h"
#include "fw/module.h"
#include "fw/text.h"
#include "keys/key_names.h"
#include "profile/image.h"
#include "skin/bitmap_shape.h"
#include "skin/transparent_blit.h"

namespace gd {
namespace {

constexpr int kArrowSize = 16;
constexpr COLORREF kArrowBackground = RGB(255, 0, 0);

bool IsKeyOrButton(const Layer& layer) {
    return layer.layerType == LayerType::Key || layer.layerType == LayerType::Mouse;
}

}  // namespace

CTwinSwitchDlg::CTwinSwitchDlg(HWND parent)
    : CDialog(IDD, parent), record_(std::make_unique<MultiLayerRecord>()) {
    std::memset(record_.get(), 0, sizeof *record_);
}

const MessageMap& CTwinSwitchDlg::GetMessageMap() const {
    using D = CTwinSwitchDlg;
    static constexpr Route kRoutes[] = {
        OnMessage<WM_DRAWITEM, &D::OnDrawItem>(),
        OnCommandRange<&D::OnArrow>(IDC_KEY1_ARROW, IDC_KEY2_ARROW),
        OnCommand<&D::OnKeyboard>(ID_KEYBOARD),
        OnCommand<&D::OnMouseButton>(ID_MOUSE_BUTTON),
        OnCommand<&D::OnNameChanged>(IDC_RECORD_NAME, EN_CHANGE),
        OnCommand<&D::OnAccept>(IDC_ACCEPT),
        OnCommand<&D::OnReject>(IDC_REJECT),
        OnMessage<WM_HELP, &D::OnHelp>(),
    };
    static const MessageMap kMap{kRoutes, &CDialog::GetMessageMap()};
    return kMap;
}

void CTwinSwitchDlg::LoadRecord(const MultiLayerRecord& record) {
    if (MultiLayerKind(record) == MultiLayerKindValue::TwinSwitch) {
        std::memcpy(record_.get(), &record, sizeof *record_);
    } else {
        std::memset(record_.get(), 0, sizeof *record_);
    }
}

void CTwinSwitchDlg::StoreRecord(MultiLayerRecord& place) const {
    std::memcpy(&place, record_.get(), sizeof place);
    place.layerCount = 2;
}

BOOL CTwinSwitchDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    undefinedText_ = LoadText(IDS_UNDEFINED_KEY);
    keyMenu_.LoadMenu(IDR_MENU_TWIN_KEY);
    UniqueBitmap arrow(::LoadBitmapA(ResourceInstance(), MAKEINTRESOURCEA(IDB_PICK_ARROW)));
    // The triangle stands on the dialog's own background.
    arrow_ = ReplaceColour(arrow.get(), kArrowBackground, ::GetSysColor(COLOR_BTNFACE));
    const int buttons[2] = {IDC_KEY1_ARROW, IDC_KEY2_ARROW};
    for (int key = 0; key < 2; ++key) {
        CWnd button = GetDlgItem(buttons[key]);
        const RECT place = button.GetRectInParent();
        arrows_[key] = RECT{place.left, place.top, place.left + kArrowSize, place.top + kArrowSize};
        button.MoveWindow(place.left, place.top, kArrowSize, kArrowSize);
    }
    const std::string name = ReadText(record_->name);
    if (!name.empty()) {
        name_.SetWindowText(name);
    }
    name_.SetFocus();
    Refresh();
    return FALSE;
}

void CTwinSwitchDlg::Refresh() {
    const int names[2] = {IDC_KEY1_NAME, IDC_KEY2_NAME};
    for (int key = 0; key < 2; ++key) {
        const Layer& layer = record_->layers[key];
        GetDlgItem(names[key])
            .SetWindowText(IsKeyOrButton(layer) ? EventName(layer.action.code) : undefinedText_);
    }
    GetDlgItem(IDC_ACCEPT)
        .EnableWindow(IsKeyOrButton(record_->layers[0]) && IsKeyOrButton(record_->layers[1]) &&
                      !name_.GetWindowText().empty());
}

void CTwinSwitchDlg::OnDrawItem(const DRAWITEMSTRUCT& item) {
    if (item.CtlID != IDC_KEY1_ARROW && item.CtlID != IDC_KEY2_ARROW) {
        SetMsgHandled(false);
        return;
    }
    CopyBitmap(item.hDC, 0, 0, kArrowSize, kArrowSize, arrow_.get());
    if ((item.itemState & ODS_FOCUS) != 0 && CWnd(item.hwndItem).ShowsFocusCues()) {
        RECT cue = item.rcItem;
        ::DrawFocusRect(item.hDC, &cue);
    }
}

void CTwinSwitchDlg::OnArrow(UINT id) {
    OpenArrowMenu(id == IDC_KEY2_ARROW ? 1 : 0);
}

void CTwinSwitchDlg::OpenArrowMenu(int key) {
    selectedLayer = key;
    if (CMenuRef popup = keyMenu_.GetSubMenu(0)) {
        const POINT below{arrows_[key].left, arrows_[key].bottom};
        popup.TrackPopup(hwnd_, ClientToScreen(below), TPM_LEFTALIGN | TPM_LEFTBUTTON);
    }
}

void CTwinSwitchDlg::OnKeyboard() {
    if (selectedLayer < 0) {
        return;
    }
    Layer& layer = record_->layers[selectedLayer];
    CKeyCaptureDlg capture(hwnd_);
    const KeyStart start = KeyStartFor(layer);
    capture.flags = start.flags;
    capture.key = start.key;
    if (capture.DoModal() == IDOK) {
        SetKeyLayer(layer, capture.flags | capture.key);
    }
    Refresh();
}

void CTwinSwitchDlg::OnMouseButton() {
    if (selectedLayer < 0) {
        return;
    }
    Layer& layer = record_->layers[selectedLayer];
    CMouseButtonDlg mouse(hwnd_);
    mouse.SetActionChoiceEnabled(false);
    const MouseStart start = MouseStartFor(layer);
    mouse.flags = start.flags;
    mouse.button = start.button;
    mouse.x = start.x;
    mouse.y = start.y;
    if (mouse.DoModal() == IDOK) {
        SetMouseLayer(layer, mouse.flags | mouse.button, mouse.x, mouse.y, mouse.screenWidth,
                      mouse.screenHeight);
    }
    Refresh();
}

void CTwinSwitchDlg::OnCancel() {
    OnReject();
}

void CTwinSwitchDlg::OnOK() {
    const int focused = ::GetDlgCtrlID(::GetFocus());
    if (focused == IDC_KEY1_ARROW || focused == IDC_KEY2_ARROW) {
        OpenArrowMenu(focused == IDC_KEY2_ARROW ? 1 : 0);
        return;
    }
    // Enter reaches here through the default button, which only works while
    // it is enabled.
    if (GetDlgItem(IDC_ACCEPT).IsWindowEnabled()) {
        OnAccept();
    }
}

void CTwinSwitchDlg::OnAccept() {
    WriteName(record_->name, name_.GetWindowText());
    EndDialog(IDOK);
}

}  // namespace gd
