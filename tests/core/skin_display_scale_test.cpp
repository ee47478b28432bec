#include "skin/display_scale.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "skin_layout.h"

namespace gd {
namespace {

constexpr int kScales[] = {100, 125, 150, 200};

TEST(DisplayScale, AMonitorGetsTheSmallestDrawingAtLeastItsSize) {
    struct Row {
        std::uint32_t dpi;
        int scale;
    };
    for (const Row& row : {Row{0, 0}, Row{72, 0}, Row{96, 0}, Row{97, 1}, Row{120, 1}, Row{121, 2},
                           Row{144, 2}, Row{168, 3}, Row{192, 3}, Row{288, 3}}) {
        EXPECT_EQ(PickArtScale(row.dpi, kScales), row.scale) << row.dpi << " dpi";
    }
    EXPECT_EQ(PickArtScale(192, std::span<const int>(kScales, 1)), 0);
}

TEST(DisplayScale, LengthsRoundHalfAwayFromZero) {
    struct Row {
        std::int32_t length;
        int percent;
        std::int32_t scaled;
    };
    for (const Row& row : {Row{98, 125, 123}, Row{-98, 125, -123}, Row{51, 125, 64},
                           Row{49, 150, 74}, Row{7, 100, 7}, Row{0, 200, 0}}) {
        EXPECT_EQ(ScalePixels(row.length, row.percent), row.scaled)
            << row.length << " at " << row.percent << " %";
    }
}

// The art is drawn from places scaled by its own build; the program scales
// its other distances with ScalePixels. Both must round alike, or a control
// would sit a pixel off the well drawn for it.
TEST(DisplayScale, TheArtsPlacesAtEveryScaleAreThoseAt100Scaled) {
    using namespace skin_layout;
    ASSERT_EQ(kArtScales[0], 100);
    auto expectScaled = [](const Place& place, const Place& base, int percent) {
        EXPECT_EQ(place.x, ScalePixels(base.x, percent)) << base.bitmap << " at " << percent;
        EXPECT_EQ(place.y, ScalePixels(base.y, percent)) << base.bitmap << " at " << percent;
        EXPECT_EQ(place.width, ScalePixels(base.width, percent)) << base.bitmap;
        EXPECT_EQ(place.height, ScalePixels(base.height, percent)) << base.bitmap;
    };
    for (int k = 1; k < kArtScaleCount; ++k) {
        const int percent = kArtScales[k];
        EXPECT_GT(percent, kArtScales[k - 1]);
        for (const Place& base : kMainPlaces[0]) {
            expectScaled(MainPlace(base.bitmap, k), base, percent);
        }
        for (const Place& base : kPicturePlaces[0]) {
            expectScaled(PicturePlace(base.bitmap, k), base, percent);
        }
        const LabelPlaces& labels = kLabels[k];
        EXPECT_EQ(labels.x[1], ScalePixels(kLabelX[1], percent));
        EXPECT_EQ(labels.y[4], ScalePixels(kLabelY[4], percent));
        EXPECT_EQ(labels.width, ScalePixels(kLabelWidth, percent));
        EXPECT_EQ(labels.height, ScalePixels(kLabelHeight, percent));
    }
}

}  // namespace
}  // namespace gd
