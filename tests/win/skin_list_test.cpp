#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "keys/event_code.h"
#include "skin_test_dialog.h"

namespace gd::test {
namespace {

class SkinListTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dlg.Open());
        FillEventList(dlg.list);
        PumpMessages();
    }

    // Every cell of a row, then its item value.
    std::vector<std::string> Row(int row) {
        std::vector<std::string> cells;
        for (int column = 0; column < 5; ++column) {
            cells.push_back(dlg.list.GetItemText(row, column));
        }
        cells.push_back(std::to_string(dlg.list.GetItemData(row)));
        return cells;
    }

    CSkinTestDlg dlg;
};

TEST_F(SkinListTest, HighlightPairIsClearedWhenEitherEndIsNegative) {
    struct Row {
        int start;
        int end;
        int expectedStart;
        int expectedEnd;
    } rows[] = {{2, 5, 2, 5}, {3, -1, -1, -1}, {-1, 4, -1, -1}, {0, 0, 0, 0}};
    for (const Row& row : rows) {
        dlg.list.SetHighlightPair(row.start, row.end);
        EXPECT_EQ(dlg.list.HighlightStart(), row.expectedStart);
        EXPECT_EQ(dlg.list.HighlightEnd(), row.expectedEnd);
    }
}

TEST_F(SkinListTest, SwapRowsRefusesTwoRowsOfTheSameInput) {
    CSkinListCtrl& list = dlg.list;
    list.SetHighlightPair(0, 3);
    list.SetItemState(3, LVIS_SELECTED, LVIS_SELECTED);
    struct Pair {
        int a;
        int b;
    } refused[] = {{0, 3},    // press and release of A
                   {1, 6},    // two presses of B
                   {4, 5},    // relative press and absolute release of the left button
                   {3, 3},    // a row with itself
                   {2, 7},    // no row 7
                   {-1, 0}};  // no row -1
    for (const Pair& p : refused) {
        SCOPED_TRACE(std::to_string(p.a) + "," + std::to_string(p.b));
        std::vector<std::vector<std::string>> before;
        for (int i = 0; i < 7; ++i) {
            before.push_back(Row(i));
        }
        EXPECT_FALSE(list.SwapRows(p.a, p.b));
        for (int i = 0; i < 7; ++i) {
            EXPECT_EQ(Row(i), before[static_cast<size_t>(i)]);
        }
        EXPECT_EQ(list.HighlightStart(), 0);
        EXPECT_EQ(list.HighlightEnd(), 3);
        EXPECT_TRUE(list.IsSelected(3));
    }
}

TEST_F(SkinListTest, SwapRowsMovesTextsValuesSelectionAndHighlight) {
    CSkinListCtrl& list = dlg.list;
    list.SetHighlightPair(2, 5);
    list.SetItemState(5, LVIS_SELECTED, LVIS_SELECTED);
    auto row5 = Row(5);
    auto row6 = Row(6);

    ASSERT_TRUE(list.SwapRows(5, 6));
    EXPECT_EQ(Row(5), row6);
    EXPECT_EQ(Row(6), row5);
    EXPECT_FALSE(list.IsSelected(5));
    EXPECT_TRUE(list.IsSelected(6));
    EXPECT_EQ(list.HighlightStart(), 2);
    EXPECT_EQ(list.HighlightEnd(), 6);

    // The start follows the same way.
    ASSERT_TRUE(list.SwapRows(2, 3));
    EXPECT_EQ(list.HighlightStart(), 3);
    EXPECT_EQ(list.HighlightEnd(), 6);
}

TEST_F(SkinListTest, SwappedCellsKeepLongTexts) {
    std::string longText(300, 'x');
    dlg.list.SetItemText(0, 3, longText);
    ASSERT_TRUE(dlg.list.SwapRows(0, 1));
    EXPECT_EQ(dlg.list.GetItemText(1, 3), longText);
}

TEST_F(SkinListTest, HighlightedRowsAreDrawnInRed) {
    CSkinListCtrl& list = dlg.list;
    list.SetHighlightPair(1, 2);
    list.SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);
    ClientPixels pixels(list);
    auto rowLook = [&](int row) {
        RECT r{LVIR_BOUNDS, 0, 0, 0};
        list.SendMessage(LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&r));
        std::pair<int, int> redAndHighlight{0, 0};
        for (int y = r.top; y < r.bottom; ++y) {
            for (int x = 0; x < pixels.width(); ++x) {
                redAndHighlight.first += pixels.At(x, y) == CSkinListCtrl::kHighlightText;
                redAndHighlight.second += pixels.At(x, y) == ::GetSysColor(COLOR_HIGHLIGHT);
            }
        }
        return redAndHighlight;
    };
    EXPECT_EQ(rowLook(0).first, 0);
    EXPECT_GT(rowLook(1).first, 10);
    EXPECT_EQ(rowLook(1).second, 0);
    // Selected and highlighted: red text on the selection colour.
    EXPECT_GT(rowLook(2).first, 10);
    EXPECT_GT(rowLook(2).second, 100);
    EXPECT_EQ(rowLook(3).first, 0);
}

TEST(SkinListOwnerDraw, StyleAddedAtRunTimeTakesEffect) {
    CSkinTestDlg dlg;
    ASSERT_TRUE(dlg.Open());
    CSkinListCtrl list;
    ASSERT_TRUE(list.SubclassDlgItem(IDC_FW_LIST_PLAIN, dlg));
    list.ModifyStyle(0, LVS_OWNERDRAWFIXED);
    FillEventList(list);
    list.SetHighlightPair(0, 3);
    ClientPixels pixels(list);
    int red = 0;
    for (int y = 0; y < pixels.height(); ++y) {
        for (int x = 0; x < pixels.width(); ++x) {
            red += pixels.At(x, y) == CSkinListCtrl::kHighlightText;
        }
    }
    EXPECT_GT(red, 20);
}

TEST(SkinListScrollBars, EachModeSizesAndClipsTheControl) {
    const int vbar = ::GetSystemMetrics(SM_CXVSCROLL);
    const int hbar = ::GetSystemMetrics(SM_CYHSCROLL);
    struct Row {
        int mode;
        int addWidth;
        int addHeight;
        bool clipped;
        int cutRight;
        int cutBottom;
    } rows[] = {
        {CSkinListCtrl::kHideHorizontal, 0, hbar, true, 0, 2},
        {CSkinListCtrl::kHideVertical, vbar, 0, true, 2, 0},
        {CSkinListCtrl::kHideBoth, vbar, hbar, true, 2, 2},
        {CSkinListCtrl::kShowBoth, vbar, hbar, false, 0, 0},
        {7, vbar, hbar, false, 0, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.mode);
        CSkinTestDlg dlg;
        ASSERT_TRUE(dlg.Open());
        CSkinListCtrl& list = dlg.list;
        RECT client = list.GetClientRect();
        RECT place = list.GetRectInParent();
        list.SetScrollBarMode(row.mode);
        EXPECT_EQ(list.ScrollBarMode(), row.mode);
        RECT now = list.GetRectInParent();
        EXPECT_EQ(now.left, place.left);
        EXPECT_EQ(now.top, place.top);
        EXPECT_EQ(RectWidth(now), client.right + row.addWidth);
        EXPECT_EQ(RectHeight(now), client.bottom + row.addHeight);
        UniqueRegion region(::CreateRectRgn(0, 0, 0, 0));
        int kind = ::GetWindowRgn(list, region.get());
        if (!row.clipped) {
            EXPECT_EQ(kind, ERROR);
            continue;
        }
        RECT box{};
        ::GetRgnBox(region.get(), &box);
        EXPECT_EQ(box.left, 0);
        EXPECT_EQ(box.top, 0);
        EXPECT_EQ(box.right, client.right - row.cutRight);
        EXPECT_EQ(box.bottom, client.bottom - row.cutBottom);
    }
}

TEST(SkinListExpanded, ToggleTwiceReturnsToTheNormalSizeAndClipping) {
    CSkinTestDlg dlg;
    ASSERT_TRUE(dlg.Open());
    CSkinListCtrl& list = dlg.list;
    auto state = [&list]() {
        RECT r = list.GetWindowRect();
        UniqueRegion region(::CreateRectRgn(0, 0, 0, 0));
        RECT box{};
        ::GetWindowRgn(list, region.get());
        ::GetRgnBox(region.get(), &box);
        return std::vector<LONG>{RectWidth(r), RectHeight(r), box.right, box.bottom};
    };

    // Nothing to switch to before the sizes are recorded.
    auto untouched = state();
    list.ToggleExpanded();
    EXPECT_FALSE(list.IsExpanded());
    EXPECT_EQ(state(), untouched);

    RECT client = list.GetClientRect();
    list.SetExpandedSize(172, 0);
    EXPECT_EQ(RectWidth(list.ExpandedRect()), client.right + 172);
    EXPECT_EQ(RectHeight(list.ExpandedRect()), client.bottom);
    list.SetScrollBarMode(CSkinListCtrl::kHideHorizontal);
    auto normal = state();

    list.ToggleExpanded();
    EXPECT_TRUE(list.IsExpanded());
    auto expanded = state();
    EXPECT_EQ(expanded[0], normal[0] + 172);
    EXPECT_EQ(expanded[1], normal[1]);
    EXPECT_EQ(expanded[2], normal[2] + 172);
    EXPECT_EQ(expanded[3], normal[3]);

    list.ToggleExpanded();
    EXPECT_FALSE(list.IsExpanded());
    EXPECT_EQ(state(), normal);
}

}  // namespace
}  // namespace gd::test
