#include <gtest/gtest.h>

#include <set>
#include <string>

#include "keys/key_names.h"
#include "keys/key_table.h"

namespace gd {
namespace {

TEST(KeyTable, CodesAndNamesAtEachGroupBoundary) {
    struct Row {
        int index;
        EventCode code;
        const char* name;
    };
    const Row rows[] = {
        {0, 0x02000001, "Left Button"},
        {1, 0x02000002, "Right Button"},
        {2, 0x02000004, "Middle Button"},
        {3, 0x01000001, "Esc"},
        {4, 0x0100003B, "F1"},
        {15, 0x01000058, "F12"},
        {16, 0x0100000B, "0"},
        {25, 0x0100000A, "9"},
        {26, 0x01000029, "`"},
        {36, 0x01000035, "/"},
        {37, 0x0100001E, "A"},
        {62, 0x0100002C, "Z"},
        {63, 0x0100001C, "Enter"},
        {67, 0x0100003A, "Caps Lock"},
        {68, 0x0100002A, "Left Shift"},
        {69, 0x0100001D, "Left Ctrl"},
        {70, 0x01000038, "Left Alt"},
        {71, 0x01010036, "Right Shift"},
        {72, 0x0101001D, "Right Ctrl"},
        {73, 0x01010038, "Right Alt"},
        {74, 0x0101005B, "Left Windows"},
        {79, 0x01000045, "Pause"},
        {80, 0x01010052, "Insert"},
        {89, 0x0101004D, "Right"},
        {90, 0x01010045, "Num Lock"},
        {93, 0x01000037, "Num *"},
        {95, 0x01000052, "Num 0"},
        {104, 0x01000049, "Num 9"},
        {105, 0x01000053, "Num Del"},
        {106, 0x0101001C, "Num Enter"},
    };
    EXPECT_EQ(KeyTableSize(), 107);
    for (const Row& row : rows) {
        EXPECT_EQ(KeyTableCode(row.index), row.code) << "index " << row.index;
        char name[256];
        EXPECT_TRUE(KeyTableName(row.index, name, sizeof name)) << "index " << row.index;
        EXPECT_STREQ(name, row.name) << "index " << row.index;
    }
}

TEST(KeyTable, IndexOutOfRangeHasNoCodeAndNoName) {
    for (int index : {-1, 107, 1000}) {
        EXPECT_EQ(KeyTableCode(index), 0u) << "index " << index;
        char name[16] = "sentinel";
        EXPECT_FALSE(KeyTableName(index, name, sizeof name)) << "index " << index;
        EXPECT_STREQ(name, "") << "index " << index;
    }
}

TEST(KeyTable, BuiltInNamesAreNonEmptyAndDistinct) {
    std::set<std::string> seen;
    for (int index = 0; index < KeyTableSize(); ++index) {
        char name[256];
        ASSERT_TRUE(KeyTableName(index, name, sizeof name)) << "index " << index;
        EXPECT_STRNE(name, "") << "index " << index;
        EXPECT_TRUE(seen.insert(name).second) << "index " << index << " repeats " << name;
    }
}

TEST(KeyTable, IsKnownKeyComparesTheLow20BitsOnly) {
    struct Row {
        EventCode code;
        bool known;
    };
    const Row rows[] = {
        {0x01000036, false},  // right Shift without the extended flag
        {0x00010036, true},   // right Shift as the table holds it
        {0x01210036, true},   // its click
        {0x00000002, true},   // kind and action ignored: key "1" and the right button
        {0x02100002, true},
        {0x7F000002, true},
        {0x0101002A, false},  // left Shift with the extended flag is no key of the table
        {0x0100012A, false},  // bits 8-15 take part
        {0x01000056, false},  // the ISO key beside left Shift is not offered
        {0x0100001C, true},   // Enter
        {0x0101001C, true},   // keypad Enter
        {0x01000000, false},
        {0x01030045, false},  // flag bits other than the extended flag take part
    };
    for (const Row& row : rows) {
        EXPECT_EQ(IsKnownKey(row.code), row.known) << std::hex << row.code;
    }
}

}  // namespace
}  // namespace gd
