#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "driverlink/driver_host_win.h"
#include "driverlink/driver_link.h"
#include "fw/handle.h"
#include "profile/profile_file.h"
#include "win/driverlink_win_support.h"

namespace gd {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

using testing::DriverStateScope;
using testing::FillProfile;
using testing::PackageFilePath;
using testing::ReadPackageBytes;
using testing::RecordingHost;
using testing::StandInMainWindow;

struct RegistryValue {
    DWORD type = REG_NONE;
    std::vector<std::uint8_t> data;
};

RegistryValue QueryValue(HKEY root, const char* subkey, const char* name) {
    RegistryValue value;
    UniqueKey key;
    if (RegOpenKeyExA(root, subkey, 0, KEY_QUERY_VALUE, key.put()) != ERROR_SUCCESS) {
        ADD_FAILURE() << "no key " << subkey;
        return value;
    }
    DWORD size = 0;
    if (RegQueryValueExA(key.get(), name, nullptr, &value.type, nullptr, &size) != ERROR_SUCCESS) {
        ADD_FAILURE() << "no value " << name;
        return value;
    }
    value.data.resize(size);
    RegQueryValueExA(key.get(), name, nullptr, &value.type, value.data.data(), &size);
    value.data.resize(size);
    return value;
}

// Makes the service key for the test when the driver's setup has not, and
// takes it away again afterwards.
class ServiceKeyScope {
  public:
    ServiceKeyScope() {
        DWORD disposition = 0;
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, kServiceKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        key_.put(), &disposition);
        created_ = disposition == REG_CREATED_NEW_KEY;
    }
    ~ServiceKeyScope() {
        key_.reset();
        if (created_) {
            RegDeleteKeyA(HKEY_LOCAL_MACHINE, kServiceKey);
        }
    }
    ServiceKeyScope(const ServiceKeyScope&) = delete;
    ServiceKeyScope& operator=(const ServiceKeyScope&) = delete;

  private:
    UniqueKey key_;
    bool created_ = false;
};

class DriverLinkWinPublishTest : public ::testing::Test {
  protected:
    DriverStateScope driverState;
    std::unique_ptr<ProfileState> state = std::make_unique<ProfileState>();
    RecordingHost host;
    DriverLink link{*state, host};
    const std::string packagePath = PackageFilePath();
};

TEST_F(DriverLinkWinPublishTest, WritesThePackageAndBothValuesAsTheDriverReadsThem) {
    ServiceKeyScope serviceKey;
    FillProfile(*state, 1);

    const PublishResult result = link.PublishProfile();

    EXPECT_TRUE(result.packageWritten);
    EXPECT_TRUE(result.valuesWritten);
    EXPECT_EQ(ReadPackageBytes(), EncodePackage(state->image, state->summary));

    const std::string expectedPackage = "\\??\\" + packagePath;
    const RegistryValue package = QueryValue(HKEY_LOCAL_MACHINE, kServiceKey, "Package");
    EXPECT_EQ(package.type, static_cast<DWORD>(REG_SZ));
    // The link gives the text's length without its zero; the registry adds
    // the terminator itself (as Windows does), so the text reads back whole.
    const std::string packageText(package.data.begin(), package.data.end());
    EXPECT_EQ(packageText, expectedPackage + '\0');

    const RegistryValue resolution = QueryValue(HKEY_LOCAL_MACHINE, kServiceKey, "Resolution");
    EXPECT_EQ(resolution.type, static_cast<DWORD>(REG_DWORD));
    EXPECT_THAT(resolution.data, ElementsAre(0x00, 0x04, 0x00, 0x05));
}

TEST_F(DriverLinkWinPublishTest, RewritesALongerPackageToItsExactSize) {
    {
        std::vector<std::uint8_t> junk(200000, 0xEE);
        ASSERT_TRUE(WriteFileInPlace(packagePath, junk.data(), junk.size()));
    }
    FillProfile(*state, 2);
    link.PublishProfile();
    FillProfile(*state, 3);

    EXPECT_TRUE(link.PublishProfile().packageWritten);

    const std::vector<std::uint8_t> written = ReadPackageBytes();
    EXPECT_EQ(written.size(), 151496u);
    EXPECT_EQ(written, EncodePackage(state->image, state->summary));
}

TEST_F(DriverLinkWinPublishTest, WithoutPadOrDriverNothingIsShown) {
    ServiceKeyScope serviceKey;
    const PublishResult result = link.PublishProfile();
    EXPECT_FALSE(result.deviceOpened);
    EXPECT_FALSE(host.FirstInterfacePath(kDriverInterfaceA).has_value());
    EXPECT_THAT(host.boxes, IsEmpty());
}

TEST(DriverLinkWinHostTest, NotifiesALiveMainWindowOnly) {
    RecordingHost host;
    host.NotifyMainWindow();  // no window yet: nothing to send to

    StandInMainWindow window;
    ASSERT_NE(window.get(), nullptr);
    host.SetMainWindow(window.get());
    host.NotifyMainWindow();
    EXPECT_EQ(StandInMainWindow::shown, 1);

    window.Destroy();
    host.NotifyMainWindow();
    EXPECT_EQ(StandInMainWindow::shown, 1);
}

TEST(DriverLinkWinHostTest, MessagesCarryTheirOwnerIconCaptionAndText) {
    RecordingHost host;
    StandInMainWindow window;
    const HWND main = window.get();
    host.SetMainWindow(main);

    host.ShowMessage(kPadNotFoundString, MessageOwner::MainWindow, MessageIcon::Stop, {});
    host.ShowMessage(kReinstallDoneString, MessageOwner::None, MessageIcon::None, {});
    host.ShowMessage(kReinstallFailedString, MessageOwner::None, MessageIcon::Stop, {});
    window.Destroy();
    host.ShowMessage(kPadNotFoundString, MessageOwner::MainWindow, MessageIcon::Stop, {});

    ASSERT_EQ(host.boxes.size(), 4u);
    EXPECT_EQ(host.boxes[0].owner, main);
    EXPECT_EQ(host.boxes[0].flags, static_cast<UINT>(MB_OK | MB_ICONSTOP));
    EXPECT_EQ(host.boxes[0].text,
              "Can't find the Gripdeck device. Please double check the device is already pluged "
              "in this computer.");
    EXPECT_EQ(host.boxes[1].owner, nullptr);
    EXPECT_EQ(host.boxes[1].flags, static_cast<UINT>(MB_OK));
    EXPECT_EQ(host.boxes[1].text,
              "Your Gripdeck device has been resetuped finished, new USB port is ready.");
    EXPECT_EQ(host.boxes[2].owner, nullptr);
    EXPECT_EQ(host.boxes[2].flags, static_cast<UINT>(MB_OK | MB_ICONSTOP));
    EXPECT_EQ(host.boxes[2].text,
              "Your Gripdeck device has been resetuped failed, please reinstall it.\n");
    // A destroyed main window owns nothing.
    EXPECT_EQ(host.boxes[3].owner, nullptr);
    for (const RecordingHost::Box& box : host.boxes) {
        EXPECT_EQ(box.caption, "Gripdeck");
    }
}

TEST(DriverLinkWinHostTest, TextSourceOverridesAndFallsBack) {
    RecordingHost host(
        [](unsigned id) { return id == 58 ? std::string("Fertig.") : std::string(); });

    host.ShowMessage(kReinstallDoneString, MessageOwner::None, MessageIcon::None, {});

    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].text, "Fertig.");
    EXPECT_EQ(host.boxes[0].caption, "Gripdeck");
}

TEST(DriverLinkWinHostTest, ProgramFolderHoldsTheRunningProgram) {
    char path[MAX_PATH] = {};
    ASSERT_NE(GetModuleFileNameA(nullptr, path, sizeof path), 0u);
    RecordingHost host;
    const std::optional<std::string> folder = host.ProgramFolder();
    ASSERT_TRUE(folder.has_value());
    EXPECT_EQ(*folder + std::strrchr(path, '\\'), path);
}

TEST(DriverLinkWinHostTest, AFailureNamesTheSetupFileOnALineOfItsOwn) {
    RecordingHost host;
    host.ShowMessage(kReinstallFailedString, MessageOwner::None, MessageIcon::Stop,
                     "D:\\Gone\\vlqrgpxkb.inf");
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].text,
              "Your Gripdeck device has been resetuped failed, please reinstall it.\n"
              "Can't open the file D:\\Gone\\vlqrgpxkb.inf. Please verify it again.");
}

}  // namespace
}  // namespace gd
