// The program's life around the user's session: the tray, a "-1" start,
// Explorer restarting, the end of the session and the start-up entry; and
// the multi layers editor keeping a typed name.
#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <thread>

#include "app_test_support.h"
#include "editors/multi_layer_dlg.h"
#include "support/win_test_support.h"

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

TEST_F(SessionTest, ExitFromTheTrayStoresTheSummaryWindowTheUserSaw) {
    Program program("");
    HWND main = program.Main();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(::IsWindowVisible(program.SummaryWindow()));
    ClickTray(main);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindowVisible(main); }));
    program.Command(ID_APP_EXIT);
    ASSERT_TRUE(program.WaitForEnd());
    EXPECT_EQ(ReadDword(HKEY_CURRENT_USER, kSettings, "Summary").value_or(9), 1u);
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

    program.Command(ID_FILE_NEW);
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

// The multi layers editor in this process, rows picked with the pointer.
class MultiLayerNameTest : public ::testing::Test {
  protected:
    void PointAt(int row) {
        CListCtrl list(dlg.GetDlgItem(IDC_LAYER_LIST));
        RECT item{LVIR_BOUNDS, 0, 0, 0};
        list.SendMessage(LVM_GETITEMRECT, static_cast<WPARAM>(row),
                         reinterpret_cast<LPARAM>(&item));
        POINT point{item.left + 10, (item.top + item.bottom) / 2};
        ::ClientToScreen(list, &point);
        ::SetCursorPos(point.x, point.y);
    }
    void Notify(UINT code) {
        NMHDR notice{dlg.GetDlgItem(IDC_LAYER_LIST), IDC_LAYER_LIST, code};
        dlg.SendMessage(WM_NOTIFY, IDC_LAYER_LIST, reinterpret_cast<LPARAM>(&notice));
    }
    std::string Name() const { return dlg.GetDlgItem(IDC_RECORD_NAME).GetWindowText(); }

    CMultiLayerDlg dlg;
};

TEST_F(MultiLayerNameTest, ATypedNameOutlivesLayerCommandsAndEditsUntilOk) {
    auto record = std::make_unique<MultiLayerRecord>();
    std::memset(record.get(), 0, sizeof *record);
    WriteName(record->name, "Stored");
    record->layerCount = 2;
    record->layers[0].layerType = record->layers[1].layerType = LayerType::Key;
    record->layers[0].action.code = 0x0100001E;
    record->layers[1].action.code = 0x0110001E;
    dlg.LoadRecord(*record);
    ASSERT_TRUE(dlg.Create(nullptr));
    dlg.ShowWindow(SW_SHOW);
    test::PumpMessages();
    dlg.GetDlgItem(IDC_RECORD_NAME).SetWindowText("Typed");

    // A menu command on the free row: the menu is closed as Escape would,
    // then its command arrives as choosing it sends it.
    PointAt(2);
    std::thread closer([] {
        for (int i = 0; i < 2000; ++i) {
            HWND menu = ::FindWindowA("#32768", nullptr);
            if (menu != nullptr && ::IsWindowVisible(menu)) {
                ::PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
                return;
            }
            ::Sleep(2);
        }
    });
    Notify(NM_RCLICK);
    closer.join();
    dlg.SendMessage(WM_COMMAND, ID_STOP_KEY, 0);
    ASSERT_EQ(dlg.Record().layerCount, 3u);
    EXPECT_EQ(Name(), "Typed");

    // A double-click edit of a key row, confirmed.
    PointAt(0);
    test::InsideModalLoop answered(
        [] {}, [] { return ::FindWindowA("#32770", "Please press a single key"); }, IDC_ACCEPT);
    Notify(NM_DBLCLK);
    EXPECT_TRUE(answered.ran());
    EXPECT_EQ(Name(), "Typed");

    dlg.GetDlgItem(IDC_OK).SendMessage(BM_CLICK);
    test::PumpMessages();
    dlg.StoreRecord(*record);
    EXPECT_EQ(ReadText(record->name), "Typed");
}

}  // namespace
}  // namespace gd::apptest
