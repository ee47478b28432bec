// The main window: pages and groups with their labels, the frame toggle, the
// assignment menu, hiding to the tray and coming back, the About box and the
// start-up entry.
#include "app_test_support.h"

namespace gd::apptest {
namespace {

using WindowTest = AppTest;

int RegionKind(HWND window) {
    HRGN region = ::CreateRectRgn(0, 0, 0, 0);
    const int kind = ::GetWindowRgn(window, region);
    ::DeleteObject(region);
    return kind;
}

TEST_F(WindowTest, GroupButtonsLeaveTheWelcomePageAndSwitchTheLabels) {
    const std::string path = Work("groups.gpx");
    ASSERT_TRUE(WriteProfile(path, *MacroProfile("G", {0, 4, 10, 19})));
    Program program(Quoted(path));
    HWND main = program.Main();
    ASSERT_NE(main, nullptr);

    // M11-M20 on the welcome page: the button page and the upper group at once.
    ClickControl(main, IDC_GROUP_M11_M20);
    program.Sync();
    EXPECT_TRUE(Shows(main, IDC_PAD_BUTTON_0) && Shows(main, IDC_PAD_LABEL_9));
    EXPECT_EQ(LabelText(main, 0), "G10");
    EXPECT_EQ(LabelText(main, 4), "Off");
    EXPECT_EQ(LabelText(main, 9), "G19");

    ClickControl(main, IDC_GROUP_M1_M10);
    program.Sync();
    EXPECT_EQ(LabelText(main, 0), "G0");
    EXPECT_EQ(LabelText(main, 4), "G4");
    EXPECT_EQ(LabelText(main, 9), "Off");
}

TEST_F(WindowTest, FrameFollowsTheButtonADoubleClickAndTheMenuKey) {
    Program program("");
    HWND main = program.Main();
    ASSERT_NE(main, nullptr);
    // The pad icon leaves the welcome page.
    ClickControl(main, IDC_PAD_ICON);
    program.Sync();
    EXPECT_TRUE(Shows(main, IDC_PAD_LABEL_0));
    RECT shaped{};
    ::GetWindowRect(main, &shaped);

    ClickControl(main, IDC_FRAME_TOGGLE);
    program.Sync();
    EXPECT_EQ(RegionKind(main), SIMPLEREGION);
    RECT framed{};
    ::GetWindowRect(main, &framed);
    EXPECT_TRUE(::EqualRect(&shaped, &framed));

    ::PostMessageA(main, WM_LBUTTONDBLCLK, 0, MAKELPARAM(20, 20));
    program.Sync();
    EXPECT_EQ(RegionKind(main), COMPLEXREGION);

    // The menu key brings the frame first, then the menu bar takes the keys.
    ::PostMessageA(main, WM_SYSCOMMAND, SC_KEYMENU, 0);
    EXPECT_TRUE(WaitFor([&] { return RegionKind(main) == SIMPLEREGION; }));
    ::PostMessageA(main, WM_KEYDOWN, VK_ESCAPE, 0);
    ::PostMessageA(main, WM_KEYDOWN, VK_ESCAPE, 0);
    program.Sync();
}

TEST_F(WindowTest, PadButtonsAndThePadPictureOpenTheAssignmentMenu) {
    const std::string path = Work("menu.gpx");
    ASSERT_TRUE(WriteProfile(path, *MacroProfile("Up", {12})));
    Program program(Quoted(path));
    HWND main = program.Main();
    ASSERT_NE(main, nullptr);
    ClickControl(main, IDC_GROUP_M1_M10);
    program.Sync();

    ClickControl(main, IDC_PAD_BUTTON_3);
    EXPECT_TRUE(WaitFor([&] { return OpenPopupMenu(program.Pid()) != nullptr; }));
    CloseMenu(program.Pid());

    // On the button page the pad icon shows the pad picture beside the window.
    ClickControl(main, IDC_PAD_ICON);
    program.Sync();
    HWND picture = program.PadPicture();
    ASSERT_NE(picture, nullptr);
    EXPECT_TRUE(::IsWindowVisible(picture));
    RECT mainRect{};
    RECT pictureRect{};
    ::GetWindowRect(main, &mainRect);
    ::GetWindowRect(picture, &pictureRect);
    EXPECT_EQ(pictureRect.top, mainRect.top + 49);
    EXPECT_EQ(pictureRect.left, mainRect.right >= 950 ? mainRect.left - 400 : mainRect.right + 50);

    // The picture's M13 switches to the upper group first.
    ClickControl(picture, IDC_PICTURE_M13);
    EXPECT_TRUE(WaitFor([&] { return OpenPopupMenu(program.Pid()) != nullptr; }));
    EXPECT_EQ(LabelText(main, 2), "Up12");
    CloseMenu(program.Pid());

    // The icon again: the picture goes, and with it the button page.
    ClickControl(main, IDC_PAD_ICON);
    program.Sync();
    EXPECT_FALSE(::IsWindowVisible(picture));
    EXPECT_FALSE(Shows(main, IDC_PAD_BUTTON_0));

    // A number outside the group selects and opens nothing.
    ::PostMessageA(main, WM_USER + 102, 10, 0);
    program.Sync();
    EXPECT_EQ(OpenPopupMenu(program.Pid()), nullptr);
    EXPECT_EQ(LabelText(main, 2), "Up12");
}

TEST_F(WindowTest, CloseEscapeAndTheTrayIconHideAndShow) {
    Program program("");
    HWND main = program.Main();
    ASSERT_NE(main, nullptr);
    HWND summary = program.SummaryWindow();
    ASSERT_NE(summary, nullptr);

    ::PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitFor([&] { return !::IsWindowVisible(main) && !::IsWindowVisible(summary); }));
    EXPECT_FALSE(program.HasEnded());
    EXPECT_TRUE(HasTrayIcon(main));
    ::PostMessageA(main, kTrayCallbackMessage, kTrayIconId, WM_LBUTTONDOWN);
    EXPECT_TRUE(WaitFor([&] { return ::IsWindowVisible(main) && ::IsWindowVisible(summary); }));

    PressButton(main, IDCANCEL);  // Escape
    EXPECT_TRUE(WaitFor([&] { return !::IsWindowVisible(main); }));
    // Left beyond the screen, it comes back flush with the bottom-right corner.
    RECT before{};
    ::GetWindowRect(main, &before);
    ::SetWindowPos(main, nullptr, 3000, 2500, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    program.Command(ID_TRAY_SHOW_HIDE);
    EXPECT_TRUE(WaitFor([&] { return ::IsWindowVisible(main) != FALSE; }));
    // The window is moved right after it shows, in the same command.
    program.Sync();
    RECT after{};
    ::GetWindowRect(main, &after);
    EXPECT_EQ(after.right, ::GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(after.bottom, ::GetSystemMetrics(SM_CYSCREEN));
    EXPECT_EQ(after.right - after.left, before.right - before.left);

    PressButton(main, IDOK);  // Enter does nothing
    program.Sync();
    EXPECT_TRUE(::IsWindowVisible(main));
}

TEST_F(WindowTest, AboutBoxAndTheStartUpEntry) {
    DeleteValue(HKEY_LOCAL_MACHINE, kRunKey, "Gripdeck");
    Program program("");
    ASSERT_NE(program.Main(), nullptr);
    program.Command(ID_APP_ABOUT);
    HWND about = WaitForDialog(program.Pid(), "About Gripdeck");
    ASSERT_NE(about, nullptr);
    PressButton(about, IDOK);
    EXPECT_TRUE(WaitFor([&] { return !::IsWindow(about); }));

    program.Command(ID_OPTIONS_LAUNCH_ON_STARTUP);
    program.Sync();
    EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kRunKey, "Gripdeck").value_or(""),
              Quoted(ProgramPath()) + " -1");
    program.Command(ID_OPTIONS_LAUNCH_ON_STARTUP);
    program.Sync();
    EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kRunKey, "Gripdeck").value_or("missing"), "");
    DeleteValue(HKEY_LOCAL_MACHINE, kRunKey, "Gripdeck");
}

}  // namespace
}  // namespace gd::apptest
