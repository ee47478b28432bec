#include "fw/file_dialog.h"

#include <windows.h>
#include <dlgs.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "fw_test_ids.h"
#include "fw_test_support.h"

namespace gd::test {
namespace {

constexpr UINT kGo = WM_APP + 20;

std::string TempPath(const char* name) {
    char folder[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + name;
}

// The file dialog with a note field below its file list. Once open it runs
// `act`, which types into the dialog and presses one of its buttons.
class CNoteFileDlg : public CFileDialog {
  public:
    CNoteFileDlg(bool open, std::string_view proposed, DWORD flags)
        : CFileDialog(open, "*.gpx", proposed, flags, "Gripdeck|*.gpx||", nullptr, IDD_FILE_PANEL) {
    }

    std::string note = "first note";
    std::string noteShownAtStart;
    int destroyCalls = 0;
    std::function<void(CNoteFileDlg&)> act;

    // Types the file name into the system dialog and presses its button.
    void Choose(const std::string& name, UINT button) {
        CWnd dialog = FileDialogWindow();
        for (int id : {cmb13, edt1}) {
            if (dialog.GetDlgItem(id).GetSafeHwnd() != nullptr) {
                dialog.SendMessage(CDM_SETCONTROLTEXT, id, reinterpret_cast<LPARAM>(name.c_str()));
            }
        }
        dialog.PostMessage(WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
    }

  protected:
    void DoDataExchange(CDataExchange& dx) override { dx.Text(IDC_PANEL_NOTE, note); }

    BOOL OnInitDialog() override {
        CFileDialog::OnInitDialog();
        noteShownAtStart = GetDlgItemText(IDC_PANEL_NOTE);
        PostMessage(kGo);
        return TRUE;
    }

    const MessageMap& GetMessageMap() const override {
        static constexpr Route kRoutes[] = {
            OnMessage<kGo, &CNoteFileDlg::OnGo>(),
            OnMessage<WM_DESTROY, &CNoteFileDlg::OnDestroy>(),
        };
        static const MessageMap kMap{kRoutes, &CFileDialog::GetMessageMap()};
        return kMap;
    }

  private:
    LRESULT OnGo(WPARAM, LPARAM) {
        act(*this);
        return 0;
    }
    // After OK and after Cancel alike, as the summary panel relies on.
    void OnDestroy() {
        ++destroyCalls;
        UpdateData(true);
    }
};

TEST(FileDialog, SaveWithThePanelAppendsTheExtensionAndReadsThePanel) {
    std::string path = TempPath("fw_file_dialog_save");
    ::DeleteFileA((path + ".gpx").c_str());
    CNoteFileDlg dlg(false, "Unfiled", OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY);
    dlg.act = [&path](CNoteFileDlg& d) {
        d.SetDlgItemText(IDC_PANEL_NOTE, "typed note");
        d.Choose(path, IDOK);
    };
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.noteShownAtStart, "first note");
    EXPECT_EQ(dlg.destroyCalls, 1);
    EXPECT_EQ(dlg.note, "typed note");
    EXPECT_EQ(dlg.GetPathName(), path + ".gpx");
    EXPECT_EQ(dlg.GetFileName(), "fw_file_dialog_save.gpx");
    EXPECT_EQ(dlg.GetSafeHwnd(), nullptr);
}

TEST(FileDialog, CancelStillRunsThePanelsEnd) {
    CNoteFileDlg dlg(false, "Unfiled", OFN_HIDEREADONLY);
    dlg.act = [](CNoteFileDlg& d) {
        d.SetDlgItemText(IDC_PANEL_NOTE, "typed anyway");
        d.FileDialogWindow().PostMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    };
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.destroyCalls, 1);
    EXPECT_EQ(dlg.note, "typed anyway");
    EXPECT_EQ(dlg.GetPathName(), "Unfiled");
}

}  // namespace
}  // namespace gd::test
