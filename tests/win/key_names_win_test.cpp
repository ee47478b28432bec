#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "keys/key_name_source.h"
#include "keys/key_name_source_win.h"
#include "keys/key_names.h"
#include "keys/key_table.h"

namespace gd {
namespace {

// The names depend on the keyboard layout and, under Wine, on the graphics
// driver (X11 gives "Return", "Control"), so these tests check our rules
// against whatever the system answers rather than fixed texts.
std::string SystemName(std::uint32_t requestWord) {
    char name[256] = {};
    const int length = GetKeyNameTextA(static_cast<LONG>(requestWord), name, sizeof name);
    return length > 0 ? std::string(name) : std::string();
}

std::string BuiltInName(EventCode code) {
    KeyNameSource& previous = UseKeyNameSource(BuiltInKeyNameSource());
    std::string name = EventName(code);
    UseKeyNameSource(previous);
    return name;
}

bool IsGenericModifierName(const std::string& name) {
    return name == "Shift" || name == "Ctrl" || name == "Alt";
}

class KeyNamesWinTest : public ::testing::Test {
  protected:
    KeyNamesWinTest() : previous_(UseKeyNameSource(system_)) {}
    ~KeyNamesWinTest() override { UseKeyNameSource(previous_); }

    SystemKeyNameSource system_;

  private:
    KeyNameSource& previous_;
};

TEST_F(KeyNamesWinTest, EveryTableKeyHasTheSystemNameOrTheBuiltInOne) {
    for (int index = kKeyTableMouseEntries; index < KeyTableSize(); ++index) {
        const EventCode code = KeyTableCode(index);
        const std::string given = SystemName(KeyNameRequest(code));
        const std::string name = EventName(code);
        EXPECT_FALSE(name.empty()) << "index " << index;
        if (given.empty()) {
            EXPECT_EQ(name, BuiltInName(code)) << "index " << index;
        } else if (!IsGenericModifierName(given)) {
            EXPECT_EQ(name, given) << "index " << index;
        }
    }
}

TEST_F(KeyNamesWinTest, ModifiersAreShownWithTheirSide) {
    struct Row {
        EventCode code;
        const char* generic;
        const char* shown;
    };
    const Row rows[] = {
        {0x0100002A, "Shift", "Left Shift"}, {0x0100001D, "Ctrl", "Left Ctrl"},
        {0x01000038, "Alt", "Left Alt"},     {0x01010036, "Shift", "Right Shift"},
        {0x0101001D, "Ctrl", "Right Ctrl"},  {0x01010038, "Alt", "Right Alt"},
    };
    for (const Row& row : rows) {
        const std::string given = SystemName(KeyNameRequest(row.code));
        const std::string name = EventName(row.code);
        EXPECT_NE(name, row.generic) << std::hex << row.code;
        if (given == row.generic) {
            EXPECT_EQ(name, row.shown) << std::hex << row.code;
        }
    }
    EXPECT_NE(EventName(0x0100002A), EventName(0x01010036));
    EXPECT_NE(EventName(0x01000038), EventName(0x01010038));
}

TEST_F(KeyNamesWinTest, RightShiftIsNamedWhereTheSystemHasNoName) {
    // Windows has no name for scan code 0x36 with the extended flag, which is
    // how the key table stores right Shift.
    const std::string name = EventName(0x01010036);
    if (SystemName(0x01360000).empty()) {
        EXPECT_EQ(name, "Right Shift");
    }
    EXPECT_FALSE(name.empty());
    EXPECT_EQ(name.rfind("Left", 0), std::string::npos) << name;
}

TEST_F(KeyNamesWinTest, TheExtendedFlagReachesTheSystem) {
    struct Row {
        EventCode plain;
        EventCode extended;
    };
    const Row rows[] = {
        {0x0100001D, 0x0101001D},  // left and right Ctrl
        {0x0100001C, 0x0101001C},  // Enter and keypad Enter
        {0x01000035, 0x01010035},  // slash and keypad divide
        {0x01000045, 0x01010045},  // Pause and Num Lock
    };
    for (const Row& row : rows) {
        const std::string plain = SystemName(KeyNameRequest(row.plain));
        const std::string extended = SystemName(KeyNameRequest(row.extended));
        // X11 names both Ctrl keys "Control"; only where the system tells
        // the keys apart can the names differ.
        if (plain != extended) {
            EXPECT_NE(EventName(row.plain), EventName(row.extended)) << std::hex << row.plain;
        }
    }
    EXPECT_NE(SystemName(0x001C0000), SystemName(0x011C0000));
    EXPECT_NE(EventName(0x0100001C), EventName(0x0101001C));
}

TEST_F(KeyNamesWinTest, SourceNeverWritesPastTheBuffer) {
    const std::string name = SystemName(0x001E0000);
    ASSERT_FALSE(name.empty());
    char buffer[8];
    for (std::size_t size = 0; size < sizeof buffer; ++size) {
        std::memset(buffer, '?', sizeof buffer);
        const bool fits = size > name.size();
        EXPECT_EQ(system_.NameOf(0x001E0000, buffer, size), fits) << "size " << size;
        if (fits) {
            EXPECT_STREQ(buffer, name.c_str());
        }
        for (std::size_t i = size; i < sizeof buffer; ++i) {
            EXPECT_EQ(buffer[i], '?') << "size " << size << " at " << i;
        }
    }
}

TEST_F(KeyNamesWinTest, KeysNeitherSourceNamesHaveNoName) {
    // Extended variants of keys that have none, and an unused scan code.
    for (EventCode code : {0x01010001u, 0x0101002Au, 0x010100FFu, 0x010000FFu}) {
        if (!SystemName(KeyNameRequest(code)).empty()) {
            continue;
        }
        char buffer[256];
        EXPECT_FALSE(system_.NameOf(KeyNameRequest(code), buffer, sizeof buffer))
            << std::hex << code;
        EXPECT_EQ(EventName(code), "") << std::hex << code;
    }
}

}  // namespace
}  // namespace gd
