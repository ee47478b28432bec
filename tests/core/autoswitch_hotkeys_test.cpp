// Profile hotkeys: their texts, the rules a hotkey must pass, and what adding,
// changing and removing one leaves in the storage.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "autoswitch/profile_hotkeys.h"
#include "core/autoswitch_memory_hotkeys.h"

namespace gd {
namespace {

constexpr std::uint8_t kCtrlAlt = kHotkeyCtrl | kHotkeyAlt;

TEST(HotkeyTextTest, TextsReadBackAsTheSameHotkey) {
    const struct {
        Hotkey hotkey;
        const char* text;
    } kRows[] = {
        {{kCtrlAlt, '1'}, "Ctrl+Alt+1"},
        {{kHotkeyCtrl | kHotkeyShift, 'R'}, "Ctrl+Shift+R"},
        {{kHotkeyAlt | kHotkeyShift | kHotkeyWin, 0x70}, "Alt+Shift+Win+F1"},
        {{0, 0x87}, "F24"},
        {{kHotkeyCtrl, 0x60}, "Ctrl+Num 0"},
        {{kHotkeyCtrl, 0x69}, "Ctrl+Num 9"},
        {{kHotkeyAlt, 0x22}, "Alt+Page Down"},
        {{kHotkeyWin, 0x2E}, "Win+Delete"},
        {{kHotkeyCtrl, 0x13}, "Ctrl+Pause"},
    };
    for (const auto& row : kRows) {
        EXPECT_EQ(HotkeyText(row.hotkey), row.text);
        EXPECT_EQ(ParseHotkey(row.text), row.hotkey) << row.text;
    }
}

TEST(HotkeyTextTest, TypedFormsAreReadAndNonsenseIsNot) {
    const struct {
        const char* typed;
        std::optional<Hotkey> hotkey;
    } kRows[] = {
        {"alt + ctrl + 1", Hotkey{kCtrlAlt, '1'}},
        {"CONTROL+shift+f5", Hotkey{kHotkeyCtrl | kHotkeyShift, 0x74}},
        {"Ctrl+Alt+page   up", Hotkey{kCtrlAlt, 0x21}},
        {"F10", Hotkey{0, 0x79}},
        {"", std::nullopt},
        {"Ctrl+Alt", std::nullopt},     // no key
        {"Ctrl+Ctrl+1", std::nullopt},  // a modifier twice
        {"Ctrl+1+2", std::nullopt},     // two keys
        {"Ctrl+Alt+1+", std::nullopt},  // an empty part
        {"Ctrl++1", std::nullopt},
        {"Hyper+1", std::nullopt},          // an unknown modifier
        {"Ctrl+F25", std::nullopt},         // an unknown key
        {"Ctrl+Alt+Escape", std::nullopt},  // not among the keys a hotkey may use
    };
    for (const auto& row : kRows) {
        EXPECT_EQ(ParseHotkey(row.typed), row.hotkey) << row.typed;
    }
    EXPECT_EQ(HotkeyText(Hotkey{kHotkeyCtrl, 0x1B}), "");  // Escape has no name here
    EXPECT_EQ(HotkeyText(Hotkey{0x10, 'A'}), "");          // a modifier bit of no key
}

TEST(HotkeyRulesTest, AKeyThatTypesNeedsCtrlAltOrWin) {
    const struct {
        Hotkey hotkey;
        bool allowed;
    } kRows[] = {
        {{kCtrlAlt, '1'}, true},
        {{kHotkeyWin, 'G'}, true},
        {{kHotkeyAlt, 0x20}, true},
        {{0, 0x74}, true},             // F5
        {{kHotkeyShift, 0x7B}, true},  // Shift+F12
        {{0, 'A'}, false},
        {{kHotkeyShift, 'A'}, false},  // a capital A while typing
        {{0, 0x20}, false},
        {{kHotkeyShift, 0x60}, false},
        {{0, 0x7B}, false},  // F12 alone belongs to debuggers
        {{kHotkeyCtrl, 0x1B}, false},
    };
    for (const auto& row : kRows) {
        EXPECT_EQ(!HotkeyRuleBreach(row.hotkey).has_value(), row.allowed)
            << HotkeyText(row.hotkey) << " " << int{row.hotkey.key};
    }
}

TEST(HotkeyRulesTest, TheHotkeyControlsModifiersMapBothWays) {
    // HOTKEYF_SHIFT 1, HOTKEYF_CONTROL 2, HOTKEYF_ALT 4, HOTKEYF_EXT 8.
    EXPECT_EQ(ModifiersFromControl(0x01), kHotkeyShift);
    EXPECT_EQ(ModifiersFromControl(0x06), kCtrlAlt);
    EXPECT_EQ(ModifiersFromControl(0x0A), kHotkeyCtrl);  // the extended key's flag is no modifier
    EXPECT_EQ(ControlModifiers({kCtrlAlt | kHotkeyShift, '1'}), 0x07);
    EXPECT_EQ(ControlModifiers({kHotkeyWin, '1'}), 0x00);
    // Keys beside the keypad are extended, or the control names the keypad's.
    EXPECT_EQ(ControlModifiers({kHotkeyAlt, 0x24}), 0x0C);  // Alt+Home
    EXPECT_EQ(ControlModifiers({kHotkeyAlt, 0x2E}), 0x0C);  // Alt+Delete
    EXPECT_EQ(ControlModifiers({kHotkeyAlt, 0x67}), 0x04);  // Alt+Num 7
}

class HotkeyStorageTest : public ::testing::Test {
  protected:
    std::optional<RuleRefusal> Add(std::string_view text, const std::string& profile,
                                   std::string_view replacing = {}) {
        return AddHotkey(storage_, text, profile, check_, replacing);
    }

    testing::MemoryHotkeys storage_;
    const std::string raid_ = "D:\\Profiles\\Night raid profile.gpx";
    const std::string racer_ = "D:\\Profiles\\Night racer profile.gpx";
    const std::string broken_ = "D:\\Profiles\\Broken raid profile.gpx";
    ProfileCheck check_ = [this](const std::string& path) -> std::optional<std::string> {
        if (path == broken_) {
            return "file is truncated";
        }
        return std::nullopt;
    };
};

TEST_F(HotkeyStorageTest, OneValuePerHotkeyNamedByItsText) {
    EXPECT_FALSE(Add("alt+ctrl+1", raid_));
    EXPECT_FALSE(Add("Ctrl+Shift+F5", racer_));
    EXPECT_EQ(storage_.values, (std::map<std::string, std::string>{{"Ctrl+Alt+1", raid_},
                                                                   {"Ctrl+Shift+F5", racer_}}));
    const std::vector<ProfileHotkey> hotkeys = LoadHotkeys(storage_);
    ASSERT_EQ(hotkeys.size(), 2u);
    EXPECT_EQ(hotkeys[0].text, "Ctrl+Alt+1");
    EXPECT_EQ(hotkeys[0].hotkey, (Hotkey{kCtrlAlt, '1'}));
    EXPECT_EQ(hotkeys[1].profile, racer_);

    EXPECT_TRUE(RemoveHotkey(storage_, "ctrl + alt + 1"));
    EXPECT_FALSE(RemoveHotkey(storage_, "Ctrl+Alt+1"));
    EXPECT_EQ(storage_.values.size(), 1u);
}

TEST_F(HotkeyStorageTest, RefusalsWriteNothing) {
    ASSERT_FALSE(Add("Ctrl+Alt+1", raid_));
    const std::map<std::string, std::string> before = storage_.values;
    const struct {
        const char* text;
        std::string profile;
        const char* subject;
    } kRows[] = {
        {"Ctrl+Alt+Nothing", racer_, "Ctrl+Alt+Nothing"},
        {"Shift+A", racer_, "Shift+A"},
        {"F12", racer_, "F12"},
        {"Alt+Ctrl+1", racer_, "Ctrl+Alt+1"},  // set already, in another spelling
        {"Ctrl+Alt+2", "", "Ctrl+Alt+2"},
        {"Ctrl+Alt+2", broken_, broken_.c_str()},
    };
    for (const auto& row : kRows) {
        const std::optional<RuleRefusal> refusal = Add(row.text, row.profile);
        ASSERT_TRUE(refusal) << row.text;
        EXPECT_EQ(refusal->subject, row.subject);
        EXPECT_FALSE(refusal->reason.empty());
        EXPECT_EQ(storage_.values, before) << row.text;
    }
    storage_.readOnly = true;
    EXPECT_TRUE(Add("Ctrl+Alt+3", racer_));
    EXPECT_EQ(storage_.values, before);
}

TEST_F(HotkeyStorageTest, AChangeReplacesTheOldHotkeyOnlyOnceTheNewOneIsWritten) {
    ASSERT_FALSE(Add("Ctrl+Alt+1", raid_));
    ASSERT_FALSE(Add("Ctrl+Alt+2", racer_));
    // Another key for the same profile.
    EXPECT_FALSE(Add("Ctrl+Alt+3", raid_, "Ctrl+Alt+1"));
    // The same key for another profile.
    EXPECT_FALSE(Add("Ctrl+Alt+3", racer_, "Ctrl+Alt+3"));
    EXPECT_EQ(storage_.values,
              (std::map<std::string, std::string>{{"Ctrl+Alt+2", racer_}, {"Ctrl+Alt+3", racer_}}));
    // Onto a key another hotkey has: refused.
    EXPECT_TRUE(Add("Ctrl+Alt+2", raid_, "Ctrl+Alt+3"));
    // A failed write keeps the hotkey being changed.
    storage_.readOnly = true;
    EXPECT_TRUE(Add("Ctrl+Alt+4", raid_, "Ctrl+Alt+3"));
    EXPECT_EQ(storage_.values.count("Ctrl+Alt+3"), 1u);
}

TEST_F(HotkeyStorageTest, HandWrittenValuesAreReadAsFarAsTheyMakeSense) {
    storage_.values = {
        {"alt+ctrl+1", raid_},       // another spelling: read
        {"Ctrl+Alt+1", racer_},      // the same hotkey again: the first in name order wins
        {"not a hotkey", raid_},     // left where it is
        {"A", raid_},                // breaks the rules
        {"Ctrl+Alt+2", ""},          // no profile
        {"Ctrl+Alt+Home", broken_},  // an unreadable profile is still a hotkey
    };
    const std::vector<ProfileHotkey> hotkeys = LoadHotkeys(storage_);
    ASSERT_EQ(hotkeys.size(), 2u);
    EXPECT_EQ(hotkeys[0].text, "Ctrl+Alt+1");
    EXPECT_EQ(hotkeys[0].profile, racer_);  // "Ctrl..." sorts before "alt..."
    EXPECT_EQ(hotkeys[1].text, "Ctrl+Alt+Home");

    // A hotkey that is no hotkey goes by its own name; setting one takes
    // every spelling of it.
    EXPECT_TRUE(RemoveHotkey(storage_, "not a hotkey"));
    EXPECT_FALSE(Add("Ctrl+Alt+1", raid_, "Ctrl+Alt+1"));
    EXPECT_EQ(storage_.values.count("alt+ctrl+1"), 0u);
    EXPECT_EQ(storage_.values.count("Ctrl+Alt+1"), 1u);
}

TEST_F(HotkeyStorageTest, NoMoreThanTheProgramRegisters) {
    for (std::size_t i = 0; i < kMostHotkeys; ++i) {
        ASSERT_FALSE(Add("Ctrl+Alt+" + std::string(1, static_cast<char>('A' + i)), raid_)) << i;
    }
    EXPECT_TRUE(Add("Ctrl+Alt+Z", raid_));
    // A change still goes through when the list is full.
    EXPECT_FALSE(Add("Ctrl+Alt+Z", raid_, "Ctrl+Alt+A"));
    EXPECT_EQ(LoadHotkeys(storage_).size(), kMostHotkeys);
}

}  // namespace
}  // namespace gd
