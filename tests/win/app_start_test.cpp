// Starting gripdeck.exe: the fresh start, the one running copy and what a
// second start hands it, the hidden start, and the settings.
#include "app_test_support.h"

namespace gd::apptest {
namespace {

using StartTest = AppTest;

TEST_F(StartTest, FreshStartShowsTheInstalledPackageOnTheWelcomePage) {
    Program program("");
    HWND main = program.Main();
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(WindowText(main), "Gripdeck: default.gpx");
    EXPECT_TRUE(::IsWindowVisible(main));
    EXPECT_FALSE(Shows(main, IDC_PAD_BUTTON_0));
    EXPECT_FALSE(Shows(main, IDC_PAD_LABEL_9));
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(LabelText(main, i), "Off") << i;
    }
    EXPECT_TRUE(HasTrayIcon(main));
    EXPECT_EQ(ApplyLook(main), 0);
    ASSERT_NE(program.SummaryWindow(), nullptr);
    EXPECT_TRUE(::IsWindowVisible(program.SummaryWindow()));
    HRGN region = ::CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(::GetWindowRgn(main, region), COMPLEXREGION);  // cut to the skin
    ::DeleteObject(region);
}

TEST_F(StartTest, SettingsAreReadAtStartAndWrittenAtExit) {
    WriteSetting("Introduction", "Welcome!");
    {
        Program program("");
        ASSERT_NE(program.Main(), nullptr);
        EXPECT_EQ(Setting("Introduction").value_or("missing"), "");
        program.Command(ID_APP_EXIT);
        ASSERT_TRUE(program.WaitForEnd());
    }
    EXPECT_EQ(ReadDword(HKEY_CURRENT_USER, kSettings, "Summary").value_or(9), 1u);
    {
        // Hidden to the tray, the summary window hides too: Exit stores 0.
        Program program("");
        HWND main = program.Main();
        ASSERT_NE(main, nullptr);
        program.Command(ID_FILE_CLOSE);
        ASSERT_TRUE(WaitFor([&] { return !::IsWindowVisible(main); }));
        program.Command(ID_APP_EXIT);
        ASSERT_TRUE(program.WaitForEnd());
    }
    EXPECT_EQ(ReadDword(HKEY_CURRENT_USER, kSettings, "Summary").value_or(9), 0u);
    Program program("");
    ASSERT_NE(program.Main(), nullptr);
    ASSERT_NE(program.SummaryWindow(), nullptr);
    EXPECT_FALSE(::IsWindowVisible(program.SummaryWindow()));
}

TEST_F(StartTest, ASecondStartTellsTheRunningCopyAndHandsItAPath) {
    const std::string path = Work("forwarded profile.gpx");
    ASSERT_TRUE(WriteProfile(path, *MacroProfile("Fw", {0, 9})));
    Program running("");
    HWND main = running.Main();
    ASSERT_NE(main, nullptr);

    // "install", "-1" and a text too long for the running copy's buffer only
    // tell it about the start: a shown window stays as it is.
    std::string tooLong(600, 'x');
    for (const std::string& arguments : {std::string("install"), std::string("-1"), tooLong}) {
        Program second(arguments);
        EXPECT_TRUE(second.WaitForEnd()) << arguments;
    }
    running.Sync();
    EXPECT_EQ(WindowText(main), "Gripdeck: default.gpx");
    EXPECT_EQ(FindDialog(running.Pid(), kProgramBase), nullptr);

    // A hidden one comes back and opens the quoted path; forwarding is
    // synchronous and the open is posted from it, so both are done once the
    // second copy ended and the window handled what was posted.
    running.Command(ID_FILE_CLOSE);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindowVisible(main); }));
    {
        Program second(Quoted(path));
        ASSERT_TRUE(second.WaitForEnd());
        EXPECT_EQ(second.FindMain(), nullptr);
    }
    running.Sync();
    EXPECT_TRUE(::IsWindowVisible(main));
    EXPECT_EQ(WindowText(main), "Gripdeck: forwarded profile.gpx");
    EXPECT_EQ(LabelText(main, 0), "Fw0");
    EXPECT_EQ(LabelText(main, 9), "Fw9");
    running.Command(ID_APP_EXIT);
    ASSERT_TRUE(running.WaitForEnd());
    EXPECT_EQ(Setting("Recent00").value_or(""), path);
}

// Any program can send these: nothing reaches past the 512-byte buffer, and
// only a whole text, every character in order, opens anything.
TEST_F(StartTest, ForwardedCharactersOnlyOpenACompleteText) {
    const std::string path = Work("direct.gpx");
    ASSERT_TRUE(WriteProfile(path, *MacroProfile("D", {3})));
    Program running("");
    HWND main = running.Main();
    ASSERT_NE(main, nullptr);
    const auto send = [&](char c, std::size_t length, std::size_t index) {
        DWORD_PTR result = 0;
        ::SendMessageTimeoutA(
            main, kForwardedCharMessage, static_cast<WPARAM>(static_cast<signed char>(c)),
            static_cast<LPARAM>((length << 16) | index), SMTO_NORMAL, kLimitMs, &result);
    };
    for (std::size_t index : {0u, 511u, 512u, 600u, 65535u}) {
        send('x', 65535, index);
    }
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (i != path.size() / 2) {
            send(path[i], path.size(), i);
        }
    }
    running.Sync();
    EXPECT_EQ(WindowText(main), "Gripdeck: default.gpx");

    const std::string quoted = Quoted(path);
    for (std::size_t i = 0; i < quoted.size(); ++i) {
        send(quoted[i], quoted.size(), i);
    }
    running.Sync();
    EXPECT_EQ(WindowText(main), "Gripdeck: direct.gpx");
    EXPECT_EQ(LabelText(main, 3), "D3");
}

TEST_F(StartTest, MinusOneStartsInTheTrayWithTheSummaryWindow) {
    Program program("-1");
    HWND main = program.Main();
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(WaitFor([&] { return !::IsWindowVisible(main); }));
    EXPECT_TRUE(HasTrayIcon(main));
    ASSERT_NE(program.SummaryWindow(), nullptr);
    EXPECT_TRUE(::IsWindowVisible(program.SummaryWindow()));
    ::PostMessageA(main, kTrayCallbackMessage, kTrayIconId, WM_LBUTTONDOWN);
    EXPECT_TRUE(WaitFor([&] { return ::IsWindowVisible(main) != FALSE; }));
}

}  // namespace
}  // namespace gd::apptest
