#include "gpxtool/autoswitch.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "core/autoswitch_memory_rules.h"
#include "tools/settings_command_test.h"

namespace gpxtool {
namespace {

using gd::RuleKind;

// gpxtool autoswitch through its command line, on rules kept in memory.
class AutoSwitchCommandTest : public SettingsCommandTest {
  protected:
    AutoSwitchCommandTest() : SettingsCommandTest("autoswitch") {}
    int Run(std::vector<const char*> arguments) {
        return RunWith(std::move(arguments), &rules_, nullptr);
    }

    gd::testing::MemoryRules rules_;
};

TEST_F(AutoSwitchCommandTest, RulesAreAddedListedAndRemoved) {
    EXPECT_EQ(Run({"add", "C:\\Games\\Racer.EXE", profile_.c_str()}), kExitSuccess);
    EXPECT_EQ(Run({"add", "D:\\Games\\Quest\\", profile_.c_str(), "--front"}), kExitSuccess);
    EXPECT_EQ(Run({"on"}), kExitSuccess);

    EXPECT_EQ(Run({"list"}), kExitSuccess);
    EXPECT_EQ(out_.str(), "switching: on\nD:\\Games\\Quest\\ -> " + profile_ +
                              " (only while in front)\nracer.exe -> " + profile_ + "\n");

    EXPECT_EQ(Run({"remove", "racer.exe"}), kExitSuccess);
    EXPECT_EQ(Run({"off"}), kExitSuccess);
    EXPECT_EQ(Run({"list"}), kExitSuccess);
    EXPECT_EQ(out_.str(),
              "switching: off\nD:\\Games\\Quest\\ -> " + profile_ + " (only while in front)\n");
}

// What add stores and prints is the name matching compares with.
TEST_F(AutoSwitchCommandTest, NamesAreStoredAsTheSystemResolvesThem) {
    const struct {
        const char* typed;
        const char* stored;
    } kRows[] = {
        {"\\\\?\\D:\\Arcade Games\\Night Racer\\", "D:\\Arcade Games\\Night Racer\\"},
        {"\\\\?\\UNC\\gameserver\\shared games\\", "\\\\gameserver\\shared games\\"},
        {"D:\\Arcade Games\\Night Racer.\\", "D:\\Arcade Games\\Night Racer\\"},
        {"night-racer-2024.exe.", "night-racer-2024.exe"},
        {"night-racer-2024.exe ", "night-racer-2024.exe"},
    };
    for (const auto& row : kRows) {
        rules_.keys.clear();
        EXPECT_EQ(Run({"add", row.typed, profile_.c_str()}), kExitSuccess) << row.typed;
        EXPECT_EQ(out_.str(), std::string(row.stored) + " -> " + profile_ + "\n");
        EXPECT_EQ(rules_.keys[RuleKind::WhileRunning].count(row.stored), 1u) << row.typed;
    }
}

TEST_F(AutoSwitchCommandTest, RefusalsAreOneLineAndChangeNothing) {
    const std::string missing = profile_ + ".missing";
    const std::string overlong = std::string(gd::kLongestRuleName, 'g') + ".exe";
    const struct {
        std::vector<const char*> arguments;
        std::string line;
    } kRows[] = {
        {{"add", "", profile_.c_str()}, "gpxtool: program: the program or folder name is empty\n"},
        {{"add", "racer.exe", missing.c_str()}, "gpxtool: " + missing + ": cannot be opened\n"},
        {{"add", overlong.c_str(), profile_.c_str()},
         "gpxtool: program: the program or folder name is too long\n"},
        {{"remove", "quest.exe"}, "gpxtool: quest.exe: no rule has this name\n"},
        // Kept as typed, a folder would be taken against wherever the program runs.
        {{"add", "..\\", profile_.c_str()},
         "gpxtool: ..\\: a folder needs its full path, such as D:\\Games\\\n"},
        {{"add", "Arcade Games/Night Racer/", profile_.c_str(), "--front"},
         "gpxtool: Arcade Games\\Night Racer\\: a folder needs its full path, such as "
         "D:\\Games\\\n"},
    };
    for (const auto& row : kRows) {
        EXPECT_EQ(Run(row.arguments), kExitRefused) << row.line;
        EXPECT_EQ(err_.str(), row.line);
    }
    EXPECT_TRUE(rules_.keys[RuleKind::WhileRunning].empty());
    EXPECT_TRUE(rules_.keys[RuleKind::WhileInFront].empty());
    EXPECT_EQ(Run({"add", "racer.exe"}), kExitUsage);
}

}  // namespace
}  // namespace gpxtool
