#include <gtest/gtest.h>

#include "editors/list_columns.h"

namespace gd {
namespace {

TEST(ListColumns, ColumnsScaleWithTheListAndFitWhatTheyShow) {
    EXPECT_EQ(AtDpi(124, 96), 124);
    EXPECT_EQ(AtDpi(124, 144), 186);
    EXPECT_EQ(AtDpi(45, 120), 56);  // 56.25
    EXPECT_EQ(AtDpi(49, 120), 61);  // 61.25
    EXPECT_EQ(AtDpi(-49, 144), -74);

    // A text measured in the list's font is in the list's pixels: the width
    // at 96 dpi is never made twice as large at 192 dpi.
    EXPECT_EQ(ColumnWidthFor(140, 96, 124), 140);
    EXPECT_EQ(ColumnWidthFor(280, 192, 124), 140);
    EXPECT_EQ(ColumnWidthFor(100, 192, 48), 50);
    // Short texts keep the column's own width.
    EXPECT_EQ(ColumnWidthFor(60, 144, 48), 48);
    // Rounded up: scaled again, the column is never a pixel short.
    for (std::uint32_t dpi : {96u, 120u, 144u, 168u, 192u}) {
        for (int measured = 1; measured < 400; ++measured) {
            EXPECT_GE(AtDpi(ColumnWidthFor(measured, dpi, 0), dpi), measured)
                << measured << " at " << dpi;
        }
    }
}

TEST(ListColumns, AListGrowsJustEnoughToShowEveryColumn) {
    const int widths[] = {100, 57, 70, 140, 48};  // 415 at 96 dpi
    EXPECT_EQ(WideningToShow(widths, 96, 260), 155);
    EXPECT_EQ(WideningToShow(widths, 192, 520), 310);
    // Each column is scaled on its own, as the list makes them.
    const int odd[] = {45, 45};
    EXPECT_EQ(WideningToShow(odd, 120, 100), 12);
    EXPECT_EQ(WideningToShow(widths, 96, 500), 0);
}

}  // namespace
}  // namespace gd
