// The driver link against the simulated pad (padsim): a kernel driver that
// Wine runs as the service velqorgpx and that records the profile it reads
// when its interface is opened. padsimctl.exe, padsim.sys and the two setup
// information files sit beside this executable in the win64 build.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "driverlink/driver_host_win.h"
#include "driverlink/driver_link.h"
#include "driverlink/driver_texts.h"
#include "fw/handle.h"
#include "profile/profile_file.h"
#include "win/driverlink_win_support.h"

namespace gd {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// Bounds for waiting on Wine's driver; only a broken setup reaches them.
constexpr DWORD kPadsimLimitMs = 60000;
constexpr int kRecordPolls = 400;
constexpr DWORD kPollMs = 50;

std::string DefaultText(unsigned id) {
    return DefaultDriverLinkText(id);
}

using testing::DriversFolder;
using testing::DriverStateScope;
using testing::FillProfile;
using testing::ReadPackageBytes;
using testing::RecordingHost;
using testing::StandInMainWindow;

std::string ExeFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of('\\'));
}

bool FileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Sent broadcasts reach this thread's windows only while it pumps.
void PumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// Runs padsimctl.exe with one command; its exit code, or -1.
int Padsim(const std::string& command) {
    std::string line = "\"" + ExeFolder() + "\\padsimctl.exe\" " + command;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return -1;
    }
    const UniqueFile processHandle(process.hProcess);
    const UniqueFile threadHandle(process.hThread);
    const DWORD deadline = GetTickCount() + kPadsimLimitMs;
    for (;;) {
        const DWORD wait =
            MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, kPollMs, QS_ALLINPUT);
        if (wait == WAIT_OBJECT_0) {
            break;
        }
        PumpMessages();
        if (static_cast<LONG>(GetTickCount() - deadline) > 0) {
            TerminateProcess(process.hProcess, 1);
            return -1;
        }
    }
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    return static_cast<int>(code);
}

// The driver's record as key -> value; nothing until it exists.
std::optional<std::map<std::string, std::string>> ReadRecord() {
    std::vector<std::uint8_t> bytes;
    if (!ReadWholeFile(DriversFolder() + "\\padsim-record.txt", 1 << 16, bytes) || bytes.empty()) {
        return std::nullopt;
    }
    std::map<std::string, std::string> record;
    std::istringstream lines(std::string(bytes.begin(), bytes.end()));
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        const std::size_t equals = line.find('=');
        if (equals != std::string::npos) {
            record[line.substr(0, equals)] = line.substr(equals + 1);
        }
    }
    return record;
}

// The driver handles the open a moment after CreateFileA returns.
std::optional<std::map<std::string, std::string>> WaitForRecord() {
    for (int poll = 0; poll < kRecordPolls; ++poll) {
        if (auto record = ReadRecord()) {
            return record;
        }
        PumpMessages();
        Sleep(kPollMs);
    }
    return std::nullopt;
}

// CRC-32 as zlib computes it, the digest the driver records.
std::string Crc32Hex(const void* data, std::size_t size) {
    std::uint32_t crc = 0xFFFFFFFF;
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    for (std::size_t i = 0; i < size; ++i) {
        crc ^= bytes[i];
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
    }
    char text[9];
    std::snprintf(text, sizeof text, "%08x", crc ^ 0xFFFFFFFFu);
    return text;
}

// Keeps the user's InstallDir and the current directory as the test found them.
class InstallDirScope {
  public:
    explicit InstallDirScope(const std::string& folder) {
        char current[MAX_PATH] = {};
        GetCurrentDirectoryA(sizeof current, current);
        currentDirectory_ = current;
        RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        key_.put(), nullptr);
        char old[kInstallDirBytes] = {};
        DWORD size = sizeof old;
        DWORD type = 0;
        if (RegQueryValueExA(key_.get(), kInstallDirValue, nullptr, &type,
                             reinterpret_cast<BYTE*>(old), &size) == ERROR_SUCCESS) {
            old_ = std::string(old, strnlen(old, sizeof old));
        }
        RegSetValueExA(key_.get(), kInstallDirValue, 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(folder.c_str()),
                       static_cast<DWORD>(folder.size() + 1));
    }
    ~InstallDirScope() {
        if (old_) {
            RegSetValueExA(key_.get(), kInstallDirValue, 0, REG_SZ,
                           reinterpret_cast<const BYTE*>(old_->c_str()),
                           static_cast<DWORD>(old_->size() + 1));
        } else {
            RegDeleteValueA(key_.get(), kInstallDirValue);
        }
        SetCurrentDirectoryA(currentDirectory_.c_str());
    }
    InstallDirScope(const InstallDirScope&) = delete;
    InstallDirScope& operator=(const InstallDirScope&) = delete;

  private:
    UniqueKey key_;
    std::optional<std::string> old_;
    std::string currentDirectory_;
};

class DriverLinkPadsimTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!FileExists(ExeFolder() + "\\padsimctl.exe")) {
            GTEST_SKIP() << "padsimctl.exe is not beside the tests";
        }
    }
    void TearDown() override {
        if (!IsSkipped()) {
            EXPECT_EQ(Padsim("unplug"), 0);
        }
    }

    DriverStateScope driverState;
    std::unique_ptr<ProfileState> state = std::make_unique<ProfileState>();
    RecordingHost host;
    DriverLink link{*state, host};
};

TEST_F(DriverLinkPadsimTest, PluggedPadTakesTheProfileJustPublished) {
    ASSERT_EQ(Padsim("plug"), 0);
    EXPECT_TRUE(link.IsDevicePresent(false));
    EXPECT_TRUE(link.IsPadPluggedIn());

    ASSERT_EQ(Padsim("clear-record"), 0);
    FillProfile(*state, 0x40);
    const PublishResult result = link.PublishProfile();
    EXPECT_TRUE(result.packageWritten);
    EXPECT_TRUE(result.valuesWritten);
    EXPECT_TRUE(result.deviceOpened);

    const auto record = WaitForRecord();
    ASSERT_TRUE(record.has_value()) << "the driver wrote no record";
    EXPECT_EQ(record->at("package_value"), "\\??\\" + DriversFolder() + "\\velqorgpx.pkg");
    EXPECT_EQ(record->at("resolution"), "0x05000400 (1280x1024)");
    EXPECT_EQ(record->at("size"), "151496");
    EXPECT_EQ(record->at("profile"), "taken");
    EXPECT_EQ(record->at("image_crc32"), Crc32Hex(&state->image, sizeof state->image));
    EXPECT_THAT(host.events, IsEmpty());
}

TEST_F(DriverLinkPadsimTest, UnpluggedPadIsAbsentButPublishingWritesPackageAndValues) {
    ASSERT_EQ(Padsim("setup"), 0);  // the service key exists, as after a first install
    ASSERT_EQ(Padsim("unplug"), 0);
    EXPECT_FALSE(link.IsDevicePresent(false));
    EXPECT_FALSE(link.IsDevicePresent(true));  // nothing plugged in: nothing to reinstall
    EXPECT_FALSE(link.IsPadPluggedIn());

    FillProfile(*state, 0x11);
    const PublishResult result = link.PublishProfile();

    EXPECT_TRUE(result.packageWritten);
    EXPECT_TRUE(result.valuesWritten);
    EXPECT_FALSE(result.deviceOpened);
    EXPECT_EQ(ReadPackageBytes(), EncodePackage(state->image, state->summary));
    EXPECT_THAT(host.events, IsEmpty());
}

TEST_F(DriverLinkPadsimTest, PadWithoutItsDriverIsReinstalledWhenAsked) {
    ASSERT_EQ(Padsim("plug-nodriver"), 0);
    InstallDirScope installDir(ExeFolder());
    StandInMainWindow mainWindow;
    host.SetMainWindow(mainWindow.get());
    EXPECT_FALSE(link.IsDevicePresent(false));
    EXPECT_TRUE(link.IsPadPluggedIn());
    EXPECT_EQ(StandInMainWindow::shown, 0);

    const bool present = link.IsDevicePresent(true);

    // The hidden window is brought up before the outcome is shown.
    EXPECT_EQ(StandInMainWindow::shown, 1);
    EXPECT_TRUE(present);
    EXPECT_THAT(host.events, ElementsAre("notify", DefaultText(kReinstallDoneString)));
    // The installed driver starts on the pad and brings up both interfaces.
    bool online = false;
    for (int poll = 0; poll < kRecordPolls && !online; ++poll) {
        PumpMessages();
        online = link.IsDevicePresent(false);
        if (!online) {
            Sleep(kPollMs);
        }
    }
    EXPECT_TRUE(online);
    // Installing from InstallDir made it the current directory.
    char current[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof current, current);
    EXPECT_STRCASEEQ(current, ExeFolder().c_str());
}

TEST_F(DriverLinkPadsimTest, ReinstallCommandWithoutThePadShowsMessage57) {
    ASSERT_EQ(Padsim("unplug"), 0);

    link.ReinstallDriverCommand();

    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].text, DefaultText(kPadNotFoundString));
    EXPECT_EQ(host.boxes[0].flags, static_cast<UINT>(MB_OK | MB_ICONSTOP));
}

}  // namespace
}  // namespace gd
