#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "gpxtool/profile_input.h"
#include "profile/profile_file.h"
#include "test_profiles.h"

namespace gpxtool {
namespace {

class ProfileInputTest : public ::testing::Test {
  protected:
    void TearDown() override {
        for (const std::string& path : written_) {
            std::remove(path.c_str());
        }
    }

    std::string Write(const std::string& name, const std::vector<std::uint8_t>& bytes) {
        const std::string path = ::testing::TempDir() + "gpxtool_input_" + name;
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        written_.push_back(path);
        return path;
    }

  private:
    std::vector<std::string> written_;
};

// A profile file of exactly the package's size: the codec block padded
// with zero bytes, which expand to nothing past the image.
std::vector<std::uint8_t> ProfileFileOfPackageSize(const testing::Profile& p) {
    std::vector<std::uint8_t> file = gd::EncodeProfileFile(*p.image, p.summary);
    const std::size_t padding = gd::kPackageSize - file.size();
    file.insert(file.end() - gd::kSummaryBlockSize, padding, 0);
    const std::uint32_t blockLength = static_cast<std::uint32_t>(
        gd::kPackageSize - gd::kProfileHeaderSize - gd::kSummaryBlockSize);
    for (int i = 0; i < 4; ++i) {
        file[12 + i] = static_cast<std::uint8_t>(blockLength >> (8 * i));
    }
    return file;
}

TEST_F(ProfileInputTest, TellsPackagesFromProfileFiles) {
    const testing::Profile sample = testing::SampleProfile();
    const std::vector<std::uint8_t> package = gd::EncodePackage(*sample.image, sample.summary);
    const std::vector<std::uint8_t> profileFile =
        gd::EncodeProfileFile(*sample.image, sample.summary);
    const std::vector<std::uint8_t> bigProfileFile = ProfileFileOfPackageSize(sample);
    ASSERT_EQ(bigProfileFile.size(), gd::kPackageSize);
    struct Case {
        const char* name;
        const std::vector<std::uint8_t>& bytes;
        ProfileSource source;
    };
    const Case cases[] = {
        {"velqorgpx.pkg", package, ProfileSource::Package},
        {"upper.PKG", package, ProfileSource::Package},
        {"package.gpx", package, ProfileSource::Package},  // by its size and header
        {"plain.gpx", profileFile, ProfileSource::ProfileFile},
        {"padded.gpx", bigProfileFile, ProfileSource::ProfileFile},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LoadedProfile loaded;
        std::string reason;
        ASSERT_TRUE(LoadProfileInput(Write(c.name, c.bytes), loaded, reason)) << reason;
        EXPECT_EQ(loaded.source, c.source);
        EXPECT_EQ(std::memcmp(loaded.image.get(), sample.image.get(), sizeof *loaded.image), 0);
        EXPECT_EQ(std::memcmp(&loaded.summary, &sample.summary, sizeof loaded.summary), 0);
    }
}

TEST_F(ProfileInputTest, RefusesBrokenFiles) {
    const testing::Profile sample = testing::SampleProfile();
    const std::vector<std::uint8_t> package = gd::EncodePackage(*sample.image, sample.summary);
    const std::vector<std::uint8_t> profileFile =
        gd::EncodeProfileFile(*sample.image, sample.summary);

    std::vector<std::uint8_t> shortPackage(package.begin(), package.end() - 1);
    std::vector<std::uint8_t> longPackage = package;
    longPackage.push_back(0);
    std::vector<std::uint8_t> unsignedPackage = package;
    unsignedPackage[0] = 'X';
    std::vector<std::uint8_t> newerPackage = package;
    newerPackage[8] = 1;
    std::vector<std::uint8_t> truncatedProfile(profileFile.begin(), profileFile.end() - 100);
    std::vector<std::uint8_t> newerProfile = profileFile;
    newerProfile[8] = 1;
    std::vector<std::uint8_t> damagedBlock = profileFile;
    damagedBlock[16] = 0x21;  // rawLength no longer one image

    struct Case {
        const char* name;
        const std::vector<std::uint8_t>* bytes;  // nullptr: no such file
        const char* reason;
    };
    const Case cases[] = {
        {"short.pkg", &shortPackage, "a driver package has 151496 bytes, this file has 151495"},
        {"long.pkg", &longPackage, "this file has 151497"},
        {"unsigned.pkg", &unsignedPackage, "wrong signature"},
        {"newer.pkg", &newerPackage, "unsupported profile version"},
        {"truncated.gpx", &truncatedProfile, "truncated"},
        {"newer.gpx", &newerProfile, "unsupported profile version"},
        {"damaged.gpx", &damagedBlock, "wrong size"},
        {"missing.gpx", nullptr, "cannot be opened"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = c.bytes != nullptr
                                     ? Write(c.name, *c.bytes)
                                     : ::testing::TempDir() + "gpxtool_input_absent.gpx";
        LoadedProfile loaded;
        std::string reason;
        EXPECT_FALSE(LoadProfileInput(path, loaded, reason));
        EXPECT_NE(reason.find(c.reason), std::string::npos) << reason;
    }
}

}  // namespace
}  // namespace gpxtool
