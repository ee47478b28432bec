#include "gpxtool/hotkey.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "core/autoswitch_memory_hotkeys.h"
#include "tools/settings_command_test.h"

namespace gpxtool {
namespace {

// gpxtool hotkey through its command line, on hotkeys kept in memory.
class HotkeyCommandTest : public SettingsCommandTest {
  protected:
    HotkeyCommandTest() : SettingsCommandTest("hotkey") {}
    int Run(std::vector<const char*> arguments) {
        return RunWith(std::move(arguments), nullptr, &hotkeys_);
    }

    gd::testing::MemoryHotkeys hotkeys_;
};

TEST_F(HotkeyCommandTest, HotkeysAreAddedListedAndRemoved) {
    EXPECT_EQ(Run({"add", "alt+ctrl+1", profile_.c_str()}), kExitSuccess);
    EXPECT_EQ(out_.str(), "Ctrl+Alt+1 -> " + profile_ + "\n");
    EXPECT_EQ(Run({"add", "Shift+F5", profile_.c_str()}), kExitSuccess);
    // Stored as the program reads them: named by the hotkey's text.
    EXPECT_EQ(hotkeys_.values, (std::map<std::string, std::string>{{"Ctrl+Alt+1", profile_},
                                                                   {"Shift+F5", profile_}}));

    EXPECT_EQ(Run({"list"}), kExitSuccess);
    EXPECT_EQ(out_.str(), "Ctrl+Alt+1 -> " + profile_ + "\nShift+F5 -> " + profile_ + "\n");

    EXPECT_EQ(Run({"remove", "Ctrl + Alt + 1"}), kExitSuccess);
    EXPECT_EQ(Run({"list"}), kExitSuccess);
    EXPECT_EQ(out_.str(), "Shift+F5 -> " + profile_ + "\n");
}

TEST_F(HotkeyCommandTest, RefusalsAreOneLineAndChangeNothing) {
    ASSERT_EQ(Run({"add", "Ctrl+Alt+1", profile_.c_str()}), kExitSuccess);
    const std::map<std::string, std::string> before = hotkeys_.values;
    const std::string missing = profile_ + ".missing";
    const std::string taken = "gpxtool: Ctrl+Alt+1: is already set, for " +
                              profile_.substr(profile_.find_last_of("/\\") + 1) +
                              ": remove or change that one first\n";
    const struct {
        std::vector<const char*> arguments;
        std::string line;
    } kRows[] = {
        {{"add", "Ctrl+Alt+Esc", profile_.c_str()},
         "gpxtool: Ctrl+Alt+Esc: is not a hotkey: name modifiers and a key, such as Ctrl+Alt+1\n"},
        {{"add", "Shift+Q", profile_.c_str()},
         "gpxtool: Shift+Q: needs Ctrl, Alt or Win, unless its key is a function key\n"},
        {{"add", "ctrl+alt+1", profile_.c_str()}, taken},
        {{"add", "Ctrl+Alt+2", missing.c_str()}, "gpxtool: " + missing + ": cannot be opened\n"},
        {{"remove", "Ctrl+Alt+9"}, "gpxtool: Ctrl+Alt+9: no hotkey is set with this name\n"},
    };
    for (const auto& row : kRows) {
        EXPECT_EQ(Run(row.arguments), kExitRefused) << row.line;
        EXPECT_EQ(err_.str(), row.line);
    }
    EXPECT_EQ(hotkeys_.values, before);
    EXPECT_EQ(Run({"add", "Ctrl+Alt+3"}), kExitUsage);
}

}  // namespace
}  // namespace gpxtool
