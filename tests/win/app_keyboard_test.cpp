// A new user's first minutes with the keyboard alone, in the running program:
// where the keyboard is once the window shows.
#include "app_keyboard_support.h"

#include "app_test_support.h"

namespace gd::apptest {
namespace {

using KeyboardOnlyTest = AppTest;

// The program's own focus and active window, read without bringing any of
// its windows forward: an activation would put back a focus the start lost.
GUITHREADINFO ProgramThreadInfo(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    ::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info);
    return info;
}

// The start is split: a first paint, then the rest with the summary window
// and the hidden pad picture. Neither of those takes the keyboard: the
// program starts with it on the main window's first control, where Tab goes
// on and Alt opens the menu bar.
TEST_F(KeyboardOnlyTest, TheKeyboardStartsOnTheMainWindowsFirstControl) {
    Program program("");
    HWND main = program.Main();
    ASSERT_NE(main, nullptr);
    ASSERT_NE(program.SummaryWindow(), nullptr);
    ASSERT_NE(program.PadPicture(), nullptr);
    const GUITHREADINFO started = ProgramThreadInfo(main);
    EXPECT_EQ(started.hwndActive, main);
    EXPECT_EQ(started.hwndFocus, ::GetDlgItem(main, IDC_GROUP_M1_M10));

    ASSERT_TRUE(WaitFor([&] { return ::GetForegroundWindow() == main; }));
    Press({kTab});
    EXPECT_TRUE(WaitForFocus(IDC_PAD_ICON));
    EXPECT_TRUE(::IsChild(main, FocusWindow()));
    Press({kF}, &kAlt);
    EXPECT_TRUE(MenuOpens(program.Pid()));
    // Escape closes the menu, then, once it is closed, leaves the menu bar.
    Press({kEscape});
    EXPECT_TRUE(WaitFor([&] { return OpenPopupMenu(program.Pid()) == nullptr; }));
    Press({kEscape});
    EXPECT_TRUE(WaitFor([&] { return (ProgramThreadInfo(main).flags & GUI_INMENUMODE) == 0; }));
}

}  // namespace
}  // namespace gd::apptest
