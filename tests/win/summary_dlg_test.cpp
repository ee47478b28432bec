// The summary fields as the summary dialog shows them (the save dialog's
// panel runs the same code): the resolution list following X and Y, the
// comment placeholder, and the texts cut to their limits.
#include "summary/summary_dlg.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "resource.h"
#include "summary/resolution_list.h"
#include "summary/summary_fields.h"
#include "support/win_test_support.h"

namespace gd::test {
namespace {

HWND Resolutions(HWND d) {
    return Item(d, IDC_RESOLUTION_LIST);
}

TEST(SummaryDlg, TheResolutionListFollowsXAndYAndSetsThem) {
    CSummaryDlg dlg(nullptr);
    dlg.fields = {"Night run", "Arena", "Kim", "Fast", 1280, 72};
    std::string atStart, afterTyping, afterY, x, y;
    const INT_PTR result = RunModal(
        dlg,
        [&](HWND d) {
            EXPECT_EQ(TextOf(Item(d, IDC_SUMMARY_NAME)), "Night run");
            EXPECT_EQ(::SendMessageA(Resolutions(d), CB_GETCOUNT, 0, 0), ResolutionListSize());
            atStart = SelectedText(Resolutions(d));  // the start looks only for the beginning
            TypeInto(Item(d, IDC_RESOLUTION_X), "1280");
            afterTyping = SelectedText(Resolutions(d));  // typing, for the whole text
            TypeInto(Item(d, IDC_RESOLUTION_Y), "7x2a0");
            afterY = SelectedText(Resolutions(d));
            PickWithKeys(Resolutions(d), 3);
            x = TextOf(Item(d, IDC_RESOLUTION_X));
            y = TextOf(Item(d, IDC_RESOLUTION_Y));
        },
        IDOK);
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(atStart, "1280x720");
    EXPECT_EQ(afterTyping, "Undefined");
    EXPECT_EQ(afterY, "1280x720");  // the edit keeps only digits
    EXPECT_EQ(x + "x" + y, ResolutionListEntry(3).text);
    EXPECT_EQ(FormatResolution(dlg.fields.x, dlg.fields.y), ResolutionListEntry(3).text);
}

TEST(SummaryDlg, ThePlaceholderIsShownButNeverHandedBack) {
    const struct {
        const char* comment;  // given
        bool click;           // into the comment
        const char* typed;    // then, when not null
        const char* shownAfterClick;
        const char* result;
    } kCases[] = {
        {"", false, nullptr, kCommentPlaceholder, ""},
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

TEST(SummaryDlg, OkTakesTheFieldsCutToTheirLimits) {
    CSummaryDlg dlg(nullptr);
    dlg.fields = {std::string(70, 'n'), "Arena", "Kim", std::string(800, 'c'), 800, 600};
    dlg.showSummary = 1;
    const INT_PTR result = RunModal(
        dlg,
        [](HWND d) {
            EXPECT_EQ(::IsDlgButtonChecked(d, IDC_SHOW_SUMMARY), BST_CHECKED);
            TypeInto(Item(d, IDC_SUMMARY_AUTHOR), std::string(70, 'a'));
            ::CheckDlgButton(d, IDC_SHOW_SUMMARY, BST_UNCHECKED);
        },
        IDOK);
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dlg.fields.name, std::string(64, 'n'));
    EXPECT_EQ(dlg.fields.game, "Arena");
    EXPECT_EQ(dlg.fields.author, std::string(64, 'a'));  // the edit takes no more
    EXPECT_EQ(dlg.fields.comment, std::string(720, 'c'));
    EXPECT_EQ(dlg.showSummary, 0);
}

}  // namespace
}  // namespace gd::test
