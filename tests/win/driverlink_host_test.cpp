// The driver link on its Windows host: the main window and message boxes; then the simulated pad
// (padsimctl.exe beside this executable), whose driver records what it takes, for detection,
// publishing and the driver's reinstallation.
#include <gtest/gtest.h>

#include <windows.h>
#include <dbt.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "driverlink/driver_host_win.h"
#include "driverlink/driver_link.h"
#include "fw/handle.h"
#include "profile/profile_file.h"
#include "string_table.h"
#include "support/padsim_support.h"

namespace gd {
namespace {

// What a driver link publishes: zero bytes unless a test writes some.
struct PublishedProfile {
    ProfileImage image;
    SummaryBlock summary;
};

// Every box is recorded instead of waiting for a click.
class RecordingHost : public WinDriverHost {
  public:
    using WinDriverHost::WinDriverHost;

    struct Box {
        HWND owner;
        std::string text;
        std::string caption;
        UINT flags;
    };
    std::vector<Box> boxes;

  protected:
    int RunMessageBox(HWND owner, const std::string& text, const std::string& caption,
                      UINT flags) override {
        boxes.push_back({owner, text, caption, flags});
        return IDOK;
    }
};

// A hidden top-level window: counts the WM_USER+1 that brings up the main window, and
// the DBT_DEVNODES_CHANGED notices on which the main window re-checks the pad.
class StandInMainWindow {
  public:
    StandInMainWindow() {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = Proc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "DriverLinkStandInMain";
        RegisterClassA(&windowClass);  // fails harmlessly once registered
        window_.reset(CreateWindowExA(0, windowClass.lpszClassName, "Gripdeck", WS_OVERLAPPED, 0, 0,
                                      100, 100, nullptr, nullptr, windowClass.hInstance, nullptr));
        shown = devNodesChanged = 0;
    }
    HWND get() const { return window_.get(); }
    void Destroy() { window_.reset(); }

    static inline int shown = 0;
    static inline int devNodesChanged = 0;

  private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_USER + 1) {
            ++shown;
            return 0;
        }
        if (message == WM_DEVICECHANGE && wParam == DBT_DEVNODES_CHANGED) {
            ++devNodesChanged;
            return TRUE;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }

    UniqueWindow window_;
};

std::string PackageFilePath() {
    return padsim::DriversFolder() + "\\velqorgpx.pkg";
}

// Every test starts and ends without a package and without the driver's two values.
class DriverLinkWinTest : public ::testing::Test {
  protected:
    DriverLinkWinTest() {
        auto* bytes = reinterpret_cast<std::uint8_t*>(&state->image);
        for (std::size_t i = 0; i < sizeof state->image; ++i) {
            bytes[i] = static_cast<std::uint8_t>((i >> 3) * 7 + 0x40);
        }
        state->summary.resolution = 0x05000400;
        Clean();
    }
    ~DriverLinkWinTest() override { Clean(); }

    static void Clean() {
        DeleteFileA(PackageFilePath().c_str());
        RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kServiceKey, kPackageValue);
        RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kServiceKey, kResolutionValue);
    }

    std::unique_ptr<PublishedProfile> state = std::make_unique<PublishedProfile>();
    RecordingHost host;
    DriverLink link{host};
};

TEST_F(DriverLinkWinTest, OnlyALiveMainWindowIsNotifiedOrOwnsABox) {
    host.NotifyMainWindow();  // no window yet: nothing to send to
    StandInMainWindow window;
    const HWND main = window.get();
    host.SetMainWindow(main, [main] { SendMessageA(main, WM_USER + 1, 0, 0); });
    host.NotifyMainWindow();
    EXPECT_EQ(StandInMainWindow::shown, 1);

    host.ShowMessage(kPadNotFoundString, MessageOwner::MainWindow, MessageIcon::Stop, {});
    host.ShowMessage(kReinstallDoneString, MessageOwner::None, MessageIcon::None, {});
    window.Destroy();
    host.NotifyMainWindow();
    host.ShowMessage(kPadNotFoundString, MessageOwner::MainWindow, MessageIcon::Stop, {});

    EXPECT_EQ(StandInMainWindow::shown, 1);
    ASSERT_EQ(host.boxes.size(), 3u);
    EXPECT_EQ(host.boxes[0].owner, main);
    EXPECT_EQ(host.boxes[0].flags, static_cast<UINT>(MB_OK | MB_ICONSTOP));
    EXPECT_EQ(host.boxes[0].text, FindString(kPadNotFoundString));
    EXPECT_EQ(host.boxes[1].owner, nullptr);
    EXPECT_EQ(host.boxes[1].flags, static_cast<UINT>(MB_OK));
    EXPECT_EQ(host.boxes[2].owner, nullptr);  // a destroyed main window owns nothing
    EXPECT_EQ(host.boxes[2].caption, "Gripdeck");
}

// Texts come from the source, the built-in ones standing in for what it lacks; a failed
// reinstall names the setup file on a line of its own.
TEST(DriverLinkWinHostTest, TextsComeFromTheSourceAndAFailureNamesTheSetupFile) {
    RecordingHost translated(
        [](unsigned id) { return id == kReinstallDoneString ? "Fertig." : std::string(); });
    translated.ShowMessage(kReinstallDoneString, MessageOwner::None, MessageIcon::None, {});
    RecordingHost host;
    host.ShowMessage(kReinstallFailedString, MessageOwner::None, MessageIcon::Stop,
                     "D:\\Gone\\vlqrgpxkb.inf");
    ASSERT_EQ(translated.boxes.size(), 1u);
    EXPECT_EQ(translated.boxes[0].text, "Fertig.");
    EXPECT_EQ(translated.boxes[0].caption, FindString(kCaptionString));
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].text,
              "Your Gripdeck device has been resetuped failed, please reinstall it.\n"
              "Can't open the file D:\\Gone\\vlqrgpxkb.inf. Please verify it again.");
}

// An installer may write InstallDir as REG_EXPAND_SZ: the reinstall works in,
// and a failure names, the folder its variables give.
TEST_F(DriverLinkWinTest, AnExpandableInstallDirIsTakenWithItsVariablesExpanded) {
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof temp, temp);
    const std::string folder = std::string(temp) + "gripdeck expanded setup";
    CreateDirectoryA(folder.c_str(), nullptr);
    ASSERT_TRUE(SetEnvironmentVariableA("GRIPDECK_SETUP_FOLDER", folder.c_str()));
    const std::string installDir = "%GRIPDECK_SETUP_FOLDER%";
    char before[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof before, before);
    ASSERT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, kSettingsKey, kInstallDirValue, REG_EXPAND_SZ,
                              installDir.c_str(), static_cast<DWORD>(installDir.size() + 1)),
              ERROR_SUCCESS);

    // The folder holds no setup files.
    EXPECT_FALSE(link.ReinstallDriver());

    char current[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof current, current);
    EXPECT_STRCASEEQ(current, folder.c_str());
    EXPECT_EQ(host.boxes.size(), 1u);
    for (const RecordingHost::Box& box : host.boxes) {
        EXPECT_NE(box.text.find("Can't open the file " + folder + "\\vlqrgpxkb.inf."),
                  std::string::npos)
            << box.text;
    }
    RegDeleteKeyValueA(HKEY_CURRENT_USER, kSettingsKey, kInstallDirValue);
    SetCurrentDirectoryA(before);
    RemoveDirectoryA(folder.c_str());
    SetEnvironmentVariableA("GRIPDECK_SETUP_FOLDER", nullptr);
}

class DriverLinkPadsimTest : public DriverLinkWinTest {
  protected:
    void SetUp() override {
        if (!padsim::Available()) {
            GTEST_SKIP() << "padsimctl.exe is not beside the tests";
        }
    }
    void TearDown() override {
        if (!IsSkipped()) {
            EXPECT_EQ(padsim::Run("unplug").exitCode, 0);
        }
    }
    static void Set(const char* command) {
        const padsim::Result run = padsim::Run(command);
        ASSERT_EQ(run.exitCode, 0) << command << ": " << run.output;
    }
};

// Every change of state reaches top-level windows, which the main window's re-check of
// the pad relies on; detection follows; plug and unplug work any number of times.
TEST_F(DriverLinkPadsimTest, DetectionAndNoticesFollowThePad) {
    ASSERT_NO_FATAL_FAILURE(Set("unplug"));
    StandInMainWindow window;
    struct Step {
        const char* command;
        const char* state;
        bool present;
        bool pluggedIn;
    };
    for (const Step& step :
         {Step{"plug", "plugged", true, true}, Step{"unplug", "unplugged", false, false},
          Step{"plug-nodriver", "plugged-nodriver", false, true},
          Step{"plug", "plugged", true, true}, Step{"unplug", "unplugged", false, false}}) {
        SCOPED_TRACE(step.command);
        StandInMainWindow::devNodesChanged = 0;
        ASSERT_NO_FATAL_FAILURE(Set(step.command));
        EXPECT_EQ(padsim::State(), step.state);
        EXPECT_EQ(link.IsDevicePresent(false), step.present);
        EXPECT_EQ(link.IsPadPluggedIn(), step.pluggedIn);
        const DWORD begin = GetTickCount();
        while (StandInMainWindow::devNodesChanged == 0 &&
               GetTickCount() - begin < padsim::kRecordLimitMs) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
            padsim::PumpMessages();
        }
        EXPECT_GT(StandInMainWindow::devNodesChanged, 0);
    }
    EXPECT_TRUE(host.boxes.empty());
}

// The driver takes what publishing gives it, package and registry values as the real
// host writes them, and only a whole package: "taken" in a record means it was right.
TEST_F(DriverLinkPadsimTest, TheDriverTakesThePublishedProfileAndOnlyAWholePackage) {
    ASSERT_NO_FATAL_FAILURE(Set("plug"));
    const std::vector<std::uint8_t> longer(200000, 0xEE);  // rewritten, not overwritten
    ASSERT_TRUE(WriteFileInPlace(PackageFilePath(), longer.data(), longer.size()));
    padsim::ClearRecord();
    const PublishResult result = link.PublishProfile(state->image, state->summary);
    EXPECT_TRUE(result.packageWritten && result.valuesWritten && result.deviceOpened);
    const std::string crc = padsim::Crc32Hex(&state->image, sizeof state->image);
    auto record = padsim::AwaitRecord();
    EXPECT_EQ(record["profile"], "taken");
    EXPECT_EQ(record["package_value"], "\\??\\" + PackageFilePath());
    EXPECT_EQ(record["resolution"], "0x05000400 (1280x1024)");
    EXPECT_EQ(record["summary_resolution"], "0x05000400 (1280x1024)");
    EXPECT_EQ(record["image_crc32"], crc);

    const std::vector<std::uint8_t> whole = EncodePackage(state->image, state->summary);
    struct Row {
        const char* name;
        void (*damage)(std::vector<std::uint8_t>&);
        const char* expected;  // record lines
    };
    const Row rows[] = {
        {"bad signature", [](auto& b) { b[3] = 'X'; }, "signature=invalid\nversion=valid"},
        {"bad version", [](auto& b) { b[10] = 2; }, "signature=valid\nversion=invalid"},
        {"truncated", [](auto& b) { b.resize(1000); },
         "size=1000\nimage_crc32=none\nsummary_resolution=none"},
        {"one byte long", [](auto& b) { b.push_back(0); }, "size=151497"},
        {"missing", [](auto& b) { b.clear(); }, "file=missing\nsize=0"},
        {"no values", nullptr, "package_value=none\nresolution=none\nfile=none"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::vector<std::uint8_t> bytes = whole;
        if (row.damage != nullptr) {
            row.damage(bytes);
        } else {
            Clean();
        }
        DeleteFileA(PackageFilePath().c_str());
        if (!bytes.empty()) {
            ASSERT_TRUE(WriteFileInPlace(PackageFilePath(), bytes.data(), bytes.size()));
        }
        padsim::ClearRecord();
        ASSERT_TRUE(host.OpenDevice(host.FirstInterfacePath(kDriverInterfaceA).value_or("")));
        record = padsim::AwaitRecord();
        EXPECT_EQ(record["profile"], "refused");
        for (const auto& [key, value] : padsim::ParseLines(row.expected)) {
            EXPECT_EQ(record[key], value) << key;
        }
    }
}

// From the setup information files beside the program, with no driver service yet.
TEST_F(DriverLinkPadsimTest, APadWithoutItsDriverIsReinstalledAndThenTakesProfiles) {
    ASSERT_NO_FATAL_FAILURE(Set("uninstall"));
    ASSERT_NO_FATAL_FAILURE(Set("plug-nodriver"));
    char before[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof before, before);
    const std::string folder = padsim::ExeFolder();
    RegSetKeyValueA(HKEY_CURRENT_USER, kSettingsKey, kInstallDirValue, REG_SZ, folder.c_str(),
                    static_cast<DWORD>(folder.size() + 1));
    StandInMainWindow mainWindow;
    host.SetMainWindow(mainWindow.get(), [] { ++StandInMainWindow::shown; });

    const bool present = link.IsDevicePresent(true);

    EXPECT_TRUE(present);
    EXPECT_EQ(StandInMainWindow::shown, 1);
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].text, FindString(kReinstallDoneString));
    // The installed driver starts on the pad and brings up both interfaces.
    const DWORD begin = GetTickCount();
    while (!link.IsDevicePresent(false) && GetTickCount() - begin < padsim::kRecordLimitMs) {
        padsim::PumpMessages();
        Sleep(50);
    }
    EXPECT_EQ(padsim::State(), "plugged");
    padsim::ClearRecord();
    EXPECT_TRUE(link.PublishProfile(state->image, state->summary).deviceOpened);
    EXPECT_EQ(padsim::AwaitRecord()["profile"], "taken");
    // Installing from InstallDir made it the current directory.
    char current[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof current, current);
    EXPECT_STRCASEEQ(current, folder.c_str());

    RegDeleteKeyValueA(HKEY_CURRENT_USER, kSettingsKey, kInstallDirValue);
    SetCurrentDirectoryA(before);
}

}  // namespace
}  // namespace gd
