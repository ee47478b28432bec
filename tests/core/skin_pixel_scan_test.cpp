#include "skin/pixel_scan.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace gd {

void PrintTo(const PixelRect& r, std::ostream* out) {
    *out << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ")";
}

namespace {

constexpr std::uint32_t kWhite = 0x00FFFFFF;  // COLORREF and pixel alike
constexpr std::uint32_t kBlack = 0x00000000;

// A picture drawn from text rows: '.' white, '#' black, top row first.
struct Picture {
    explicit Picture(const std::vector<std::string>& rows, bool bottomUp = false)
        : width(static_cast<std::int32_t>(rows.empty() ? 0 : rows[0].size())),
          height(static_cast<std::int32_t>(rows.size())),
          bottomUp(bottomUp) {
        for (std::int32_t y = 0; y < height; ++y) {
            const std::string& row = rows[static_cast<size_t>(bottomUp ? height - 1 - y : y)];
            for (char c : row) {
                pixels.push_back(c == '.' ? kWhite : kBlack);
            }
        }
    }
    PixelImage image() const { return PixelImage{pixels.data(), width, height, bottomUp}; }

    std::int32_t width, height;
    bool bottomUp;
    std::vector<std::uint32_t> pixels;
};

struct Batch {
    std::vector<PixelRect> rects;
    PixelRect bounds;
};

std::vector<Batch> Scan(const PixelImage& image) {
    std::vector<Batch> batches;
    EXPECT_TRUE(CollectOpaqueRuns(image, TransparentRange(kWhite, kWhite), kRegionBatchSize,
                                  [&](std::span<const PixelRect> rects, const PixelRect& b) {
                                      batches.push_back({{rects.begin(), rects.end()}, b});
                                      return true;
                                  }));
    return batches;
}

TEST(SkinPixelScan, RunsAreFoundLeftToRightFromTheTopRow) {
    const struct {
        const char* name;
        std::vector<std::string> picture;
        std::vector<PixelRect> runs;
        PixelRect bounds;
    } rows[] = {
        {"all transparent", {"....", "...."}, {}, {0, 0, 0, 0}},
        {"all opaque", {"###", "###"}, {{0, 0, 3, 1}, {0, 1, 3, 2}}, {0, 0, 3, 2}},
        {"runs at both edges", {"##..#", "....."}, {{0, 0, 2, 1}, {4, 0, 5, 1}}, {0, 0, 5, 1}},
        {"shape", {"..#..", ".###."}, {{2, 0, 3, 1}, {1, 1, 4, 2}}, {1, 0, 4, 2}},
        {"empty middle row", {"#", ".", "#"}, {{0, 0, 1, 1}, {0, 2, 1, 3}}, {0, 0, 1, 3}},
    };
    for (const auto& row : rows) {
        for (bool bottomUp : {false, true}) {
            Picture p(row.picture, bottomUp);
            auto batches = Scan(p.image());
            ASSERT_EQ(batches.size(), 1u) << row.name;
            EXPECT_EQ(batches[0].rects, row.runs) << row.name << " bottomUp " << bottomUp;
            EXPECT_EQ(batches[0].bounds, row.bounds) << row.name;
        }
    }
}

TEST(SkinPixelScan, TallPictureIsCollectedInBatchesOf2000) {
    // 3000 rows, an opaque vertical line at x = 1.
    std::vector<std::string> rows(3000, ".#..");
    Picture p(rows, true);
    auto batches = Scan(p.image());
    ASSERT_EQ(batches.size(), 2u);
    EXPECT_EQ(batches[0].rects.size(), 2000u);
    EXPECT_EQ(batches[1].rects.size(), 1000u);
    EXPECT_EQ(batches[0].bounds, (PixelRect{1, 0, 2, 2000}));
    EXPECT_EQ(batches[1].bounds, (PixelRect{1, 2000, 2, 3000}));
    EXPECT_EQ(batches[1].rects.front(), (PixelRect{1, 2000, 2, 2001}));

    // Exactly one full batch sends no empty one after it.
    std::vector<std::string> exact(2000, "#");
    EXPECT_EQ(Scan(Picture(exact).image()).size(), 1u);
}

TEST(SkinPixelScan, ToleranceGivesARangePerChannelCappedAt255) {
    // Colour and tolerance are COLORREFs (0x00BBGGRR); pixels are 0x00RRGGBB.
    const struct {
        const char* name;
        std::uint32_t colour, tolerance, pixel;
        bool transparent;
    } rows[] = {
        {"white, one step off", kWhite, kWhite, 0x00FFFEFF, false},
        {"zero tolerance, equal", 0x00102030, 0, 0x00302010, true},
        {"red at the top of its range", 0x00000010, 0x00000005, 0x00150000, true},
        {"red past its range", 0x00000010, 0x00000005, 0x00160000, false},
        // Channels pair by name: red tolerance does not widen blue.
        {"blue outside red's tolerance", 0x00000010, 0x00000005, 0x00100001, false},
        {"cap at 255", 0x000000F0, 0x00000080, 0x00FF0000, true},
        {"top byte ignored", 0x00000000, 0, 0xFF000000, true},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(TransparentRange(row.colour, row.tolerance).Contains(row.pixel), row.transparent)
            << row.name;
    }
}

TEST(SkinPixelScan, ReplaceColourChangesExactlyTheMatchingPixels) {
    const std::uint32_t red = 0x000000FF;         // COLORREF
    const std::uint32_t buttonFace = 0x00C8D0D4;  // COLORREF
    std::vector<std::uint32_t> pixels = {
        0x00FF0000,  // pure red
        0x00FE0000,  // almost red
        0xFFFF0000,  // red with its unused byte set
        0x000000FF,  // pure blue: red's bytes in the wrong order
        0x00FFFFFF,
    };
    EXPECT_EQ(ReplacePixelColour(pixels, red, buttonFace), 2u);
    const std::uint32_t facePixel = ColorrefToPixel(buttonFace);
    EXPECT_EQ(facePixel, 0x00D4D0C8u);
    EXPECT_EQ(pixels, (std::vector<std::uint32_t>{facePixel, 0x00FE0000, facePixel, 0x000000FF,
                                                  0x00FFFFFF}));
}

TEST(SkinPixelScan, KeyColourBecomesSeeThroughAndTheRestOpaque) {
    const std::uint32_t magenta = 0x00FF00FF;  // COLORREF and pixel alike
    std::vector<std::uint32_t> pixels = {
        0x00FF00FF,  // the key
        0x7FFF00FF,  // the key with its unused byte set
        0x00FF00FE,  // almost the key
        0x00000000,  // black stays black, and opaque
    };
    KeyColourToAlpha(pixels, magenta);
    EXPECT_EQ(pixels, (std::vector<std::uint32_t>{0, 0, 0xFFFF00FE, 0xFF000000}));
}

}  // namespace
}  // namespace gd
