#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/assignment_marks.h"
#include "app/command_line.h"
#include "app/main_window_rules.h"
#include "app/recent_files.h"
#include "app/settings_store.h"
#include "app/shell_rules.h"
#include "app/slot_commands.h"
#include "app/slot_label.h"
#include "keys/key_names.h"
#include "profile/image.h"
#include "resource.h"

namespace gd {
namespace {

// The recent files keep only strings.
class MemorySettings : public SettingsStore {
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

std::unique_ptr<ButtonSlot> MakeSlot(std::uint32_t slotType, unsigned char fill = 0) {
    auto slot = std::make_unique<ButtonSlot>();
    std::memset(slot.get(), fill, sizeof *slot);
    slot->slotType = slotType;
    return slot;
}

std::set<unsigned> Marked(const ButtonSlot& slot) {
    std::set<unsigned> marked;
    for (unsigned item : AssignmentMarkItems()) {
        if (IsAssignmentItemMarked(item, slot)) {
            marked.insert(item);
        }
    }
    return marked;
}

TEST(AssignmentMenu, MarksTheItemOfTheSlotTypeOrOfTheLayerSetsKind) {
    // Whole words: the label reads these as a stop and a key; the menu marks nothing.
    EXPECT_TRUE(Marked(*MakeSlot(0x10000003)).empty());
    EXPECT_TRUE(Marked(*MakeSlot(0x01000001)).empty());
    const std::uint32_t key = LayerType::Key, mouse = LayerType::Mouse;
    const struct {
        std::uint32_t count, type0, code0, type1, code1;
        unsigned item;
    } layers[] = {
        {2, mouse, 0x02000001, mouse, 0x02100001, ID_SINGLE_SWITCH_MOUSE_BUTTON},
        {2, key, 0x0120001E, key, 0x01200030, ID_TWIN_SWITCH},
        {3, key, 0x0120001E, key, 0x01200030, ID_ADVANCED},
    };
    for (const auto& c : layers) {
        auto slot = MakeSlot(SlotType::MultiLayer);
        slot->multiLayer.layerCount = c.count;
        slot->multiLayer.layers[0].layerType = c.type0;
        slot->multiLayer.layers[0].action.code = c.code0;
        slot->multiLayer.layers[1].layerType = c.type1;
        slot->multiLayer.layers[1].action.code = c.code1;
        EXPECT_EQ(Marked(*slot), std::set<unsigned>{c.item}) << c.item;
    }
}

TEST(AssignmentMenu, DirectCommandsWriteAFreshSlotAndPasteTakesAWholeOne) {
    for (unsigned command : {ID_STOP_MACRO_LOOP, ID_STOP_KEY, ID_SUPER_STOP, ID_OFF, ID_DEFAULT}) {
        const std::optional<std::uint32_t> type = DirectSlotType(command);
        ASSERT_TRUE(type.has_value()) << command;
        auto slot = MakeSlot(0, 0xA5);  // a former macro's bytes, say
        WriteDirectSlot(*slot, *type);
        EXPECT_EQ(std::memcmp(slot->payload, MakeSlot(0)->payload, sizeof slot->payload), 0);
        EXPECT_EQ(Marked(*slot), std::set<unsigned>{command});
    }
    for (unsigned editor : {ID_KEYBOARD, ID_MACRO, ID_TWIN_SWITCH, ID_EDIT_COPY}) {
        EXPECT_FALSE(DirectSlotType(editor).has_value()) << editor;
    }

    auto source = MakeSlot(SlotType::Macro, 0x11);
    std::vector<unsigned char> item(sizeof *source + 16, 0xEE);  // rounded up by the system
    std::memcpy(item.data(), source.get(), sizeof *source);
    auto target = MakeSlot(0, 0x22);
    ASSERT_TRUE(PasteSlot(*target, item.data(), item.size()));
    EXPECT_EQ(std::memcmp(target.get(), source.get(), sizeof *source), 0);
    EXPECT_FALSE(PasteSlot(*target, item.data(), sizeof *source - 1));
    EXPECT_FALSE(PasteSlot(*target, nullptr, sizeof *source));
    EXPECT_EQ(std::memcmp(target.get(), source.get(), sizeof *source), 0);
}

TEST(SlotLabel, EachSlotKindShowsItsTextAndToolTip) {
    const struct {
        std::uint32_t slotType;
        const char* text;
    } fixed[] = {
        // Only the high word picks the row, the low byte the stop text.
        {0x10000003, "Stop"},
        {0x10000101, "Stop Macro"},
        {0x2000ABCD, "Off"},
        {0x0000FFFF, "Off"},
    };
    for (const auto& c : fixed) {
        const SlotLabel label = LabelForSlot(*MakeSlot(c.slotType));
        EXPECT_FALSE(label.leaveAsIs);
        EXPECT_EQ(label.text, c.text) << std::hex << c.slotType;
        EXPECT_EQ(label.toolTip, std::nullopt) << std::hex << c.slotType;
        // The window still has a tool tip for it: the word itself.
        EXPECT_EQ(AssignmentText(label), c.text) << std::hex << c.slotType;
    }
    for (std::uint32_t slotType : {0x40000000u, 0x10010000u}) {
        EXPECT_TRUE(LabelForSlot(*MakeSlot(slotType)).leaveAsIs) << std::hex << slotType;
    }
    auto single = MakeSlot(SlotType::SingleKey);
    single->action.code = 0x0120001E;
    EXPECT_EQ(LabelForSlot(*single).toolTip, "Single: " + EventName(0x0120001E));
    single->slotType = SlotType::SingleMouse;
    single->action.code = 0x02200003;  // a code nothing names still gets the tool tip
    EXPECT_EQ(LabelForSlot(*single).text, "");
    EXPECT_EQ(LabelForSlot(*single).toolTip, "Single: ");

    auto macro = MakeSlot(SlotType::Macro);
    std::memset(macro->macro.name, 'x', sizeof macro->macro.name);
    macro->macro.eventCount = 0x41414141;  // an unterminated name must not run on into the count
    EXPECT_EQ(LabelForSlot(*macro).text, std::string(255, 'x'));

    LabelTexts texts;  // the fixed words come from the caller
    texts.macro = "Makro";
    WriteName(macro->macro.name, "Los");
    EXPECT_EQ(LabelForSlot(*macro, texts).toolTip, "Makro: Los");

    // The pad button's name for screen readers: the tool tip's words where
    // there are some, else the label's.
    EXPECT_EQ(PadButtonName(12, LabelForSlot(*macro, texts)), "M12, Makro: Los");
    EXPECT_EQ(PadButtonName(1, LabelForSlot(*MakeSlot(SlotType::Off))), "M1, Off");
}

TEST(MainWindow, RunningCopyTitleAndMessageTexts) {
    using Titles = std::vector<std::string>;
    EXPECT_EQ(ChooseRunningCopy(Titles{"Open", "Grip", "About Gripdeck"}, "Gripdeck"), -1);
    EXPECT_EQ(ChooseRunningCopy(Titles{"Open", "Gripdeck: default.gpx"}, "Gripdeck"), 1);
    EXPECT_EQ(ChooseRunningCopy(Titles{"Other", "gripdeck setup"}, "Gripdeck"), 1);
    // A message box captioned with the program's name, first in window
    // order, does not take the forwarded text.
    EXPECT_EQ(ChooseRunningCopy(Titles{"gripdeck", "GRIPDECK: a.gpx"}, "Gripdeck"), 1);

    // A path full of % signs comes out as it is.
    EXPECT_EQ(InsertArgument("Can't open the file %s. Please verify it again.", "C:\\a%d%s.gpx"),
              "Can't open the file C:\\a%d%s.gpx. Please verify it again.");
    // Each argument takes its own "%s", whatever the one before held.
    EXPECT_EQ(InsertArguments("Can't import the file %s.\n\n%s", {"C:\\%s.json", "/buttons/0: %s"}),
              "Can't import the file C:\\%s.json.\n\n/buttons/0: %s");
    EXPECT_EQ(InsertArguments("%s and %s", {"only the first"}), "only the first and %s");
}

TEST(MainWindow, ABurstOfDeviceNoticesGivesOneCheck) {
    DeviceCheckGuard guard;
    EXPECT_TRUE(guard.OnDevicesChanged());
    EXPECT_FALSE(guard.OnDevicesChanged());
    EXPECT_TRUE(guard.BeginCheck());
    EXPECT_TRUE(guard.MayReinstall());
    EXPECT_FALSE(guard.FinishCheck());
    EXPECT_FALSE(guard.Pending() || guard.Busy());

    EXPECT_TRUE(guard.OnDevicesChanged());
    EXPECT_TRUE(guard.BeginCheck());
    // A reinstall's message box delivers more notices (the pad got or lost
    // its driver meanwhile) and the timer again: no second check then, but
    // one after it, that only looks and so never repeats a failed reinstall.
    EXPECT_FALSE(guard.OnDevicesChanged());
    EXPECT_FALSE(guard.BeginCheck());
    EXPECT_TRUE(guard.FinishCheck());
    EXPECT_TRUE(guard.Pending());
    EXPECT_TRUE(guard.BeginCheck());
    EXPECT_FALSE(guard.MayReinstall());
    EXPECT_FALSE(guard.FinishCheck());
    EXPECT_FALSE(guard.Pending() || guard.Busy());

    // A change after a check, while its follow-up waits, is checked in full.
    EXPECT_TRUE(guard.OnDevicesChanged());
    EXPECT_TRUE(guard.BeginCheck());
    EXPECT_FALSE(guard.OnDevicesChanged());
    EXPECT_TRUE(guard.FinishCheck());
    EXPECT_FALSE(guard.OnDevicesChanged());
    EXPECT_TRUE(guard.BeginCheck());
    EXPECT_TRUE(guard.MayReinstall());
}

std::vector<std::string> Places(const RecentFiles& recent) {
    std::vector<std::string> places;
    for (std::size_t i = 0; i < RecentFiles::kPlaces; ++i) {
        places.push_back(recent[i]);
    }
    return places;
}

TEST(RecentFiles, SixNewestFirstWithoutDuplicatesAndGapsClosed) {
    RecentFiles recent;
    for (const char* path : {"g", "f", "e", "d", "c", "b", "a"}) {
        recent.Add(path);
    }
    recent.Add("d");
    EXPECT_EQ(Places(recent), (std::vector<std::string>{"d", "a", "b", "c", "e", "f"}));
    recent.Add("D");  // another letter case is another file
    EXPECT_EQ(Places(recent), (std::vector<std::string>{"D", "d", "a", "b", "c", "e"}));
    recent.Remove(2);
    recent.Remove(4);
    recent.Remove(9);
    EXPECT_EQ(Places(recent), (std::vector<std::string>{"D", "d", "b", "c", "", ""}));

    recent.Add("C:\\a\\Fish & Chips.gpx");
    const std::vector<MenuEntry> entries = RecentMenuEntries(recent);
    ASSERT_EQ(entries.size(), 5u);
    EXPECT_EQ(entries[0].id, static_cast<unsigned>(ID_RECENT_FILE_FIRST));
    EXPECT_EQ(entries[0].text, "Fish && Chips.gpx");
    EXPECT_EQ(entries[4].id, static_cast<unsigned>(ID_RECENT_FILE_FIRST + 4));

    // An entry an earlier version kept with a forwarded path's slashes.
    recent.Add("C:/Profiles/Forwarded Raid.gpx");
    EXPECT_EQ(RecentMenuEntries(recent)[0].text, "Forwarded Raid.gpx");
}

TEST(RecentFiles, TheFileMenuNumbersTheEntriesAndShowsTheirPaths) {
    RecentFiles recent;
    const std::string deep =
        "D:\\Users\\somebody\\Documents\\Gripdeck profiles\\Racing games\\Rally\\Racer.gpx";
    ASSERT_GT(deep.size(), kRecentPathChars);
    for (const std::string& path :
         {deep, std::string("C:\\Profiles\\Fish & Chips.gpx"), std::string("D:\\Racer.gpx")}) {
        recent.Add(path);
    }
    const std::vector<MenuEntry> entries = FileMenuRecentEntries(recent);
    ASSERT_EQ(entries.size(), 3u);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(entries[i].id, static_cast<unsigned>(ID_FILE_RECENT_FIRST + i)) << i;
    }
    EXPECT_EQ(entries[0].text, "&1 D:\\Racer.gpx");
    EXPECT_EQ(entries[1].text, "&2 C:\\Profiles\\Fish && Chips.gpx");
    EXPECT_EQ(entries[2].text,
              "&3 D:\\...\\Documents\\Gripdeck profiles\\Racing games\\Rally\\Racer.gpx");
    EXPECT_LE(entries[2].text.size() - 3, kRecentPathChars);
}

TEST(RecentFiles, ALongPathKeepsItsRootItsNameAndTheFoldersNearestTheFile) {
    const std::string path = "C:\\Profiles\\Racing games\\Rally\\Racer.gpx";  // 40 characters
    EXPECT_EQ(ShortenPath(path, 40), path);
    EXPECT_EQ(ShortenPath(path, 39), "C:\\...\\Racing games\\Rally\\Racer.gpx");
    EXPECT_EQ(ShortenPath(path, 30), "C:\\...\\Rally\\Racer.gpx");
    // Room for no folder: the root, "..." and the name, which is never cut.
    EXPECT_EQ(ShortenPath(path, 16), "C:\\...\\Racer.gpx");
    EXPECT_EQ(ShortenPath(path, 4), "C:\\...\\Racer.gpx");
    // A share's server and name are its root; a script's slashes stay.
    EXPECT_EQ(ShortenPath("\\\\gameserver\\profiles\\team\\season two\\Racer.gpx", 40),
              "\\\\gameserver\\profiles\\...\\Racer.gpx");
    EXPECT_EQ(ShortenPath("C:/Profiles/Racing games/Rally/Racer.gpx", 30),
              "C:/.../Rally/Racer.gpx");
    // Nothing between root and name to leave out.
    EXPECT_EQ(ShortenPath("C:\\A profile with a rather long name.gpx", 10),
              "C:\\A profile with a rather long name.gpx");
    EXPECT_EQ(ShortenPath("A profile with a rather long name.gpx", 10),
              "A profile with a rather long name.gpx");
}

TEST(RecentFiles, EmptiedPlacesAreForgottenOnlyWhenTheyHeldAFile) {
    MemorySettings settings;
    RecentFiles recent;
    recent.Add("unused.gpx");
    ForgetEmptiedPlaces(recent, settings);
    EXPECT_EQ(settings.writes, 0);  // places never used stay unwritten
    settings.strings["Recent05"] = "old.gpx";
    recent.Save(settings);
    EXPECT_EQ(settings.strings["Recent00"], "unused.gpx");
    EXPECT_EQ(settings.strings.count("Recent01"), 0u);
    RecentFiles loaded;
    loaded.Load(settings);
    EXPECT_EQ(loaded[1], "old.gpx");  // Save alone keeps an emptied place's value, packed up

    for (std::size_t i = 0; i < RecentFiles::kPlaces; ++i) {
        settings.strings[RecentFiles::ValueName(i)] = std::string(1, static_cast<char>('a' + i));
    }
    recent.Load(settings);
    recent.Remove(5);
    recent.Remove(0);
    recent.Save(settings);
    ForgetEmptiedPlaces(recent, settings);
    RecentFiles next;
    next.Load(settings);
    EXPECT_EQ(next.Count(), 4u);
    EXPECT_EQ(next[5], "");
}

TEST(CommandLine, IsReadAsHiddenStartOrProfilePath) {
    const struct {
        const char* commandLine;
        bool hidden;
        const char* path;
        const char* name;
    } cases[] = {
        {"\"-1\"", true, "", ""},
        {"install", false, "", ""},  // an installer's start: no file to open
        {"\"C:\\my games\\raid.gpx\"", false, "C:\\my games\\raid.gpx", "raid.gpx"},
        {"\"half quoted.gpx", false, "half quoted.gpx", "half quoted.gpx"},
        // A script's slashes: the title and the recent list show the usual form.
        {"C:/Profiles/Night Raid.gpx", false, "C:\\Profiles\\Night Raid.gpx", "Night Raid.gpx"},
        {"\"//gameserver/profiles/raid.gpx\"", false, "\\\\gameserver\\profiles\\raid.gpx",
         "raid.gpx"},
    };
    for (const auto& c : cases) {
        const StartRequest request = ParseCommandLine(c.commandLine);
        EXPECT_EQ(request.startHidden, c.hidden) << c.commandLine;
        EXPECT_EQ(request.path, c.path) << c.commandLine;
        EXPECT_EQ(request.name, c.name) << c.commandLine;
    }
    EXPECT_FALSE(ShouldForwardCommandLine("install"));
    EXPECT_TRUE(ShouldForwardCommandLine("Install"));
    EXPECT_TRUE(ShouldForwardCommandLine(std::string(511, 'a')));
    EXPECT_FALSE(ShouldForwardCommandLine(std::string(512, 'a')));
    EXPECT_TRUE(EncodeForwardedCommandLine(std::string(512, 'a')).empty());
}

TEST(CommandLine, ForwardedPathArrivesWithoutQuotesAndBrokenOnesYieldNothing) {
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

    // Slashes arrive as the backslashes the title and recent list show.
    for (const auto& m : EncodeForwardedCommandLine("\"C:/Profiles/Night Raid.gpx\"")) {
        result = receiver.Receive(m.wParam, m.lParam);
    }
    EXPECT_EQ(result, "C:\\Profiles\\Night Raid.gpx");

    // A character out of order, then a sender that claims 600 characters.
    EXPECT_FALSE(receiver.Receive('a', (3 << 16) | 0));
    EXPECT_FALSE(receiver.Receive('c', (3 << 16) | 2).has_value());
    for (int i = 0; i < 600; ++i) {
        EXPECT_FALSE(receiver.Receive('x', (600 << 16) | i).has_value());
    }
    EXPECT_FALSE(receiver.Receive('o', (2 << 16) | 0));  // a fresh text is still taken
    EXPECT_EQ(receiver.Receive('k', (2 << 16) | 1), "ok");
}

TEST(Shell, ProfilesWithoutAFileAreAskedAboutInEitherModeAndTheLaunchEntryFits) {
    using A = SaveModifiedAction;
    using M = SaveModifiedMode;
    EXPECT_EQ(DecideSaveModified(false, "a.gpx", "C:\\a.gpx", M::Ask), A::Nothing);
    EXPECT_EQ(DecideSaveModified(false, "Unfiled", "", M::Ask), A::Nothing);
    EXPECT_EQ(DecideSaveModified(true, "a.gpx", "C:\\a.gpx", M::Silent), A::Save);
    EXPECT_EQ(DecideSaveModified(true, "a.gpx", "C:\\a.gpx", M::Ask), A::AskThenSave);
    for (const M mode : {M::Silent, M::Ask}) {
        for (const char* name : {"", "default.gpx", "Unfiled"}) {
            EXPECT_EQ(DecideSaveModified(true, name, "C:\\x.gpx", mode), A::AskThenSaveAs) << name;
        }
        EXPECT_EQ(DecideSaveModified(true, "a.gpx", "", mode), A::AskThenSaveAs);
    }
    EXPECT_EQ(DecideSaveModified(true, "Default.gpx", "C:\\Default.gpx", M::Silent), A::Save);
    // A failed save leaves the profile without a name; the question still names it.
    EXPECT_EQ(NameInSaveQuestion("", "Unfiled"), "Unfiled");
    EXPECT_EQ(NameInSaveQuestion("Racer.gpx", "Unfiled"), "Racer.gpx");

    EXPECT_EQ(LaunchEntryText("C:\\Program Files\\Gripdeck\\gripdeck.exe"),
              "\"C:\\Program Files\\Gripdeck\\gripdeck.exe\" -1");
    EXPECT_TRUE(LaunchEntryText(std::string(506, 'p')).has_value());
    EXPECT_FALSE(LaunchEntryText(std::string(507, 'p')).has_value());
}

TEST(Shell, WindowsArePlacedBesideTheMainWindowAndOnTheScreen) {
    const Rect beyond = BringOnScreen({1500, 200, 2000, 600}, 1024, 768);
    EXPECT_EQ(beyond.left, 524);
    EXPECT_EQ(beyond.top, 368);
    EXPECT_EQ(BringOnScreen({10, 900, 110, 950}, 1024, 768).top, 718);

    const Rect pad{0, 0, 380, 300};
    EXPECT_EQ(PlacePadPicture({100, 100, 600, 600}, pad).left, 650);
    EXPECT_EQ(PlacePadPicture({500, 100, 950, 600}, pad).left, 100);
    // At 200 % every distance doubles: 100 right, 98 down, 800 left from 1900 on.
    EXPECT_EQ(PlacePadPicture({100, 100, 1200, 600}, pad, 200).left, 1300);
    EXPECT_EQ(PlacePadPicture({100, 100, 1200, 600}, pad, 200).top, 198);
    EXPECT_EQ(PlacePadPicture({1000, 100, 1900, 600}, pad, 200).left, 200);
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
