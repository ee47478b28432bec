#include "fw/app.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/recent_files.h"
#include "app/registry_settings.h"
#include "fw/menu.h"
#include "fw/text.h"
#include "fw_test_ids.h"
#include "fw_test_support.h"

namespace gd::test {
namespace {

class CTestApp : public CWinApp {
  public:
    using CWinApp::CWinApp;

    bool wantsLoop = false;
    std::vector<std::string> calls;

    bool InitInstance() override {
        calls.push_back("init " + CommandLine());
        if (wantsLoop) {
            ::PostQuitMessage(7);
        }
        return wantsLoop;
    }
    int ExitInstance() override {
        calls.push_back("exit");
        return CWinApp::ExitInstance();
    }
};

TEST(WinApp, RunIsInitThenExit) {
    CTestApp app;
    EXPECT_EQ(GetApp(), &app);
    EXPECT_EQ(app.AppName(), ModuleBaseName());
    EXPECT_EQ(app.Run(::GetModuleHandleA(nullptr), "-1"), 0);
    EXPECT_EQ(app.calls, (std::vector<std::string>{"init -1", "exit"}));
    EXPECT_EQ(app.CommandLine(), "-1");
    EXPECT_EQ(app.Instance(), ::GetModuleHandleA(nullptr));

    CTestApp looping("Looper");
    looping.wantsLoop = true;
    EXPECT_EQ(looping.Run(nullptr, nullptr), 7);
    EXPECT_EQ(looping.calls, (std::vector<std::string>{"init ", "exit"}));
}

TEST(WinApp, OnlyOneApplicationObjectIsCurrent) {
    {
        CTestApp app("Named");
        EXPECT_EQ(GetApp(), &app);
        EXPECT_EQ(AppTitle(), "Named");
    }
    EXPECT_EQ(GetApp(), nullptr);
    EXPECT_EQ(AppTitle(), ModuleBaseName());
    EXPECT_FALSE(ModuleBaseName().empty());
    EXPECT_EQ(ModuleBaseName().find('.'), std::string::npos);
}

class ProfileTest : public ::testing::Test {
  protected:
    static constexpr char kKey[] = "GripdeckFwTest";
    void SetUp() override { ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\GripdeckFwTest"); }
    void TearDown() override { ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\GripdeckFwTest"); }

    // The raw value as stored, read without the application's help.
    static std::string Stored(const char* name, DWORD& type) {
        char data[256] = {};
        DWORD size = sizeof data;
        if (::RegGetValueA(HKEY_CURRENT_USER, "Software\\GripdeckFwTest\\FwApp\\default", name,
                           RRF_RT_ANY, &type, data, &size) != ERROR_SUCCESS) {
            return "<missing>";
        }
        return std::string(data, size);
    }
};

TEST_F(ProfileTest, NothingIsReadOrWrittenBeforeTheKeyIsNamed) {
    CTestApp app("FwApp");
    EXPECT_FALSE(app.WriteProfileInt("default", "Summary", 0));
    EXPECT_FALSE(app.WriteProfileString("default", "Recent00", "C:\\a.gpx"));
    EXPECT_EQ(app.GetProfileInt("default", "Summary", 1), 1);
    EXPECT_EQ(app.GetProfileString("default", "Recent00", "none"), "none");
    DWORD type = 0;
    EXPECT_EQ(Stored("Summary", type), "<missing>");
}

TEST_F(ProfileTest, ValuesLiveUnderKeyAppAndSection) {
    CTestApp app("FwApp");
    app.SetRegistryKey(kKey);
    EXPECT_EQ(app.RegistryKey(), kKey);

    EXPECT_EQ(app.GetProfileInt("default", "Summary", 1), 1);
    EXPECT_EQ(app.GetProfileString("default", "Recent00"), "");
    ASSERT_TRUE(app.WriteProfileInt("default", "Summary", 0));
    ASSERT_TRUE(app.WriteProfileString("default", "Recent00", "C:\\profiles\\race.gpx"));
    ASSERT_TRUE(app.WriteProfileString("default", "Introduction", ""));
    EXPECT_EQ(app.GetProfileInt("default", "Summary", 1), 0);
    EXPECT_EQ(app.GetProfileString("default", "Recent00"), "C:\\profiles\\race.gpx");
    EXPECT_EQ(app.GetProfileString("default", "Introduction", "x"), "");

    DWORD type = 0;
    EXPECT_EQ(Stored("Summary", type), std::string(4, '\0'));
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(Stored("Recent00", type), std::string("C:\\profiles\\race.gpx") + '\0');
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));

    // A value of the other kind reads as missing.
    EXPECT_EQ(app.GetProfileInt("default", "Recent00", 5), 5);
    EXPECT_EQ(app.GetProfileString("default", "Summary", "d"), "d");
    EXPECT_EQ(app.GetProfileInt("other", "Summary", 9), 9);
}

TEST_F(ProfileTest, AStringStoredWithoutItsZeroIsReadWhole) {
    CTestApp app("FwApp");
    app.SetRegistryKey(kKey);
    ASSERT_TRUE(app.WriteProfileString("default", "Recent01", "placeholder"));
    HKEY key = nullptr;
    ASSERT_EQ(::RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\GripdeckFwTest\\FwApp\\default", 0,
                              KEY_SET_VALUE, &key),
              ERROR_SUCCESS);
    UniqueKey owner(key);
    ::RegSetValueExA(key, "Recent01", 0, REG_SZ, reinterpret_cast<const BYTE*>("abc"), 3);
    EXPECT_EQ(app.GetProfileString("default", "Recent01"), "abc");
}

TEST(Text, StringTableTexts) {
    EXPECT_EQ(LoadText(IDS_FW_FORMAT), "Value %d of %s");
    std::string longText = LoadText(IDS_FW_LONG);
    EXPECT_EQ(longText.size(), 405u);
    EXPECT_EQ(longText.substr(0, 15), "Long abcdefghij");
    EXPECT_EQ(longText.substr(395), "abcdefghij");
    EXPECT_EQ(LoadText(9999), "");
    EXPECT_TRUE(HasText(IDS_FW_FORMAT));
    EXPECT_FALSE(HasText(9999));
}

TEST(Text, FormatTextSizesItsResult) {
    EXPECT_EQ(FormatText("%s: %s", "Single", "A"), "Single: A");
    EXPECT_EQ(FormatText(LoadText(IDS_FW_FORMAT).c_str(), 3, "five"), "Value 3 of five");
    EXPECT_EQ(FormatText("Recent%02d", 4), "Recent04");
    std::string wide(1000, 'w');
    EXPECT_EQ(FormatText("[%s]", wide.c_str()), "[" + wide + "]");
    EXPECT_EQ(FormatText("%s", ""), "");
}

TEST(Text, MessagesCarryTheApplicationsTitle) {
    CTestApp app("Gripdeck Test");
    MessageBoxWatcher boxes;
    EXPECT_EQ(ShowMessage(nullptr, IDS_FW_FORMAT), IDOK);
    EXPECT_EQ(ShowMessage(nullptr, "Plain", MB_OK), IDOK);
    ASSERT_EQ(boxes.seen().size(), 2u);
    EXPECT_EQ(boxes.seen()[0].caption, "Gripdeck Test");
    EXPECT_EQ(boxes.seen()[0].text, "Value %d of %s");
    EXPECT_TRUE(boxes.seen()[0].exclamation);
    EXPECT_EQ(boxes.seen()[1].text, "Plain");
    EXPECT_FALSE(boxes.seen()[1].exclamation);
}

TEST(Text, ParseIntegerTakesWholeDecimalNumbersOnly) {
    struct Row {
        const char* text;
        bool ok;
        long long value;
    } rows[] = {
        {"0", true, 0},
        {"60000", true, 60000},
        {"-2048", true, -2048},
        {"+7", true, 7},
        {"  12\t", true, 12},
        {"999999999999999999", true, 999999999999999999},
        {"9999999999999999999", false, 0},
        {"", false, 0},
        {"   ", false, 0},
        {"-", false, 0},
        {"1 2", false, 0},
        {"0x10", false, 0},
        {"12a", false, 0},
        {"--1", false, 0},
    };
    for (const Row& row : rows) {
        long long value = -1;
        EXPECT_EQ(ParseInteger(row.text, value), row.ok) << '"' << row.text << '"';
        if (row.ok) {
            EXPECT_EQ(value, row.value) << row.text;
        } else {
            EXPECT_EQ(value, -1) << row.text;
        }
    }
}

TEST(Menu, LoadedMenusAreOwnedOnce) {
    HMENU raw = nullptr;
    {
        CMenu menu;
        EXPECT_FALSE(menu.LoadMenu(9999));
        ASSERT_TRUE(menu.LoadMenu(IDR_FW_MENU));
        raw = menu.GetSafeHmenu();
        CMenuRef popup = menu.GetSubMenu(0);
        EXPECT_EQ(popup.GetItemCount(), 3);
        EXPECT_EQ(popup.GetItemText(2, true), "&Second");
        popup.EnableItem(ID_FW_SECOND, false);
        EXPECT_FALSE(popup.IsItemEnabled(ID_FW_SECOND));

        CMenu moved(std::move(menu));
        EXPECT_FALSE(menu);
        EXPECT_EQ(moved.GetSafeHmenu(), raw);
    }
    EXPECT_FALSE(::IsMenu(raw));

    CMenu popup;
    ASSERT_TRUE(popup.CreatePopupMenu());
    HMENU handedOver = popup.Detach();
    EXPECT_FALSE(popup);
    EXPECT_TRUE(::IsMenu(handedOver));
    ::DestroyMenu(handedOver);
}

TEST_F(ProfileTest, ARecentPlaceOfAnotherTypeHidesNoLaterEntry) {
    CTestApp app("FwApp");
    app.SetRegistryKey(kKey);
    ASSERT_TRUE(app.WriteProfileString("default", "Recent00", "C:\\a.gpx"));
    ASSERT_TRUE(app.WriteProfileInt("default", "Recent01", 7));
    ASSERT_TRUE(app.WriteProfileString("default", "Recent02", "C:\\c.gpx"));
    RegistrySettings settings(app);
    RecentFiles recent;
    recent.Load(settings);
    EXPECT_EQ(recent.Count(), 2u);
    EXPECT_EQ(recent[1], "C:\\c.gpx");
}

}  // namespace
}  // namespace gd::test
