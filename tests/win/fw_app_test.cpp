// The application object's registry settings and the text helpers.
#include "fw/app.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "fw/text.h"
#include "fw_test_ids.h"

namespace gd::test {
namespace {

constexpr char kSection[] = "Software\\GripdeckFwTest\\FwApp\\default";

// The raw value as stored, read without the application's help.
std::string Stored(const char* name, DWORD& type) {
    char data[256] = {};
    DWORD size = sizeof data;
    if (::RegGetValueA(HKEY_CURRENT_USER, kSection, name, RRF_RT_ANY, &type, data, &size) !=
        ERROR_SUCCESS) {
        return "<missing>";
    }
    return std::string(data, size);
}

TEST(WinAppProfile, ValuesLiveUnderKeyAppAndSectionOnceTheKeyIsNamed) {
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\GripdeckFwTest");
    CWinApp app("FwApp");
    EXPECT_FALSE(app.WriteProfileInt("default", "Summary", 0));
    EXPECT_EQ(app.GetProfileInt("default", "Summary", 1), 1);
    app.SetRegistryKey("GripdeckFwTest");

    ASSERT_TRUE(app.WriteProfileInt("default", "Summary", 0));
    ASSERT_TRUE(app.WriteProfileString("default", "Recent00", "C:\\race.gpx"));
    EXPECT_EQ(app.GetProfileInt("default", "Summary", 1), 0);
    EXPECT_EQ(app.GetProfileString("default", "Recent00"), "C:\\race.gpx");
    DWORD type = 0;
    EXPECT_EQ(Stored("Summary", type), std::string(4, '\0'));
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(Stored("Recent00", type), std::string("C:\\race.gpx") + '\0');
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));

    // A value of the other kind reads as missing.
    EXPECT_EQ(app.GetProfileInt("default", "Recent00", 5), 5);
    EXPECT_EQ(app.GetProfileString("default", "Summary", "d"), "d");
    // A string stored without its terminating zero is read whole.
    HKEY key = nullptr;
    ASSERT_EQ(::RegOpenKeyExA(HKEY_CURRENT_USER, kSection, 0, KEY_SET_VALUE, &key), ERROR_SUCCESS);
    ::RegSetValueExA(key, "Recent01", 0, REG_SZ, reinterpret_cast<const BYTE*>("abc"), 3);
    ::RegCloseKey(key);
    EXPECT_EQ(app.GetProfileString("default", "Recent01"), "abc");
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\GripdeckFwTest");
}

TEST(Text, TextsOfAnyLengthAreLoadedAndFormattedWhole) {
    std::string longText = "Long ";
    for (int i = 0; i < 40; ++i) {
        longText += "abcdefghij";
    }
    EXPECT_EQ(LoadText(IDS_FW_LONG), longText);
    EXPECT_EQ(LoadText(9999), "");
    EXPECT_FALSE(HasText(9999));
    EXPECT_EQ(FormatText(LoadText(IDS_FW_FORMAT).c_str(), 3, "five"), "Value 3 of five");
    const std::string wide(1000, 'w');
    EXPECT_EQ(FormatText("[%s]", wide.c_str()), "[" + wide + "]");
}

TEST(Text, ParseIntegerTakesWholeDecimalNumbersOnly) {
    for (const char* text : {"60000", "-2048", "+7", "  12\t", "999999999999999999"}) {
        long long value = -1;
        EXPECT_TRUE(ParseInteger(text, value)) << '"' << text << '"';
        EXPECT_EQ(std::to_string(value), std::to_string(std::stoll(text))) << text;
    }
    for (const char* text : {"9999999999999999999", "", " ", "-", "1 2", "0x10", "12a", "--1"}) {
        long long value = -1;
        EXPECT_FALSE(ParseInteger(text, value)) << '"' << text << '"';
        EXPECT_EQ(value, -1) << text;
    }
}

}  // namespace
}  // namespace gd::test
