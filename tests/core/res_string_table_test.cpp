#include <gtest/gtest.h>

#include <cstring>
#include <iterator>
#include <string_view>

#include "string_table.h"

namespace gd {
namespace {

// Every string the program's parts quote, under its number, written out
// here by hand rather than taken from strings.inc.
struct Golden {
    unsigned name;  // the IDS_ define
    unsigned id;    // the number as the program's parts give it
    std::string_view text;
};

constexpr Golden kGolden[] = {
    {IDS_APP_TITLE, 1, "Gripdeck"},
    {IDS_DEFAULT_PROFILE_NAME, 2, "default.gpx"},
    {IDS_VERSION_CAPTION, 3, "MARVENTA Gripdeck Version 1.00.200EN"},
    {IDS_UNFILED, 5, "Unfiled"},
    {IDS_STARTUP_VALUE_NAME, 6, "Gripdeck"},
    {IDS_CLIPBOARD_FORMAT, 7, "CLIP_GRIPDECKFMT"},
    {IDS_PACKAGE_PATH, 8, "%s\\system32\\drivers\\velqorgpx.pkg"},
    {IDS_SERVICE_KEY, 9, "SYSTEM\\CurrentControlSet\\Services\\velqorgpx"},
    {IDS_COLUMN_NAME, 11, "Name"},
    {IDS_COLUMN_TYPE, 12, "Type"},
    {IDS_COLUMN_LAYER, 13, "Layer"},
    {IDS_COLUMN_KEY, 14, "Key"},
    {IDS_COLUMN_ACTION, 15, "Action"},
    {IDS_COLUMN_DELAY, 16, "Delay(ms)"},
    {IDS_COLUMN_OTHERS, 17, "Others"},
    {IDS_MORE, 18, "More >>"},
    {IDS_LESS, 19, "<< Less"},
    {IDS_SINGLE, 20, "Single"},
    {IDS_MACRO, 21, "Macro"},
    {IDS_MULTI_LAYERS, 22, "Multi Layers"},
    {IDS_STOP, 23, "Stop"},
    {IDS_OFF, 26, "Off"},
    {IDS_MOUSE_CLICK, 27, "Click"},
    {IDS_MOUSE_PRESS, 28, "Press"},
    {IDS_MOUSE_RELEASE, 29, "Release"},
    {IDS_LEFT_BUTTON, 31, "Left Button"},
    {IDS_RIGHT_BUTTON, 32, "Right Button"},
    {IDS_MIDDLE_BUTTON, 33, "Middle Button"},
    {IDS_RELATIVE, 35, "Relative"},
    {IDS_ABSOLUTE, 36, "Absolute"},
    {IDS_CLICK, 37, "Click"},
    {IDS_PRESS, 38, "Press"},
    {IDS_RELEASE, 39, "Release"},
    {IDS_UNDEFINED_POSITION, 42, "Undefined"},
    {IDS_COMMENT_PLACEHOLDER, 43, "Please make some comments to describe this file."},
    {IDS_X_REF, 44, "X ref:"},
    {IDS_Y_REF, 45, "Y ref:"},
    {IDS_X, 46, "X:"},
    {IDS_Y, 47, "Y:"},
    {IDS_DURATION_SHORT, 48, "%d (ms)"},
    {IDS_DURATION_LONG, 49, "Duration: %d (ms)"},
    {IDS_CANT_OPEN_FILE, 50, "Can't open the file %s. Please verify it again."},
    {IDS_DELAY_RANGE, 51, "Please input a valid integer between 30 to 60000."},
    {IDS_CANT_INSERT_KEY, 52, "Can't insert the key into this range. Please double check."},
    {IDS_SAVE_QUESTION, 54, "Do you want to save this file?"},
    {IDS_POSITION_RANGE, 55, "Please input a valid integer between -2048 to 2048."},
    {IDS_DEVICE_NOT_PLUGGED, 57,
     "Can't find the Gripdeck device. Please double check the device is already pluged in "
     "this computer."},
    {IDS_REINSTALL_DONE, 58,
     "Your Gripdeck device has been resetuped finished, new USB port is ready."},
    {IDS_REINSTALL_FAILED, 59,
     "Your Gripdeck device has been resetuped failed, please reinstall it.\n"},
    {IDS_TRAY_BALLOON, 60, "The Gripdeck software is running here."},
    {IDS_FRAME_TOGGLE_TIP, 61, "Show/Hide Widows Frame."},
    {IDS_DEVICE_NOT_INSTALLED, 62,
     "Can't find Gripdeck installed device, please plugin this device to do it again."},
    {IDS_SINGLE_SUFFIX, 70, "(Single)"},
    {IDS_UNDEFINED_KEY, 71, "Undefined"},
    {IDS_COLUMN_NUMBER, 72, "No."},
    {IDS_STOP_MACRO, 73, "Stop Macro"},
    {IDS_SUPER_STOP, 74, "Super Stop"},
    {IDS_KEYBOARD_INF, 80, "%s\\vlqrgpxkb.inf"},
    {IDS_MOUSE_INF, 81, "%s\\vlqrgpxms.inf"},
};

class ResStringTableTest : public ::testing::TestWithParam<Golden> {};

TEST_P(ResStringTableTest, NameStandsForTheNumber) {
    EXPECT_EQ(GetParam().name, GetParam().id);
}

TEST_P(ResStringTableTest, HoldsTheExactText) {
    const char* text = FindString(GetParam().id);
    ASSERT_NE(text, nullptr) << "string " << GetParam().id;
    EXPECT_EQ(std::string_view(text), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(AllQuoted, ResStringTableTest, ::testing::ValuesIn(kGolden),
                         [](const ::testing::TestParamInfo<Golden>& info) {
                             return "String" + std::to_string(info.param.id);
                         });

TEST(ResStringTable, HoldsNoOtherString) {
    ASSERT_EQ(StringTable().size(), std::size(kGolden));
    for (const StringEntry& entry : StringTable()) {
        bool quoted = false;
        for (const Golden& golden : kGolden) {
            quoted = quoted || golden.id == entry.id;
        }
        EXPECT_TRUE(quoted) << "string " << entry.id << " is not one the program uses";
    }
}

TEST(ResStringTable, ListsIdsInAscendingOrder) {
    const auto table = StringTable();
    for (std::size_t i = 1; i < table.size(); ++i) {
        EXPECT_LT(table[i - 1].id, table[i].id);
    }
}

TEST(ResStringTable, FindsTheTextOfTheEntryItself) {
    for (const StringEntry& entry : StringTable()) {
        const char* text = FindString(entry.id);
        ASSERT_NE(text, nullptr);
        EXPECT_EQ(text, entry.text.data());
        EXPECT_EQ(std::strlen(text), entry.text.size()) << "string " << entry.id;
    }
}

TEST(ResStringTable, FindsNothingForNumbersWithoutText) {
    for (unsigned id : {0u, 4u, 10u, 24u, 25u, 30u, 53u, 56u, 63u, 82u, 100u, 65535u}) {
        EXPECT_EQ(FindString(id), nullptr) << "string " << id;
    }
}

TEST(ResStringTable, FormatsTheDriverPathsFromTheirStrings) {
    EXPECT_EQ(FormatString(IDS_PACKAGE_PATH, "C:\\WINDOWS"),
              "C:\\WINDOWS\\system32\\drivers\\velqorgpx.pkg");
    EXPECT_EQ(FormatString(IDS_KEYBOARD_INF, "D:\\Pad"), "D:\\Pad\\vlqrgpxkb.inf");
    EXPECT_EQ(FormatString(IDS_SERVICE_KEY, "x"), FindString(IDS_SERVICE_KEY));
    EXPECT_EQ(FormatString(4, "x"), "");
}

}  // namespace
}  // namespace gd
