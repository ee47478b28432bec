// The macro editor's event list: rows swapped with everything they carry,
// and the highlighted pair drawn in red.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

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
        return {dlg.list.GetItemText(row, 0), dlg.list.GetItemText(row, 1),
                std::to_string(dlg.list.GetItemData(row))};
    }

    CSkinTestDlg dlg;
};

TEST_F(SkinListTest, SwapRowsMovesTextsValuesSelectionAndHighlight) {
    CSkinListCtrl& list = dlg.list;
    list.SetHighlightPair(1, 3);
    list.SetItemState(3, LVIS_SELECTED, LVIS_SELECTED);
    const auto row3 = Row(3);
    const auto row4 = Row(4);
    ASSERT_TRUE(list.SwapRows(3, 4));
    EXPECT_EQ(Row(3), row4);
    EXPECT_EQ(Row(4), row3);
    EXPECT_FALSE(list.IsSelected(3));
    EXPECT_TRUE(list.IsSelected(4));
    EXPECT_EQ(list.HighlightEnd(), 4);
    ASSERT_TRUE(list.SwapRows(1, 0));  // the start follows the same way
    EXPECT_EQ(list.HighlightStart(), 0);

    list.SetHighlightPair(3, -1);  // either end negative clears both
    EXPECT_EQ(list.HighlightStart(), -1);
    EXPECT_EQ(list.HighlightEnd(), -1);
}

// Whether a row of the list shows red text: some pixel leans to red, which
// neither black text nor the white or grey around it does.
bool ShowsRed(CSkinListCtrl& list, const ClientPixels& pixels, int row) {
    RECT r{LVIR_BOUNDS, 0, 0, 0};
    list.SendMessage(LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&r));
    for (int y = r.top; y < r.bottom; ++y) {
        for (int x = 0; x < pixels.width(); ++x) {
            const COLORREF c = pixels.At(x, y);
            if (GetRValue(c) > GetGValue(c) + 64 && GetRValue(c) > GetBValue(c) + 64) {
                return true;
            }
        }
    }
    return false;
}

// The macro editor's list gets its owner-drawn style at run time, so the
// plain list beside the test list takes it the same way.
TEST_F(SkinListTest, TheHighlightedPairIsDrawnInRedAlsoWhenOwnerDrawnAtRunTime) {
    CSkinListCtrl plain;
    ASSERT_TRUE(plain.SubclassDlgItem(IDC_FW_LIST_PLAIN, dlg));
    plain.ModifyStyle(0, LVS_OWNERDRAWFIXED);
    FillEventList(plain);
    for (CSkinListCtrl* list : {&dlg.list, &plain}) {
        list->SetHighlightPair(1, 2);
        const ClientPixels pixels(*list);
        EXPECT_FALSE(ShowsRed(*list, pixels, 0));
        EXPECT_TRUE(ShowsRed(*list, pixels, 1));
        EXPECT_TRUE(ShowsRed(*list, pixels, 2));
        EXPECT_FALSE(ShowsRed(*list, pixels, 3));
    }
}

}  // namespace
}  // namespace gd::test
