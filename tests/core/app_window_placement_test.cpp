#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "app/settings_store.h"
#include "app/window_placement.h"

namespace gd {
namespace {

// Compared and printed as one value.
std::vector<std::int32_t> Sides(const Rect& r) {
    return {r.left, r.top, r.right, r.bottom};
}

bool Within(const Rect& inner, const Rect& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

const Rect kScreen{0, 0, 1280, 1024};

// The main window at 100 % at the screen's corner, the summary window and
// the pad picture at their sizes there.
const Rect kMainAt100{0, 0, 572, 545};
constexpr std::int32_t kSummaryWidth = 316;
constexpr std::int32_t kSummaryHeight = 225;
constexpr std::int32_t kPictureWidth = 357;
constexpr std::int32_t kPictureHeight = 500;

TEST(WindowPlacement, CompanionsOpenBesideTheMainWindowAndBesideEachOther) {
    const Rect summary = PlaceBeside(kMainAt100, kSummaryWidth, kSummaryHeight, kScreen);
    EXPECT_EQ(Sides(summary), Sides({572, 0, 888, 225}));
    // The pad picture takes the room beside the main window under the summary.
    const Rect taken[] = {summary};
    const Rect picture = PlaceBeside(kMainAt100, kPictureWidth, kPictureHeight, kScreen, taken);
    EXPECT_EQ(Sides(picture), Sides({572, 225, 929, 725}));

    // Too low a screen for that: beside the summary instead.
    const Rect lowScreen{0, 0, 1280, 700};
    const Rect besideSummary =
        PlaceBeside(kMainAt100, kPictureWidth, kPictureHeight, lowScreen, taken);
    EXPECT_EQ(Sides(besideSummary), Sides({888, 0, 1245, 500}));

    // The main window by the screen's right edge: left of it, tops aligned.
    const Rect mainRight{700, 100, 1272, 645};
    EXPECT_EQ(Sides(PlaceBeside(mainRight, kSummaryWidth, kSummaryHeight, kScreen)),
              Sides({384, 100, 700, 325}));
    // Near the top and too wide for either side: below it, slid onto the screen.
    const Rect mainWide{100, 20, 1180, 500};
    EXPECT_EQ(Sides(PlaceBeside(mainWide, kSummaryWidth, kSummaryHeight, kScreen)),
              Sides({100, 500, 416, 725}));
    // Low on the screen and as wide: above it.
    const Rect mainLow{100, 700, 1180, 1000};
    EXPECT_EQ(Sides(PlaceBeside(mainLow, kSummaryWidth, kSummaryHeight, kScreen)),
              Sides({100, 475, 416, 700}));
    // Partly below the screen: moved up, still beside it.
    const Rect mainLowNarrow{0, 900, 572, 1445};
    EXPECT_EQ(Sides(PlaceBeside(mainLowNarrow, kSummaryWidth, kSummaryHeight, kScreen)),
              Sides({572, 799, 888, 1024}));
}

TEST(WindowPlacement, AlwaysWhollyOnTheMainWindowsMonitor) {
    // A monitor left of the primary one, with negative coordinates and a
    // taskbar at its top.
    const Rect leftMonitor{-1920, 40, 0, 1080};
    const Rect main{-600, 40, -28, 585};
    const Rect placed = PlaceBeside(main, kSummaryWidth, kSummaryHeight, leftMonitor);
    EXPECT_EQ(Sides(placed), Sides({-916, 40, -600, 265}));

    // At 200 % on a small screen there is no room: the window stays on the
    // screen and covers as little of the main window as it can, and the
    // second one as little of both.
    const Rect mainAt200{0, 0, 1144, 1050};
    const Rect summary = PlaceBeside(mainAt200, 620, 440, kScreen);
    EXPECT_TRUE(Within(summary, kScreen));
    EXPECT_EQ(Sides(summary), Sides({660, 0, 1280, 440}));
    const Rect taken[] = {summary};
    const Rect picture = PlaceBeside(mainAt200, 714, 1000, kScreen, taken);
    EXPECT_TRUE(Within(picture, kScreen));
    EXPECT_LT(OverlapArea(picture, summary), OverlapArea(summary, summary));
}

TEST(WindowPlacement, StoredSpotsComeBackOnlyOnAMonitor) {
    const Rect monitors[] = {kScreen, {1280, 0, 3200, 1080}};
    // Where it was left, on either monitor.
    const Rect leftThere{1500, 300, 1816, 525};
    EXPECT_EQ(Sides(PlaceStored(leftThere, monitors).value_or(Rect{})), Sides(leftThere));
    // Hanging over an edge: pulled onto the monitor that holds most of it.
    EXPECT_EQ(Sides(PlaceStored({1200, 900, 1516, 1125}, monitors).value_or(Rect{})),
              Sides({1280, 855, 1596, 1080}));
    // On a monitor that is gone.
    EXPECT_FALSE(PlaceStored({3400, 100, 3716, 325}, monitors).has_value());
    EXPECT_FALSE(PlaceStored({-400, 100, -84, 325}, monitors).has_value());
    EXPECT_FALSE(PlaceStored(leftThere, {}).has_value());
}

TEST(WindowPlacement, DialogsCentreOnTheirOwnerOnItsMonitor) {
    const Rect owner{100, 50, 672, 595};
    EXPECT_EQ(Sides(CentreOn(owner, 400, 300, kScreen)), Sides({186, 172, 586, 472}));
    // Larger than its owner, by the screen's corner: kept on the screen.
    EXPECT_EQ(Sides(CentreOn({0, 0, 300, 200}, 500, 420, kScreen)), Sides({0, 0, 500, 420}));
    // Larger than the screen: its top-left corner stays on it.
    EXPECT_EQ(Sides(CentreOn(owner, 1400, 1100, kScreen)), Sides({0, 0, 1400, 1100}));
}

// Values by name, integers and texts apart, as the registry keeps them.
class SpotSettings : public SettingsStore {
  public:
    std::int32_t ReadInt(const std::string& name, std::int32_t fallback) override {
        return ints.count(name) != 0 ? ints[name] : fallback;
    }
    bool WriteInt(const std::string& name, std::int32_t value) override {
        ints[name] = value;
        return true;
    }
    std::string ReadString(const std::string&, const std::string& fallback) override {
        return fallback;
    }
    bool WriteString(const std::string&, const std::string&) override { return true; }
    std::map<std::string, std::int32_t> ints;
};

TEST(WindowPlacement, SpotsAreKeptInTheSettingsOnlyOnceTheUserMovedTheWindow) {
    SpotSettings settings;
    AppSettings unmoved;
    unmoved.SaveAtExit(settings);
    EXPECT_EQ(settings.ints, (std::map<std::string, std::int32_t>{{"Summary", 1}}));

    AppSettings moved;
    moved.summarySpot = WindowSpot{-1500, 20};
    moved.padPictureSpot = WindowSpot{640, 300};
    moved.SaveAtExit(settings);
    AppSettings loaded;
    loaded.LoadAtStart(settings);
    EXPECT_EQ(loaded.summarySpot, moved.summarySpot);
    EXPECT_EQ(loaded.padPictureSpot, moved.padPictureSpot);

    // A run that moved nothing leaves them as they were.
    unmoved.SaveAtExit(settings);
    loaded.LoadAtStart(settings);
    EXPECT_EQ(loaded.summarySpot, moved.summarySpot);

    // Half a spot is none.
    settings.ints.erase("PadPictureTop");
    loaded.LoadAtStart(settings);
    EXPECT_FALSE(loaded.padPictureSpot.has_value());
}

}  // namespace
}  // namespace gd
