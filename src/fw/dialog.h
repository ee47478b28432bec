#pragma once
// CDialog: a dialog from a template, run modally (DoModal) or modeless
// (Create). Derived classes name their template, override OnInitDialog,
// OnOK, OnCancel and DoDataExchange as needed, and route everything else
// through their handler table (fw/message_map.h), whose base is CDialog's.
// A modeless dialog gets its dialog keys (Tab, Enter, Escape...) inside
// whatever modal run is going on.
//
// A dialog that a modal dialog of its own holds takes no command of a menu
// or accelerator: the command brings the holding dialog to the front.
//
// Data exchange: DoDataExchange(dx) lists the fields once; UpdateData(false)
// puts members into the controls, UpdateData(true) reads and validates them.
// A field that fails shows its message, gets the focus, and stops the
// exchange; UpdateData then returns false and the dialog stays open.
#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "fw/message_map.h"
#include "fw/wnd.h"

namespace gd {

class CDataExchange {
  public:
    CDataExchange(CWnd dialog, bool saveAndValidate) : dialog_(dialog), saving_(saveAndValidate) {}

    bool IsSaving() const { return saving_; }
    bool Failed() const { return failed_; }

    void Text(int id, std::string& value);
    // Decimal text; a saved value outside minimum..maximum (or no number at
    // all) fails with the range message, string IDS_INTEGER_RANGE of the
    // program's table, shown with the exclamation icon and the title.
    void Int(int id, int& value, int minimum, int maximum);
    void UInt(int id, std::uint32_t& value, std::uint32_t minimum, std::uint32_t maximum);
    // A check box: 1 checked, 0 not (an indeterminate box reads as 0).
    void Check(int id, int& value);

    // Binds a control object to the template's control the first time:
    // window objects subclass it, views just point at it.
    template <typename T>
    void Control(int id, T& control) {
        if (control.GetSafeHwnd() != nullptr) {
            return;
        }
        if constexpr (requires { control.SubclassDlgItem(id, HWND{}); }) {
            control.SubclassDlgItem(id, dialog_);
        } else {
            control.Attach(::GetDlgItem(dialog_, id));
        }
    }

    // Reports a failed field: the message, then focus and selection on it.
    void Fail(int id, std::string_view message);

  private:
    CWnd dialog_;
    bool saving_;
    bool failed_ = false;
};

// The dialog whose modal run holds `owner`: of this thread's shown dialogs
// owned by `owner`, directly or through one another, the one that takes
// input, be it a CDialog, a file dialog or a message box. Modeless dialogs
// hold nothing, nor does a dialog run over one of them. Null while none is
// open.
HWND ModalDialogOver(HWND owner);

class CDialog : public CWnd, public CMsgHandler {
  public:
    explicit CDialog(UINT templateId, HWND parent = nullptr)
        : parent_(parent), templateId_(templateId) {}
    // A modeless window still open is destroyed; derived classes that need
    // their handlers during destruction destroy it in their own destructor.
    ~CDialog() override;

    // The dialog's window is the one its template made, never another.
    void Attach(HWND) = delete;

    // IDOK, IDCANCEL or what EndDialog gave; -1 when the template or a
    // control class cannot be loaded.
    virtual INT_PTR DoModal();
    // Modeless, hidden or shown as the template says. False on failure.
    bool Create(HWND parent);
    bool DestroyWindow();

    // Modal: ends the run with the result. Modeless: only hides the window,
    // which stays for reuse until DestroyWindow.
    void EndDialog(INT_PTR result);

    bool UpdateData(bool saveAndValidate = true);

    UINT TemplateId() const { return templateId_; }
    bool IsModal() const { return modal_; }

    // Moves a modal dialog whose template asks to be centred (DS_CENTER),
    // and which has an owner, once it is set up and before it shows: the
    // system centres it on the screen, the program on its owner. Null, the
    // default, leaves the system's place.
    using ModalPlacement = void (*)(HWND dialog, HWND owner);
    static void SetModalPlacement(ModalPlacement place);

  protected:
    // Default: UpdateData(false); TRUE lets the system set the focus.
    virtual BOOL OnInitDialog();
    // Default: UpdateData(true), then EndDialog(IDOK) when it succeeded.
    virtual void OnOK();
    // Default: EndDialog(IDCANCEL).
    virtual void OnCancel();
    virtual void DoDataExchange(CDataExchange&) {}
    // After WM_NCDESTROY, with the link to the window already cut.
    virtual void OnFinalMessage() {}

    const MessageMap& GetMessageMap() const override;

    // For dialogs whose procedure the system owns (the file dialog's child
    // template): links a window to this object, and handles one message.
    void Bind(HWND window);
    INT_PTR HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static CDialog* FromWindow(HWND window);
    // For a dialog whose template holds no common control: making it does
    // not load them first, and the dialog calls InitCommonControlsOnce
    // itself before it makes one (loading them costs a start milliseconds).
    void LoadCommonControlsLater() { commonControlsFirst_ = false; }
    // The shortcut keys of resource `tableId` become commands of this
    // dialog while it has the keyboard, until its window goes. A resource's
    // table lives as long as the module: nothing to free.
    void UseAccelerators(UINT tableId);

    HWND parent_;

  private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Unbind();
    // The keyboard cues, kept here as well: not every system keeps them
    // for its windows. Shown or hidden for the whole dialog.
    void InitKeyboardCues();
    // WM_CHANGEUISTATE and WM_UPDATEUISTATE: set or clear, not initialise.
    LRESULT OnChangeUiState(WPARAM change, LPARAM);
    LRESULT OnQueryUiState(WPARAM, LPARAM);
    LRESULT OnNextControl(WPARAM, LPARAM byHandle);
    void OnOKCommand() { OnOK(); }
    void OnCancelCommand() { OnCancel(); }

    UINT templateId_;
    bool modal_ = false;
    bool focusHidden_ = false;
    bool commonControlsFirst_ = true;
};

}  // namespace gd
