#include "editors/mouse_button_dlg.h"

#include "fw/text.h"

namespace gd {
namespace {

// Fires every 100 ms for the live pointer position.
constexpr UINT_PTR kPointerTimer = 1;
constexpr UINT kPointerPeriod = 100;

constexpr UINT kActionTexts[kMouseActionItemCount] = {IDS_MOUSE_CLICK, IDS_MOUSE_PRESS,
                                                      IDS_MOUSE_RELEASE};
constexpr UINT kPositionTexts[kMousePositionItemCount] = {IDS_RELATIVE, IDS_ABSOLUTE,
                                                          IDS_UNDEFINED_POSITION};

void FillList(const CComboBox& list, const UINT* textIds, int count, int selected) {
    for (int i = 0; i < count; ++i) {
        list.InsertString(i, LoadText(textIds[i]));
    }
    list.SetCurSel(selected);
}

}  // namespace

CMouseButtonDlg::CMouseButtonDlg(HWND parent) : CDialog(IDD, parent) {}

const MessageMap& CMouseButtonDlg::GetMessageMap() const {
    using D = CMouseButtonDlg;
    static constexpr Route kRoutes[] = {
        OnCommand<&D::OnButtonPicked>(IDC_BUTTON_LEFT, BN_CLICKED),
        OnCommand<&D::OnButtonPicked>(IDC_BUTTON_MIDDLE, BN_CLICKED),
        OnCommand<&D::OnButtonPicked>(IDC_BUTTON_RIGHT, BN_CLICKED),
        OnCommand<&D::OnPositionModeChanged>(IDC_POSITION_MODE, CBN_SELCHANGE),
        OnMessage<WM_TIMER, &D::OnTimer>(),
        OnMessage<WM_HELP, &D::OnHelp>(),
        OnMessage<WM_DESTROY, &D::OnDestroy>(),
    };
    static const MessageMap kMap{kRoutes, &CDialog::GetMessageMap()};
    return kMap;
}

MouseButtonValues CMouseButtonDlg::Values() const {
    return {flags, button, x, y, screenWidth, screenHeight};
}

void CMouseButtonDlg::TakeValues(const MouseButtonValues& values) {
    flags = values.flags;
    button = values.button;
    x = values.x;
    y = values.y;
    screenWidth = values.screenWidth;
    screenHeight = values.screenHeight;
}

void CMouseButtonDlg::LoadSingleSwitch(const MultiLayerRecord& record) {
    actionChoiceEnabled = false;
    MouseButtonValues values = Values();
    if (ReadSingleSwitchMouse(record, values)) {
        TakeValues(values);
    }
}

void CMouseButtonDlg::StoreSingleSwitch(MultiLayerRecord& record) const {
    WriteSingleSwitchMouse(record, Values(), LoadText(IDS_SINGLE_SUFFIX));
}

void CMouseButtonDlg::DoDataExchange(CDataExchange& dx) {
    dx.Control(IDC_POSITION_MODE, positionList_);
    dx.Control(IDC_ACTION, actionList_);
    dx.Int(IDC_POSITION_X, x, -kMousePositionLimit, kMousePositionLimit);
    dx.Int(IDC_POSITION_Y, y, -kMousePositionLimit, kMousePositionLimit);
}

BOOL CMouseButtonDlg::OnInitDialog() {
    const BOOL result = CDialog::OnInitDialog();

    xRefCaption_ = LoadText(IDS_X_REF);
    yRefCaption_ = LoadText(IDS_Y_REF);
    xCaption_ = LoadText(IDS_X);
    yCaption_ = LoadText(IDS_Y);

    CheckDlgButton(IDC_BUTTON_LEFT, button == kMouseLeft);
    CheckDlgButton(IDC_BUTTON_RIGHT, button == kMouseRight);
    CheckDlgButton(IDC_BUTTON_MIDDLE, button == kMouseMiddle);

    FillList(actionList_, kActionTexts, kMouseActionItemCount, MouseActionItemOf(flags));
    const int positionItem = MousePositionItemOf(flags, x, y);
    FillList(positionList_, kPositionTexts, kMousePositionItemCount, positionItem);
    EnablePositionFields(positionItem != kMouseUndefinedItem);
    actionList_.EnableWindow(actionChoiceEnabled);
    ShowCaptions(positionItem);

    keyFilter_.Install();

    ShowPointerPosition();
    SetTimer(kPointerTimer, kPointerPeriod);
    return result;
}

void CMouseButtonDlg::OnButtonPicked(UINT id) {
    button = id == IDC_BUTTON_LEFT     ? kMouseLeft
             : id == IDC_BUTTON_MIDDLE ? kMouseMiddle
                                       : kMouseRight;
    for (int radio : {IDC_BUTTON_LEFT, IDC_BUTTON_MIDDLE, IDC_BUTTON_RIGHT}) {
        CheckDlgButton(radio, static_cast<UINT>(radio) == id);
    }
}

void CMouseButtonDlg::OnPositionModeChanged() {
    const int item = positionList_.GetCurSel();
    if (item == kMouseUndefinedItem) {
        EnablePositionFields(false);
        x = 0;
        y = 0;
        SetDlgItemInt(IDC_POSITION_X, 0);
        SetDlgItemInt(IDC_POSITION_Y, 0);
    } else {
        EnablePositionFields(true);
    }
    ShowCaptions(item);
}

void CMouseButtonDlg::OnOK() {
    KillTimer(kPointerTimer);
    if (!UpdateData(true)) {
        // The dialog stays open: keep the pointer display running while the
        // user corrects the field.
        SetTimer(kPointerTimer, kPointerPeriod);
        return;
    }
    flags = MouseFlagsAtOk(flags, actionList_.GetCurSel(), positionList_.GetCurSel());
    screenWidth = static_cast<std::uint32_t>(::GetSystemMetrics(SM_CXSCREEN));
    screenHeight = static_cast<std::uint32_t>(::GetSystemMetrics(SM_CYSCREEN));
    EndDialog(IDOK);
}

void CMouseButtonDlg::OnCancel() {
    KillTimer(kPointerTimer);
    EndDialog(IDCANCEL);
}

void CMouseButtonDlg::OnTimer(UINT_PTR id) {
    if (id == kPointerTimer) {
        ShowPointerPosition();
    }
}

void CMouseButtonDlg::OnDestroy() {
    keyFilter_.Remove();
    SetMsgHandled(false);
}

void CMouseButtonDlg::ShowCaptions(int positionItem) {
    const bool screen = ShowsScreenCaptions(positionItem);
    SetDlgItemText(IDC_POSITION_X_CAPTION, screen ? xCaption_ : xRefCaption_);
    SetDlgItemText(IDC_POSITION_Y_CAPTION, screen ? yCaption_ : yRefCaption_);
}

void CMouseButtonDlg::EnablePositionFields(bool enable) {
    GetDlgItem(IDC_POSITION_X).EnableWindow(enable);
    GetDlgItem(IDC_POSITION_Y).EnableWindow(enable);
}

void CMouseButtonDlg::ShowPointerPosition() {
    POINT pointer{};
    // No position while the desktop is out of reach: keep the last one shown.
    if (!::GetCursorPos(&pointer)) {
        return;
    }
    SetDlgItemInt(IDC_CURSOR_X, static_cast<int>(pointer.x));
    SetDlgItemInt(IDC_CURSOR_Y, static_cast<int>(pointer.y));
}

LRESULT CMouseButtonDlg::OnKeyboardHook(int code, WPARAM wParam, LPARAM lParam) {
    const auto* msg = reinterpret_cast<const MSG*>(lParam);
    if (code == MSGF_DIALOGBOX && hwnd_ != nullptr && msg != nullptr &&
        (msg->message == WM_KEYDOWN || msg->message == WM_CHAR) && msg->wParam == VK_RETURN &&
        (msg->hwnd == hwnd_ || ::IsChild(hwnd_, msg->hwnd))) {
        // An open drop-down list closes with Enter: it asks for it.
        MSG copy = *msg;
        const LRESULT wants =
            ::SendMessageA(msg->hwnd, WM_GETDLGCODE, msg->wParam, reinterpret_cast<LPARAM>(&copy));
        if ((wants & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE)) == 0) {
            return 1;
        }
    }
    return DialogKeyFilter::PassOn(code, wParam, lParam);
}

}  // namespace gd
