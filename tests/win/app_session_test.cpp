// The program's life around the user's session: the tray, a "-1" start,
// Explorer restarting, the end of the session and the start-up entry.
#include <windows.h>

#include "app_test_support.h"

namespace gd::apptest {
namespace {

using SessionTest = AppTest;

LRESULT SendAndWait(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 99;
    ::SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, kLimitMs, &result);
    return static_cast<LRESULT>(result);
}

void ClickTray(HWND main) {
    ::PostMessageA(main, kTrayCallbackMessage, kTrayIconId, WM_LBUTTONDOWN);
}

// The hide of a "-1" start comes 300 ms after it; a tray click or a second
// start before then shows the window for good. The timer's message is posted
// after the nudge, in the order a quick user produces.
TEST_F(SessionTest, ANudgeWithinTheFirstMomentsOfAHiddenStartKeepsTheWindow) {
    for (UINT nudge : {kTrayCallbackMessage, kSecondStartMessage}) {
        Program program("-1");
        HWND main = nullptr;
        ASSERT_TRUE(WaitFor([&] { return (main = program.FindMain()) != nullptr; }));
        const bool tray = nudge == kTrayCallbackMessage;
        ::PostMessageA(main, nudge, tray ? kTrayIconId : 0, tray ? WM_LBUTTONDOWN : 0);
        ::PostMessageA(main, WM_TIMER, 1, 0);
        program.Sync();
        EXPECT_TRUE(::IsWindowVisible(main)) << nudge;
        // One click hides it again: the program agrees the window was shown.
        ClickTray(main);
        EXPECT_TRUE(WaitFor([&] { return !::IsWindowVisible(main); })) << nudge;
    }
}

TEST_F(SessionTest, ARestartedExplorerGetsTheTrayIconBack) {
    Program program("");
    HWND main = program.Main();
    ASSERT_NE(main, nullptr);
    NOTIFYICONDATAA gone{};
    gone.cbSize = sizeof gone;
    gone.hWnd = main;
    gone.uID = kTrayIconId;
    ASSERT_TRUE(::Shell_NotifyIconA(NIM_DELETE, &gone));
    ASSERT_FALSE(HasTrayIcon(main));
    SendAndWait(main, ::RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_TRUE(HasTrayIcon(main));
}

TEST_F(SessionTest, TheEndOfTheSessionHoldsUnsavedEditsAndWritesTheSettings) {
    const std::string path = Work("session-" + std::to_string(::GetCurrentProcessId()) + ".gpx");
    ASSERT_TRUE(WriteProfile(path, *MacroProfile("S", {0})));
    Program program("");
    HWND main = program.Main();
    ASSERT_NE(main, nullptr);
    {
        Program second(Quoted(path));
        ASSERT_TRUE(second.WaitForEnd());
    }
    program.Sync();
    ASSERT_EQ(Setting("Recent00"), std::nullopt);

    // Nothing unsaved: the session may end; it did not.
    EXPECT_NE(SendAndWait(main, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), 0);
    SendAndWait(main, WM_ENDSESSION, FALSE, ENDSESSION_LOGOFF);

    // A new profile, unchanged, holds nothing to save either.
    program.Command(ID_FILE_NEW);
    program.Sync();
    EXPECT_NE(SendAndWait(main, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), 0);
    SendAndWait(main, WM_ENDSESSION, FALSE, ENDSESSION_LOGOFF);

    program.Command(ID_FILE_SUMMARY);
    HWND summary = WaitForDialog(program.Pid(), "Information of the Summary", IDC_SHOW_SUMMARY);
    ASSERT_NE(summary, nullptr);
    SetField(summary, IDC_SUMMARY_NAME, "changed before the session ends");
    PressButton(summary, IDOK);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(summary); }));
    ClickTray(main);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindowVisible(main); }));
    // Unsaved: held, and the window comes back for the user to save.
    EXPECT_EQ(SendAndWait(main, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), 0);
    EXPECT_TRUE(::IsWindowVisible(main));
    SendAndWait(main, WM_ENDSESSION, FALSE, ENDSESSION_LOGOFF);
    EXPECT_FALSE(program.HasEnded());

    // Ended anyway: the settings are written before the answer.
    SendAndWait(main, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    EXPECT_EQ(Setting("Recent00"), path);
    EXPECT_EQ(ReadDword(HKEY_CURRENT_USER, kSettings, "Summary").value_or(9), 1u);
    EXPECT_TRUE(program.WaitForEnd());
    ::DeleteFileA(path.c_str());
}

TEST_F(SessionTest, TheStartUpEntryIsReadFromEitherRunKeyAndWrittenQuoted) {
    DeleteValue(HKEY_LOCAL_MACHINE, kRunKey, "Gripdeck");
    const std::string old = ProgramPath() + " -1";
    WriteValue(HKEY_CURRENT_USER, kRunKey, "Gripdeck", REG_SZ, old.c_str(),
               static_cast<DWORD>(old.size() + 1));
    {
        Program program("");
        ASSERT_NE(program.Main(), nullptr);
        // Shown as on, so the command turns it off, in both keys.
        program.Command(ID_OPTIONS_LAUNCH_ON_STARTUP);
        program.Sync();
        EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kRunKey, "Gripdeck").value_or("missing"), "");
        EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kRunKey, "Gripdeck").value_or(""), "");
        program.Command(ID_OPTIONS_LAUNCH_ON_STARTUP);
        program.Sync();
        EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kRunKey, "Gripdeck").value_or(""),
                  Quoted(ProgramPath()) + " -1");
        EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kRunKey, "Gripdeck").value_or("missing"), "");
    }
    DeleteValue(HKEY_LOCAL_MACHINE, kRunKey, "Gripdeck");
    DeleteValue(HKEY_CURRENT_USER, kRunKey, "Gripdeck");
}

}  // namespace
}  // namespace gd::apptest
