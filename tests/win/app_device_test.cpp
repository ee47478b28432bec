// OK, APPLY and the pad through the running program: publishing, APPLY's look following
// the simulated pad, and recent profiles from the tray menu.
#include <cstring>

#include "app/device_watcher.h"
#include "app/gripdeck_dlg.h"
#include "app_test_support.h"

namespace gd::apptest {
namespace {

// Every test drives the simulated pad, unplugged at first.
class DeviceTest : public AppTest {
  protected:
    void SetUp() override {
        AppTest::SetUp();
        if (!IsSkipped() && !padsim::Available()) {
            GTEST_SKIP() << "padsimctl.exe is not beside the test executable";
        }
        if (!IsSkipped()) {
            ASSERT_EQ(Padsim("unplug"), 0);
        }
    }
    void TearDown() override {
        if (!IsSkipped()) {
            Padsim("unplug");
        }
    }
};

// The program re-checks the pad on a timer 5 seconds after a device-change notice; the
// test fires that timer at once instead of waiting it out.
void RecheckThePad(HWND main) {
    ::PostMessageA(main, WM_TIMER, DeviceWatcher::kDeviceCheckTimer, 0);
}

// The tray menu's first recent entry, chosen with the keyboard: Show/Hide,
// About, Recent Files, then the entry.
void ChooseFirstRecentFromTray(const Program& program) {
    ::PostMessageA(program.FindMain(), kTrayCallbackMessage, kTrayIconId, WM_RBUTTONUP);
    HWND menu = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (menu = OpenPopupMenu(program.Pid())) != nullptr; }));
    for (int i = 0; i < 4; ++i) {
        ::PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
    }
    ::PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
}

// The end-to-end flow: APPLY is drawn disabled and takes no click until the pad is found;
// then it publishes and the pad's driver takes the profile; OK publishes and hides.
TEST_F(DeviceTest, ApplyFollowsThePadAndTheDriverTakesTheProfile) {
    const std::string path = Work("apply.gpx");
    auto image = MacroProfile("Ap", {2, 13});
    ASSERT_TRUE(WriteProfile(path, *image, "apply", 0x03200258));
    Program program(Quoted(path));
    HWND main = program.Main();
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(ApplyLook(main), 0);
    ClickControl(main, IDC_APPLY);
    program.Sync();
    EXPECT_FALSE(FileExists(PackageFile()));

    ASSERT_EQ(Padsim("plug"), 0);
    RecheckThePad(main);
    ASSERT_TRUE(WaitFor([&] { return ApplyLook(main) == 1; }));
    padsim::ClearRecord();
    ClickControl(main, IDC_APPLY);
    ASSERT_TRUE(WaitFor([] { return RecordField("profile").has_value(); }, kDeviceLimitMs));
    EXPECT_EQ(RecordField("profile").value_or(""), "taken");
    EXPECT_EQ(RecordField("image_crc32").value_or(""), Crc32Hex(image.get(), sizeof *image));
    EXPECT_EQ(RecordField("resolution").value_or("").rfind("0x03200258", 0), 0u);
    EXPECT_TRUE(::IsWindowVisible(main));

    ASSERT_EQ(Padsim("unplug"), 0);
    RecheckThePad(main);
    EXPECT_TRUE(WaitFor([&] { return ApplyLook(main) == 0; }));
    ::DeleteFileA(PackageFile().c_str());
    ClickControl(main, IDC_OK);
    EXPECT_TRUE(WaitFor([&] { return !::IsWindowVisible(main); }));
    auto published = std::make_unique<ProfileImage>();
    SummaryBlock summary{};
    ASSERT_TRUE(ReadPackageFile(PackageFile(), *published, summary));
    EXPECT_EQ(std::memcmp(published.get(), image.get(), sizeof(ProfileImage)), 0);
    EXPECT_EQ(ReadText(summary.name), "apply");
}

// The status line says why APPLY is greyed, and what APPLY did: a short "Applied" that
// ends by itself, then the profile on the pad and that the user put it there.
TEST_F(DeviceTest, TheStatusLineShowsThePadAndTheProfileApplyPutOnIt) {
    const std::string path = Work("status line.gpx");
    ASSERT_TRUE(WriteProfile(path, *MacroProfile("St", {4}), "status line"));
    // Plugged in before the start, whose check installs no driver.
    ASSERT_EQ(Padsim("plug-nodriver"), 0);
    Program program(Quoted(path));
    HWND main = program.Main();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(Shows(main, IDC_PAD_STATUS));
    EXPECT_EQ(StatusText(main), "Pad plugged in without its driver: APPLY is off");
    EXPECT_EQ(ApplyLook(main), 0);

    ASSERT_EQ(Padsim("plug"), 0);
    RecheckThePad(main);
    ASSERT_TRUE(WaitFor([&] { return StatusText(main) == "Pad connected"; })) << StatusText(main);
    ClickControl(main, IDC_APPLY);
    // Seen as soon as it shows: the note stays for seconds, longer than
    // any wait here but a stalled machine's.
    EXPECT_TRUE(WaitFor([&] { return StatusText(main) == "Applied to the pad: status line.gpx"; }))
        << StatusText(main);
    // The note's timer, fired now rather than waited out.
    ::PostMessageA(main, WM_TIMER, CGripdeckDlg::kAppliedTimer, 0);
    program.Sync();
    EXPECT_EQ(StatusText(main), "Pad connected. status line.gpx, applied by you");

    ASSERT_EQ(Padsim("unplug"), 0);
    RecheckThePad(main);
    EXPECT_TRUE(WaitFor([&] {
        return StatusText(main) ==
               "Pad not plugged in: APPLY is off. status line.gpx, applied by you";
    })) << StatusText(main);
    EXPECT_EQ(ApplyLook(main), 0);
}

// With the pad a recent profile is applied at once and the window stays hidden; without
// it, the profile is only opened, with a message.
TEST_F(DeviceTest, ARecentProfileFromTheTrayIsAppliedOnlyWhenThePadIsThere) {
    const std::string path = Work("tray apply.gpx");
    auto image = MacroProfile("Tr", {7});
    ASSERT_TRUE(WriteProfile(path, *image));
    WriteSetting("Recent00", path);
    ASSERT_EQ(Padsim("plug"), 0);
    padsim::ClearRecord();
    Program program("-1");
    HWND main = program.Main();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindowVisible(main); }));
    EXPECT_EQ(ApplyLook(main), 1);  // found at start
    ChooseFirstRecentFromTray(program);
    ASSERT_TRUE(WaitFor([&] { return WindowText(main) == "Gripdeck: tray apply.gpx"; }));
    ASSERT_TRUE(WaitFor([] { return RecordField("profile").has_value(); }, kDeviceLimitMs));
    EXPECT_EQ(RecordField("image_crc32").value_or(""), Crc32Hex(image.get(), sizeof *image));
    EXPECT_FALSE(::IsWindowVisible(main));

    ASSERT_EQ(Padsim("unplug"), 0);
    RecheckThePad(main);
    ASSERT_TRUE(WaitFor([&] { return ApplyLook(main) == 0; }));
    ::DeleteFileA(PackageFile().c_str());
    ChooseFirstRecentFromTray(program);
    HWND box = WaitForDialog(program.Pid(), kVersionCaption);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageText(box),
              "Can't find Gripdeck installed device, please plugin this device to do it again.");
    PressButton(box, IDOK);
    EXPECT_EQ(WindowText(main), "Gripdeck: tray apply.gpx");
    EXPECT_EQ(LabelText(main, 7), "Tr7");
    EXPECT_FALSE(FileExists(PackageFile()));
}

}  // namespace
}  // namespace gd::apptest
