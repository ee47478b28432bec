#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "core/driverlink_fake_host.h"
#include "driverlink/driver_link.h"

namespace gd {
namespace {

using ::testing::ElementsAre;
using testing::FakeDriverHost;
using ::testing::IsEmpty;
using Message = FakeDriverHost::Message;

class DriverLinkDetectTest : public ::testing::Test {
  protected:
    std::unique_ptr<ProfileState> state = std::make_unique<ProfileState>();
    FakeDriverHost host;
    DriverLink link{*state, host};
};

struct PresenceRow {
    const char* name;
    bool interfaceA;
    bool interfaceB;
    bool padPlugged;
    bool autoReinstall;
    bool installFails;
    bool expected;
    bool bLookedFor;
    bool devicesScanned;
    bool reinstalled;

    friend void PrintTo(const PresenceRow& row, std::ostream* out) { *out << row.name; }
};

class DriverLinkPresenceTest : public DriverLinkDetectTest,
                               public ::testing::WithParamInterface<PresenceRow> {};

TEST_P(DriverLinkPresenceTest, AnswersAndReinstallsOnlyWhenAsked) {
    const PresenceRow& row = GetParam();
    host.PlugInterfaces(row.interfaceA, row.interfaceB);
    if (row.padPlugged) {
        host.PlugPad();
    }
    if (row.installFails) {
        host.failingInstalls.insert(kKeyboardHardwareId);
    }

    EXPECT_EQ(link.IsDevicePresent(row.autoReinstall), row.expected);

    EXPECT_EQ(host.IndexOf("FirstInterfacePath B") >= 0, row.bLookedFor);
    EXPECT_EQ(host.IndexOf("ListPresentDevices") >= 0, row.devicesScanned);
    EXPECT_EQ(host.IndexOf("NotifyMainWindow") >= 0, row.reinstalled);
    EXPECT_EQ(host.IndexOf("ForceInstall") >= 0, row.reinstalled);
    if (row.reinstalled) {
        // The hidden window comes up before anything is installed.
        EXPECT_LT(host.IndexOf("NotifyMainWindow"), host.IndexOf("CopyInf"));
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0].id, row.installFails ? 59u : 58u);
    } else {
        EXPECT_THAT(host.messages, IsEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DriverLinkPresenceTest,
    ::testing::Values(
        // name, A, B, plugged, auto, fails -> result, B looked for, scanned, reinstalled
        PresenceRow{"BothInterfaces", true, true, true, true, false, true, true, false, false},
        PresenceRow{"OnlyACountsAsAbsent", true, false, false, false, false, false, true, false,
                    false},
        PresenceRow{"BNotLookedForWithoutA", false, true, false, false, false, false, false, false,
                    false},
        PresenceRow{"PluggedButNotAsked", false, false, true, false, false, false, false, false,
                    false},
        PresenceRow{"AskedButNotPlugged", false, false, false, true, false, false, false, true,
                    false},
        PresenceRow{"PluggedAndAskedReinstalls", false, false, true, true, false, true, false, true,
                    true},
        PresenceRow{"OnlyAPluggedAndAskedReinstalls", true, false, true, true, false, true, true,
                    true, true},
        PresenceRow{"FailedReinstallAnswersFalse", false, false, true, true, true, false, false,
                    true, true}),
    [](const auto& info) { return info.param.name; });

// IsPadPluggedIn over one device list each.
struct PluggedRow {
    const char* name;
    std::vector<FakeDriverHost::Device> devices;
    bool expected;
    std::vector<std::string> reads;  // buffer sizes of every ReadHardwareIds, in order

    friend void PrintTo(const PluggedRow& row, std::ostream* out) { *out << row.name; }
};

class DriverLinkPluggedTest : public DriverLinkDetectTest,
                              public ::testing::WithParamInterface<PluggedRow> {};

TEST_P(DriverLinkPluggedTest, LooksAtTheFirstIdOfEachDevice) {
    host.devices = GetParam().devices;

    EXPECT_EQ(link.IsPadPluggedIn(), GetParam().expected);

    EXPECT_EQ(host.CallsStartingWith("ReadHardwareIds"), GetParam().reads);
    EXPECT_EQ(host.CallsStartingWith("FreeDeviceList").size(), 1u);
}

FakeDriverHost::Device Ids(const std::vector<std::string>& ids) {
    return FakeDriverHost::WithIds(ids);
}

FakeDriverHost::Device Unreadable() {
    FakeDriverHost::Device device;
    device.readable = false;
    return device;
}

// One id of `length` bytes that ends with the pad's id, then the list's zeros.
FakeDriverHost::Device LongPadId(std::size_t length) {
    std::string id(length - 17, 'x');
    id += "VID_099A&PID_2000";
    return Ids({id});
}

// A property of exactly `length` bytes holding no zero at all.
FakeDriverHost::Device Unterminated(std::size_t length, char fill) {
    FakeDriverHost::Device device;
    device.hardwareIds.assign(length, static_cast<std::uint8_t>(fill));
    return device;
}

FakeDriverHost::Device Growing() {
    FakeDriverHost::Device device = LongPadId(5000);
    device.growsBy = 100;
    return device;
}

FakeDriverHost::Device Absurd() {
    FakeDriverHost::Device device = LongPadId(5000);
    device.claimedSize = 0x40000000;
    return device;
}

const std::string k4096 = "ReadHardwareIds into 4096";

INSTANTIATE_TEST_SUITE_P(
    Rows, DriverLinkPluggedTest,
    ::testing::Values(
        PluggedRow{"NoDevices", {}, false, {}},
        PluggedRow{"CapitalsMatch", {Ids({"HID\\VID_099A&PID_2000&MI_00"})}, true, {k4096}},
        PluggedRow{
            "MatchAnywhereInTheId", {Ids({"USB\\XVID_099A&PID_2000&REV_0100"})}, true, {k4096}},
        PluggedRow{"OnlyTheFirstIdCounts",
                   {Ids({"HID\\VID_1234&PID_0001", "HID\\VID_099A&PID_2000"})},
                   false,
                   {k4096}},
        PluggedRow{"NearMiss", {Ids({"HID\\VID_099A&PID_2001"})}, false, {k4096}},
        PluggedRow{"StopsAtTheFirstMatch",
                   {Ids({"ACPI\\PNP0303"}), Ids({"hid\\vid_099a&pid_2000&mi_01&col02"}),
                    Ids({"HID\\VID_099A&PID_2000"})},
                   true,
                   {k4096, k4096}},
        PluggedRow{"UnreadableDeviceIsSkipped",
                   {Unreadable(), Ids({"HID\\VID_099A&PID_2000"})},
                   true,
                   {k4096, k4096}},
        PluggedRow{"DeviceWithoutIds", {Ids({}), Ids({""})}, false, {k4096, k4096}},
        PluggedRow{"LongPropertyReadOnceMoreWithTheAskedSize",
                   {LongPadId(5000)},
                   true,
                   {k4096, "ReadHardwareIds into 5002"}},
        PluggedRow{"GrowingPropertyIsNotChasedForever",
                   {Growing(), Ids({"HID\\VID_099A&PID_2000"})},
                   true,
                   {k4096, "ReadHardwareIds into 5002", k4096}},
        PluggedRow{"AbsurdSizeIsNotAllocated",
                   {Absurd(), Ids({"HID\\VID_099A&PID_2000"})},
                   true,
                   {k4096, k4096}},
        PluggedRow{"FullBufferWithoutTerminatorStaysInBounds",
                   {Unterminated(4096, 'x'), Unterminated(4096, 'X')},
                   false,
                   {k4096, k4096}}),
    [](const auto& info) { return info.param.name; });

TEST_F(DriverLinkDetectTest, NoDeviceListMeansNotPlugged) {
    host.deviceListAvailable = false;
    EXPECT_FALSE(link.IsPadPluggedIn());
    EXPECT_THAT(host.calls, ElementsAre("ListPresentDevices"));
}

// The "Reinstall &Driver" command.
TEST_F(DriverLinkDetectTest, CommandReinstallsEvenWhenTheDriverWorks) {
    host.PlugInterfaces(true, true);

    link.ReinstallDriverCommand();

    EXPECT_EQ(host.IndexOf("ListPresentDevices"), -1);
    EXPECT_EQ(host.IndexOf("NotifyMainWindow"), -1);
    EXPECT_EQ(host.CallsStartingWith("ForceInstall").size(), 2u);
    EXPECT_THAT(host.messages, ElementsAre(Message{58, MessageOwner::None, MessageIcon::None}));
}

TEST_F(DriverLinkDetectTest, CommandReinstallsAPadWithoutItsInterfaces) {
    host.PlugPad();

    link.ReinstallDriverCommand();

    EXPECT_EQ(host.CallsStartingWith("ForceInstall").size(), 2u);
    EXPECT_THAT(host.messages, ElementsAre(Message{58, MessageOwner::None, MessageIcon::None}));
}

TEST_F(DriverLinkDetectTest, CommandWithoutThePadShowsMessage57AndInstallsNothing) {
    host.devices.push_back(FakeDriverHost::WithIds({"ACPI\\PNP0303"}));

    link.ReinstallDriverCommand();

    EXPECT_EQ(host.IndexOf("CopyInf"), -1);
    EXPECT_EQ(host.IndexOf("ForceInstall"), -1);
    EXPECT_EQ(host.IndexOf("NotifyMainWindow"), -1);
    EXPECT_THAT(host.messages,
                ElementsAre(Message{57, MessageOwner::MainWindow, MessageIcon::Stop}));
}

}  // namespace
}  // namespace gd
