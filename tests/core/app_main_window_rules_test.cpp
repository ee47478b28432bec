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
    std::int32_t ReadInt(const std::string& name, std::int32_t fallback) override {
        const auto it = ints.find(name);
        return it == ints.end() ? fallback : it->second;
    }
    bool WriteInt(const std::string& name, std::int32_t value) override {
        ints[name] = value;
        ++writes;
        return true;
    }
    std::string ReadString(const std::string& name, const std::string& fallback) override {
        const auto it = strings.find(name);
        return it == strings.end() ? fallback : it->second;
    }
    bool WriteString(const std::string& name, const std::string& value) override {
        strings[name] = value;
        ++writes;
        return true;
    }
    std::map<std::string, std::int32_t> ints;
    std::map<std::string, std::string> strings;
    int writes = 0;
};

struct CopyCase {
    const char* name;
    std::vector<std::string> titles;
    int expected;
};

const CopyCase kCopies[] = {
    {"NoDialogs", {}, -1},
    {"OtherTitles", {"Open", "Save As", "Grip"}, -1},
    {"MainWindow", {"Open", "Gripdeck: default.gpx"}, 1},
    {"AnyLetterCase", {"GRIPDECK: x.gpx"}, 0},
    {"EmptyProfileName", {"Gripdeck: "}, 0},
    // A message box captioned with the program's name comes first in the
    // order of windows; the main window is the one told.
    {"MessageBoxBeforeMainWindow", {"gripdeck", "Gripdeck: a.gpx"}, 1},
    {"OnlyAPrefixMatch", {"Other", "Gripdeck Setup"}, 1},
    {"FirstOfTwoMainWindows", {"Gripdeck: a.gpx", "Gripdeck: b.gpx"}, 0},
};

class RunningCopies : public testing::TestWithParam<CopyCase> {};

TEST_P(RunningCopies, AreFoundByTheTitlePrefix) {
    EXPECT_EQ(ChooseRunningCopy(GetParam().titles, "Gripdeck"), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Titles, RunningCopies, testing::ValuesIn(kCopies),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(MainWindowTexts, TitleAndMessageArgument) {
    EXPECT_EQ(WindowTitle("Gripdeck", "default.gpx"), "Gripdeck: default.gpx");
    EXPECT_EQ(WindowTitle("Gripdeck", ""), "Gripdeck: ");
    EXPECT_EQ(InsertArgument("Can't open the file %s. Please verify it again.", "C:\\a%d%s.gpx"),
              "Can't open the file C:\\a%d%s.gpx. Please verify it again.");
    EXPECT_EQ(InsertArgument("Do you want to save this file?", "x"),
              "Do you want to save this file?");
    EXPECT_EQ(InsertArgument("%s", ""), "");
}

TEST(DeviceCheck, ABurstOfNoticesGivesOneCheck) {
    DeviceCheckGuard guard;
    EXPECT_TRUE(guard.OnDevicesChanged());
    EXPECT_TRUE(guard.Pending());
    EXPECT_FALSE(guard.OnDevicesChanged());
    EXPECT_FALSE(guard.OnDevicesChanged());
    EXPECT_TRUE(guard.BeginCheck());
    EXPECT_TRUE(guard.Busy());
    guard.FinishCheck();
    EXPECT_FALSE(guard.Pending());
    EXPECT_FALSE(guard.Busy());
    // The next notice starts a new round.
    EXPECT_TRUE(guard.OnDevicesChanged());
}

TEST(DeviceCheck, NothingStartsWhileACheckRuns) {
    DeviceCheckGuard guard;
    ASSERT_TRUE(guard.OnDevicesChanged());
    ASSERT_TRUE(guard.BeginCheck());
    // A message box of the check delivers notices and the timer again.
    EXPECT_FALSE(guard.OnDevicesChanged());
    EXPECT_FALSE(guard.BeginCheck());
    EXPECT_TRUE(guard.Busy());
    guard.FinishCheck();
    EXPECT_TRUE(guard.OnDevicesChanged());
    EXPECT_TRUE(guard.BeginCheck());
}

TEST(PadIcon, ActsByPageAndPicture) {
    EXPECT_EQ(DecidePadIcon(1, false), PadIconAction::ShowButtonPage);
    EXPECT_EQ(DecidePadIcon(1, true), PadIconAction::ShowButtonPage);
    EXPECT_EQ(DecidePadIcon(2, false), PadIconAction::ShowPicture);
    EXPECT_EQ(DecidePadIcon(2, true), PadIconAction::HidePictureShowWelcome);
    EXPECT_EQ(DecidePadIcon(0, true), PadIconAction::Nothing);
}

TEST(RecentMenu, ListsFileNamesUpToTheFirstEmptyPlace) {
    RecentFiles recent;
    EXPECT_TRUE(RecentMenuEntries(recent).empty());
    recent.Add("C:\\profiles\\one.gpx");
    recent.Add("two.gpx");
    recent.Add("C:\\a\\Fish & Chips.gpx");
    const std::vector<MenuEntry> entries = RecentMenuEntries(recent);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].id, static_cast<unsigned>(ID_RECENT_FILE_FIRST));
    EXPECT_EQ(entries[0].text, "Fish && Chips.gpx");
    EXPECT_EQ(entries[1].id, static_cast<unsigned>(ID_RECENT_FILE_FIRST + 1));
    EXPECT_EQ(entries[1].text, "two.gpx");
    EXPECT_EQ(entries[2].text, "one.gpx");

    recent.Remove(1);
    ASSERT_EQ(RecentMenuEntries(recent).size(), 2u);
    for (int i = 0; i < 6; ++i) {
        recent.Add(std::to_string(i) + ".gpx");
    }
    const std::vector<MenuEntry> full = RecentMenuEntries(recent);
    ASSERT_EQ(full.size(), 6u);
    EXPECT_EQ(full[5].id, static_cast<unsigned>(ID_RECENT_FILE_LAST));
}

TEST(RecentSettings, ADroppedFileDoesNotComeBackAtTheNextStart) {
    Settings settings;
    for (const char* path : {"f", "e", "d", "c", "b", "a"}) {
        settings.strings[RecentFiles::ValueName(settings.strings.size())] = path;
    }
    RecentFiles recent;
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
    EXPECT_EQ(next[4], "");
    EXPECT_EQ(next[5], "");
}

TEST(RecentSettings, UnusedPlacesAreNotWritten) {
    Settings settings;
    RecentFiles recent;
    recent.Add("only.gpx");
    ForgetEmptiedPlaces(recent, settings);
    EXPECT_EQ(settings.writes, 0);
    EXPECT_EQ(settings.strings.count("Recent01"), 0u);
}

TEST(SummaryPlacement, BesideTheMainWindowAndOnTheScreen) {
    const Rect summary{0, 0, 300, 200};
    const Rect right = PlaceSummaryWindow({0, 0, 560, 540}, summary, 1280);
    EXPECT_EQ(right.left, 560);
    EXPECT_EQ(right.top, 0);
    EXPECT_EQ(right.Width(), 300);
    EXPECT_EQ(right.Height(), 200);

    const Rect left = PlaceSummaryWindow({900, 40, 1260, 580}, summary, 1280);
    EXPECT_EQ(left.left, 600);
    EXPECT_EQ(left.top, 40);

    const Rect clamped = PlaceSummaryWindow({100, 0, 1200, 500}, summary, 1280);
    EXPECT_EQ(clamped.left, 0);
}

}  // namespace
}  // namespace gd
