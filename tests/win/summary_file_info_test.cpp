#include "summary/file_info_dlg.h"

#include <windows.h>
#include <commdlg.h>
#include <dlgs.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "resource.h"
#include "summary/summary_fields.h"
#include "summary_test_support.h"

namespace gd::test {
namespace {

constexpr char kFilter[] = "Gripdeck|*.gpx||";
constexpr DWORD kSaveFlags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY;

std::string TempPath(const char* name) {
    char folder[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + name;
}

// The system dialog around the panel, once both are open.
HWND FileDialogOf(const CFileInfoDlg& dlg) {
    HWND panel = dlg.GetSafeHwnd();
    return panel == nullptr ? nullptr : ::GetParent(panel);
}

struct ChildSearch {
    int id;
    HWND found;
};

BOOL CALLBACK HoldsControl(HWND child, LPARAM data) {
    auto* search = reinterpret_cast<ChildSearch*>(data);
    if (::GetDlgItem(child, search->id) != nullptr) {
        search->found = child;
        return FALSE;
    }
    return TRUE;
}

// Searches the system dialog's children for the one that holds control
// `id`, as a user's eye finds the panel inside it.
HWND ChildHolding(HWND fileDialog, int id) {
    ChildSearch search{id, nullptr};
    ::EnumChildWindows(fileDialog, &HoldsControl, reinterpret_cast<LPARAM>(&search));
    return search.found;
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

TEST(FileInfoDlg, HoldsTheScreenSizeUntilSet) {
    CFileInfoDlg dlg(false, "*.gpx", "Unfiled", kSaveFlags, kFilter, nullptr);
    EXPECT_EQ(dlg.fields.x, ::GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(dlg.fields.y, ::GetSystemMetrics(SM_CYSCREEN));
    EXPECT_EQ(dlg.fields.name, "");
    EXPECT_EQ(dlg.fields.comment, "");
}

TEST(FileInfoDlg, SaveTakesThePathAndWhatThePanelHolds) {
    const std::string typedPath = TempPath("summary_file_info");  // "*.gpx" adds the extension
    const std::string path = typedPath + ".gpx";
    ::DeleteFileA(path.c_str());
    CFileInfoDlg dlg(false, "*.gpx", "Unfiled", kSaveFlags, kFilter, nullptr);
    dlg.fields = {"Night run", "Arena", "Kim", "", 1280, 72};

    HWND panelSeen = nullptr;
    HWND holder = nullptr;
    bool focusInPanel = true;
    std::string proposed, name, atStart, afterTyping, x, y, commentAtStart, afterClick;
    const INT_PTR result = RunModal(
        dlg,
        [&](HWND fileDialog, HWND panel) {
            panelSeen = panel;
            focusInPanel = ::IsChild(panel, ::GetFocus()) != FALSE;  // the file name has it
            holder = ChildHolding(fileDialog, IDC_SUMMARY_NAME);
            char typed[MAX_PATH] = {};
            ::SendMessageA(fileDialog, CDM_GETSPEC, MAX_PATH, reinterpret_cast<LPARAM>(typed));
            proposed = typed;
            name = TextOf(::GetDlgItem(panel, IDC_SUMMARY_NAME));

            HWND list = ::GetDlgItem(panel, IDC_RESOLUTION_LIST);
            atStart = SelectedText(list);
            TypeInto(::GetDlgItem(panel, IDC_RESOLUTION_X), "1280");
            afterTyping = SelectedText(list);
            PickWithKeys(list, 3);  // 800x600
            x = TextOf(::GetDlgItem(panel, IDC_RESOLUTION_X));
            y = TextOf(::GetDlgItem(panel, IDC_RESOLUTION_Y));

            HWND comment = ::GetDlgItem(panel, IDC_SUMMARY_COMMENT);
            commentAtStart = TextOf(comment);
            ClickInto(comment);
            afterClick = TextOf(comment);
            TypeInto(comment, "Line one\rLine two");  // Enter starts a line
            TypeInto(::GetDlgItem(panel, IDC_SUMMARY_GAME), "Racing");
            ChooseName(fileDialog, typedPath);
        },
        IDOK);

    EXPECT_EQ(result, IDOK);
    EXPECT_NE(panelSeen, nullptr);
    EXPECT_EQ(holder, panelSeen);
    EXPECT_FALSE(focusInPanel);
    EXPECT_EQ(proposed, "Unfiled");
    EXPECT_EQ(name, "Night run");
    EXPECT_EQ(atStart, "1280x720");  // the start looks only for the beginning
    EXPECT_EQ(afterTyping, "Undefined");
    EXPECT_EQ(x, "800");
    EXPECT_EQ(y, "600");
    EXPECT_EQ(commentAtStart, kCommentPlaceholder);
    EXPECT_EQ(afterClick, "");

    EXPECT_EQ(dlg.GetPathName(), path);
    EXPECT_EQ(dlg.GetFileName(), "summary_file_info.gpx");
    EXPECT_EQ(dlg.fields.name, "Night run");
    EXPECT_EQ(dlg.fields.game, "Racing");
    EXPECT_EQ(dlg.fields.author, "Kim");
    EXPECT_EQ(dlg.fields.comment, "Line one\r\nLine two");
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
