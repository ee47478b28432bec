#include "summary/summary_dlg.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "resource.h"
#include "summary/resolution_list.h"
#include "summary/summary_fields.h"
#include "summary_test_support.h"

namespace gd::test {
namespace {

TEST(SummaryDlg, HoldsTheScreenSizeUntilSet) {
    CSummaryDlg dlg(nullptr);
    EXPECT_EQ(dlg.fields.x, ::GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(dlg.fields.y, ::GetSystemMetrics(SM_CYSCREEN));
    EXPECT_EQ(dlg.fields.name, "");
    EXPECT_EQ(dlg.fields.comment, "");
    EXPECT_EQ(dlg.showSummary, 0);
}

TEST(SummaryDlg, StartShowsTheFieldsAndTheWholeList) {
    CSummaryDlg dlg(nullptr);
    dlg.fields = {"Night run", "Arena", "Kim", "Fast", 1024, 768};
    dlg.showSummary = 1;
    const INT_PTR result = RunModal(
        dlg,
        [](HWND d) {
            EXPECT_EQ(TextOf(d), "Information of the Summary");
            EXPECT_EQ(TextOf(Item(d, IDC_SUMMARY_NAME)), "Night run");
            EXPECT_EQ(TextOf(Item(d, IDC_SUMMARY_GAME)), "Arena");
            EXPECT_EQ(TextOf(Item(d, IDC_SUMMARY_AUTHOR)), "Kim");
            EXPECT_EQ(TextOf(Item(d, IDC_SUMMARY_COMMENT)), "Fast");
            EXPECT_EQ(TextOf(Item(d, IDC_RESOLUTION_X)), "1024");
            EXPECT_EQ(TextOf(Item(d, IDC_RESOLUTION_Y)), "768");
            EXPECT_EQ(::IsDlgButtonChecked(d, IDC_SHOW_SUMMARY), BST_CHECKED);

            HWND list = Item(d, IDC_RESOLUTION_LIST);
            ASSERT_EQ(::SendMessageA(list, CB_GETCOUNT, 0, 0), ResolutionListSize());
            for (int i = 0; i < ResolutionListSize(); ++i) {
                char text[64] = {};
                ::SendMessageA(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
                EXPECT_EQ(text, ResolutionListEntry(i).text);
                EXPECT_EQ(static_cast<std::uint32_t>(::SendMessageA(list, CB_GETITEMDATA, i, 0)),
                          ResolutionListEntry(i).value);
            }
            EXPECT_EQ(SelectedText(list), "1024x768");

            const struct {
                int id;
                LRESULT limit;
            } kLimits[] = {
                {IDC_SUMMARY_NAME, 64},
                {IDC_SUMMARY_GAME, 64},
                {IDC_SUMMARY_AUTHOR, 64},
                {IDC_SUMMARY_COMMENT, 720},
            };
            for (const auto& field : kLimits) {
                EXPECT_EQ(::SendMessageA(Item(d, field.id), EM_GETLIMITTEXT, 0, 0), field.limit)
                    << field.id;
            }
        },
        IDCANCEL);
    EXPECT_EQ(result, IDCANCEL);
}

TEST(SummaryDlg, StartSelectsTheFirstEntryTheSizeBegins) {
    const struct {
        std::int32_t x, y;
        const char* selected;  // "" for no selection
    } kCases[] = {
        {1024, 768, "1024x768"}, {1280, 1024, "1280x1024"},
        {720, 480, "720x480"},   {1280, 72, "1280x720"},  // the start looks only for the beginning
        {1280, 7, "1280x720"},   {0, 0, ""},  // "Undefined" is never selected at the start
        {1920, 1080, ""},        {800, 0, ""},
    };
    for (const auto& c : kCases) {
        CSummaryDlg dlg(nullptr);
        dlg.fields.x = c.x;
        dlg.fields.y = c.y;
        std::string selected = "not run";
        RunModal(
            dlg, [&](HWND d) { selected = SelectedText(Item(d, IDC_RESOLUTION_LIST)); }, IDCANCEL);
        EXPECT_EQ(selected, c.selected) << c.x << "x" << c.y;
    }
}

TEST(SummaryDlg, TypingSelectsOnlyAnExactEntry) {
    const struct {
        std::int32_t x, y;  // at the start
        int field;
        const char* typed;
        bool pasted;  // set whole, past the edit's own digits-only rule
        const char* shown;
        const char* selected;
        std::int32_t xAfter, yAfter;
    } kCases[] = {
        {1024, 72, IDC_RESOLUTION_X, "1280", false, "1280", "Undefined", 1280, 72},
        {1280, 1024, IDC_RESOLUTION_Y, "720", false, "720", "1280x720", 1280, 720},
        {0, 0, IDC_RESOLUTION_X, "1024", false, "1024", "Undefined", 1024, 0},
        {0, 768, IDC_RESOLUTION_X, "1024", false, "1024", "1024x768", 1024, 768},
        {1024, 768, IDC_RESOLUTION_Y, "", false, "", "Undefined", 1024, 0},  // empty reads as 0
        {1024, 600, IDC_RESOLUTION_X, "8a0b0", false, "800", "800x600", 800, 600},
        {1024, 600, IDC_RESOLUTION_X, "800x9", true, "800", "800x600", 800, 600},
    };
    for (const auto& c : kCases) {
        CSummaryDlg dlg(nullptr);
        dlg.fields.x = c.x;
        dlg.fields.y = c.y;
        std::string shown, selected = "not run";
        const INT_PTR result = RunModal(
            dlg,
            [&](HWND d) {
                if (c.pasted) {
                    ::SetWindowTextA(Item(d, c.field), c.typed);
                } else {
                    TypeInto(Item(d, c.field), c.typed);
                }
                shown = TextOf(Item(d, c.field));
                selected = SelectedText(Item(d, IDC_RESOLUTION_LIST));
            },
            IDOK);
        EXPECT_EQ(result, IDOK);
        EXPECT_EQ(shown, c.shown) << c.typed;
        EXPECT_EQ(selected, c.selected) << c.x << "x" << c.y << " typed " << c.typed;
        EXPECT_EQ(dlg.fields.x, c.xAfter) << c.typed;
        EXPECT_EQ(dlg.fields.y, c.yAfter) << c.typed;
    }
}

TEST(SummaryDlg, PickingAnEntrySetsXAndY) {
    const struct {
        int index;
        const char* x;
        const char* y;
    } kCases[] = {
        {3, "800", "600"}, {13, "1280", "1024"}, {0, "0", "0"},  // "Undefined"
    };
    for (const auto& c : kCases) {
        CSummaryDlg dlg(nullptr);
        dlg.fields.x = 1024;
        dlg.fields.y = 768;
        std::string x, y, selected;
        RunModal(
            dlg,
            [&](HWND d) {
                PickWithKeys(Item(d, IDC_RESOLUTION_LIST), c.index);
                x = TextOf(Item(d, IDC_RESOLUTION_X));
                y = TextOf(Item(d, IDC_RESOLUTION_Y));
                selected = SelectedText(Item(d, IDC_RESOLUTION_LIST));
            },
            IDOK);
        EXPECT_EQ(x, c.x) << c.index;
        EXPECT_EQ(y, c.y) << c.index;
        // Putting X and Y back is no typing: the picked entry stays.
        EXPECT_EQ(selected, ResolutionListEntry(c.index).text);
        EXPECT_EQ(dlg.fields.x, ParseResolutionField(c.x));
        EXPECT_EQ(dlg.fields.y, ParseResolutionField(c.y));
    }
}

TEST(SummaryDlg, ThePlaceholderIsShownButNeverHandedBack) {
    const struct {
        const char* comment;  // given
        bool click;           // into the comment
        const char* typed;    // then, when not null
        const char* shownAtStart;
        const char* shownAfterClick;
        const char* result;
    } kCases[] = {
        {"", false, nullptr, kCommentPlaceholder, kCommentPlaceholder, ""},
        {"", true, nullptr, kCommentPlaceholder, "", ""},
        {"", true, "Mine", kCommentPlaceholder, "", "Mine"},
        {kCommentPlaceholder, false, nullptr, kCommentPlaceholder, kCommentPlaceholder, ""},
        {"Kept", true, nullptr, "Kept", "Kept", "Kept"},
        {"Two\r\nlines", true, nullptr, "Two\r\nlines", "Two\r\nlines", "Two\r\nlines"},
    };
    for (const auto& c : kCases) {
        CSummaryDlg dlg(nullptr);
        dlg.fields.comment = c.comment;
        std::string atStart, afterClick;
        RunModal(
            dlg,
            [&](HWND d) {
                HWND comment = Item(d, IDC_SUMMARY_COMMENT);
                atStart = TextOf(comment);
                if (c.click) {
                    ClickInto(comment);
                }
                afterClick = TextOf(comment);
                if (c.typed != nullptr) {
                    TypeInto(comment, c.typed);
                }
            },
            IDOK);
        EXPECT_EQ(atStart, c.shownAtStart) << c.comment;
        EXPECT_EQ(afterClick, c.shownAfterClick) << c.comment;
        EXPECT_EQ(dlg.fields.comment, c.result) << c.comment;
    }
}

TEST(SummaryDlg, OKTakesTheFieldsCutToTheirLimits) {
    CSummaryDlg dlg(nullptr);
    dlg.fields = {std::string(70, 'n'), "Arena", "Kim", std::string(800, 'c'), 800, 600};
    dlg.showSummary = 1;
    const INT_PTR result = RunModal(
        dlg,
        [](HWND d) {
            TypeInto(Item(d, IDC_SUMMARY_GAME), "Racing");
            TypeInto(Item(d, IDC_SUMMARY_AUTHOR), std::string(70, 'a'));
            ::CheckDlgButton(d, IDC_SHOW_SUMMARY, BST_UNCHECKED);
        },
        IDOK);
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dlg.fields.name, std::string(64, 'n'));
    EXPECT_EQ(dlg.fields.game, "Racing");
    EXPECT_EQ(dlg.fields.author, std::string(64, 'a'));  // the edit takes no more
    EXPECT_EQ(dlg.fields.comment, std::string(720, 'c'));
    EXPECT_EQ(dlg.fields.x, 800);
    EXPECT_EQ(dlg.fields.y, 600);
    EXPECT_EQ(dlg.showSummary, 0);
}

}  // namespace
}  // namespace gd::test
