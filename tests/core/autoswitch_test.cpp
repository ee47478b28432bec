#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "autoswitch/auto_switch_rules.h"
#include "autoswitch/switcher.h"
#include "core/autoswitch_memory_rules.h"

namespace gd {
namespace {

using Kind = SwitchAction::Kind;
using testing::MemoryRules;

}  // namespace

void PrintTo(const SwitchAction& action, std::ostream* out) {
    *out << "{" << static_cast<int>(action.kind) << ", \"" << action.path << "\", \"" << action.text
         << "\", " << action.processId << "}";
}

namespace {

// Profiles named "*broken*" cannot be read.
std::optional<std::string> FakeCheck(const std::string& path) {
    if (path.find("broken") != std::string::npos) {
        return std::string("cannot be opened");
    }
    return std::nullopt;
}

TEST(AutoSwitchRules, NamesKeepAFoldersPathAndAProgramsLowerCaseFileName) {
    const struct {
        const char* typed;
        const char* name;
    } kRows[] = {
        {"C:\\Games\\Racer\\Racer.EXE", "racer.exe"},
        {"Racer.exe", "racer.exe"},
        {"D:/Games/Racer/", "D:\\Games\\Racer\\"},
        {"D:\\Games\\Racer\\\\", "D:\\Games\\Racer\\"},
        {"", ""},
        {"\\", ""},
    };
    for (const auto& row : kRows) {
        EXPECT_EQ(RuleName(row.typed), row.name) << row.typed;
    }
}

// The system gives a running program's path in one form: a rule typed in
// another is stored in that one, or it would never apply.
TEST(AutoSwitchRules, NamesTakeTheFormTheSystemResolvesAPathTo) {
    const struct {
        const char* typed;
        const char* name;
    } kRows[] = {
        {"\\\\?\\D:\\Arcade Games\\Night Racer\\", "D:\\Arcade Games\\Night Racer\\"},
        {"\\\\?\\UNC\\gameserver\\shared games\\", "\\\\gameserver\\shared games\\"},
        {"//?/unc/gameserver/shared games/", "\\\\gameserver\\shared games\\"},
        {"D:\\Arcade Games.\\Night Racer. .\\", "D:\\Arcade Games\\Night Racer\\"},
        {"D:\\Arcade Games\\\\Night Racer\\...\\", "D:\\Arcade Games\\Night Racer\\"},
        {"D:\\Arcade Games\\..\\Night Racer\\.\\", "D:\\Night Racer\\"},
        {"D:\\Arcade Games\\Night Racer\\..", "D:\\Arcade Games\\"},
        {"D:\\..\\..\\Arcade Games\\", "D:\\Arcade Games\\"},
        {"\\\\gameserver\\shared games\\..\\..\\Night Racer\\",
         "\\\\gameserver\\shared games\\Night Racer\\"},
        {"D:\\Arcade Games\\..\\", "D:\\"},
        {"night-racer-2024.exe.", "night-racer-2024.exe"},
        {"night-racer-2024.exe ", "night-racer-2024.exe"},
        {"D:\\Arcade Games\\Night-Racer-2024.EXE. . ", "night-racer-2024.exe"},
        {"...", ""},
        // Not full paths: kept as typed for their removal, refused when added.
        {"..\\", "..\\"},
        {"Arcade Games\\Night Racer\\..", "Arcade Games\\Night Racer\\..\\"},
    };
    for (const auto& row : kRows) {
        EXPECT_EQ(RuleName(row.typed), row.name) << row.typed;
    }
}

// What AddRule stores is what MatchRule finds for the program it was meant for.
TEST(AutoSwitchRules, ARuleAddedInAnyFormAppliesToItsPrograms) {
    const std::string image = "D:\\Arcade Games\\Night Racer\\bin\\night-racer-2024.exe";
    const char* const kTyped[] = {
        "\\\\?\\D:\\Arcade Games\\Night Racer\\",
        "D:\\Arcade Games.\\Night Racer \\",
        "D:/Arcade Games/Night Racer/bin/../",
        "night-racer-2024.exe.",
        "NIGHT-RACER-2024.EXE ",
    };
    for (const char* typed : kTyped) {
        MemoryRules storage;
        ASSERT_FALSE(AddRule(storage, typed, "D:\\Profiles\\Night Racer.gpx",
                             RuleKind::WhileRunning, FakeCheck))
            << typed;
        const std::vector<Rule> rules = LoadRules(storage);
        EXPECT_NE(MatchRule(rules, image), nullptr) << typed;
        EXPECT_NE(MatchRule(rules, "\\\\?\\" + image), nullptr) << typed;
    }
}

TEST(AutoSwitchRules, AddRemoveAndLoadThroughTheStorage) {
    MemoryRules storage;
    EXPECT_FALSE(AddRule(storage, "C:\\Games\\Racer.exe", "D:\\P\\Racer.gpx",
                         RuleKind::WhileRunning, FakeCheck));
    EXPECT_FALSE(AddRule(storage, "D:\\Games\\Quest\\", "D:\\P\\Quest.gpx", RuleKind::WhileInFront,
                         FakeCheck));
    EXPECT_EQ(storage.keys[RuleKind::WhileRunning]["racer.exe"], "D:\\P\\Racer.gpx");
    EXPECT_EQ(storage.keys[RuleKind::WhileInFront]["D:\\Games\\Quest\\"], "D:\\P\\Quest.gpx");

    // The same name again moves the rule to the other kind.
    EXPECT_FALSE(
        AddRule(storage, "racer.exe", "D:\\P\\Racer2.gpx", RuleKind::WhileInFront, FakeCheck));
    const std::vector<Rule> rules = LoadRules(storage);
    ASSERT_EQ(rules.size(), 2u);
    EXPECT_EQ(rules[0], (Rule{"D:\\Games\\Quest\\", "D:\\P\\Quest.gpx", RuleKind::WhileInFront}));
    EXPECT_EQ(rules[1], (Rule{"racer.exe", "D:\\P\\Racer2.gpx", RuleKind::WhileInFront}));

    // A name both keys hold (written by a script) counts as the running rule.
    storage.keys[RuleKind::WhileRunning]["RACER.EXE"] = "D:\\P\\Both.gpx";
    EXPECT_EQ(LoadRules(storage)[1].profile, "D:\\P\\Both.gpx");

    EXPECT_TRUE(RemoveRule(storage, "C:\\Other\\Racer.exe"));
    EXPECT_TRUE(RemoveRule(storage, "d:\\games\\quest\\"));
    EXPECT_TRUE(LoadRules(storage).empty());
    EXPECT_FALSE(RemoveRule(storage, "racer.exe"));

    // A name a script wrote in another form goes by that name, and the rule it resembles stays.
    storage.keys[RuleKind::WhileRunning]["D:/Games/Racer/"] = "D:\\P\\Racer.gpx";
    storage.keys[RuleKind::WhileInFront]["D:\\Games\\Racer\\"] = "D:\\P\\Racer.gpx";
    EXPECT_TRUE(RemoveRule(storage, "D:/Games/Racer/"));
    EXPECT_EQ(LoadRules(storage).at(0).name, "D:\\Games\\Racer\\");
}

TEST(AutoSwitchRules, RefusalsNameTheReasonAndWriteNothing) {
    constexpr char kNeedsFullPath[] = "a folder needs its full path, such as D:\\Games\\";
    MemoryRules storage;
    const struct {
        const char* program;
        const char* profile;
        const char* subject;
        const char* reason;
    } kRows[] = {
        {"", "D:\\P\\Racer.gpx", "program", "the program or folder name is empty"},
        {"C:\\Games\\", "", "C:\\Games\\", "the profile name is empty"},
        {"racer.exe", "D:\\P\\broken.gpx", "D:\\P\\broken.gpx", "cannot be opened"},
        // A folder taken against the current one would name another place
        // on every machine and at every start.
        {"..\\", "D:\\P\\Racer.gpx", "..\\", kNeedsFullPath},
        {".", "D:\\P\\Racer.gpx", ".\\", kNeedsFullPath},
        {"Arcade Games/Night Racer/", "D:\\P\\Racer.gpx", "Arcade Games\\Night Racer\\",
         kNeedsFullPath},
        {"\\Arcade Games\\Night Racer\\", "D:\\P\\Racer.gpx", "\\Arcade Games\\Night Racer\\",
         kNeedsFullPath},
        {"D:Arcade Games\\Night Racer\\", "D:\\P\\Racer.gpx", "D:Arcade Games\\Night Racer\\",
         kNeedsFullPath},
    };
    for (const auto& row : kRows) {
        const std::optional<RuleRefusal> refusal =
            AddRule(storage, row.program, row.profile, RuleKind::WhileRunning, FakeCheck);
        ASSERT_TRUE(refusal) << row.program;
        EXPECT_EQ(refusal->subject, row.subject);
        EXPECT_EQ(refusal->reason, row.reason);
    }
    storage.readOnly = true;
    EXPECT_TRUE(
        AddRule(storage, "racer.exe", "D:\\P\\Racer.gpx", RuleKind::WhileRunning, FakeCheck));
    EXPECT_TRUE(storage.keys[RuleKind::WhileRunning].empty());
}

TEST(AutoSwitchRules, AProgramRuleBeatsFoldersAndTheLongestFolderWins) {
    const std::vector<Rule> rules = {
        {"D:\\Games\\", "games.gpx", RuleKind::WhileRunning},
        {"D:\\Games\\Racer\\", "racer-folder.gpx", RuleKind::WhileRunning},
        {"launcher.exe", "launcher.gpx", RuleKind::WhileInFront},
    };
    const struct {
        const char* image;
        const char* profile;  // nullptr: no rule
    } kRows[] = {
        {"D:\\Games\\Racer\\bin\\racer.exe", "racer-folder.gpx"},
        {"d:\\GAMES\\racer\\racer.exe", "racer-folder.gpx"},
        {"D:/Games/Racer/racer.exe", "racer-folder.gpx"},
        {"D:\\Games\\Quest\\quest.exe", "games.gpx"},
        {"D:\\Games\\Racer\\Launcher.EXE", "launcher.gpx"},
        {"C:\\Other\\launcher.exe", "launcher.gpx"},
        {"D:\\GamesOld\\old.exe", nullptr},
        {"", nullptr},
    };
    for (const auto& row : kRows) {
        const Rule* rule = MatchRule(rules, row.image);
        if (row.profile == nullptr) {
            EXPECT_EQ(rule, nullptr) << row.image;
        } else {
            ASSERT_NE(rule, nullptr) << row.image;
            EXPECT_EQ(rule->profile, row.profile) << row.image;
        }
    }
}

TEST(AutoSwitchRules, AProfileIsCheckedAgainOnlyWhenItsFileChanged) {
    std::map<std::string, FileStamp> files = {
        {"D:\\Profiles\\Racing game profile.gpx", {2000, 1}},
        {"D:\\Profiles\\broken racing profile.gpx", {2000000000, 1}},
    };
    int checks = 0;
    const ProfileCheck check = RememberingCheck(
        [&checks](const std::string& path) {
            ++checks;
            return FakeCheck(path);
        },
        [&files](const std::string& path) -> std::optional<FileStamp> {
            const auto found = files.find(path);
            return found == files.end() ? std::nullopt : std::optional(found->second);
        });
    for (int i = 0; i < 3; ++i) {
        EXPECT_FALSE(check("D:\\Profiles\\Racing game profile.gpx"));
        EXPECT_EQ(check("D:\\Profiles\\broken racing profile.gpx"), "cannot be opened");
    }
    EXPECT_EQ(checks, 2);
    // Written again, even at the same size: read again.
    files["D:\\Profiles\\Racing game profile.gpx"].written = 2;
    EXPECT_FALSE(check("D:\\Profiles\\Racing game profile.gpx"));
    EXPECT_EQ(checks, 3);
    // Gone: the check itself says why, each time.
    files.erase("D:\\Profiles\\Racing game profile.gpx");
    check("D:\\Profiles\\Racing game profile.gpx");
    check("D:\\Profiles\\Racing game profile.gpx");
    EXPECT_EQ(checks, 5);
}

// Names a script wrote into the registry, and paths the system may give with
// its "\\?\" prefix, compare as the system resolves them.
TEST(AutoSwitchRules, NamesAndPathsAreComparedInTheFormTheSystemResolves) {
    const std::vector<Rule> rules = {
        {"D:\\Arcade Games.\\", "arcade-games.gpx", RuleKind::WhileRunning},
        {"\\\\?\\UNC\\gameserver\\shared games\\", "shared-games.gpx", RuleKind::WhileRunning},
        {"night-racer-2024.exe. ", "night-racer.gpx", RuleKind::WhileRunning},
        {"Relative Games\\", "relative-games.gpx", RuleKind::WhileRunning},
    };
    const struct {
        const char* image;
        const char* profile;  // nullptr: no rule
    } kRows[] = {
        {"D:\\Arcade Games\\Quest\\quest-of-ages.exe", "arcade-games.gpx"},
        {"\\\\?\\D:\\Arcade Games\\Quest\\quest-of-ages.exe", "arcade-games.gpx"},
        {"\\\\gameserver\\shared games\\chess\\chess-master.exe", "shared-games.gpx"},
        {"\\\\?\\UNC\\gameserver\\shared games\\chess-master.exe", "shared-games.gpx"},
        {"C:\\Other Games\\Night-Racer-2024.exe", "night-racer.gpx"},
        {"D:\\Arcade Games.old\\Quest\\quest-of-ages.exe", nullptr},
        {"Relative Games\\puzzle-tower.exe", nullptr},
    };
    for (const auto& row : kRows) {
        const Rule* rule = MatchRule(rules, row.image);
        if (row.profile == nullptr) {
            EXPECT_EQ(rule, nullptr) << row.image;
        } else {
            ASSERT_NE(rule, nullptr) << row.image;
            EXPECT_EQ(rule->profile, row.profile) << row.image;
        }
    }
}

TEST(AutoSwitchRules, AProfileIsSuggestedWhenItsGameNamesTheProgram) {
    const std::vector<ProfileGame> profiles = {
        {"blank.gpx", "  "},
        {"racer.gpx", "Racer"},
        {"night.gpx", "Night Raid 2"},
    };
    const struct {
        const char* title;
        const char* program;
        const char* suggested;  // nullptr: none
    } kRows[] = {
        {"NIGHT RAID 2 - Launcher", "launch.exe", "night.gpx"},
        {"Untitled", "racer.exe", "racer.gpx"},
        {"Untitled", "nightraid.exe", nullptr},
        {"", "ra.exe", nullptr},
    };
    for (const auto& row : kRows) {
        const std::optional<std::string> suggested =
            SuggestProfile(profiles, row.title, row.program);
        EXPECT_EQ(suggested.value_or("(none)"), row.suggested ? row.suggested : "(none)")
            << row.title;
    }
}

// The switching decisions, with rules for a game that holds its profile
// while it runs, a second one, and a front-only one.
class SwitcherTest : public ::testing::Test {
  protected:
    SwitcherTest() : switcher(FakeCheck, [this] { return std::to_string(++tick); }) {
        switcher.SetRules({
            {"racer.exe", "D:\\P\\Racer.gpx", RuleKind::WhileRunning},
            {"D:\\Games\\Racer\\", "D:\\P\\Racer.gpx", RuleKind::WhileRunning},
            {"quest.exe", "D:\\P\\Quest.gpx", RuleKind::WhileRunning},
            {"chess.exe", "D:\\P\\Chess.gpx", RuleKind::WhileInFront},
            {"old.exe", "D:\\P\\broken.gpx", RuleKind::WhileRunning},
        });
    }

    // A publish with its balloon, then the wait on the game's process, if any.
    static std::vector<SwitchAction> Published(const std::string& profile,
                                               const std::string& balloon, std::uint32_t pid) {
        std::vector<SwitchAction> actions = {{Kind::Publish, profile, "", 0},
                                             {Kind::Balloon, "", balloon, 0}};
        if (pid != 0) {
            actions.push_back({Kind::Watch, "", "", pid});
        }
        return actions;
    }

    int tick = 0;
    Switcher switcher;
};

TEST_F(SwitcherTest, AGameKeepsItsProfileWhileItRunsAndTheEarlierOneComesBack) {
    std::vector<SwitchAction> first = Published("D:\\P\\Racer.gpx", "Racer.gpx for racer.exe", 10);
    first.insert(first.begin(), {Kind::RememberPad, "", "", 0});
    EXPECT_EQ(switcher.Foreground(10, "C:\\Games\\Racer.exe"), first);

    // Alt-Tab to a browser and back, and the desktop: nothing is published.
    EXPECT_TRUE(switcher.Foreground(20, "C:\\Web\\browser.exe").empty());
    EXPECT_TRUE(switcher.Foreground(10, "C:\\Games\\Racer.exe").empty());
    // A launcher under the game's folder has the same profile: only watched.
    EXPECT_EQ(switcher.Foreground(11, "D:\\Games\\Racer\\launch.exe"),
              (std::vector<SwitchAction>{{Kind::Watch, "", "", 11}}));
    EXPECT_EQ(switcher.ActiveProfile(), "D:\\P\\Racer.gpx");

    EXPECT_TRUE(switcher.ProcessEnded(11).empty());
    EXPECT_TRUE(switcher.ProcessEnded(99).empty());
    EXPECT_EQ(switcher.ProcessEnded(10), Published("", "Back to the earlier profile", 0));
    EXPECT_FALSE(switcher.ActiveProfile());

    // The next game starts over from what the pad holds then. Nothing there
    // (no profile ever applied): its end publishes nothing and says so.
    EXPECT_EQ(switcher.Foreground(12, "C:\\Games\\Quest.exe").front().kind, Kind::RememberPad);
    switcher.NothingRemembered();
    EXPECT_EQ(switcher.ProcessEnded(12),
              (std::vector<SwitchAction>{
                  {Kind::Balloon, "",
                   "Quest.gpx stays on the pad: no profile was applied before it", 0}}));
}

TEST_F(SwitcherTest, ASecondGameWinsAndAFrontOnlyRuleGivesBackAtOnce) {
    switcher.ManualApply("D:\\P\\Mine.gpx");
    EXPECT_EQ(switcher.Foreground(10, "C:\\Games\\racer.exe"),
              Published("D:\\P\\Racer.gpx", "Racer.gpx for racer.exe", 10));
    EXPECT_EQ(switcher.Foreground(12, "C:\\Games\\quest.exe"),
              Published("D:\\P\\Quest.gpx", "Quest.gpx for quest.exe", 12));
    // The first game's end no longer matters.
    EXPECT_TRUE(switcher.ProcessEnded(10).empty());

    EXPECT_EQ(switcher.Foreground(13, "C:\\Games\\chess.exe"),
              Published("D:\\P\\Chess.gpx", "Chess.gpx for chess.exe", 0));
    EXPECT_EQ(switcher.Foreground(14, "C:\\Windows\\explorer.exe"),
              Published("D:\\P\\Mine.gpx", "Back to Mine.gpx", 0));
    EXPECT_TRUE(switcher.Foreground(14, "C:\\Windows\\explorer.exe").empty());
}

TEST_F(SwitcherTest, AManualApplyBecomesTheProfileToReturnTo) {
    switcher.Foreground(10, "C:\\Games\\racer.exe");
    switcher.ManualApply("D:\\P\\Picked.gpx");
    // The pad holds the user's choice: the game's end leaves it there.
    EXPECT_TRUE(switcher.ProcessEnded(10).empty());
    EXPECT_EQ(switcher.Foreground(10, "C:\\Games\\racer.exe"),
              Published("D:\\P\\Racer.gpx", "Racer.gpx for racer.exe", 10));
    EXPECT_EQ(switcher.ProcessEnded(10), Published("D:\\P\\Picked.gpx", "Back to Picked.gpx", 0));

    // A hotkey's apply is one too, and the history says how it came.
    switcher.ManualApply("D:\\P\\Raid.gpx", "applied by hotkey Ctrl+Alt+1");
    EXPECT_EQ(switcher.History().front().why, "applied by hotkey Ctrl+Alt+1");
    switcher.Foreground(12, "C:\\Games\\racer.exe");
    EXPECT_EQ(switcher.ProcessEnded(12), Published("D:\\P\\Raid.gpx", "Back to Raid.gpx", 0));
}

TEST_F(SwitcherTest, ARuleEditedWhileItsGameRunsTakesEffectAtOnce) {
    switcher.Foreground(10, "C:\\Games\\racer.exe");
    switcher.Foreground(11, "D:\\Games\\Racer\\launch.exe");
    // The user makes the game's rule front-only: its launcher still holds the profile.
    std::vector<Rule> rules = switcher.Rules();
    rules[0].kind = RuleKind::WhileInFront;  // racer.exe
    switcher.SetRules(rules);
    EXPECT_TRUE(switcher.Foreground(20, "C:\\Web\\browser.exe").empty());
    // Then removes the folder's rule: nothing holds it while another program is in front.
    rules.erase(rules.begin() + 1);  // the Racer folder
    switcher.SetRules(rules);
    EXPECT_EQ(switcher.Foreground(20, "C:\\Web\\browser.exe"),
              Published("", "Back to the earlier profile", 0));
}

TEST_F(SwitcherTest, ABrokenRuleIsSkippedWithOneBalloonAndThePadKeepsItsProfile) {
    switcher.Foreground(10, "C:\\Games\\racer.exe");
    const std::vector<SwitchAction> once = {
        {Kind::Balloon, "", "Can't read the profile D:\\P\\broken.gpx: the pad keeps its profile.",
         0}};
    EXPECT_EQ(switcher.Foreground(15, "C:\\Games\\old.exe"), once);
    EXPECT_TRUE(switcher.Foreground(15, "C:\\Games\\old.exe").empty());
    // Read again unchanged, as after any write to the settings: still once.
    switcher.SetRules(switcher.Rules());
    EXPECT_TRUE(switcher.Foreground(15, "C:\\Games\\old.exe").empty());
    EXPECT_EQ(switcher.ActiveProfile(), "D:\\P\\Racer.gpx");
    EXPECT_EQ(switcher.History().front().why, "skipped: the profile cannot be opened");
    EXPECT_EQ(switcher.History().front().program, "old.exe");

    // A return-to profile that went missing is not published either.
    switcher.ManualApply("D:\\P\\broken-mine.gpx");
    switcher.Foreground(13, "C:\\Games\\chess.exe");
    const std::vector<SwitchAction> back = switcher.Foreground(14, "C:\\x\\explorer.exe");
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0].kind, Kind::Balloon);
}

TEST_F(SwitcherTest, SwitchingOffAndOnDuringAGameKeepsTheProfileFromBeforeIt) {
    EXPECT_EQ(switcher.Foreground(10, "C:\\Games\\racer.exe").front().kind, Kind::RememberPad);
    // Off and on while the game's profile is on the pad: the pad now holds
    // that profile, which must not become the one to return to.
    switcher.Stop();
    EXPECT_EQ(switcher.Foreground(10, "C:\\Games\\racer.exe"),
              Published("D:\\P\\Racer.gpx", "Racer.gpx for racer.exe", 10));
    EXPECT_EQ(switcher.ProcessEnded(10), Published("", "Back to the earlier profile", 0));
    // Handed back: the next game remembers the pad anew.
    EXPECT_EQ(switcher.Foreground(12, "C:\\Games\\quest.exe").front().kind, Kind::RememberPad);
}

TEST_F(SwitcherTest, TheProgramsEndPutsTheEarlierProfileBackAndOnlyThen) {
    EXPECT_TRUE(switcher.End().empty());
    switcher.ManualApply("D:\\P\\Applied before the game.gpx");
    switcher.Foreground(10, "C:\\Games\\racer.exe");
    const std::vector<SwitchAction> back = switcher.End();
    ASSERT_FALSE(back.empty());
    EXPECT_EQ(back.front(),
              (SwitchAction{Kind::Publish, "D:\\P\\Applied before the game.gpx", "", 0}));
    EXPECT_FALSE(switcher.ActiveProfile());
    EXPECT_TRUE(switcher.End().empty());
    EXPECT_TRUE(switcher.ProcessEnded(10).empty());
}

TEST_F(SwitcherTest, ATriedRuleHoldsItsProfileUntilTheTryEndsOrAProgramComesToTheFront) {
    switcher.ManualApply("D:\\P\\Mine.gpx");
    const Rule racer = switcher.Rules()[0];
    EXPECT_EQ(switcher.Try(racer), Published("D:\\P\\Racer.gpx", "Racer.gpx for racer.exe", 0));
    EXPECT_TRUE(switcher.Trying());
    EXPECT_EQ(switcher.History().front().why, "tried from Automatic Profiles");
    EXPECT_EQ(switcher.EndTry(), Published("D:\\P\\Mine.gpx", "Back to Mine.gpx", 0));
    EXPECT_TRUE(switcher.EndTry().empty());

    // A program in front ends it too, and then goes by its own rule.
    switcher.Try(racer);
    EXPECT_EQ(switcher.Foreground(20, "C:\\Web\\browser.exe"),
              Published("D:\\P\\Mine.gpx", "Back to Mine.gpx", 0));
    switcher.Try(racer);
    std::vector<SwitchAction> quest = Published("D:\\P\\Mine.gpx", "Back to Mine.gpx", 0);
    const std::vector<SwitchAction> questOwn =
        Published("D:\\P\\Quest.gpx", "Quest.gpx for quest.exe", 12);
    quest.insert(quest.end(), questOwn.begin(), questOwn.end());
    EXPECT_EQ(switcher.Foreground(12, "C:\\Games\\quest.exe"), quest);
    EXPECT_FALSE(switcher.Trying());

    // A broken rule is tried as its game would meet it: nothing published.
    const std::vector<SwitchAction> broken = switcher.Try(switcher.Rules()[4]);
    ASSERT_EQ(broken.size(), 1u);
    EXPECT_EQ(broken[0].kind, Kind::Balloon);
}

TEST(SwitcherHistory, ProgramAndProfileNamesOutliveTheSwitchTheyEnded) {
    // Names longer than a string keeps inside itself, so that a line
    // written from freed memory shows under AddressSanitizer.
    Switcher switcher(FakeCheck, [] { return std::string("twelve o'clock sharp"); });
    switcher.SetRules({
        {"autoswitch_game_running.exe", "D:\\Profiles\\While running game.gpx",
         RuleKind::WhileRunning},
        {"autoswitch_game_in_front.exe", "D:\\Profiles\\While in front game.gpx",
         RuleKind::WhileInFront},
    });
    switcher.ManualApply("D:\\Profiles\\Applied by the user.gpx");
    switcher.Foreground(10, "C:\\Games\\autoswitch_game_running.exe");
    switcher.ProcessEnded(10);
    EXPECT_EQ(switcher.History().front(),
              (SwitchDecision{"twelve o'clock sharp", "autoswitch_game_running.exe",
                              "D:\\Profiles\\Applied by the user.gpx", "back: the program ended"}));
    switcher.Foreground(11, "C:\\Games\\autoswitch_game_in_front.exe");
    switcher.Foreground(12, "C:\\Windows\\a_program_without_rules.exe");
    EXPECT_EQ(switcher.History().front().program, "a_program_without_rules.exe");
    EXPECT_EQ(switcher.History().front().why, "back: its rule holds only in front");
    switcher.Foreground(13, "C:\\Games\\autoswitch_game_in_front.exe");
    switcher.End();
    EXPECT_EQ(switcher.History().front(),
              (SwitchDecision{"twelve o'clock sharp", "autoswitch_game_in_front.exe",
                              "D:\\Profiles\\Applied by the user.gpx", "back: Gripdeck closed"}));
}

TEST_F(SwitcherTest, TheHistoryKeepsTheLastTwentyDecisionsNewestFirstWithoutRepeats) {
    switcher.Foreground(10, "C:\\Games\\racer.exe");
    for (int i = 0; i < 3; ++i) {
        switcher.Foreground(20, "C:\\Web\\browser.exe");
    }
    ASSERT_EQ(switcher.History().size(), 2u);
    EXPECT_EQ(switcher.History()[0], (SwitchDecision{"4", "browser.exe", "D:\\P\\Racer.gpx",
                                                     "no rule; kept while racer.exe runs"}));
    EXPECT_EQ(switcher.History()[1],
              (SwitchDecision{"1", "racer.exe", "D:\\P\\Racer.gpx", "switched by its rule"}));
    for (int i = 0; i < 30; ++i) {
        switcher.Foreground(30 + i, "C:\\Tools\\tool" + std::to_string(i) + ".exe");
    }
    ASSERT_EQ(switcher.History().size(), Switcher::kHistory);
    EXPECT_EQ(switcher.History().front().program, "tool29.exe");
}

}  // namespace
}  // namespace gd
