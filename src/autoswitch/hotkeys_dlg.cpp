#include "autoswitch/hotkeys_dlg.h"

#include <commctrl.h>

#include "autoswitch/profile_hotkeys_win.h"
#include "fw/file_dialog.h"
#include "fw/text.h"
#include "resource.h"
#include "string_table.h"

namespace gd {
namespace {

constexpr char kProfileFilter[] = "Gripdeck|*.gpx||";

struct Column {
    UINT text;
    int width;
};
constexpr Column kColumns[] = {
    {IDS_HOTKEY_COLUMN_KEY, 95}, {IDS_AUTO_COLUMN_PROFILE, 150}, {IDS_HOTKEY_COLUMN_STATE, 150}};
constexpr int kProfileColumn = 1;

std::string StateText(const CProfileHotkeys& owner, const ProfileHotkey& hotkey) {
    if (owner.IsHeld(hotkey.hotkey)) {
        return FindString(IDS_HOTKEY_STATE_HELD);
    }
    if (const std::optional<std::string> reason = CheckProfileFile(hotkey.profile)) {
        return FillString(IDS_HOTKEY_STATE_UNREADABLE, {*reason});
    }
    return FindString(IDS_HOTKEY_STATE_READY);
}

}  // namespace

CHotkeysDlg::CHotkeysDlg(HWND parent, CProfileHotkeys& owner)
    : CDialog(IDD_HOTKEYS, parent), owner_(owner) {}

const MessageMap& CHotkeysDlg::GetMessageMap() const {
    using D = CHotkeysDlg;
    static constexpr Route kRoutes[] = {
        OnCommand<&D::OnChoose>(IDC_HOTKEY_CHOOSE),
        OnCommand<&D::OnAdd>(IDC_HOTKEY_ADD),
        OnCommand<&D::OnChange>(IDC_HOTKEY_CHANGE),
        OnCommand<&D::OnRemove>(IDC_HOTKEY_REMOVE),
        OnNotify<&D::OnRowSelected>(IDC_HOTKEY_LIST, LVN_ITEMCHANGED),
    };
    static const MessageMap kMap{kRoutes, &CDialog::GetMessageMap()};
    return kMap;
}

BOOL CHotkeysDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    list_ = CListCtrl(GetDlgItem(IDC_HOTKEY_LIST));
    key_ = CHotKeyCtrl(GetDlgItem(IDC_HOTKEY_KEY));
    list_.SetExtendedStyle(list_.GetExtendedStyle() | LVS_EX_FULLROWSELECT);
    for (std::size_t i = 0; i < std::size(kColumns); ++i) {
        list_.InsertColumn(static_cast<int>(i), LoadText(kColumns[i].text), LVCFMT_LEFT,
                           kColumns[i].width);
    }
    list_.FillWithColumn(kProfileColumn, ::GetSystemMetrics(SM_CXVSCROLL));
    // Read again: gpxtool may have changed them since the last notice.
    owner_.Reload();
    FillList({});
    return TRUE;
}

void CHotkeysDlg::FillList(const std::string& text) {
    shown_ = owner_.Hotkeys();
    list_.DeleteAllItems();
    int selected = shown_.empty() ? -1 : 0;
    for (std::size_t i = 0; i < shown_.size(); ++i) {
        const int row = list_.InsertItem(static_cast<int>(i), shown_[i].text);
        list_.SetItemText(row, 1, shown_[i].profile);
        list_.SetItemText(row, 2, StateText(owner_, shown_[i]));
        if (shown_[i].text == text) {
            selected = row;
        }
    }
    const bool any = !shown_.empty();
    GetDlgItem(IDC_HOTKEY_CHANGE).EnableWindow(any);
    GetDlgItem(IDC_HOTKEY_REMOVE).EnableWindow(any);
    if (selected >= 0) {
        list_.SetItemState(selected, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        list_.EnsureVisible(selected);
    }
}

std::optional<ProfileHotkey> CHotkeysDlg::SelectedHotkey() const {
    const int row = list_.GetSelectedItem();
    if (row < 0 || static_cast<std::size_t>(row) >= shown_.size()) {
        return std::nullopt;
    }
    return shown_[static_cast<std::size_t>(row)];
}

void CHotkeysDlg::ShowNote(const std::string& text) {
    SetDlgItemText(IDC_HOTKEY_NOTE, text);
}

void CHotkeysDlg::OnRowSelected() {
    if (const std::optional<ProfileHotkey> hotkey = SelectedHotkey()) {
        key_.SetHotKey(hotkey->hotkey.key, ControlModifiers(hotkey->hotkey));
        SetDlgItemText(IDC_HOTKEY_PROFILE, hotkey->profile);
    }
}

void CHotkeysDlg::OnChoose() {
    if (const std::optional<std::string> path =
            ChooseFileToOpen(hwnd_, LoadText(IDS_CHOOSE_PROFILE), kProfileFilter, "gpx",
                             GetDlgItemText(IDC_HOTKEY_PROFILE))) {
        SetDlgItemText(IDC_HOTKEY_PROFILE, *path);
    }
}

void CHotkeysDlg::OnChange() {
    if (const std::optional<ProfileHotkey> hotkey = SelectedHotkey()) {
        Store(hotkey->stored);
    }
}

void CHotkeysDlg::OnRemove() {
    if (const std::optional<ProfileHotkey> hotkey = SelectedHotkey()) {
        RemoveHotkey(owner_.Storage(), hotkey->stored);
        owner_.Reload();
        FillList({});
        ShowNote({});
    }
}

void CHotkeysDlg::Store(const std::string& replacing) {
    BYTE key = 0;
    BYTE controlModifiers = 0;
    key_.GetHotKey(key, controlModifiers);
    if (key == 0) {
        ShowNote(FindString(IDS_HOTKEY_NO_KEY));
        key_.SetFocus();
        return;
    }
    const Hotkey hotkey{ModifiersFromControl(controlModifiers), key};
    const std::string text = HotkeyText(hotkey);
    const std::string profile = GetDlgItemText(IDC_HOTKEY_PROFILE);
    if (text.empty()) {
        ShowNote(FindString(IDS_HOTKEY_NOT_A_HOTKEY));
        return;
    }
    if (const std::optional<RuleRefusal> refusal =
            AddHotkey(owner_.Storage(), text, profile, CheckProfileFile, replacing)) {
        ShowNote(refusal->subject + ": " + refusal->reason);
        return;
    }
    owner_.Reload();
    FillList(text);
    ShowNote(owner_.IsHeld(hotkey)
                 ? FillString(IDS_HOTKEY_HELD_NOTE, {text})
                 : FillString(IDS_HOTKEY_SET_NOTE, {text, ProfileFileName(profile)}));
}

}  // namespace gd
