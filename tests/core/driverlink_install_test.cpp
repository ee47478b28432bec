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

using testing::Bytes;
using ::testing::ElementsAre;
using testing::FakeDriverHost;
using Message = FakeDriverHost::Message;

constexpr char kSettingsKeyName[] = "HKCU\\Software\\MARVENTA\\Gripdeck\\default";
constexpr char kKeyboard[] = "HID\\Vid_099a&Pid_2000&MI_00";
constexpr char kMouse[] = "HID\\Vid_099a&Pid_2000&MI_01&COL02";

class DriverLinkInstallTest : public ::testing::Test {
  protected:
    std::unique_ptr<ProfileState> state = std::make_unique<ProfileState>();
    FakeDriverHost host;
    DriverLink link{*state, host};
};

TEST_F(DriverLinkInstallTest, InstallsKeyboardThenMouseFromTheInstallFolder) {
    host.SetInstallDir("D:\\Games\\Gripdeck");

    EXPECT_TRUE(link.ReinstallDriver());

    EXPECT_THAT(
        host.calls,
        ElementsAre(
            std::string("OpenKey ") + kSettingsKeyName, "QueryValue InstallDir into 256",
            "ChangeCurrentDirectory D:\\Games\\Gripdeck",
            std::string("CloseKey ") + kSettingsKeyName, "CurrentDirectory",
            "CopyInf D:\\Games\\Gripdeck\\vlqrgpxkb.inf from D:\\Games\\Gripdeck",
            std::string("ForceInstall ") + kKeyboard + " with D:\\Games\\Gripdeck\\vlqrgpxkb.inf",
            "CopyInf D:\\Games\\Gripdeck\\vlqrgpxms.inf from D:\\Games\\Gripdeck",
            std::string("ForceInstall ") + kMouse + " with D:\\Games\\Gripdeck\\vlqrgpxms.inf",
            "ShowMessage 58"));
    EXPECT_THAT(host.messages, ElementsAre(Message{58, MessageOwner::None, MessageIcon::None}));
    // The folder stays the current directory for the rest of the run.
    EXPECT_EQ(host.currentDirectory, "D:\\Games\\Gripdeck");
}

TEST_F(DriverLinkInstallTest, KeyboardFailureShows59OnceAndLeavesTheMouseAlone) {
    host.SetInstallDir("D:\\Gripdeck");
    host.failingInstalls.insert(kKeyboard);

    EXPECT_FALSE(link.ReinstallDriver());

    EXPECT_EQ(host.CallsStartingWith("ForceInstall").size(), 1u);
    EXPECT_EQ(host.IndexOf("CopyInf D:\\Gripdeck\\vlqrgpxms.inf"), -1);
    EXPECT_THAT(host.messages, ElementsAre(Message{59, MessageOwner::None, MessageIcon::Stop}));
}

TEST_F(DriverLinkInstallTest, MouseFailureShows59Once) {
    host.SetInstallDir("D:\\Gripdeck");
    host.failingInstalls.insert(kMouse);

    EXPECT_FALSE(link.ReinstallDriver());

    EXPECT_EQ(host.CallsStartingWith("ForceInstall").size(), 2u);
    EXPECT_THAT(host.messages, ElementsAre(Message{59, MessageOwner::None, MessageIcon::Stop}));
}

TEST_F(DriverLinkInstallTest, UnknownProgramFolderFailsWithoutInstalling) {
    host.programFolder.reset();

    EXPECT_FALSE(link.ReinstallDriver());

    EXPECT_EQ(host.IndexOf("CopyInf"), -1);
    EXPECT_EQ(host.IndexOf("ForceInstall"), -1);
    EXPECT_THAT(host.messages, ElementsAre(Message{59, MessageOwner::None, MessageIcon::Stop}));
}

TEST_F(DriverLinkInstallTest, RootFolderGivesNoDoubledBackslash) {
    host.programFolder = "C:\\";

    EXPECT_TRUE(link.ReinstallDriver());

    EXPECT_THAT(host.CallsStartingWith("ForceInstall"),
                ElementsAre(std::string("ForceInstall ") + kKeyboard + " with C:\\vlqrgpxkb.inf",
                            std::string("ForceInstall ") + kMouse + " with C:\\vlqrgpxms.inf"));
}

// Which folder the files come from, by what the settings key holds.
struct FolderRow {
    const char* name;
    bool settingsKey;
    RegistryType type;
    std::vector<std::uint8_t> installDir;  // empty: no InstallDir value
    const char* expectedChange;            // nullptr: the directory is not changed
    const char* expectedFolder;

    friend void PrintTo(const FolderRow& row, std::ostream* out) { *out << row.name; }
};

class DriverLinkInstallFolderTest : public DriverLinkInstallTest,
                                    public ::testing::WithParamInterface<FolderRow> {};

TEST_P(DriverLinkInstallFolderTest, TakesInstallDirWhenItIsAString) {
    const FolderRow& row = GetParam();
    host.existingDirectories = {"E:\\Pad", std::string(256, 'p')};
    if (row.settingsKey) {
        FakeDriverHost::Key& key = host.AddKey(RegistryRoot::CurrentUser, kSettingsKey);
        if (!row.installDir.empty()) {
            key.values[kInstallDirValue] = {row.type, row.installDir};
        }
    }

    EXPECT_TRUE(link.ReinstallDriver());

    const std::vector<std::string> changes = host.CallsStartingWith("ChangeCurrentDirectory");
    if (row.expectedChange == nullptr) {
        EXPECT_TRUE(changes.empty());
    } else {
        EXPECT_THAT(changes,
                    ElementsAre(std::string("ChangeCurrentDirectory ") + row.expectedChange));
    }
    EXPECT_EQ(host.CallsStartingWith("CopyInf")[0], std::string("CopyInf ") + row.expectedFolder +
                                                        "\\vlqrgpxkb.inf from " +
                                                        row.expectedFolder);
    EXPECT_EQ(host.CallsStartingWith("CloseKey").size(), row.settingsKey ? 1u : 0u);
}

const std::string kLongFolder(256, 'p');
// Without InstallDir the files come from the program's folder.
constexpr char kProgram[] = "C:\\Program Files\\Gripdeck";

INSTANTIATE_TEST_SUITE_P(
    Rows, DriverLinkInstallFolderTest,
    ::testing::Values(
        FolderRow{"NoSettingsKey", false, RegistryType::String, {}, nullptr, kProgram},
        FolderRow{"NoInstallDir", true, RegistryType::String, {}, nullptr, kProgram},
        FolderRow{"Terminated", true, RegistryType::String, Bytes(std::string("E:\\Pad") + '\0'),
                  "E:\\Pad", "E:\\Pad"},
        FolderRow{"ExpandStringTakenAsItIs", true, RegistryType::ExpandString,
                  Bytes(std::string("E:\\Pad") + '\0'), "E:\\Pad", "E:\\Pad"},
        // A value that fills all 256 bytes has no terminator to stop at.
        FolderRow{"FullWithoutTerminator", true, RegistryType::String, Bytes(kLongFolder),
                  kLongFolder.c_str(), kLongFolder.c_str()},
        FolderRow{"TooLongIsIgnored", true, RegistryType::String, Bytes(kLongFolder + "q"), nullptr,
                  kProgram},
        FolderRow{"NumberIsIgnored",
                  true,
                  RegistryType::Dword,
                  {0x45, 0x3A, 0x5C, 0x00},
                  nullptr,
                  kProgram},
        FolderRow{"EmptyStringIsIgnored", true, RegistryType::String, {0}, nullptr, kProgram},
        FolderRow{"MissingFolderIsStillTheOne", true, RegistryType::String,
                  Bytes(std::string("F:\\Gone") + '\0'), "F:\\Gone", "F:\\Gone"}),
    [](const auto& info) { return info.param.name; });

// What a failed reinstall names, and that the current directory is never
// where the setup files come from.
struct FailureRow {
    const char* name;
    const char* installDir;  // nullptr: none set
    const char* uncopyable;  // the setup file whose copy fails
    bool keyboardTried;
    bool mouseTried;
};

class DriverLinkInstallFailureTest : public DriverLinkInstallTest,
                                     public ::testing::WithParamInterface<FailureRow> {};

TEST_P(DriverLinkInstallFailureTest, NamesTheSetupFileThatCouldNotBeCopied) {
    const FailureRow& row = GetParam();
    if (row.installDir != nullptr) {
        host.AddKey(RegistryRoot::CurrentUser, kSettingsKey).values[kInstallDirValue] = {
            RegistryType::String, Bytes(std::string(row.installDir) + '\0')};
    }
    host.uncopyableInfs.insert(row.uncopyable);

    EXPECT_FALSE(link.ReinstallDriver());

    EXPECT_EQ(host.IndexOf(std::string("ForceInstall ") + kKeyboard) >= 0, row.keyboardTried);
    EXPECT_EQ(host.IndexOf(std::string("ForceInstall ") + kMouse) >= 0, row.mouseTried);
    EXPECT_EQ(host.IndexOf("CurrentDirectory"), -1);
    EXPECT_THAT(host.messages,
                ElementsAre(Message{59, MessageOwner::None, MessageIcon::Stop, row.uncopyable}));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DriverLinkInstallFailureTest,
    ::testing::Values(FailureRow{"InstallDirGone", "F:\\Gone", "F:\\Gone\\vlqrgpxkb.inf", false,
                                 false},
                      FailureRow{"NothingBesideTheProgram", nullptr,
                                 "C:\\Program Files\\Gripdeck\\vlqrgpxkb.inf", false, false},
                      FailureRow{"MouseFileMissing", nullptr,
                                 "C:\\Program Files\\Gripdeck\\vlqrgpxms.inf", true, false}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace gd
