// Profile hotkeys and the tray's "Apply Profile" through the running program and the
// simulated pad: what a hotkey's message and a tray entry put on the pad, and what they
// leave alone.
#include <windows.h>

#include <commctrl.h>

#include <string>

#include "autoswitch/profile_hotkeys_win.h"
#include "support/win_test_support.h"

#include "app_test_support.h"

namespace gd::apptest {
namespace {

constexpr char kHotkeys[] = "Software\\MARVENTA\\Gripdeck\\Hotkeys";
constexpr test::Key kKeyP{'P', 0x19};
constexpr test::Key kReturn{VK_RETURN, 0x1C};

void WriteHotkey(const char* hotkey, const std::string& profile) {
    WriteValue(HKEY_CURRENT_USER, kHotkeys, hotkey, REG_SZ, profile.c_str(),
               static_cast<DWORD>(profile.size() + 1));
}

// What the system posts when the hotkey is pressed.
void PressHotkey(HWND main, UINT modifiers, UINT key) {
    ::PostMessageA(main, WM_HOTKEY, kFirstHotkeyId, MAKELPARAM(modifiers, key));
}

// The CRC of the image in the driver package: what the last publish handed over.
std::string PackageCrc() {
    auto image = std::make_unique<ProfileImage>();
    SummaryBlock summary{};
    if (!ReadPackageFile(PackageFile(), *image, summary)) {
        return "none";
    }
    return Crc32Hex(image.get(), sizeof *image);
}

std::string Crc(const std::string& profile) {
    const ReadBack back = ReadProfile(profile);
    return Crc32Hex(back.image.get(), sizeof *back.image);
}

class HotkeysTest : public AppTest {
  protected:
    void SetUp() override {
        AppTest::SetUp();
        if (!IsSkipped() && !padsim::Available()) {
            GTEST_SKIP() << "padsimctl.exe is not beside the tests";
        }
        if (IsSkipped()) {
            return;
        }
        ASSERT_EQ(Padsim("plug"), 0);
        ASSERT_TRUE(WriteProfile(open_, *MacroProfile("Op", {1})));
        ASSERT_TRUE(WriteProfile(raid_, *MacroProfile("Rd", {2})));
    }
    void TearDown() override {
        if (!IsSkipped()) {
            Padsim("unplug");
        }
    }

    // The program with the open profile in its window, once the pad is found.
    std::unique_ptr<Program> Start(const std::string& arguments) {
        auto program = std::make_unique<Program>(arguments);
        HWND main = program->Main();
        EXPECT_NE(main, nullptr);
        EXPECT_TRUE(WaitFor([&] { return ApplyLook(main) == 1; }, kDeviceLimitMs));
        return program;
    }

    const std::string open_ = Work("hotkeys open profile.gpx");
    const std::string raid_ = Work("Night raid by hotkey.gpx");
};

TEST_F(HotkeysTest, AHotkeyPutsItsProfileOnThePadAndLeavesTheWindowAlone) {
    WriteHotkey("Ctrl+Alt+1", raid_);
    auto program = Start(Quoted(open_));
    HWND main = program->FindMain();
    const std::string title = WindowText(main);
    // Registered with the system: no other program gets the same hotkey now.
    EXPECT_FALSE(::RegisterHotKey(nullptr, 1, MOD_CONTROL | MOD_ALT, '1'));

    padsim::ClearRecord();
    PressHotkey(main, MOD_CONTROL | MOD_ALT, '1');
    const std::string raidCrc = Crc(raid_);
    EXPECT_TRUE(WaitFor([&] { return RecordField("image_crc32") == raidCrc; }, kDeviceLimitMs))
        << RecordField("image_crc32").value_or("no record");
    program->Sync();
    EXPECT_EQ(LabelText(main, 1), "Op1");
    EXPECT_EQ(WindowText(main), title);
    EXPECT_EQ(StatusText(main),
              "Pad connected. Night raid by hotkey.gpx, applied by hotkey Ctrl+Alt+1");
}

TEST_F(HotkeysTest, AHotkeyWhoseProfileIsMissingOrBrokenChangesNothingOnThePad) {
    const std::string broken = Work("broken hotkey profile.gpx");
    {
        FILE* file = std::fopen(broken.c_str(), "wb");
        ASSERT_NE(file, nullptr);
        std::fputs("VQR  GPX and then nothing a profile holds", file);
        std::fclose(file);
    }
    WriteHotkey("Ctrl+Alt+2", Work("no such hotkey profile.gpx"));
    WriteHotkey("Ctrl+Alt+3", broken);
    auto program = Start(Quoted(open_));
    HWND main = program->FindMain();
    ClickControl(main, IDC_APPLY);
    const std::string openCrc = Crc(open_);
    ASSERT_TRUE(WaitFor([&] { return PackageCrc() == openCrc; }, kDeviceLimitMs));
    const std::string status = StatusText(main);

    PressHotkey(main, MOD_CONTROL | MOD_ALT, '2');
    PressHotkey(main, MOD_CONTROL | MOD_ALT, '3');
    program->Sync();
    EXPECT_EQ(PackageCrc(), openCrc);
    EXPECT_EQ(StatusText(main), status);
    EXPECT_FALSE(program->HasEnded());
}

// gpxtool or a script changes the hotkeys while the program runs: the change is taken
// without a restart, and a hotkey another program holds is said to be held, and kept.
TEST_F(HotkeysTest, ChangedHotkeysAreTakenAtOnceAndAHeldOneIsReportedAndKept) {
    auto program = Start(Quoted(open_));
    HWND main = program->FindMain();

    WriteHotkey("Ctrl+Alt+Shift+F7", raid_);
    const std::string raidCrc = Crc(raid_);
    EXPECT_TRUE(WaitFor([&] {
        PressHotkey(main, MOD_CONTROL | MOD_ALT | MOD_SHIFT, VK_F7);
        program->Sync();
        return PackageCrc() == raidCrc;
    }));

    // This test's thread holds Ctrl+Alt+Shift+F8 before it is set in the dialog.
    ASSERT_TRUE(::RegisterHotKey(nullptr, 7, MOD_CONTROL | MOD_ALT | MOD_SHIFT, VK_F8));
    program->Command(ID_OPTIONS_HOTKEYS);
    HWND dialog = WaitForDialog(program->Pid(), "Profile Hotkeys");
    ASSERT_NE(dialog, nullptr);
    ::SendMessageA(::GetDlgItem(dialog, IDC_HOTKEY_KEY), HKM_SETHOTKEY,
                   MAKEWORD(VK_F8, HOTKEYF_CONTROL | HOTKEYF_ALT | HOTKEYF_SHIFT), 0);
    SetField(dialog, IDC_HOTKEY_PROFILE, raid_);
    PressButton(dialog, IDC_HOTKEY_ADD);
    EXPECT_TRUE(WaitFor([&] {
        return ControlText(::GetDlgItem(dialog, IDC_HOTKEY_NOTE)) ==
               "Ctrl+Alt+Shift+F8 is set, but another program holds it: it works once that "
               "program lets it go.";
    })) << ControlText(::GetDlgItem(dialog, IDC_HOTKEY_NOTE));
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kHotkeys, "Ctrl+Alt+Shift+F8").value_or(""), raid_);
    ::UnregisterHotKey(nullptr, 7);

    // A key that types is refused, with the reason, and nothing is written.
    ::SendMessageA(::GetDlgItem(dialog, IDC_HOTKEY_KEY), HKM_SETHOTKEY, MAKEWORD('Q', 0), 0);
    PressButton(dialog, IDC_HOTKEY_ADD);
    EXPECT_TRUE(WaitFor([&] {
        return ControlText(::GetDlgItem(dialog, IDC_HOTKEY_NOTE)) ==
               "Q: needs Ctrl, Alt or Win, unless its key is a function key";
    })) << ControlText(::GetDlgItem(dialog, IDC_HOTKEY_NOTE));
    EXPECT_FALSE(ReadString(HKEY_CURRENT_USER, kHotkeys, "Q").has_value());
    PressButton(dialog, IDCANCEL);
    EXPECT_TRUE(WaitFor([&] { return !::IsWindow(dialog); }));
}

// The tray's "Apply Profile" lists the recent files; one chosen goes on the pad while
// the window stays hidden and keeps its profile.
TEST_F(HotkeysTest, TheTraysApplyProfileAppliesARecentProfileWithoutTheWindow) {
    WriteSetting("Recent00", raid_);
    auto program = Start("-1");
    HWND main = program->FindMain();
    ASSERT_TRUE(WaitFor([&] { return !::IsWindowVisible(main); }));
    const std::string labelBefore = LabelText(main, 0);

    padsim::ClearRecord();
    ::PostMessageA(main, kTrayCallbackMessage, kTrayIconId, WM_RBUTTONUP);
    HWND trayMenu = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (trayMenu = OpenPopupMenu(program->Pid())) != nullptr; }));
    // The window is hidden and holds no keyboard: the keys go to the menu's own loop.
    ::PostMessageA(trayMenu, WM_CHAR, 'p', MAKELPARAM(1, kKeyP.scan));
    // "Apply Profile" opens with its first entry chosen (Wine shows no menu's items
    // to another process: the entry's name is seen in a screenshot).
    ASSERT_TRUE(WaitFor([&] { return TopLevelWindows(program->Pid(), "#32768").size() == 2; }));
    ::PostMessageA(trayMenu, WM_KEYDOWN, VK_RETURN, MAKELPARAM(1, kReturn.scan));

    const std::string raidCrc = Crc(raid_);
    EXPECT_TRUE(WaitFor([&] { return RecordField("image_crc32") == raidCrc; }, kDeviceLimitMs))
        << RecordField("image_crc32").value_or("no record");
    program->Sync();
    EXPECT_FALSE(::IsWindowVisible(main));
    EXPECT_EQ(LabelText(main, 0), labelBefore);
    EXPECT_EQ(StatusText(main), "Pad connected. Night raid by hotkey.gpx, applied by you");
}

}  // namespace
}  // namespace gd::apptest
