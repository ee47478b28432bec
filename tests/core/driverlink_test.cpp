// The driver link's rules over a recording host: publishing, detecting the pad and
// reinstalling its driver.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "core/driverlink_fake_host.h"
#include "driverlink/driver_link.h"
#include "profile/profile_file.h"

namespace gd {
namespace {

// What a driver link publishes: zero bytes unless a test writes some.
struct PublishedProfile {
    ProfileImage image;
    SummaryBlock summary;
};

using testing::Bytes;
using ::testing::ElementsAre;
using testing::FakeDriverHost;
using ::testing::IsEmpty;
using Message = FakeDriverHost::Message;

const std::string kPackagePath = "C:\\WINDOWS\\system32\\drivers\\velqorgpx.pkg";
const std::string kServiceKeyName = "HKLM\\SYSTEM\\CurrentControlSet\\Services\\velqorgpx";
const std::string kSettingsKeyName = "HKCU\\Software\\MARVENTA\\Gripdeck\\default";
const std::string kKeyboard = kKeyboardHardwareId;
const std::string kMouse = kMouseHardwareId;
constexpr char kProgram[] = "C:\\Program Files\\Gripdeck";  // the fake host's program folder

class DriverLinkTest : public ::testing::Test {
  protected:
    DriverLinkTest() {
        state->image.slots[0].slotType = SlotType::SingleKey;
        state->summary.resolution = 0x05000400;
        std::memcpy(state->summary.name, "Racing", 6);
    }

    std::unique_ptr<PublishedProfile> state = std::make_unique<PublishedProfile>();
    FakeDriverHost host;
    DriverLink link{host};
};

// ---- publishing

TEST_F(DriverLinkTest, PublishingWritesThePackageThenTheValuesThenOpensInterfaceA) {
    host.ServiceKey();
    host.PlugInterfaces(true, true);

    const PublishResult result = link.PublishProfile(state->image, state->summary);

    EXPECT_TRUE(result.packageWritten && result.valuesWritten && result.deviceOpened);
    EXPECT_THAT(host.calls,
                ElementsAre("WindowsDirectory", "WriteWholeFile " + kPackagePath + " 151496",
                            "OpenKey " + kServiceKeyName, "WindowsDirectory",
                            "SetValue Package type 1 size 45", "SetValue Resolution type 4 size 4",
                            "CloseKey " + kServiceKeyName, "FirstInterfacePath A",
                            "OpenDevice \\\\?\\root#padsim#0000#{a}"));
    // Where the program publishes and where it reads the installed package back.
    EXPECT_EQ(PackagePath("C:\\WINDOWS"), kPackagePath);
    const std::vector<std::uint8_t>& file = host.files.at(kPackagePath);
    ASSERT_EQ(file.size(), 151496u);
    EXPECT_THAT(std::vector<std::uint8_t>(file.begin(), file.begin() + 12),
                ElementsAre('V', 'Q', 'R', ' ', ' ', 'G', 'P', 'X', 0x00, 0x00, 0x01, 0x00));
    EXPECT_EQ(std::memcmp(file.data() + 12, &state->image, kProfileImageSize), 0);
    EXPECT_EQ(std::memcmp(file.data() + 12 + kProfileImageSize, &state->summary, kSummaryBlockSize),
              0);
}

// A 32-bit program on 64-bit Windows: the system would send its system32 file
// to SysWOW64, where the driver never looks, and its driver installation
// cannot work. The package goes through Sysnative; the value the kernel reads
// still names system32; the reinstall installs nothing and says why.
TEST_F(DriverLinkTest, UnderWow64ThePackageAvoidsRedirectionAndTheReinstallRefuses) {
    EXPECT_EQ(PackagePath("C:\\WINDOWS", SystemFolderView::Wow64),
              "C:\\WINDOWS\\Sysnative\\drivers\\velqorgpx.pkg");
    host.systemFolders = SystemFolderView::Wow64;
    host.ServiceKey();

    EXPECT_TRUE(link.PublishProfile(state->image, state->summary).packageWritten);
    EXPECT_THAT(
        host.CallsStartingWith("WriteWholeFile"),
        ElementsAre("WriteWholeFile C:\\WINDOWS\\Sysnative\\drivers\\velqorgpx.pkg 151496"));
    const FakeDriverHost::Value& package = host.ServiceKey().values.at(kPackageValue);
    EXPECT_EQ(package.data, Bytes("\\??\\" + kPackagePath));

    host.PlugPad();
    EXPECT_FALSE(link.ReinstallDriver());
    link.ReinstallDriverCommand();
    EXPECT_FALSE(link.IsDevicePresent(true));
    EXPECT_THAT(host.CallsStartingWith("CopyInf"), IsEmpty());
    EXPECT_THAT(host.CallsStartingWith("ForceInstall"), IsEmpty());
    const Message refused{kReinstallNeeds64BitString, MessageOwner::None, MessageIcon::Stop};
    EXPECT_THAT(host.messages, ElementsAre(refused, refused, refused));
}

// Each effect happens whatever became of the others; nothing is shown.
TEST_F(DriverLinkTest, EachPublishingEffectStandsAlone) {
    const struct {
        const char* name;
        bool windowsKnown, fileWritable, serviceKey, keyWritable, interfaceA, opens;
        PublishResult expected;
    } rows[] = {
        // name, Windows folder known, file writable, service key, writable, A listed, opens
        {"all succeed", 1, 1, 1, 1, 1, 1, {true, true, true}},
        {"no key, no pad", 1, 1, 0, 0, 0, 0, {true, false, false}},
        {"unplugged", 1, 1, 1, 1, 0, 0, {true, true, false}},
        {"file not writable", 1, 0, 1, 1, 1, 1, {false, true, true}},
        {"key read-only", 1, 1, 1, 0, 1, 1, {true, false, true}},
        {"open fails", 1, 1, 1, 1, 1, 0, {true, true, false}},
        {"no Windows folder", 0, 1, 1, 1, 1, 1, {false, false, true}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        FakeDriverHost world;
        if (!row.windowsKnown) {
            world.windowsDirectory.reset();
        }
        world.filesWritable = row.fileWritable;
        if (row.serviceKey) {
            world.ServiceKey().writable = row.keyWritable;
        }
        world.PlugInterfaces(row.interfaceA, true);
        world.interfaceOpens = row.opens;

        const PublishResult result = DriverLink(world).PublishProfile(state->image, state->summary);

        EXPECT_EQ(result.packageWritten, row.expected.packageWritten);
        EXPECT_EQ(result.valuesWritten, row.expected.valuesWritten);
        EXPECT_EQ(result.deviceOpened, row.expected.deviceOpened);
        // Every step was tried that could be; a failed first value does not stop the second.
        // Without the Windows folder there is no true path, so neither file nor value is written.
        EXPECT_EQ(world.CallsStartingWith("WriteWholeFile").size(), row.windowsKnown ? 1u : 0u);
        EXPECT_EQ(world.CallsStartingWith("SetValue").size(),
                  row.serviceKey && row.windowsKnown ? 2u : 0u);
        EXPECT_EQ(world.CallsStartingWith("OpenDevice").size(), row.interfaceA ? 1u : 0u);
        EXPECT_THAT(world.messages, IsEmpty());
    }
}

// ---- detection

TEST_F(DriverLinkTest, PresenceIsAnsweredAndTheDriverReinstalledOnlyWhenAsked) {
    const struct {
        const char* name;
        bool interfaceA, interfaceB, padPlugged, autoReinstall, installFails;
        bool expected, bLookedFor, devicesScanned, reinstalled;
    } rows[] = {
        // A, B, plugged, asked to reinstall, install fails -> result, B looked for, devices
        // scanned, reinstalled
        {"both", 1, 1, 1, 1, 0, 1, 1, 0, 0},
        {"only A is absent", 1, 0, 0, 0, 0, 0, 1, 0, 0},
        {"B unasked without A", 0, 1, 0, 0, 0, 0, 0, 0, 0},
        {"plugged, not asked", 0, 0, 1, 0, 0, 0, 0, 0, 0},
        {"asked, not plugged", 0, 0, 0, 1, 0, 0, 0, 1, 0},
        {"plugged and asked", 0, 0, 1, 1, 0, 1, 0, 1, 1},
        {"only A, plugged, asked", 1, 0, 1, 1, 0, 1, 1, 1, 1},
        {"failed reinstall", 0, 0, 1, 1, 1, 0, 0, 1, 1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        FakeDriverHost world;
        world.PlugInterfaces(row.interfaceA, row.interfaceB);
        if (row.padPlugged) {
            world.PlugPad();
        }
        if (row.installFails) {
            world.failingInstalls.insert(kKeyboard);
        }

        EXPECT_EQ(DriverLink(world).IsDevicePresent(row.autoReinstall), row.expected);

        EXPECT_EQ(world.IndexOf("FirstInterfacePath B") >= 0, row.bLookedFor);
        EXPECT_EQ(world.IndexOf("ListPresentDevices") >= 0, row.devicesScanned);
        EXPECT_EQ(world.IndexOf("ForceInstall") >= 0, row.reinstalled);
        const unsigned message = row.installFails ? 59 : 58;
        if (row.reinstalled) {
            // The hidden window comes up before anything is installed.
            EXPECT_GE(world.IndexOf("NotifyMainWindow"), 0);
            EXPECT_LT(world.IndexOf("NotifyMainWindow"), world.IndexOf("CopyInf"));
            EXPECT_THAT(world.messages, ElementsAre(Message{message, MessageOwner::None,
                                                            row.installFails ? MessageIcon::Stop
                                                                             : MessageIcon::None}));
        } else {
            EXPECT_EQ(world.IndexOf("NotifyMainWindow"), -1);
            EXPECT_THAT(world.messages, IsEmpty());
        }
    }
}

using D = FakeDriverHost::Device;
D Dev(std::vector<std::uint8_t> ids, bool readable = true, std::uint32_t growsBy = 0,
      std::optional<std::uint32_t> claimedSize = std::nullopt) {
    return D{std::move(ids), readable, growsBy, claimedSize};
}
D Ids(const std::vector<std::string>& ids) {
    return FakeDriverHost::WithIds(ids);
}
// One id of `length` bytes ending in the pad's id, then the list's two zeros.
std::vector<std::uint8_t> LongPadId(std::size_t length) {
    return Ids({std::string(length - 17, 'x') + "VID_099A&PID_2000"}).hardwareIds;
}

// The hardware-id property of each present device, read as IsPadPluggedIn reads it.
TEST_F(DriverLinkTest, PluggedInLooksAtTheFirstIdOfEachDevice) {
    const D pad = Ids({"HID\\VID_099A&PID_2000"});
    const struct {
        const char* name;
        std::vector<D> devices;
        bool expected;
        std::vector<unsigned> reads;  // buffer sizes of every ReadHardwareIds, in order
    } rows[] = {
        {"no devices", {}, false, {}},
        {"capitals match", {Ids({"HID\\VID_099A&PID_2000&MI_00"})}, true, {4096}},
        {"match anywhere", {Ids({"USB\\XVID_099A&PID_2000&REV_0100"})}, true, {4096}},
        {"only the first id counts",
         {Ids({"HID\\VID_1234", "HID\\VID_099A&PID_2000"})},
         false,
         {4096}},
        {"near miss", {Ids({"HID\\VID_099A&PID_2001"})}, false, {4096}},
        {"stops at the first match",
         {Ids({"ACPI\\PNP0303"}), Ids({"hid\\vid_099a&pid_2000&mi_01&col02"}), pad},
         true,
         {4096, 4096}},
        {"unreadable is skipped", {Dev({}, false), pad}, true, {4096, 4096}},
        {"device without ids", {Ids({}), Ids({""})}, false, {4096, 4096}},
        {"long: read once more with the asked size", {Dev(LongPadId(5000))}, true, {4096, 5002}},
        {"growing is not chased forever",
         {Dev(LongPadId(5000), true, 100), pad},
         true,
         {4096, 5002, 4096}},
        {"absurd size is not allocated",
         {Dev(LongPadId(5000), true, 0, 0x40000000), pad},
         true,
         {4096, 4096}},
        // A property that fills the buffer without any zero.
        {"unterminated stays in bounds",
         {Dev(std::vector<std::uint8_t>(4096, 'x')), Dev(std::vector<std::uint8_t>(4096, 'X'))},
         false,
         {4096, 4096}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        FakeDriverHost world;
        world.devices = row.devices;

        EXPECT_EQ(DriverLink(world).IsPadPluggedIn(), row.expected);

        std::vector<std::string> reads;
        for (unsigned size : row.reads) {
            reads.push_back("ReadHardwareIds into " + std::to_string(size));
        }
        EXPECT_EQ(world.CallsStartingWith("ReadHardwareIds"), reads);
        EXPECT_EQ(world.CallsStartingWith("FreeDeviceList").size(), 1u);
    }
}

TEST_F(DriverLinkTest, NoDeviceListMeansNotPlugged) {
    host.deviceListAvailable = false;
    EXPECT_FALSE(link.IsPadPluggedIn());
}

// "Reinstall &Driver": reinstalls when the driver works or the pad is there, even then
// without bringing up the window; otherwise message 57 over the main window.
TEST_F(DriverLinkTest, TheReinstallCommandNeedsTheDriverOrThePad) {
    const Message done{58, MessageOwner::None, MessageIcon::None};
    const Message noPad{57, MessageOwner::MainWindow, MessageIcon::Stop};
    for (const auto& [name, interfaces, pad, installs, message] :
         {std::tuple{"driver", true, false, 2u, done}, std::tuple{"pad", false, true, 2u, done},
          std::tuple{"neither", false, false, 0u, noPad}}) {
        SCOPED_TRACE(name);
        FakeDriverHost world;
        world.PlugInterfaces(interfaces, interfaces);
        world.devices.push_back(FakeDriverHost::WithIds({"ACPI\\PNP0303"}));
        if (pad) {
            world.PlugPad();
        }
        DriverLink(world).ReinstallDriverCommand();
        EXPECT_EQ(world.CallsStartingWith("ForceInstall").size(), installs);
        EXPECT_EQ(world.IndexOf("NotifyMainWindow"), -1);
        EXPECT_THAT(world.messages, ElementsAre(message));
    }
}

// ---- the driver's installation

TEST_F(DriverLinkTest, InstallsKeyboardThenMouseFromTheInstallFolder) {
    host.keys[kSettingsKeyName].values[kInstallDirValue] = {RegistryType::String,
                                                            Bytes(std::string("D:\\Pad") + '\0')};
    host.existingDirectories.insert("D:\\Pad");

    EXPECT_TRUE(link.ReinstallDriver());

    EXPECT_THAT(
        host.calls,
        ElementsAre("OpenKey " + kSettingsKeyName, "QueryValue InstallDir into 256",
                    "ChangeCurrentDirectory D:\\Pad", "CloseKey " + kSettingsKeyName,
                    "CurrentDirectory", "CopyInf D:\\Pad\\vlqrgpxkb.inf from D:\\Pad",
                    "ForceInstall " + kKeyboard + " with D:\\Pad\\vlqrgpxkb.inf",
                    "CopyInf D:\\Pad\\vlqrgpxms.inf from D:\\Pad",
                    "ForceInstall " + kMouse + " with D:\\Pad\\vlqrgpxms.inf", "ShowMessage 58"));
    // The folder stays the current directory for the rest of the run.
    EXPECT_EQ(host.currentDirectory, "D:\\Pad");
}

TEST_F(DriverLinkTest, ARootFolderGivesNoDoubledBackslash) {
    host.programFolder = "C:\\";
    EXPECT_TRUE(link.ReinstallDriver());
    EXPECT_THAT(host.CallsStartingWith("ForceInstall"),
                ElementsAre("ForceInstall " + kKeyboard + " with C:\\vlqrgpxkb.inf",
                            "ForceInstall " + kMouse + " with C:\\vlqrgpxms.inf"));
}

// Which folder the files come from, by what the settings key holds. Without InstallDir
// they come from the program's folder, never the current directory.
TEST_F(DriverLinkTest, TheSetupFilesComeFromInstallDirWhenItNamesAFullPath) {
    const std::string longFolder = "E:\\" + std::string(253, 'p');  // 256 bytes
    const std::vector<std::uint8_t> padFolder = Bytes(std::string("E:\\Pad") + '\0');
    constexpr RegistryType kString = RegistryType::String;
    constexpr RegistryType kExpand = RegistryType::ExpandString;
    const struct {
        const char* name;
        bool settingsKey;
        RegistryType type;
        std::vector<std::uint8_t> installDir;  // empty: no InstallDir value
        const char* expectedChange;            // nullptr: the directory is not changed
        const char* expectedFolder;
    } rows[] = {
        {"no settings key", false, kString, {}, nullptr, kProgram},
        {"no InstallDir", true, kString, {}, nullptr, kProgram},
        {"terminated", true, kString, padFolder, "E:\\Pad", "E:\\Pad"},
        {"expand string without variables", true, kExpand, padFolder, "E:\\Pad", "E:\\Pad"},
        // An installer may store it with variables; as typed it names no folder.
        {"expand string expanded", true, kExpand,
         Bytes(std::string("%PAD_SETUP_DRIVE%\\Pad") + '\0'), "E:\\Pad", "E:\\Pad"},
        {"expand string with an unset variable", true, kExpand,
         Bytes(std::string("%UNSET_SETUP_FOLDER%") + '\0'), nullptr, kProgram},
        {"plain string keeps its variables", true, kString,
         Bytes(std::string("%PAD_SETUP_DRIVE%\\Pad") + '\0'), nullptr, kProgram},
        // Taken against the current directory, these would install whatever a
        // file dialog left there.
        {"current folder", true, kString, {'.', 0}, nullptr, kProgram},
        {"parent folder", true, kString, {'.', '.', 0}, nullptr, kProgram},
        {"expanded to the current folder", true, kExpand, Bytes(std::string("%DOT_FOLDER%") + '\0'),
         nullptr, kProgram},
        {"the current drive's folder", true, kString, Bytes(std::string("\\Pad Setup") + '\0'),
         nullptr, kProgram},
        {"a drive's current folder", true, kString, Bytes(std::string("E:Pad Setup") + '\0'),
         nullptr, kProgram},
        // A value that fills all 256 bytes has no terminator to stop at.
        {"full without terminator", true, kString, Bytes(longFolder), longFolder.c_str(),
         longFolder.c_str()},
        {"too long is ignored", true, kString, Bytes(longFolder + "q"), nullptr, kProgram},
        {"number is ignored", true, RegistryType::Dword, {'E', ':', '\\', 0}, nullptr, kProgram},
        {"empty string is ignored", true, kString, {0}, nullptr, kProgram},
        {"missing folder is still the one", true, kString, Bytes(std::string("F:\\Gone") + '\0'),
         "F:\\Gone", "F:\\Gone"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        FakeDriverHost world;
        world.existingDirectories = {"E:\\Pad", longFolder,    ".",
                                     "..",      "\\Pad Setup", "E:Pad Setup"};
        world.environment = {{"PAD_SETUP_DRIVE", "E:"}, {"DOT_FOLDER", "."}};
        if (row.settingsKey) {
            FakeDriverHost::Key& key = world.keys[kSettingsKeyName];
            if (!row.installDir.empty()) {
                key.values[kInstallDirValue] = {row.type, row.installDir};
            }
        }

        EXPECT_TRUE(DriverLink(world).ReinstallDriver());

        const std::vector<std::string> changes = world.CallsStartingWith("ChangeCurrentDirectory");
        if (row.expectedChange == nullptr) {
            EXPECT_THAT(changes, IsEmpty());
        } else {
            EXPECT_THAT(changes,
                        ElementsAre(std::string("ChangeCurrentDirectory ") + row.expectedChange));
        }
        const std::string folder = row.expectedFolder;
        EXPECT_EQ(world.CallsStartingWith("CopyInf")[0],
                  "CopyInf " + folder + "\\vlqrgpxkb.inf from " + folder);
        EXPECT_EQ(world.CallsStartingWith("CloseKey").size(), row.settingsKey ? 1u : 0u);
    }

    // A value the system cannot expand is not set either.
    FakeDriverHost world;
    world.expansionFails = true;
    world.existingDirectories = {"E:\\Pad"};
    world.keys[kSettingsKeyName].values[kInstallDirValue] = {kExpand, padFolder};
    EXPECT_TRUE(DriverLink(world).ReinstallDriver());
    EXPECT_THAT(world.CallsStartingWith("ChangeCurrentDirectory"), IsEmpty());
    EXPECT_EQ(world.CallsStartingWith("CopyInf")[0],
              "CopyInf " + std::string(kProgram) + "\\vlqrgpxkb.inf from " + kProgram);
}

// Message 59 once, at the first failure, naming the setup file a copy failed on; nothing
// more is tried, and the current directory is never where the setup files come from.
TEST_F(DriverLinkTest, AFailedReinstallStopsThereWithMessage59) {
    const auto kb = std::string(kProgram) + "\\vlqrgpxkb.inf";
    const auto ms = std::string(kProgram) + "\\vlqrgpxms.inf";
    const struct {
        const char* installDir;  // "": none
        bool programFolderKnown;
        std::string failingInstall, uncopyable;
        unsigned installs;
        std::string named;
    } rows[] = {
        {"", true, kKeyboard, "", 1, ""},
        {"", true, kMouse, "", 2, ""},
        {"", false, "", "", 0, ""},
        {"F:\\Gone", true, "", "F:\\Gone\\vlqrgpxkb.inf", 0, "F:\\Gone\\vlqrgpxkb.inf"},
        {"", true, "", kb, 0, kb},
        {"", true, "", ms, 1, ms},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.failingInstall + row.uncopyable);
        FakeDriverHost world;
        if (*row.installDir != '\0') {
            world.keys[kSettingsKeyName].values[kInstallDirValue] = {
                RegistryType::String, Bytes(std::string(row.installDir) + '\0')};
        }
        if (!row.programFolderKnown) {
            world.programFolder.reset();
        }
        world.failingInstalls.insert(row.failingInstall);
        world.uncopyableInfs.insert(row.uncopyable);
        EXPECT_FALSE(DriverLink(world).ReinstallDriver());
        EXPECT_EQ(world.CallsStartingWith("ForceInstall").size(), row.installs);
        EXPECT_EQ(world.IndexOf("CurrentDirectory"), -1);
        EXPECT_THAT(world.messages,
                    ElementsAre(Message{59, MessageOwner::None, MessageIcon::Stop, row.named}));
    }
}

}  // namespace
}  // namespace gd
