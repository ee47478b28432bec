#pragma once
// CFileDialog: the system's open or save dialog, Explorer style, optionally
// with a child template of our own below the file list. The child template
// is this object's dialog: its OnInitDialog, handler table and data exchange
// work on the child's controls, and its WM_DESTROY comes before DoModal
// returns, after OK and after Cancel alike.
#include <windows.h>
#include <commdlg.h>

#include <optional>
#include <string>
#include <string_view>

#include "fw/dialog.h"

namespace gd {

class CFileDialog : public CDialog {
  public:
    // filter: "Name|pattern|Name|pattern||" as the program writes it.
    // defaultExtension: "gpx", ".gpx" and "*.gpx" all mean ".gpx".
    // childTemplate 0: no panel of our own.
    CFileDialog(bool openFileDialog, std::string_view defaultExtension, std::string_view fileName,
                DWORD flags, std::string_view filter, HWND parent = nullptr,
                UINT childTemplate = 0);

    // IDOK when a file was chosen, IDCANCEL when the user cancelled, -1 when
    // the dialog could not be shown.
    INT_PTR DoModal() override;

    // The structure handed to the system; callers may adjust it before DoModal.
    OPENFILENAMEA& Ofn() { return ofn_; }
    // The dialog's title, saying what it picks; without one the system's
    // own ("Open", "Save As").
    void SetTitle(std::string_view title) { title_ = title; }

    std::string GetPathName() const { return file_.c_str(); }
    std::string GetFileName() const;
    // While the dialog is open: the system's file dialog, the parent of the
    // child template.
    CWnd FileDialogWindow() const { return GetParent(); }

  protected:
    // The file dialog's own buttons end it; the child has no OK or Cancel.
    void OnOK() override {}
    void OnCancel() override {}

  private:
    static UINT_PTR CALLBACK HookProc(HWND child, UINT message, WPARAM wParam, LPARAM lParam);

    bool open_;
    std::string defaultExtension_;
    std::string filter_;  // with zero separators, as the system wants it
    std::string file_;    // the buffer the system writes the chosen path into
    std::string title_;
    OPENFILENAMEA ofn_{};
};

// An existing file picked in the open dialog titled `title`, starting from
// `suggested`; no value when the user cancels.
std::optional<std::string> ChooseFileToOpen(HWND owner, std::string_view title,
                                            std::string_view filter,
                                            std::string_view defaultExtension,
                                            std::string_view suggested = {});

}  // namespace gd
