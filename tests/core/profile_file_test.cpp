#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "profile/codec.h"
#include "profile/image.h"
#include "profile/profile_document.h"
#include "profile/profile_file.h"

namespace gd {
namespace {

using Bytes = std::vector<std::uint8_t>;
namespace fs = std::filesystem;

class FakeHost : public ProfileHost {
  public:
    void ReportFileError(const std::string& path) override { errors.push_back(path); }
    void ShowSummary(const SummaryBlock& summary) override {
        shownSummaries.push_back(ReadText(summary.name));
    }
    void ShowProfileName(const std::string& name) override { titles.push_back(name); }
    std::uint32_t PrimaryScreenResolution() override { return MakeResolution(1920, 1080); }
    std::string WindowsDirectory() override { return windowsDirectory; }

    std::vector<std::string> errors;
    std::vector<std::string> shownSummaries;
    std::vector<std::string> titles;
    std::string windowsDirectory;
};

// A scratch folder per test, removed afterwards.
class ProfileFiles : public testing::Test {
  protected:
    void SetUp() override {
        const auto* info = testing::UnitTest::GetInstance()->current_test_info();
        dir_ = fs::temp_directory_path() / (std::string("gripdeck-") + info->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        state_ = std::make_unique<ProfileState>();
        ResetImage(state_->image);
        host_.windowsDirectory = dir_.string();
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string PathOf(const std::string& name) const { return (dir_ / name).string(); }

    void WriteBytes(const std::string& path, const Bytes& bytes) const {
        ASSERT_TRUE(WriteFileInPlace(path, bytes.data(), bytes.size()));
    }
    Bytes ReadBytes(const std::string& path) const {
        Bytes data;
        EXPECT_TRUE(ReadWholeFile(path, 1 << 24, data));
        return data;
    }

    // A profile with a key, a macro and a summary: the kinds of bytes users keep.
    void FillSample(ProfileState& state) const {
        ResetImage(state.image);
        state.image.slots[0].slotType = SlotType::SingleKey;
        state.image.slots[0].action.code = 0x0120001E;
        ButtonSlot& macro = state.image.slots[13];
        macro.slotType = SlotType::Macro;
        WriteName(macro.macro.name, "Combo");
        macro.macro.eventCount = 2;
        macro.macro.events[0] = 0x02000001;
        macro.macro.positions[0] = PackPosition(-5, 10);
        macro.macro.delays[0] = 120;
        macro.macro.events[1] = 0x02100001;
        macro.macro.playMode = PlayMode::WhilePressed;
        macro.macro.repeatInterval = 30;
        std::memset(&state.summary, 0, sizeof state.summary);
        state.summary.resolution = MakeResolution(1280, 1024);
        WriteText(state.summary.name, "Raid night");
        WriteText(state.summary.comment, std::string(720, 'c'));
    }

    fs::path dir_;
    FakeHost host_;
    std::unique_ptr<ProfileState> state_;
};

TEST_F(ProfileFiles, SavedFileHasTheExactLayout) {
    ProfileDocument document(*state_, host_);
    const std::string path = PathOf("empty.gpx");
    ASSERT_TRUE(document.SaveProfile(path));

    const Bytes file = ReadBytes(path);
    ASSERT_GT(file.size(), 940u);
    const std::uint32_t blockLength = static_cast<std::uint32_t>(file.size() - 940);
    const Bytes header = {'V',
                          'Q',
                          'R',
                          ' ',
                          ' ',
                          'G',
                          'P',
                          'X',
                          0x00,
                          0x00,
                          0x01,
                          0x00,
                          static_cast<std::uint8_t>(blockLength),
                          static_cast<std::uint8_t>(blockLength >> 8),
                          0x00,
                          0x00};
    EXPECT_TRUE(std::equal(header.begin(), header.end(), file.begin()));
    Bytes image;
    ASSERT_EQ(Expand(file.data() + 16, blockLength, kProfileImageSize, image), ExpandStatus::Ok);
    EXPECT_EQ(std::memcmp(image.data(), &state_->image, kProfileImageSize), 0);
    EXPECT_TRUE(
        std::all_of(file.begin() + 16 + blockLength, file.end(), [](auto b) { return b == 0; }));
    EXPECT_FALSE(document.modified);
}

TEST_F(ProfileFiles, SaveThenLoadRestoresImageAndSummary) {
    FillSample(*state_);
    ProfileDocument document(*state_, host_);
    const std::string path = PathOf("sample.gpx");
    ASSERT_TRUE(document.SaveProfile(path));

    auto loaded = std::make_unique<ProfileState>();
    loaded->currentMode = 1;
    loaded->selectedButton = 4;
    ProfileDocument reader(*loaded, host_);
    reader.modified = true;
    ASSERT_TRUE(reader.LoadProfile(path));
    EXPECT_EQ(std::memcmp(&loaded->image, &state_->image, sizeof loaded->image), 0);
    EXPECT_EQ(std::memcmp(&loaded->summary, &state_->summary, sizeof loaded->summary), 0);
    EXPECT_EQ(loaded->currentMode, 0u);
    EXPECT_EQ(loaded->selectedButton, -1);
    EXPECT_FALSE(reader.modified);
    EXPECT_EQ(host_.shownSummaries, std::vector<std::string>{"Raid night"});
    EXPECT_TRUE(host_.errors.empty());
}

TEST_F(ProfileFiles, LowerCaseSignatureIsAccepted) {
    FillSample(*state_);
    Bytes file = EncodeProfileFile(state_->image, state_->summary);
    std::memcpy(file.data(), "vqr  gpx", 8);
    auto image = std::make_unique<ProfileImage>();
    auto summary = std::make_unique<SummaryBlock>();
    EXPECT_EQ(DecodeProfileFile(file.data(), file.size(), *image, *summary), FileError::None);
}

// Every way a file can be refused leaves the profile exactly as it was.
TEST_F(ProfileFiles, RefusedFilesChangeNothing) {
    FillSample(*state_);
    const Bytes good = EncodeProfileFile(state_->image, state_->summary);
    const auto withWord = [&](std::size_t offset, std::uint32_t value) {
        Bytes bytes = good;
        std::memcpy(bytes.data() + offset, &value, 4);
        return bytes;
    };
    const auto cut = [&](std::size_t size) { return Bytes(good.begin(), good.begin() + size); };
    const std::uint32_t blockLength = static_cast<std::uint32_t>(good.size() - 940);

    struct Case {
        const char* name;
        Bytes bytes;
        FileError error;
    };
    Bytes badSignature = good;
    badSignature[3] = 'X';
    Bytes wrongRaw = good;
    wrongRaw[16] ^= 1;  // rawLength 150,561
    const Case cases[] = {
        {"Empty", {}, FileError::Truncated},
        {"SignatureOnly", cut(8), FileError::Truncated},
        {"BadSignature", badSignature, FileError::BadSignature},
        {"NewerVersion", withWord(8, 0x00010001), FileError::BadVersion},
        {"ZeroLength", withWord(12, 0), FileError::BadLength},
        {"LengthBeyondFile", withWord(12, 0x7FFFFFFF), FileError::Truncated},
        {"MissingSummaryTail", cut(good.size() - 1), FileError::Truncated},
        {"BlockShorterThanHeader", withWord(12, 3), FileError::BadBlock},
        {"WrongRawLength", wrongRaw, FileError::WrongImageSize},
        {"BlockLengthEatsSummary", withWord(12, blockLength + 1), FileError::Truncated},
    };

    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = PathOf(std::string(c.name) + ".gpx");
        WriteBytes(path, c.bytes);
        auto image = std::make_unique<ProfileImage>();
        auto summary = std::make_unique<SummaryBlock>();
        EXPECT_EQ(ReadProfileFile(path, *image, *summary), c.error);

        auto before = std::make_unique<ProfileState>(*state_);
        ProfileDocument document(*state_, host_);
        document.currentPath = "kept.gpx";
        document.currentName = "kept.gpx";
        host_.errors.clear();
        EXPECT_FALSE(document.LoadProfile(path));
        EXPECT_EQ(host_.errors, std::vector<std::string>{path});
        EXPECT_EQ(std::memcmp(&before->image, &state_->image, sizeof before->image), 0);
        EXPECT_EQ(std::memcmp(&before->summary, &state_->summary, sizeof before->summary), 0);
        EXPECT_EQ(document.currentName, "kept.gpx");
    }
}

TEST_F(ProfileFiles, MissingFileEmptiesPathAndName) {
    ProfileDocument document(*state_, host_);
    document.currentPath = PathOf("gone.gpx");
    document.currentName = "gone.gpx";
    // Passed currentPath itself, which the failure empties: the message
    // still names the file.
    EXPECT_FALSE(document.LoadProfile(document.currentPath));
    EXPECT_TRUE(document.currentPath.empty());
    EXPECT_TRUE(document.currentName.empty());
    EXPECT_EQ(host_.errors, std::vector<std::string>{PathOf("gone.gpx")});
}

TEST_F(ProfileFiles, FailedSaveKeepsTheOldFile) {
    FillSample(*state_);
    ProfileDocument document(*state_, host_);
    const std::string path = PathOf("keep.gpx");
    ASSERT_TRUE(document.SaveProfile(path));
    const Bytes before = ReadBytes(path);

    // A folder where the temporary file cannot be created.
    const std::string unwritable = PathOf("no-such-folder/keep.gpx");
    document.modified = true;
    document.currentPath = unwritable;
    EXPECT_FALSE(document.SaveProfile(document.currentPath));
    EXPECT_TRUE(document.modified);
    EXPECT_EQ(host_.errors, std::vector<std::string>{unwritable});
    EXPECT_TRUE(document.currentPath.empty());

    // Replacing must overwrite an existing file, and nothing is left beside it.
    ResetImage(state_->image);
    ASSERT_TRUE(document.SaveProfile(path));
    EXPECT_NE(ReadBytes(path), before);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

TEST_F(ProfileFiles, InstalledPackageLoadsWithoutChecks) {
    FillSample(*state_);
    Bytes package = EncodePackage(state_->image, state_->summary);
    ASSERT_EQ(package.size(), kPackageSize);
    std::memcpy(package.data(), "garbage!", 8);  // the header is not checked
    fs::create_directories(dir_ / "system32" / "drivers");
    WriteBytes(PackagePath(dir_.string()), package);

    auto loaded = std::make_unique<ProfileState>();
    ResetImage(loaded->image);
    ProfileDocument document(*loaded, host_);
    document.modified = true;
    EXPECT_TRUE(document.LoadInstalledPackage());
    EXPECT_EQ(std::memcmp(&loaded->image, &state_->image, sizeof loaded->image), 0);
    EXPECT_EQ(std::memcmp(&loaded->summary, &state_->summary, sizeof loaded->summary), 0);
    EXPECT_EQ(document.currentName, "default.gpx");
    EXPECT_EQ(host_.titles, std::vector<std::string>{"default.gpx"});
    EXPECT_FALSE(document.modified);
    // The summary window follows (Cancel and Load System Default run this).
    EXPECT_EQ(host_.shownSummaries, std::vector<std::string>{"Raid night"});
}

TEST_F(ProfileFiles, ShortPackageFillsAsFarAsItReaches) {
    FillSample(*state_);
    Bytes package = EncodePackage(state_->image, state_->summary);
    package.resize(12 + 7528 + 10);
    fs::create_directories(dir_ / "system32" / "drivers");
    WriteBytes(PackagePath(dir_.string()), package);

    auto loaded = std::make_unique<ProfileState>();
    ResetImage(loaded->image);
    ProfileDocument document(*loaded, host_);
    document.LoadInstalledPackage();
    EXPECT_EQ(loaded->image.slots[0].slotType, SlotType::SingleKey);
    EXPECT_EQ(loaded->image.slots[1].slotType, SlotType::Off);
    EXPECT_EQ(loaded->image.slots[13].slotType, SlotType::Off);
    // A missing SummaryBlock stays fresh: zero with the screen's resolution.
    EXPECT_EQ(loaded->summary.resolution, MakeResolution(1920, 1080));
}

TEST_F(ProfileFiles, MissingPackageKeepsTheImageAndRemembersNothing) {
    FillSample(*state_);
    ProfileDocument saver(*state_, host_);
    const std::string path = PathOf("remembered.gpx");
    ASSERT_TRUE(saver.SaveProfile(path));

    auto loaded = std::make_unique<ProfileState>();
    ResetImage(loaded->image);
    ProfileDocument document(*loaded, host_);
    document.currentPath = path;
    document.currentName = "remembered.gpx";
    EXPECT_TRUE(document.LoadInstalledPackage());
    // No package, so the remembered file is what the profile holds.
    EXPECT_EQ(std::memcmp(&loaded->image, &state_->image, sizeof loaded->image), 0);
    EXPECT_EQ(host_.titles, std::vector<std::string>{"remembered.gpx"});
    EXPECT_TRUE(host_.errors.empty());
}

TEST(PackagePath, IsBuiltFromTheWindowsDirectory) {
    EXPECT_EQ(PackagePath("C:\\WINDOWS"), "C:\\WINDOWS\\system32\\drivers\\velqorgpx.pkg");
}

}  // namespace
}  // namespace gd
