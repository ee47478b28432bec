// The application model: the profile the main window holds, moved between
// profile files, the installed package and the process-wide state.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/model/profile_document.h"
#include "profile/codec.h"
#include "profile/image.h"
#include "profile/profile_file.h"

namespace gd {
namespace {

using Bytes = std::vector<std::uint8_t>;
namespace fs = std::filesystem;

class FakeHost : public ProfileHost {
  public:
    void ReportFileError(const std::string& path) override { errors.push_back(path); }
    void ShowSummary(const SummaryBlock& s) override { summaries.push_back(ReadText(s.name)); }
    void ShowProfileName(const std::string& name) override { titles.push_back(name); }
    std::uint32_t PrimaryScreenResolution() override { return MakeResolution(1920, 1080); }
    std::string WindowsDirectory() override { return windowsDirectory; }
    SystemFolderView SystemFolders() override { return SystemFolderView::Native; }

    std::vector<std::string> errors, summaries, titles;
    std::string windowsDirectory;
};

// A scratch folder per test and process, removed afterwards.
class ProfileFiles : public testing::Test {
  protected:
    void SetUp() override {
        const auto* info = testing::UnitTest::GetInstance()->current_test_info();
        dir_ = fs::temp_directory_path() /
               ("gripdeck-" + std::to_string(getpid()) + "-" + info->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_ / "system32" / "drivers");
        host_.windowsDirectory = dir_.string();
        ResetImage(state_->image);
        // A key, a macro and a summary: the kinds of bytes users keep.
        state_->image.slots[0].slotType = SlotType::SingleKey;
        state_->image.slots[0].action.code = 0x0120001E;
        ButtonSlot& macro = state_->image.slots[13];
        macro.slotType = SlotType::Macro;
        WriteName(macro.macro.name, "Combo");
        macro.macro.eventCount = 2;
        macro.macro.events[0] = 0x02000001;
        macro.macro.positions[0] = PackPosition(-5, 10);
        macro.macro.events[1] = 0x02100001;
        macro.macro.playMode = PlayMode::WhilePressed;
        std::memset(&state_->summary, 0, sizeof state_->summary);
        state_->summary.resolution = MakeResolution(1280, 1024);
        WriteText(state_->summary.name, "Raid night");
        WriteText(state_->summary.comment, std::string(720, 'c'));
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string PathOf(const std::string& name) const { return (dir_ / name).string(); }
    Bytes ReadBytes(const std::string& path) const {
        Bytes data;
        EXPECT_TRUE(ReadWholeFile(path, 1 << 24, data));
        return data;
    }
    static bool Same(const ProfileContent& a, const ProfileContent& b) {
        return std::memcmp(&a.image, &b.image, sizeof a.image) == 0 &&
               std::memcmp(&a.summary, &b.summary, sizeof a.summary) == 0;
    }

    fs::path dir_;
    FakeHost host_;
    std::unique_ptr<ProfileContent> state_ = std::make_unique<ProfileContent>();
};

TEST_F(ProfileFiles, SavedFileHasTheExactLayoutAndLoadsBack) {
    ProfileDocument document(*state_, host_);
    const std::string path = PathOf("sample.gpx");
    ASSERT_TRUE(document.SaveProfile(path));
    const Bytes file = ReadBytes(path);
    ASSERT_GT(file.size(), 940u);
    const auto blockLength = static_cast<std::uint32_t>(file.size() - 940);
    std::uint32_t lengthField = 0;
    std::memcpy(&lengthField, file.data() + 12, 4);
    EXPECT_EQ(std::memcmp(file.data(), "VQR  GPX\0\0\1\0", 12), 0);
    EXPECT_EQ(lengthField, blockLength);
    Bytes image;
    ASSERT_EQ(Expand(file.data() + 16, blockLength, kProfileImageSize, image), ExpandStatus::Ok);
    EXPECT_EQ(std::memcmp(image.data(), &state_->image, kProfileImageSize), 0);
    EXPECT_EQ(std::memcmp(file.data() + 16 + blockLength, &state_->summary, 924), 0);

    auto loaded = std::make_unique<ProfileContent>();
    ProfileDocument reader(*loaded, host_);
    ASSERT_TRUE(reader.LoadProfile(path));
    EXPECT_TRUE(Same(*loaded, *state_));
    EXPECT_EQ(host_.summaries, std::vector<std::string>{"Raid night"});

    // The signature is compared without regard to case.
    Bytes lower = file;
    std::memcpy(lower.data(), "vqr  gpx", 8);
    EXPECT_EQ(DecodeProfileFile(lower.data(), lower.size(), loaded->image, loaded->summary),
              FileError::None);
}

// Every way a file can be refused leaves the profile exactly as it was.
TEST_F(ProfileFiles, RefusedFilesChangeNothing) {
    const Bytes good = EncodeProfileFile(state_->image, state_->summary);
    const auto withWord = [&](std::size_t offset, std::uint32_t value) {
        Bytes bytes = good;
        std::memcpy(bytes.data() + offset, &value, 4);
        return bytes;
    };
    const auto cut = [&](std::size_t size) { return Bytes(good.begin(), good.begin() + size); };
    const auto blockLength = static_cast<std::uint32_t>(good.size() - 940);
    Bytes badSignature = good;
    badSignature[3] = 'X';
    Bytes wrongRaw = good;
    wrongRaw[16] ^= 1;  // rawLength 150,561
    // A sound block followed by more than any block of one image can hold:
    // refused from the declared length, before its bytes are read.
    constexpr std::uint32_t kOverlong = 3'000'000;
    Bytes overlong(good.begin(), good.begin() + 16 + blockLength);
    overlong.resize(16 + kOverlong, 0);
    overlong.insert(overlong.end(), good.end() - 924, good.end());
    std::memcpy(overlong.data() + 12, &kOverlong, 4);
    const struct {
        const char* name;
        Bytes bytes;
        FileError error;
    } cases[] = {
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
        {"BlockLongerThanAnyProfile", overlong, FileError::BadBlock},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = PathOf(std::string(c.name) + ".gpx");
        ASSERT_TRUE(WriteFileInPlace(path, c.bytes.data(), c.bytes.size()));
        auto image = std::make_unique<ProfileImage>();
        auto summary = std::make_unique<SummaryBlock>();
        EXPECT_EQ(ReadProfileFile(path, *image, *summary), c.error);

        const auto before = std::make_unique<ProfileContent>(*state_);
        ProfileDocument document(*state_, host_);
        document.SetSource(PathOf("kept.gpx"), "kept.gpx");
        host_.errors.clear();
        EXPECT_FALSE(document.LoadProfile(path));
        EXPECT_EQ(host_.errors, std::vector<std::string>{path});
        EXPECT_TRUE(Same(*before, *state_));
        EXPECT_EQ(document.currentName(), "kept.gpx");
    }
    // A file that cannot be opened also forgets where the profile came from.
    ProfileDocument document(*state_, host_);
    document.SetSource(PathOf("gone.gpx"), "gone.gpx");
    host_.errors.clear();
    // Passed currentPath itself, which the failure empties: the message
    // still names the file.
    EXPECT_FALSE(document.LoadProfile(document.currentPath()));
    EXPECT_TRUE(document.currentPath().empty());
    EXPECT_TRUE(document.currentName().empty());
    EXPECT_EQ(host_.errors, std::vector<std::string>{PathOf("gone.gpx")});
}

// A file of 2 GiB with a sound header, as a rule may name: refused at once,
// without reading or allocating what it declares.
TEST_F(ProfileFiles, AHugeFileIsRefusedFromItsDeclaredLength) {
    constexpr std::uint32_t kFileSize = 0x7FFFFFFF;
    Bytes header = EncodeProfileFile(state_->image, state_->summary);
    header.resize(16);
    const std::uint32_t declared = kFileSize - 16 - 924;
    std::memcpy(header.data() + 12, &declared, 4);
    const std::string path = PathOf("two gigabytes of nothing.gpx");
    ASSERT_TRUE(WriteFileInPlace(path, header.data(), header.size()));
    std::error_code error;
    fs::resize_file(path, kFileSize, error);  // sparse: no disk is used
    ASSERT_FALSE(error) << error.message();
    auto image = std::make_unique<ProfileImage>();
    auto summary = std::make_unique<SummaryBlock>();
    EXPECT_EQ(ReadProfileFile(path, *image, *summary), FileError::BadBlock);
    fs::remove(path);
}

TEST_F(ProfileFiles, FailedSaveKeepsTheOldFile) {
    ProfileDocument document(*state_, host_);
    const std::string path = PathOf("keep.gpx");
    ASSERT_TRUE(document.SaveProfile(path));
    const Bytes before = ReadBytes(path);

    // A folder where the temporary file cannot be created.
    const std::string unwritable = PathOf("no-such-folder/keep.gpx");
    document.SetSource(unwritable, "keep.gpx");
    EXPECT_FALSE(document.SaveProfile(document.currentPath()));
    EXPECT_EQ(host_.errors, std::vector<std::string>{unwritable});
    EXPECT_TRUE(document.currentPath().empty());

    // Replacing overwrites an existing file and leaves nothing beside it.
    ResetImage(state_->image);
    ASSERT_TRUE(document.SaveProfile(path));
    EXPECT_NE(ReadBytes(path), before);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 2);
}

TEST_F(ProfileFiles, InstalledPackageLoadsUncheckedAsFarAsItReaches) {
    Bytes package = EncodePackage(state_->image, state_->summary);
    ASSERT_EQ(package.size(), kPackageSize);
    std::memcpy(package.data(), "garbage!", 8);  // the header is not checked
    const std::string packagePath = PackagePath(dir_.string());
    ASSERT_TRUE(WriteFileInPlace(packagePath, package.data(), package.size()));

    auto loaded = std::make_unique<ProfileContent>();
    ResetImage(loaded->image);
    ProfileDocument document(*loaded, host_);
    EXPECT_FALSE(document.LoadInstalledPackage());  // no file on top
    EXPECT_TRUE(Same(*loaded, *state_));
    EXPECT_EQ(document.currentName(), "default.gpx");
    EXPECT_EQ(host_.titles, std::vector<std::string>{"default.gpx"});
    // The summary window follows (Cancel and Load System Default run this).
    EXPECT_EQ(host_.summaries, std::vector<std::string>{"Raid night"});

    // A short package fills what it holds; a missing SummaryBlock stays fresh.
    ASSERT_TRUE(WriteFileInPlace(packagePath, package.data(), 12 + 7528 + 10));
    ResetImage(loaded->image);
    document.LoadInstalledPackage();
    EXPECT_EQ(loaded->image.slots[0].slotType, SlotType::SingleKey);
    EXPECT_EQ(loaded->image.slots[13].slotType, SlotType::Off);
    EXPECT_EQ(loaded->summary.resolution, MakeResolution(1920, 1080));
}

TEST_F(ProfileFiles, WithoutAPackageTheRememberedFileIsLoaded) {
    ProfileDocument saver(*state_, host_);
    const std::string path = PathOf("remembered.gpx");
    ASSERT_TRUE(saver.SaveProfile(path));

    auto loaded = std::make_unique<ProfileContent>();
    ResetImage(loaded->image);
    ProfileDocument document(*loaded, host_);
    document.SetSource(path, "remembered.gpx");
    EXPECT_TRUE(document.LoadInstalledPackage());
    EXPECT_TRUE(Same(*loaded, *state_));
    EXPECT_EQ(host_.titles, std::vector<std::string>{"remembered.gpx"});
    EXPECT_TRUE(host_.errors.empty());

    // A remembered file of another version is refused and forgotten: the
    // package shown in its place must never be saved over it unasked.
    Bytes newer = ReadBytes(path);
    newer[8] = 1;
    ASSERT_TRUE(WriteFileInPlace(path, newer.data(), newer.size()));
    EXPECT_FALSE(document.LoadInstalledPackage());
    EXPECT_EQ(host_.errors, std::vector<std::string>{path});
    EXPECT_TRUE(document.currentPath().empty());
    EXPECT_TRUE(document.currentName().empty());
}

}  // namespace
}  // namespace gd
