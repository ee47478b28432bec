// A colour replaced in a copy of a bitmap, as the twin switch editor's arrow
// takes the dialog's colour; the shapes made from mask bitmaps show in the
// program's windows.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "fw/handle.h"
#include "skin/bitmap_shape.h"
#include "support/win_test_support.h"

namespace gd::test {
namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

TEST(SkinReplaceColour, ReplacesExactlyTheColourInACopyAlsoOfABitmapSelectedIntoADc) {
    UniqueBitmap source = MakeBitmap(3, 1, {kRed, RGB(254, 0, 0), kBlue});
    const std::vector<COLORREF> replaced = {kWhite, RGB(254, 0, 0), kBlue};
    UniqueBitmap copy = ReplaceColour(source.get(), kRed, kWhite);
    ASSERT_TRUE(copy);
    EXPECT_EQ(ReadBitmap(copy.get()), replaced);
    EXPECT_EQ(ReadBitmap(source.get()), (std::vector<COLORREF>{kRed, RGB(254, 0, 0), kBlue}));

    // Selected into a DC, the bitmap can only be read when the DC lends it.
    UniqueDC dc(::CreateCompatibleDC(nullptr));
    SelectGuard selected(dc.get(), source.get());
    EXPECT_FALSE(ReplaceColour(source.get(), kRed, kWhite, nullptr));
    copy = ReplaceColour(source.get(), kRed, kWhite, dc.get());
    ASSERT_TRUE(copy);
    EXPECT_EQ(ReadBitmap(copy.get()), replaced);
    EXPECT_EQ(::GetCurrentObject(dc.get(), OBJ_BITMAP), source.get());
}

}  // namespace
}  // namespace gd::test
