#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "app/main_window_rules.h"
#include "app/recent_files.h"
#include "app/settings_store.h"
#include "resource.h"

namespace gd {
namespace {

class Settings : public SettingsStore {
  public:
    std::int32_t ReadInt(const std::string&, std::int32_t fallback) override { return fallback; }
    bool WriteInt(const std::string&, std::int32_t) override { return ++writes > 0; }
    std::string ReadString(const std::string& name, const std::string& fallback) override {
        return strings.count(name) != 0 ? strings[name] : fallback;
    }
    bool WriteString(const std::string& name, const std::string& value) override {
        strings[name] = value;
        return ++writes > 0;
    }
    std::map<std::string, std::string> strings;
    int writes = 0;
};

TEST(RunningCopy, IsFoundByTheTitlePrefixAndPrefersTheMainWindow) {
    using Titles = std::vector<std::string>;
    EXPECT_EQ(ChooseRunningCopy(Titles{}, "Gripdeck"), -1);
    EXPECT_EQ(ChooseRunningCopy(Titles{"Open", "Grip", "About Gripdeck"}, "Gripdeck"), -1);
    EXPECT_EQ(ChooseRunningCopy(Titles{"Open", "Gripdeck: default.gpx"}, "Gripdeck"), 1);
    EXPECT_EQ(ChooseRunningCopy(Titles{"GRIPDECK: x.gpx"}, "Gripdeck"), 0);
    EXPECT_EQ(ChooseRunningCopy(Titles{"Other", "gripdeck setup"}, "Gripdeck"), 1);
    // A message box captioned with the program's name, first in window
    // order, does not take the forwarded text.
    EXPECT_EQ(ChooseRunningCopy(Titles{"gripdeck", "Gripdeck: a.gpx"}, "Gripdeck"), 1);
}

TEST(MainWindowTexts, TitleAndMessageArgument) {
    EXPECT_EQ(WindowTitle("Gripdeck", "default.gpx"), "Gripdeck: default.gpx");
    // A path full of % signs comes out as it is.
    EXPECT_EQ(InsertArgument("Can't open the file %s. Please verify it again.", "C:\\a%d%s.gpx"),
              "Can't open the file C:\\a%d%s.gpx. Please verify it again.");
    EXPECT_EQ(InsertArgument("Do you want to save this file?", "x"),
              "Do you want to save this file?");
}

TEST(DeviceCheck, ABurstGivesOneCheckAndNothingStartsWhileItRuns) {
    DeviceCheckGuard guard;
    EXPECT_TRUE(guard.OnDevicesChanged());
    EXPECT_FALSE(guard.OnDevicesChanged());
    EXPECT_TRUE(guard.BeginCheck());
    // A message box of the check delivers more notices and the timer again.
    EXPECT_FALSE(guard.OnDevicesChanged());
    EXPECT_FALSE(guard.BeginCheck());
    guard.FinishCheck();
    EXPECT_FALSE(guard.Pending() || guard.Busy());
    EXPECT_TRUE(guard.OnDevicesChanged());
}

TEST(PadIcon, ActsByPageAndPicture) {
    EXPECT_EQ(DecidePadIcon(1, true), PadIconAction::ShowButtonPage);
    EXPECT_EQ(DecidePadIcon(2, false), PadIconAction::ShowPicture);
    EXPECT_EQ(DecidePadIcon(2, true), PadIconAction::HidePictureShowWelcome);
}

TEST(RecentMenu, ListsFileNamesUpToTheFirstEmptyPlace) {
    RecentFiles recent;
    EXPECT_TRUE(RecentMenuEntries(recent).empty());
    for (const char* path : {"C:\\p\\one.gpx", "two.gpx", "C:\\a\\Fish & Chips.gpx"}) {
        recent.Add(path);
    }
    recent.Remove(1);
    const std::vector<MenuEntry> entries = RecentMenuEntries(recent);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].id, static_cast<unsigned>(ID_RECENT_FILE_FIRST));
    EXPECT_EQ(entries[0].text, "Fish && Chips.gpx");
    EXPECT_EQ(entries[1].id, static_cast<unsigned>(ID_RECENT_FILE_FIRST + 1));
    EXPECT_EQ(entries[1].text, "one.gpx");
}

TEST(RecentSettings, ADroppedFileDoesNotComeBackAtTheNextStart) {
    Settings settings;
    RecentFiles recent;
    recent.Add("unused.gpx");
    ForgetEmptiedPlaces(recent, settings);
    EXPECT_EQ(settings.writes, 0);  // places never used stay unwritten

    for (const char* path : {"f", "e", "d", "c", "b", "a"}) {
        settings.strings[RecentFiles::ValueName(settings.strings.size())] = path;
    }
    recent.Load(settings);
    recent.Remove(5);
    recent.Remove(0);
    recent.Save(settings);
    ForgetEmptiedPlaces(recent, settings);
    RecentFiles next;
    next.Load(settings);
    EXPECT_EQ(next.Count(), 4u);
    EXPECT_EQ(next[0], "e");
    EXPECT_EQ(next[3], "b");
    EXPECT_EQ(next[5], "");
}

TEST(SummaryPlacement, BesideTheMainWindowAndOnTheScreen) {
    const Rect summary{0, 0, 300, 200};
    const Rect right = PlaceSummaryWindow({0, 0, 560, 540}, summary, 1280);
    EXPECT_EQ(right.left, 560);
    EXPECT_EQ(right.Width(), 300);
    EXPECT_EQ(right.Height(), 200);
    EXPECT_EQ(PlaceSummaryWindow({900, 40, 1260, 580}, summary, 1280).left, 600);
    EXPECT_EQ(PlaceSummaryWindow({900, 40, 1260, 580}, summary, 1280).top, 40);
    EXPECT_EQ(PlaceSummaryWindow({100, 0, 1200, 500}, summary, 1280).left, 0);
}

}  // namespace
}  // namespace gd
