// The summary dialogs under real windows: the summary dialog and the save
// dialog's panel (one panel code behind both), and the summary window.
#include <windows.h>
#include <commdlg.h>
#include <dlgs.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "fw/handle.h"
#include "fw/text.h"
#include "resource.h"
#include "summary/file_info_dlg.h"
#include "summary/resolution_list.h"
#include "summary/summary_dlg.h"
#include "summary/summary_fields.h"
#include "summary/summary_window.h"
#include "support/win_test_support.h"

namespace gd::test {
namespace {

HWND Resolutions(HWND d) {
    return Item(d, IDC_RESOLUTION_LIST);
}

// The resolution list follows X and Y and sets them; texts beyond their fields are cut on
// OK (the portable rule) and the edits take no more.
TEST(SummaryDlg, TheResolutionListFollowsXAndYAndOkTakesTheFieldsCutToTheirLimits) {
    CSummaryDlg dlg(nullptr);
    dlg.fields = {std::string(70, 'n'), "Arena", "Kim", "Fast", 1280, 72};
    dlg.showSummary = 1;
    std::string atStart, afterTyping, afterY, x, y;
    const INT_PTR result = RunModal(
        dlg,
        [&](HWND d) {
            EXPECT_EQ(::SendMessageA(Resolutions(d), CB_GETCOUNT, 0, 0), ResolutionListSize());
            atStart = SelectedText(Resolutions(d));  // the start looks only for the beginning
            TypeInto(Item(d, IDC_RESOLUTION_X), "1280");
            afterTyping = SelectedText(Resolutions(d));  // typing, for the whole text
            TypeInto(Item(d, IDC_RESOLUTION_Y), "7x2a0");
            afterY = SelectedText(Resolutions(d));
            PickWithKeys(Resolutions(d), 3);
            x = TextOf(Item(d, IDC_RESOLUTION_X));
            y = TextOf(Item(d, IDC_RESOLUTION_Y));
            EXPECT_EQ(::IsDlgButtonChecked(d, IDC_SHOW_SUMMARY), BST_CHECKED);
            TypeInto(Item(d, IDC_SUMMARY_AUTHOR), std::string(70, 'a'));
            ::CheckDlgButton(d, IDC_SHOW_SUMMARY, BST_UNCHECKED);
        },
        IDOK);
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(atStart, "1280x720");
    EXPECT_EQ(afterTyping, "Undefined");
    EXPECT_EQ(afterY, "1280x720");  // the edit keeps only digits
    EXPECT_EQ(x + "x" + y, ResolutionListEntry(3).text);
    EXPECT_EQ(FormatResolution(dlg.fields.x, dlg.fields.y), ResolutionListEntry(3).text);
    EXPECT_EQ(dlg.fields.name, std::string(64, 'n'));
    EXPECT_EQ(dlg.fields.author, std::string(64, 'a'));
    EXPECT_EQ(dlg.showSummary, 0);
}

TEST(SummaryDlg, ThePlaceholderIsShownButNeverHandedBack) {
    const struct {
        const char* comment;  // given
        bool click;           // into the comment
        const char* typed;    // then, when not null
        const char* shownAfterClick;
        const char* result;
    } kCases[] = {
        {"", true, "Mine", "", "Mine"},
        {kCommentPlaceholder, false, nullptr, kCommentPlaceholder, ""},
        {"Two\r\nlines", true, nullptr, "Two\r\nlines", "Two\r\nlines"},
    };
    for (const auto& c : kCases) {
        CSummaryDlg dlg(nullptr);
        dlg.fields.comment = c.comment;
        std::string afterClick;
        RunModal(
            dlg,
            [&](HWND d) {
                HWND comment = Item(d, IDC_SUMMARY_COMMENT);
                if (c.click) {
                    ClickInto(comment);
                }
                afterClick = TextOf(comment);
                if (c.typed != nullptr) {
                    TypeInto(comment, c.typed);
                }
            },
            IDOK);
        EXPECT_EQ(afterClick, c.shownAfterClick) << c.comment;
        EXPECT_EQ(dlg.fields.comment, c.result) << c.comment;
    }
}

// The system's save dialog with the summary panel inside it: the file name
// keeps the focus, the typed name gets its extension and the panel's fields
// come back after OK and Cancel alike.

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
    std::string proposed, name;
    const INT_PTR result = RunModal(
        dlg,
        [&](HWND fileDialog, HWND panel) {
            panelInside = ::IsChild(fileDialog, ::GetDlgItem(panel, IDC_SUMMARY_NAME)) != FALSE;
            focusInPanel = ::IsChild(panel, ::GetFocus()) != FALSE;  // the file name has it
            char typed[MAX_PATH] = {};
            ::SendMessageA(fileDialog, CDM_GETSPEC, MAX_PATH, reinterpret_cast<LPARAM>(typed));
            proposed = typed;
            name = TextOf(::GetDlgItem(panel, IDC_SUMMARY_NAME));
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
    EXPECT_EQ(dlg.GetPathName(), path);
    EXPECT_EQ(dlg.fields.game, "Racing");
    EXPECT_EQ(dlg.fields.author, "Kim");
    EXPECT_EQ(dlg.fields.comment, "Line one\r\nLine two");  // Enter starts a line
    EXPECT_EQ(dlg.fields.x, 1280);
}

TEST(FileInfoDlg, CancelEndsWithCancelAndDropsThePlaceholder) {
    CFileInfoDlg dlg(false, "*.gpx", "default.gpx", kSaveFlags, kFilter, nullptr);
    const INT_PTR result = RunModal(
        dlg, [](HWND, HWND) {}, IDCANCEL);
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(dlg.fields.comment, "");
    EXPECT_EQ(dlg.GetSafeHwnd(), nullptr);
}

// The summary window beside the main window: what ShowSummary puts into it,
// before and after its window exists.

TEST(SummaryWindow, ShowSummaryFillsTheControlsAndAZeroWidthStandsForTheScreen) {
    UniqueWindow owner(::CreateWindowExA(0, "STATIC", "owner", WS_POPUP, 0, 0, 10, 10, nullptr,
                                         nullptr, nullptr, nullptr));
    CSummaryWindow window;
    window.ShowSummary("Early", "Arena", "Kim", "Line one\r\nLine two", 720, 576);
    ASSERT_TRUE(window.Create(owner.get()));
    const auto shown = [&](int id) { return TextOf(::GetDlgItem(window.GetSafeHwnd(), id)); };
    EXPECT_FALSE(window.IsWindowVisible());
    EXPECT_EQ(shown(IDC_SUMMARY_NAME), "Early");
    EXPECT_EQ(shown(IDC_SUMMARY_COMMENT), "Line one\r\nLine two");
    EXPECT_EQ(shown(IDC_SUMMARY_RESOLUTION), "720x576");

    const std::string screen =
        FormatText("%dx%d", ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    const struct {
        std::int32_t width, height;
        std::string shown;
    } kCases[] = {{0, 600, screen}, {800, 0, "800x0"}, {-1, 65535, "-1x65535"}};
    for (const auto& c : kCases) {
        window.ShowSummary("Night run", "", "", "", c.width, c.height);
        EXPECT_EQ(shown(IDC_SUMMARY_RESOLUTION), c.shown) << c.width << "x" << c.height;
        EXPECT_EQ(shown(IDC_SUMMARY_NAME), "Night run");
        EXPECT_EQ(shown(IDC_SUMMARY_COMMENT), "");
    }
}

}  // namespace
}  // namespace gd::test
