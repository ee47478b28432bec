#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "app/command_line.h"
#include "app/recent_files.h"
#include "app/settings_store.h"
#include "app/shell_rules.h"

namespace gd {
namespace {

class MemorySettings : public SettingsStore {
  public:
    std::int32_t ReadInt(const std::string& name, std::int32_t fallback) override {
        const auto it = ints.find(name);
        return it == ints.end() ? fallback : it->second;
    }
    bool WriteInt(const std::string& name, std::int32_t value) override {
        ints[name] = value;
        return true;
    }
    std::string ReadString(const std::string& name, const std::string& fallback) override {
        const auto it = strings.find(name);
        return it == strings.end() ? fallback : it->second;
    }
    bool WriteString(const std::string& name, const std::string& value) override {
        strings[name] = value;
        return true;
    }
    std::map<std::string, std::int32_t> ints;
    std::map<std::string, std::string> strings;
};

std::vector<std::string> Places(const RecentFiles& recent) {
    std::vector<std::string> places;
    for (std::size_t i = 0; i < RecentFiles::kPlaces; ++i)
        places.push_back(recent[i]);
    return places;
}

TEST(RecentFiles, KeepsSixNewestFirstWithoutDuplicates) {
    RecentFiles recent;
    for (int i = 1; i <= 7; ++i)
        recent.Add("C:\\p\\" + std::to_string(i) + ".gpx");
    EXPECT_EQ(Places(recent),
              (std::vector<std::string>{"C:\\p\\7.gpx", "C:\\p\\6.gpx", "C:\\p\\5.gpx",
                                        "C:\\p\\4.gpx", "C:\\p\\3.gpx", "C:\\p\\2.gpx"}));
    recent.Add("C:\\p\\4.gpx");
    EXPECT_EQ(Places(recent),
              (std::vector<std::string>{"C:\\p\\4.gpx", "C:\\p\\7.gpx", "C:\\p\\6.gpx",
                                        "C:\\p\\5.gpx", "C:\\p\\3.gpx", "C:\\p\\2.gpx"}));
    // Comparison is exact: another letter case is another file.
    recent.Add("c:\\p\\4.gpx");
    EXPECT_EQ(recent[0], "c:\\p\\4.gpx");
    EXPECT_EQ(recent[1], "C:\\p\\4.gpx");
}

TEST(RecentFiles, RemoveClosesTheGapAndEmptiesTheLastPlace) {
    RecentFiles recent;
    for (const char* path : {"f", "e", "d", "c", "b", "a"})
        recent.Add(path);
    recent.Remove(2);
    EXPECT_EQ(Places(recent), (std::vector<std::string>{"a", "b", "d", "e", "f", ""}));
    recent.Remove(4);
    EXPECT_EQ(Places(recent), (std::vector<std::string>{"a", "b", "d", "e", "", ""}));
    recent.Remove(9);
    EXPECT_EQ(recent.Count(), 4u);
}

TEST(RecentFiles, EmptiedPlacesKeepTheirStoredValue) {
    MemorySettings settings;
    settings.strings["Recent05"] = "old.gpx";
    RecentFiles recent;
    recent.Add("new.gpx");
    recent.Save(settings);
    EXPECT_EQ(settings.strings["Recent00"], "new.gpx");
    EXPECT_EQ(settings.strings["Recent05"], "old.gpx");
    EXPECT_EQ(settings.strings.count("Recent01"), 0u);

    RecentFiles loaded;
    loaded.Load(settings);
    EXPECT_EQ(loaded[0], "new.gpx");
    EXPECT_EQ(loaded[1], "old.gpx");  // back, and without a hole before it
}

TEST(AppSettings, IntroductionShowsOnceAndSummaryDefaultsOn) {
    MemorySettings settings;
    settings.strings["Introduction"] = "Welcome";
    AppSettings app;
    app.LoadAtStart(settings);
    EXPECT_TRUE(app.summaryVisible);
    EXPECT_EQ(settings.strings["Introduction"], "");
    app.summaryVisible = false;
    app.SaveAtExit(settings);
    EXPECT_EQ(settings.ints["Summary"], 0);
    app.LoadAtStart(settings);
    EXPECT_FALSE(app.summaryVisible);
}

struct StartCase {
    const char* commandLine;
    bool hidden;
    const char* path;
    const char* name;
};

TEST(CommandLine, IsReadAsHiddenStartOrProfilePath) {
    const StartCase cases[] = {
        {"", false, "", ""},
        {"-1", true, "", ""},
        {"\"-1\"", true, "", ""},
        {"install", false, "", ""},  // an installer's start: no file to open
        {"C:\\games\\raid.gpx", false, "C:\\games\\raid.gpx", "raid.gpx"},
        {"\"C:\\my games\\raid.gpx\"", false, "C:\\my games\\raid.gpx", "raid.gpx"},
        {"\"half quoted.gpx", false, "half quoted.gpx", "half quoted.gpx"},
    };
    for (const StartCase& c : cases) {
        const StartRequest request = ParseCommandLine(c.commandLine);
        EXPECT_EQ(request.startHidden, c.hidden) << c.commandLine;
        EXPECT_EQ(request.path, c.path) << c.commandLine;
        EXPECT_EQ(request.name, c.name) << c.commandLine;
    }
}

TEST(CommandLine, ForwardsOnlyPathsThatFitTheBuffer) {
    EXPECT_FALSE(ShouldForwardCommandLine(""));
    EXPECT_FALSE(ShouldForwardCommandLine("-1"));
    EXPECT_FALSE(ShouldForwardCommandLine("install"));
    EXPECT_TRUE(ShouldForwardCommandLine("Install"));
    EXPECT_TRUE(ShouldForwardCommandLine(std::string(511, 'a')));
    EXPECT_FALSE(ShouldForwardCommandLine(std::string(512, 'a')));
    EXPECT_TRUE(EncodeForwardedCommandLine(std::string(512, 'a')).empty());
}

TEST(CommandLine, ForwardedPathArrivesWithoutQuotes) {
    const std::string sent = "\"C:\\a b\\r\xE9sum\xE9.gpx\"";
    const auto messages = EncodeForwardedCommandLine(sent);
    ASSERT_EQ(messages.size(), sent.size());
    EXPECT_EQ(messages[3].lParam, static_cast<std::intptr_t>((sent.size() << 16) | 3));
    EXPECT_LT(messages[9].wParam, 0);  // 0xE9 sign-extended

    ForwardedCommandLine receiver;
    std::optional<std::string> result;
    for (const auto& m : messages) {
        EXPECT_FALSE(result.has_value());
        result = receiver.Receive(m.wParam, m.lParam);
    }
    EXPECT_EQ(result, "C:\\a b\\r\xE9sum\xE9.gpx");
}

TEST(CommandLine, BrokenForwardingYieldsNothing) {
    ForwardedCommandLine receiver;
    // A character out of order, then a sender that claims 600 characters.
    EXPECT_FALSE(receiver.Receive('a', (3 << 16) | 0));
    EXPECT_FALSE(receiver.Receive('c', (3 << 16) | 2).has_value());
    for (int i = 0; i < 600; ++i) {
        EXPECT_FALSE(receiver.Receive('x', (600 << 16) | i).has_value());
    }
    // A fresh, complete text is still taken afterwards.
    EXPECT_FALSE(receiver.Receive('o', (2 << 16) | 0));
    EXPECT_EQ(receiver.Receive('k', (2 << 16) | 1), "ok");
}

TEST(SaveModified, UntitledProfilesGoThroughSaveAs) {
    using A = SaveModifiedAction;
    using M = SaveModifiedMode;
    EXPECT_EQ(DecideSaveModified(false, "a.gpx", "C:\\a.gpx", M::Ask), A::Nothing);
    EXPECT_EQ(DecideSaveModified(true, "a.gpx", "C:\\a.gpx", M::Silent), A::Save);
    EXPECT_EQ(DecideSaveModified(true, "a.gpx", "C:\\a.gpx", M::Ask), A::AskThenSave);
    for (const char* name : {"", "default.gpx", "Unfiled"}) {
        EXPECT_EQ(DecideSaveModified(true, name, "C:\\x.gpx", M::Ask), A::SaveAs) << name;
        EXPECT_EQ(DecideSaveModified(true, name, "C:\\x.gpx", M::Silent), A::SaveAs) << name;
    }
    EXPECT_EQ(DecideSaveModified(true, "a.gpx", "", M::Silent), A::SaveAs);
    EXPECT_EQ(DecideSaveModified(true, "Default.gpx", "C:\\Default.gpx", M::Silent), A::Save);
}

TEST(LaunchEntry, QuotesThePathAndAppendsTheHiddenFlagWithinTheBuffer) {
    EXPECT_EQ(LaunchEntryText("C:\\Program Files\\Gripdeck\\gripdeck.exe"),
              "\"C:\\Program Files\\Gripdeck\\gripdeck.exe\" -1");
    EXPECT_TRUE(LaunchEntryText(std::string(506, 'p')).has_value());
    EXPECT_FALSE(LaunchEntryText(std::string(507, 'p')).has_value());
    EXPECT_FALSE(LaunchEntryText("").has_value());
}

// The two Run keys; a key marked read-only refuses writes, as the machine's
// does for a user without administrator rights.
class MemoryRunKeys : public RunKeys {
  public:
    std::optional<std::string> Read(RunScope scope) override { return values[Index(scope)]; }
    bool Write(RunScope scope, const std::string& text) override {
        if (readOnly[Index(scope)]) {
            return false;
        }
        values[Index(scope)] = text;
        return true;
    }
    static int Index(RunScope scope) { return scope == RunScope::Machine ? 0 : 1; }

    std::optional<std::string> values[2];
    bool readOnly[2] = {false, false};
};

TEST(LaunchEntry, StoredInTheMachineKeyElseTheUsersAndReadFromEither) {
    using Value = std::optional<std::string>;
    const std::string program = "C:\\Program Files\\Gripdeck\\gripdeck.exe";
    const std::string entry = "\"" + program + "\" -1";
    const std::string oldEntry = program + " -1";
    struct Row {
        bool machineReadOnly;
        Value machine, user;  // before
        bool on;
        bool stored;
        Value machineAfter, userAfter;
    };
    const Row rows[] = {
        {false, {}, {}, true, true, entry, {}},
        {true, {}, {}, true, true, {}, entry},
        // A user entry left from an earlier start without rights goes once
        // the machine's key holds one: the program must not start twice.
        {false, {}, oldEntry, true, true, entry, ""},
        // The machine's entry already starts the program.
        {true, oldEntry, {}, true, true, oldEntry, {}},
        {false, entry, oldEntry, false, false, "", ""},
        {true, {}, oldEntry, false, false, {}, ""},
        // Turning off fails while the machine's key holds an entry this
        // user cannot change: the entry stays, and so does the mark.
        {true, oldEntry, {}, false, true, oldEntry, {}},
    };
    for (const Row& row : rows) {
        MemoryRunKeys keys;
        keys.readOnly[0] = row.machineReadOnly;
        keys.values[0] = row.machine;
        keys.values[1] = row.user;
        EXPECT_EQ(StoreLaunchEntry(keys, row.on, program), row.stored == row.on)
            << row.on << " " << row.machine.value_or("-") << " " << row.user.value_or("-");
        EXPECT_EQ(keys.values[0], row.machineAfter);
        EXPECT_EQ(keys.values[1], row.userAfter);
        EXPECT_EQ(IsLaunchEntryStored(keys), row.stored);
    }
    MemoryRunKeys failing;
    failing.readOnly[0] = failing.readOnly[1] = true;
    EXPECT_FALSE(StoreLaunchEntry(failing, true, program));
    EXPECT_FALSE(IsLaunchEntryStored(failing));
    EXPECT_FALSE(StoreLaunchEntry(failing, true, std::string(600, 'p')));
}

TEST(SummaryVisibility, StoredAsTheUserLastSawIt) {
    // Shown: the summary window itself tells.
    EXPECT_TRUE(SummaryVisibilityToStore(true, true, false));
    EXPECT_FALSE(SummaryVisibilityToStore(true, false, true));
    // Hidden in the tray: what ShowHide remembered when it hid both windows.
    EXPECT_TRUE(SummaryVisibilityToStore(false, false, true));
    EXPECT_FALSE(SummaryVisibilityToStore(false, true, false));
}

TEST(WindowPlacement, OffScreenWindowsComeBackToTheCorner) {
    const Rect onScreen{100, 100, 600, 500};
    EXPECT_EQ(BringOnScreen(onScreen, 1024, 768).left, 100);
    const Rect beyond = BringOnScreen({1500, 200, 2000, 600}, 1024, 768);
    EXPECT_EQ(beyond.left, 524);
    EXPECT_EQ(beyond.top, 368);
    EXPECT_EQ(beyond.Width(), 500);
    EXPECT_EQ(beyond.bottom, 768);
    EXPECT_EQ(BringOnScreen({10, 900, 110, 950}, 1024, 768).top, 718);
}

TEST(WindowPlacement, PadPictureOpensBesideTheMainWindow) {
    const Rect pad{0, 0, 380, 300};
    const Rect right = PlacePadPicture({100, 100, 600, 600}, pad);
    EXPECT_EQ(right.left, 650);
    EXPECT_EQ(right.top, 149);
    EXPECT_EQ(right.Width(), 380);
    const Rect left = PlacePadPicture({500, 100, 950, 600}, pad);
    EXPECT_EQ(left.left, 100);
    EXPECT_EQ(left.Height(), 300);
}

TEST(RecentFiles, AnUnreadablePlaceHidesNoLaterEntry) {
    struct Case {
        std::map<std::string, std::string> stored;  // what ReadString gives
        std::vector<std::string> places;
    };
    const Case cases[] = {
        // Recent01 of another type reads as missing.
        {{{"Recent00", "a"}, {"Recent02", "c"}, {"Recent05", "f"}}, {"a", "c", "f", "", "", ""}},
        {{{"Recent03", "d"}}, {"d", "", "", "", "", ""}},
        // An old value kept in an emptied place does not show twice.
        {{{"Recent00", "a"}, {"Recent01", "b"}, {"Recent02", "a"}}, {"a", "b", "", "", "", ""}},
    };
    for (const Case& c : cases) {
        MemorySettings settings;
        settings.strings = c.stored;
        RecentFiles recent;
        recent.Add("stale");
        recent.Load(settings);
        EXPECT_EQ(Places(recent), c.places);
        EXPECT_EQ(recent.Count(),
                  c.places.size() - std::count(c.places.begin(), c.places.end(), ""));
    }
}

}  // namespace
}  // namespace gd
