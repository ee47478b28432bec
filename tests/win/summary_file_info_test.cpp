// The system's save dialog with the summary panel inside it: the file name
// keeps the focus, the typed name gets its extension and the panel's fields
// come back after OK and Cancel alike.
#include "summary/file_info_dlg.h"

#include <windows.h>
#include <commdlg.h>
#include <dlgs.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "resource.h"
#include "summary/summary_fields.h"
#include "support/win_test_support.h"

namespace gd::test {
namespace {

constexpr char kFilter[] = "Gripdeck|*.gpx||";
constexpr DWORD kSaveFlags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY;

// A name of this process alone: test runs may overlap.
std::string TempPath(const char* name) {
    char folder[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + name + std::to_string(::GetCurrentProcessId());
}

// The system dialog around the panel, once both are open.
HWND FileDialogOf(const CFileInfoDlg& dlg) {
    HWND panel = dlg.GetSafeHwnd();
    return panel == nullptr ? nullptr : ::GetParent(panel);
}

// Types the file name into the system dialog as the user does.
void ChooseName(HWND fileDialog, const std::string& name) {
    for (int id : {cmb13, edt1}) {
        if (::GetDlgItem(fileDialog, id) != nullptr) {
            ::SendMessageA(fileDialog, CDM_SETCONTROLTEXT, id,
                           reinterpret_cast<LPARAM>(name.c_str()));
        }
    }
}

INT_PTR RunModal(CFileInfoDlg& dlg, const std::function<void(HWND fileDialog, HWND panel)>& steps,
                 int button) {
    InsideModalLoop inside([&] { steps(FileDialogOf(dlg), dlg.GetSafeHwnd()); },
                           [&] { return FileDialogOf(dlg); }, button);
    const INT_PTR result = dlg.DoModal();
    EXPECT_TRUE(inside.ran());
    return result;
}

TEST(FileInfoDlg, SaveTakesThePathAndWhatThePanelHolds) {
    const std::string typedPath = TempPath("summary_file_info");  // "*.gpx" adds the extension
    const std::string path = typedPath + ".gpx";
    ::DeleteFileA(path.c_str());
    CFileInfoDlg dlg(false, "*.gpx", "Unfiled", kSaveFlags, kFilter, nullptr);
    dlg.fields = {"Night run", "Arena", "Kim", "", 1280, 72};

    bool panelInside = false;
    bool focusInPanel = true;
    std::string proposed, name, resolution;
    const INT_PTR result = RunModal(
        dlg,
        [&](HWND fileDialog, HWND panel) {
            panelInside = ::IsChild(fileDialog, ::GetDlgItem(panel, IDC_SUMMARY_NAME)) != FALSE;
            focusInPanel = ::IsChild(panel, ::GetFocus()) != FALSE;  // the file name has it
            char typed[MAX_PATH] = {};
            ::SendMessageA(fileDialog, CDM_GETSPEC, MAX_PATH, reinterpret_cast<LPARAM>(typed));
            proposed = typed;
            name = TextOf(::GetDlgItem(panel, IDC_SUMMARY_NAME));
            resolution = SelectedText(::GetDlgItem(panel, IDC_RESOLUTION_LIST));
            PickWithKeys(::GetDlgItem(panel, IDC_RESOLUTION_LIST), 3);  // 800x600
            TypeInto(::GetDlgItem(panel, IDC_SUMMARY_COMMENT), "Line one\rLine two");
            TypeInto(::GetDlgItem(panel, IDC_SUMMARY_GAME), "Racing");
            ChooseName(fileDialog, typedPath);
        },
        IDOK);

    EXPECT_EQ(result, IDOK);
    EXPECT_TRUE(panelInside);
    EXPECT_FALSE(focusInPanel);
    EXPECT_EQ(proposed, "Unfiled");
    EXPECT_EQ(name, "Night run");
    EXPECT_EQ(resolution, "1280x720");
    EXPECT_EQ(dlg.GetPathName(), path);
    EXPECT_EQ(dlg.fields.game, "Racing");
    EXPECT_EQ(dlg.fields.author, "Kim");
    EXPECT_EQ(dlg.fields.comment, "Line one\r\nLine two");  // Enter starts a line
    EXPECT_EQ(dlg.fields.x, 800);
    EXPECT_EQ(dlg.fields.y, 600);
}

TEST(FileInfoDlg, CancelEndsWithCancelAndDropsThePlaceholder) {
    CFileInfoDlg dlg(false, "*.gpx", "default.gpx", kSaveFlags, kFilter, nullptr);
    const INT_PTR result = RunModal(
        dlg, [](HWND, HWND) {}, IDCANCEL);
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(dlg.fields.comment, "");
    EXPECT_EQ(dlg.GetSafeHwnd(), nullptr);
}

}  // namespace
}  // namespace gd::test
