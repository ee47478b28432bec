#include "fw/dialog.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <vector>

#include "fw/handle.h"
#include "fw/module.h"
#include "fw/text.h"
#include "resource.h"

namespace gd {
namespace {

// Messages whose answer a dialog procedure returns itself instead of
// through DWLP_MSGRESULT.
bool ReturnsDirectly(UINT message) {
    switch (message) {
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
        case WM_COMPAREITEM:
        case WM_VKEYTOITEM:
        case WM_CHARTOITEM:
        case WM_QUERYDRAGICON:
        case WM_INITDIALOG:
            return true;
        default:
            return false;
    }
}

// The modeless dialogs of the program's one user-interface thread. They
// live inside a modal run (the main window's, or an editor's), whose loop
// hands the keys of its own dialog only to the dialog manager; a message
// filter on that loop gives each modeless dialog its own: Tab, the arrows,
// Enter, Escape and access keys.
struct ModelessDialogs {
    std::vector<HWND> windows;
    // Dialogs with a table of shortcut keys, and the tables: the dialog
    // manager's loop translates none itself.
    std::vector<std::pair<HWND, HACCEL>> accelerators;
    UniqueHook filter;
};

CDialog::ModalPlacement modalPlacement = nullptr;

ModelessDialogs& Modeless() {
    static ModelessDialogs dialogs;
    return dialogs;
}

LRESULT CALLBACK ModelessDialogKeys(int code, WPARAM wParam, LPARAM lParam) {
    auto* msg = reinterpret_cast<MSG*>(lParam);
    if (code == MSGF_DIALOGBOX && msg != nullptr && msg->message >= WM_KEYFIRST &&
        msg->message <= WM_KEYLAST) {
        // Only keys typed into the dialog itself: an editor open over it
        // runs this loop too, and its keys are its own.
        for (const auto& [dialog, table] : Modeless().accelerators) {
            if ((msg->hwnd == dialog || ::IsChild(dialog, msg->hwnd) != FALSE) &&
                ::TranslateAcceleratorA(dialog, table, msg) != FALSE) {
                return 1;
            }
        }
        for (HWND dialog : Modeless().windows) {
            if ((msg->hwnd == dialog || ::IsChild(dialog, msg->hwnd) != FALSE) &&
                ::IsDialogMessageA(dialog, msg) != FALSE) {
                return 1;
            }
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

void FilterKeys() {
    ModelessDialogs& modeless = Modeless();
    if (!modeless.filter) {
        modeless.filter.reset(::SetWindowsHookExA(WH_MSGFILTER, &ModelessDialogKeys, nullptr,
                                                  ::GetCurrentThreadId()));
    }
}

void AddModeless(HWND dialog) {
    Modeless().windows.push_back(dialog);
    FilterKeys();
}

void StopFilteringKeys(HWND dialog) {
    ModelessDialogs& modeless = Modeless();
    std::erase(modeless.windows, dialog);
    std::erase_if(modeless.accelerators,
                  [dialog](const auto& entry) { return entry.first == dialog; });
    if (modeless.windows.empty() && modeless.accelerators.empty()) {
        modeless.filter.reset();
    }
}

struct ModalSearch {
    HWND owner;
    HWND found;
};

bool IsModeless(HWND window) {
    const std::vector<HWND>& modeless = Modeless().windows;
    return std::find(modeless.begin(), modeless.end(), window) != modeless.end();
}

// Whether `window` is owned by `owner`, directly or through modal dialogs.
// A dialog run over a modeless one holds that one, not its owner.
bool IsHeldBy(HWND window, HWND owner) {
    for (HWND up = ::GetWindow(window, GW_OWNER); up != nullptr; up = ::GetWindow(up, GW_OWNER)) {
        if (up == owner) {
            return true;
        }
        if (IsModeless(up)) {
            return false;
        }
    }
    return false;
}

BOOL CALLBACK FindModalDialog(HWND window, LPARAM param) {
    auto& search = *reinterpret_cast<ModalSearch*>(param);
    // A dialog that opened another for its own modal run is disabled by it;
    // only the innermost one takes input.
    char className[8] = {};
    if (::IsWindowVisible(window) == FALSE || ::IsWindowEnabled(window) == FALSE ||
        ::GetClassNameA(window, className, sizeof className) == 0 ||
        std::strcmp(className, "#32770") != 0 || IsModeless(window) ||
        !IsHeldBy(window, search.owner)) {
        return TRUE;
    }
    search.found = window;
    return FALSE;
}

// The range message with the bounds in place of its two "%d": one text
// serves signed and unsigned fields alike.
std::string RangeMessage(long long minimum, long long maximum) {
    std::string text = LoadText(IDS_INTEGER_RANGE);
    std::size_t from = 0;
    for (long long bound : {minimum, maximum}) {
        const std::size_t at = text.find("%d", from);
        if (at == std::string::npos) {
            break;
        }
        const std::string number = std::to_string(bound);
        text.replace(at, 2, number);
        from = at + number.size();
    }
    return text;
}

}  // namespace

HWND ModalDialogOver(HWND owner) {
    ModalSearch search{owner, nullptr};
    ::EnumThreadWindows(::GetCurrentThreadId(), &FindModalDialog,
                        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void CDataExchange::Text(int id, std::string& value) {
    if (failed_) {
        return;
    }
    if (saving_) {
        value = dialog_.GetDlgItemText(id);
    } else {
        dialog_.SetDlgItemText(id, value);
    }
}

void CDataExchange::Int(int id, int& value, int minimum, int maximum) {
    if (failed_) {
        return;
    }
    if (!saving_) {
        dialog_.SetDlgItemInt(id, value);
        return;
    }
    long long number = 0;
    if (!ParseInteger(dialog_.GetDlgItemText(id), number) || number < minimum || number > maximum) {
        Fail(id, RangeMessage(minimum, maximum));
        return;
    }
    value = static_cast<int>(number);
}

void CDataExchange::UInt(int id, std::uint32_t& value, std::uint32_t minimum,
                         std::uint32_t maximum) {
    if (failed_) {
        return;
    }
    if (!saving_) {
        dialog_.SetDlgItemUInt(id, value);
        return;
    }
    long long number = 0;
    if (!ParseInteger(dialog_.GetDlgItemText(id), number) || number < 0 ||
        static_cast<unsigned long long>(number) < minimum ||
        static_cast<unsigned long long>(number) > maximum) {
        Fail(id, RangeMessage(minimum, maximum));
        return;
    }
    value = static_cast<std::uint32_t>(number);
}

void CDataExchange::Check(int id, int& value) {
    if (failed_) {
        return;
    }
    if (saving_) {
        value = dialog_.IsDlgButtonChecked(id) ? 1 : 0;
    } else {
        dialog_.CheckDlgButton(id, value != 0);
    }
}

void CDataExchange::Fail(int id, std::string_view message) {
    failed_ = true;
    ShowMessage(dialog_, message, MB_OK | MB_ICONEXCLAMATION);
    HWND field = ::GetDlgItem(dialog_, id);
    if (field != nullptr) {
        ::SetFocus(field);
        ::SendMessageA(field, EM_SETSEL, 0, -1);
    }
}

CDialog::~CDialog() {
    if (hwnd_ != nullptr && !modal_) {
        ::DestroyWindow(hwnd_);
    }
}

const MessageMap& CDialog::GetMessageMap() const {
    static constexpr Route kRoutes[] = {
        OnCommand<&CDialog::OnOKCommand>(IDOK),
        OnCommand<&CDialog::OnCancelCommand>(IDCANCEL),
        OnMessage<WM_CHANGEUISTATE, &CDialog::OnChangeUiState>(),
        OnMessage<WM_UPDATEUISTATE, &CDialog::OnChangeUiState>(),
        OnMessage<WM_QUERYUISTATE, &CDialog::OnQueryUiState>(),
        OnMessage<WM_NEXTDLGCTL, &CDialog::OnNextControl>(),
    };
    static const MessageMap kMap{kRoutes, &CMsgHandler::GetMessageMap()};
    return kMap;
}

INT_PTR CDialog::DoModal() {
    if (hwnd_ != nullptr) {
        return -1;
    }
    if (commonControlsFirst_) {
        InitCommonControlsOnce();
    }
    modal_ = true;
    INT_PTR result = ::DialogBoxParamA(ResourceInstance(), MAKEINTRESOURCEA(templateId_), parent_,
                                       &DialogProc, reinterpret_cast<LPARAM>(this));
    modal_ = false;
    return result;
}

bool CDialog::Create(HWND parent) {
    if (hwnd_ != nullptr) {
        return false;
    }
    if (commonControlsFirst_) {
        InitCommonControlsOnce();
    }
    parent_ = parent;
    modal_ = false;
    HWND window = ::CreateDialogParamA(ResourceInstance(), MAKEINTRESOURCEA(templateId_), parent,
                                       &DialogProc, reinterpret_cast<LPARAM>(this));
    if (window != nullptr) {
        AddModeless(window);
    }
    return window != nullptr;
}

bool CDialog::DestroyWindow() {
    return hwnd_ != nullptr && ::DestroyWindow(hwnd_) != FALSE;
}

void CDialog::EndDialog(INT_PTR result) {
    if (hwnd_ == nullptr) {
        return;
    }
    if (modal_) {
        ::EndDialog(hwnd_, result);
    } else {
        ::ShowWindow(hwnd_, SW_HIDE);
    }
}

bool CDialog::UpdateData(bool saveAndValidate) {
    CDataExchange exchange(*this, saveAndValidate);
    DoDataExchange(exchange);
    return !exchange.Failed();
}

// Focus rectangles show once the keyboard is used in the dialog (the dialog
// manager clears UISF_HIDEFOCUS on Tab and the arrow keys), or from the
// start when the system's setting asks for them always; a dialog used with
// the mouse alone shows none.
void CDialog::InitKeyboardCues() {
    BOOL alwaysShown = FALSE;
    ::SystemParametersInfoA(SPI_GETKEYBOARDCUES, 0, &alwaysShown, 0);
    focusHidden_ = alwaysShown == FALSE;
    ::SendMessageA(hwnd_, WM_CHANGEUISTATE,
                   MAKEWPARAM(focusHidden_ ? UIS_SET : UIS_CLEAR, UISF_HIDEFOCUS | UISF_HIDEACCEL),
                   0);
}

LRESULT CDialog::OnChangeUiState(WPARAM change, LPARAM) {
    const WORD action = LOWORD(change);
    if ((HIWORD(change) & UISF_HIDEFOCUS) != 0 && (action == UIS_SET || action == UIS_CLEAR)) {
        const bool hidden = action == UIS_SET;
        if (hidden != focusHidden_) {
            focusHidden_ = hidden;
            // Controls that draw their own focus cue learn of it by a repaint.
            ::RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        }
    }
    SetMsgHandled(false);
    return 0;
}

// Tab (and Shift+Tab) reach the dialog as a move to the next or previous
// control; a program that moves the focus names the control instead. Not
// every dialog manager announces the keyboard's use otherwise.
LRESULT CDialog::OnNextControl(WPARAM, LPARAM byHandle) {
    if (LOWORD(byHandle) == 0) {
        KeyboardUsed();
    }
    SetMsgHandled(false);
    return 0;
}

LRESULT CDialog::OnQueryUiState(WPARAM, LPARAM) {
    LRESULT state = ::DefWindowProcA(hwnd_, WM_QUERYUISTATE, 0, 0) & ~UISF_HIDEFOCUS;
    return focusHidden_ ? state | UISF_HIDEFOCUS : state;
}

BOOL CDialog::OnInitDialog() {
    UpdateData(false);
    return TRUE;
}

void CDialog::OnOK() {
    if (UpdateData(true)) {
        EndDialog(IDOK);
    }
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

void CDialog::Bind(HWND window) {
    hwnd_ = window;
    AttachToWindow(window);
}

void CDialog::Unbind() {
    if (reinterpret_cast<CDialog*>(::GetWindowLongPtrA(hwnd_, DWLP_USER)) == this) {
        ::SetWindowLongPtrA(hwnd_, DWLP_USER, 0);
    }
    DetachFromWindow(hwnd_);
    hwnd_ = nullptr;
}

CDialog* CDialog::FromWindow(HWND window) {
    // Only Bind attaches an object to a dialog window, so the object is a CDialog.
    return static_cast<CDialog*>(FromHandle(window));
}

void CDialog::UseAccelerators(UINT tableId) {
    HACCEL table = ::LoadAcceleratorsA(ResourceInstance(), MAKEINTRESOURCEA(tableId));
    if (table == nullptr || hwnd_ == nullptr) {
        return;
    }
    Modeless().accelerators.emplace_back(hwnd_, table);
    FilterKeys();
}

INT_PTR CDialog::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // A menu still reaches a window that a modal dialog holds disabled (the
    // tray's, say, under an editor of the main window). Its command would
    // open a second dialog, whose end enables the window under the first,
    // or change what the first was opened for: the dialog comes to the
    // front instead, and the command is dropped.
    if (message == WM_COMMAND && lParam == 0) {
        if (HWND holder = ModalDialogOver(window)) {
            ::SetForegroundWindow(holder);
            return TRUE;
        }
    }
    Message m{window, message, wParam, lParam};
    bool handled = RouteMessage(m);
    if (message == WM_NCDESTROY) {
        StopFilteringKeys(window);
        Unbind();
        OnFinalMessage();
        return FALSE;
    }
    if (!handled) {
        return FALSE;
    }
    if (ReturnsDirectly(message)) {
        return static_cast<INT_PTR>(m.result);
    }
    ::SetWindowLongPtrA(window, DWLP_MSGRESULT, m.result);
    return TRUE;
}

void CDialog::SetModalPlacement(ModalPlacement place) {
    modalPlacement = place;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<CDialog*>(lParam);
        self->Bind(window);
        // Every later message finds the object here: the window property
        // that FromWindow reads is a round trip to the window server under
        // Wine, paid on each of the dialog's messages.
        ::SetWindowLongPtrA(window, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
        self->InitKeyboardCues();
        const BOOL result = self->OnInitDialog();
        // After OnInitDialog, which may change the dialog's size.
        HWND owner = ::GetWindow(window, GW_OWNER);
        if (self->modal_ && modalPlacement != nullptr && owner != nullptr &&
            (::GetWindowLongPtrA(window, GWL_STYLE) & DS_CENTER) != 0) {
            modalPlacement(window, owner);
        }
        return result;
    }
    auto* self = reinterpret_cast<CDialog*>(::GetWindowLongPtrA(window, DWLP_USER));
    return self ? self->HandleMessage(window, message, wParam, lParam) : FALSE;
}

}  // namespace gd
