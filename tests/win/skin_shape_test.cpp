#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "fw/handle.h"
#include "fw_test_support.h"
#include "skin/bitmap_shape.h"
#include "skin/transparent_blit.h"

namespace gd::test {
namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kMagenta = RGB(255, 0, 255);

// A 32-bit bitmap of width x height pixels given in COLORREF order, top row first.
UniqueBitmap MakeBitmap(int width, int height, const std::vector<COLORREF>& colours) {
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    UniqueBitmap bitmap(::CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &bits, nullptr, 0));
    auto* pixels = static_cast<std::uint32_t*>(bits);
    for (size_t i = 0; i < colours.size(); ++i) {
        COLORREF c = colours[i];
        pixels[i] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
    }
    return bitmap;
}

// From text rows: '.' white, '#' black, 'r' red, 'b' blue, 'm' magenta.
UniqueBitmap MakeBitmap(const std::vector<std::string>& rows) {
    std::vector<COLORREF> colours;
    for (const std::string& row : rows) {
        for (char c : row) {
            colours.push_back(c == '.'   ? kWhite
                              : c == 'r' ? kRed
                              : c == 'b' ? kBlue
                              : c == 'm' ? kMagenta
                                         : RGB(0, 0, 0));
        }
    }
    return MakeBitmap(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()), colours);
}

// The bitmap's pixels in COLORREF order, top row first.
std::vector<COLORREF> ReadBitmap(HBITMAP bitmap) {
    BITMAP info{};
    ::GetObjectA(bitmap, sizeof info, &info);
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = info.bmWidth;
    format.bmiHeader.biHeight = -info.bmHeight;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    std::vector<std::uint32_t> raw(static_cast<size_t>(info.bmWidth) * info.bmHeight);
    WindowDC screen(nullptr);
    ::GetDIBits(screen.get(), bitmap, 0, info.bmHeight, raw.data(), &format, DIB_RGB_COLORS);
    std::vector<COLORREF> colours;
    for (std::uint32_t p : raw) {
        colours.push_back(RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF));
    }
    return colours;
}

// Every pixel of the picture: inside the region exactly when not '.'.
void ExpectRegionMatches(HRGN region, const std::vector<std::string>& rows) {
    for (int y = 0; y < static_cast<int>(rows.size()); ++y) {
        for (int x = 0; x < static_cast<int>(rows[y].size()); ++x) {
            EXPECT_EQ(::PtInRegion(region, x, y) != FALSE, rows[y][x] != '.')
                << "at " << x << "," << y;
        }
    }
}

const std::vector<std::string> kMask = {
    "....##....",  //
    "...####...",  //
    "..######..",  //
    ".##....##.",  //
    "##......##",  //
    ".##....##.",  //
    "..######..",  //
};

TEST(SkinRegionFromBitmap, CoversExactlyTheNonWhitePixels) {
    UniqueBitmap mask = MakeBitmap(kMask);
    int width = 0;
    int height = 0;
    UniqueRegion region = RegionFromBitmap(mask.get(), kWhite, kWhite, &width, &height);
    ASSERT_TRUE(region);
    EXPECT_EQ(width, 10);
    EXPECT_EQ(height, 7);
    ExpectRegionMatches(region.get(), kMask);
}

TEST(SkinRegionFromBitmap, EdgeCases) {
    // All white: an empty region, but a region.
    UniqueBitmap white = MakeBitmap({"....", "...."});
    UniqueRegion empty = RegionFromBitmap(white.get(), kWhite, kWhite);
    ASSERT_TRUE(empty);
    RECT box{};
    EXPECT_EQ(::GetRgnBox(empty.get(), &box), NULLREGION);

    // No white: the full rectangle.
    UniqueBitmap black = MakeBitmap({"###", "###"});
    UniqueRegion full = RegionFromBitmap(black.get(), kWhite, kWhite);
    ASSERT_TRUE(full);
    EXPECT_EQ(::GetRgnBox(full.get(), &box), SIMPLEREGION);
    EXPECT_EQ(box.right, 3);
    EXPECT_EQ(box.bottom, 2);

    // No bitmap: none, and the outputs untouched.
    int width = -7;
    EXPECT_FALSE(RegionFromBitmap(nullptr, kWhite, kWhite, &width));
    EXPECT_EQ(width, -7);
}

TEST(SkinRegionFromBitmap, TallBitmapIsUnitedFromItsBatches) {
    const int height = 3000;
    std::vector<COLORREF> colours(static_cast<size_t>(4) * height, kWhite);
    for (int y = 0; y < height; ++y) {
        colours[static_cast<size_t>(y) * 4 + 2] = RGB(0, 0, 0);
    }
    UniqueBitmap line = MakeBitmap(4, height, colours);
    UniqueRegion region = RegionFromBitmap(line.get(), kWhite, kWhite);
    ASSERT_TRUE(region);
    RECT box{};
    EXPECT_EQ(::GetRgnBox(region.get(), &box), SIMPLEREGION);
    EXPECT_EQ(box.left, 2);
    EXPECT_EQ(box.right, 3);
    EXPECT_EQ(box.top, 0);
    EXPECT_EQ(box.bottom, height);
    for (int y : {0, 1999, 2000, 2999}) {
        EXPECT_TRUE(::PtInRegion(region.get(), 2, y)) << y;
        EXPECT_FALSE(::PtInRegion(region.get(), 1, y)) << y;
    }
}

TEST(SkinRegionFromBitmap, OtherColoursAreMatchedChannelByChannel) {
    // Red left out; blue (red's channels swapped) kept.
    UniqueBitmap picture = MakeBitmap({"rbr", "bbr"});
    UniqueRegion region = RegionFromBitmap(picture.get(), kRed, 0);
    ASSERT_TRUE(region);
    ExpectRegionMatches(region.get(), {".#.", "##."});
}

TEST(SkinRegionFromBitmap, AShapedWindowTakesTheMaskAsItsRegion) {
    UniqueWindow window(::CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 100, 100, 10, 7,
                                          nullptr, nullptr, nullptr, nullptr));
    ASSERT_TRUE(window);
    UniqueBitmap mask = MakeBitmap(kMask);
    UniqueRegion region = RegionFromBitmap(mask.get(), kWhite, kWhite);
    ASSERT_TRUE(region);
    ASSERT_NE(::SetWindowRgn(window.get(), region.get(), TRUE), 0);
    (void)region.release();
    PumpMessages();

    UniqueRegion shown(::CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(::GetWindowRgn(window.get(), shown.get()), ERROR);
    ExpectRegionMatches(shown.get(), kMask);
}

TEST(SkinReplaceColour, ReplacesExactlyTheColourInACopy) {
    std::vector<COLORREF> colours(16 * 16, kBlue);
    for (int i = 0; i < 16; ++i) {
        colours[static_cast<size_t>(i) * 17] = kRed;            // the diagonal
        colours[static_cast<size_t>(i) * 16] = RGB(254, 0, 0);  // almost red, column 0 below
    }
    colours[0] = kRed;
    UniqueBitmap source = MakeBitmap(16, 16, colours);
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);

    UniqueBitmap copy = ReplaceColour(source.get(), kRed, face);
    ASSERT_TRUE(copy);
    std::vector<COLORREF> expected = colours;
    for (COLORREF& c : expected) {
        if (c == kRed) {
            c = face;
        }
    }
    EXPECT_EQ(ReadBitmap(copy.get()), expected);
    EXPECT_EQ(ReadBitmap(source.get()), colours);
}

TEST(SkinReplaceColour, ABitmapSelectedIntoADcIsLentAndGivenBack) {
    UniqueBitmap source = MakeBitmap({"rb", "br"});
    UniqueDC dc(::CreateCompatibleDC(nullptr));
    SelectGuard selected(dc.get(), source.get());

    // Without being told about the DC the bitmap cannot be read: none.
    EXPECT_FALSE(ReplaceColour(source.get(), kRed, kWhite, nullptr));
    EXPECT_EQ(::GetCurrentObject(dc.get(), OBJ_BITMAP), source.get());

    UniqueBitmap copy = ReplaceColour(source.get(), kRed, kWhite, dc.get());
    ASSERT_TRUE(copy);
    EXPECT_EQ(ReadBitmap(copy.get()), (std::vector<COLORREF>{kWhite, kBlue, kBlue, kWhite}));
    EXPECT_EQ(::GetCurrentObject(dc.get(), OBJ_BITMAP), source.get());
    EXPECT_FALSE(ReplaceColour(nullptr, kRed, kWhite, dc.get()));
}

TEST(SkinTransparentBlit, LeavesTheTransparentColourOut) {
    UniqueBitmap source = MakeBitmap({"mrm", "bmb"});
    UniqueBitmap target = MakeBitmap({"......", "......", "......", "......"});
    UniqueDC sourceDC(::CreateCompatibleDC(nullptr));
    UniqueDC targetDC(::CreateCompatibleDC(nullptr));
    {
        SelectGuard s(sourceDC.get(), source.get());
        SelectGuard t(targetDC.get(), target.get());
        // 1:1 at (0, 0), and stretched to 6 x 2 below it.
        ASSERT_TRUE(
            TransparentBlit(targetDC.get(), 0, 0, 3, 2, sourceDC.get(), 0, 0, 3, 2, kMagenta));
        ASSERT_TRUE(
            TransparentBlit(targetDC.get(), 0, 2, 6, 2, sourceDC.get(), 0, 0, 3, 1, kMagenta));
        EXPECT_EQ(::GetTextColor(targetDC.get()), RGB(0, 0, 0));
        EXPECT_EQ(::GetBkColor(targetDC.get()), kWhite);
    }
    const COLORREF w = kWhite, r = kRed, b = kBlue;
    EXPECT_EQ(ReadBitmap(target.get()), (std::vector<COLORREF>{
                                            w, r, w, w, w, w,  //
                                            b, w, b, w, w, w,  //
                                            w, w, r, r, w, w,  //
                                            w, w, r, r, w, w,  //
                                        }));
}

}  // namespace
}  // namespace gd::test
