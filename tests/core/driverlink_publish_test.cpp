#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <ostream>

#include "core/driverlink_fake_host.h"
#include "driverlink/driver_link.h"
#include "profile/profile_file.h"

namespace gd {
namespace {

using testing::Bytes;
using ::testing::ElementsAre;
using testing::FakeDriverHost;

constexpr char kPackagePath[] = "C:\\WINDOWS\\system32\\drivers\\velqorgpx.pkg";
constexpr char kServiceKeyName[] = "HKLM\\SYSTEM\\CurrentControlSet\\Services\\velqorgpx";
constexpr char kPadPathA[] = "\\\\?\\root#padsim#0000#{a}";

class DriverLinkPublishTest : public ::testing::Test {
  protected:
    DriverLinkPublishTest() {
        state->image.slots[0].slotType = SlotType::SingleKey;
        state->image.slots[19].slotType = SlotType::Off;
        state->summary.resolution = 0x05000400;
        std::memcpy(state->summary.name, "Racing", 6);
    }

    const FakeDriverHost::Value& ServiceValue(const char* name) {
        return host.keys.at(kServiceKeyName).values.at(name);
    }

    std::unique_ptr<ProfileState> state = std::make_unique<ProfileState>();
    FakeDriverHost host;
    DriverLink link{*state, host};
};

TEST_F(DriverLinkPublishTest, RunsTheThreeStepsInOrderWithThePadPresent) {
    host.AddServiceKey();
    host.PlugInterfaces(true, true);

    const PublishResult result = link.PublishProfile();

    EXPECT_TRUE(result.packageWritten);
    EXPECT_TRUE(result.valuesWritten);
    EXPECT_TRUE(result.deviceOpened);
    EXPECT_THAT(
        host.calls,
        ElementsAre("WindowsDirectory", std::string("WriteWholeFile ") + kPackagePath + " 151496",
                    std::string("OpenKey ") + kServiceKeyName, "WindowsDirectory",
                    "SetValue Package type 1 size 45", "SetValue Resolution type 4 size 4",
                    std::string("CloseKey ") + kServiceKeyName, "FirstInterfacePath A",
                    std::string("OpenDevice ") + kPadPathA));
}

TEST_F(DriverLinkPublishTest, PackageHoldsHeaderRawImageAndSummary) {
    link.PublishProfile();

    const std::vector<std::uint8_t>& file = host.files.at(kPackagePath);
    ASSERT_EQ(file.size(), 151496u);
    EXPECT_THAT(std::vector<std::uint8_t>(file.begin(), file.begin() + 12),
                ElementsAre('V', 'Q', 'R', ' ', ' ', 'G', 'P', 'X', 0x00, 0x00, 0x01, 0x00));
    EXPECT_EQ(std::memcmp(file.data() + 12, &state->image, kProfileImageSize), 0);
    EXPECT_EQ(std::memcmp(file.data() + 12 + kProfileImageSize, &state->summary, kSummaryBlockSize),
              0);
}

TEST_F(DriverLinkPublishTest, ValuesNameThePackageAndTheResolution) {
    host.AddServiceKey();
    link.PublishProfile();

    // The driver reads a counted string: no terminating zero is stored.
    const FakeDriverHost::Value& package = ServiceValue("Package");
    EXPECT_EQ(package.type, RegistryType::String);
    EXPECT_EQ(package.data, Bytes("\\??\\C:\\WINDOWS\\system32\\drivers\\velqorgpx.pkg"));
    EXPECT_EQ(package.data.size(), 45u);

    const FakeDriverHost::Value& resolution = ServiceValue("Resolution");
    EXPECT_EQ(resolution.type, RegistryType::Dword);
    EXPECT_THAT(resolution.data, ElementsAre(0x00, 0x04, 0x00, 0x05));  // 1280 x 1024
}

TEST_F(DriverLinkPublishTest, PackageIsRewrittenWholeOnEveryPublish) {
    link.PublishProfile();
    link.PublishProfile();  // nothing changed: written all the same
    state->image.slots[5].slotType = SlotType::SuperStop;
    link.PublishProfile();

    EXPECT_EQ(host.CallsStartingWith("WriteWholeFile").size(), 3u);
    const std::vector<std::uint8_t>& file = host.files.at(kPackagePath);
    ASSERT_EQ(file.size(), 151496u);
    EXPECT_EQ(std::memcmp(file.data() + 12, &state->image, kProfileImageSize), 0);
}

// Each effect happens whatever became of the others.
struct IndependenceRow {
    const char* name;
    bool fileWritable;
    bool serviceKey;
    bool keyWritable;
    bool interfaceA;
    bool deviceOpens;
    PublishResult expected;

    friend void PrintTo(const IndependenceRow& row, std::ostream* out) { *out << row.name; }
};

class DriverLinkPublishIndependenceTest : public DriverLinkPublishTest,
                                          public ::testing::WithParamInterface<IndependenceRow> {};

TEST_P(DriverLinkPublishIndependenceTest, EachEffectStandsAlone) {
    const IndependenceRow& row = GetParam();
    host.filesWritable = row.fileWritable;
    if (row.serviceKey) {
        host.AddServiceKey();
        host.keys.at(kServiceKeyName).writable = row.keyWritable;
    }
    host.PlugInterfaces(row.interfaceA, true);
    if (!row.deviceOpens) {
        host.openableDevices.clear();
    }

    const PublishResult result = link.PublishProfile();

    EXPECT_EQ(result.packageWritten, row.expected.packageWritten);
    EXPECT_EQ(result.valuesWritten, row.expected.valuesWritten);
    EXPECT_EQ(result.deviceOpened, row.expected.deviceOpened);
    // Every step was at least tried.
    EXPECT_EQ(host.CallsStartingWith("WriteWholeFile").size(), 1u);
    EXPECT_EQ(host.CallsStartingWith("OpenKey").size(), 1u);
    EXPECT_EQ(host.CallsStartingWith("FirstInterfacePath A").size(), 1u);
    // A failed first value does not keep the second from being set.
    EXPECT_EQ(host.CallsStartingWith("SetValue").size(), row.serviceKey ? 2u : 0u);
    EXPECT_EQ(host.CallsStartingWith("OpenDevice").size(), row.interfaceA ? 1u : 0u);
    EXPECT_TRUE(host.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DriverLinkPublishIndependenceTest,
    ::testing::Values(
        IndependenceRow{"AllSucceed", true, true, true, true, true, {true, true, true}},
        IndependenceRow{"PackageStillWrittenWhenRegistryAndDeviceFail",
                        true,
                        false,
                        false,
                        false,
                        false,
                        {true, false, false}},
        IndependenceRow{"UnpluggedStillWritesPackageAndValues",
                        true,
                        true,
                        true,
                        false,
                        false,
                        {true, true, false}},
        IndependenceRow{"ValuesAndDeviceWhenPackageCannotBeCreated",
                        false,
                        true,
                        true,
                        true,
                        true,
                        {false, true, true}},
        IndependenceRow{"ReadOnlyServiceKey", true, true, false, true, true, {true, false, true}},
        IndependenceRow{
            "InterfaceListedButOpenFails", true, true, true, true, false, {true, true, false}}),
    [](const auto& info) { return info.param.name; });

TEST_F(DriverLinkPublishTest,
       UnknownWindowsDirectoryWritesNoFileAndNoValuesButStillOpensTheDevice) {
    // A package path without its directory would land in some drive's root.
    host.windowsDirectory.reset();
    host.AddServiceKey();
    host.PlugInterfaces(true, true);

    const PublishResult result = link.PublishProfile();

    EXPECT_FALSE(result.packageWritten);
    EXPECT_FALSE(result.valuesWritten);
    EXPECT_TRUE(result.deviceOpened);
    EXPECT_TRUE(host.CallsStartingWith("WriteWholeFile").empty());
    EXPECT_TRUE(host.CallsStartingWith("SetValue").empty());
    EXPECT_TRUE(host.CallsStartingWith("CloseKey").size() == 1u);
}

TEST_F(DriverLinkPublishTest, SetDriverValuesFollowsTheWindowsDirectory) {
    host.AddServiceKey();
    host.windowsDirectory = "D:\\WinNT";
    state->summary.resolution = 0x031F0258;  // 799 x 600, stored as it is

    EXPECT_TRUE(link.SetDriverValues());

    EXPECT_EQ(ServiceValue("Package").data,
              Bytes("\\??\\D:\\WinNT\\system32\\drivers\\velqorgpx.pkg"));
    EXPECT_THAT(ServiceValue("Resolution").data, ElementsAre(0x58, 0x02, 0x1F, 0x03));
    EXPECT_TRUE(host.CallsStartingWith("WriteWholeFile").empty());
    EXPECT_TRUE(host.CallsStartingWith("FirstInterfacePath").empty());
}

}  // namespace
}  // namespace gd
