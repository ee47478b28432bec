#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "gpxtool/profile_input.h"
#include "profile/profile_file.h"
#include "core/profile_samples.h"

namespace gpxtool {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(ProfileInput, TellsPackagesFromProfileFilesAndRefusesBrokenOnes) {
    const gd::testing::Profile sample = gd::testing::SampleProfile();
    const Bytes package = gd::EncodePackage(*sample.image, sample.summary);
    const Bytes profile = gd::EncodeProfileFile(*sample.image, sample.summary);
    // A profile file of exactly the package's size: the codec block padded
    // with zero bytes, which expand to nothing past the image.
    Bytes padded = profile;
    padded.insert(padded.end() - gd::kSummaryBlockSize, gd::kPackageSize - profile.size(), 0);
    const std::uint32_t blockLength = gd::kPackageSize - 940;
    std::memcpy(padded.data() + 12, &blockLength, 4);
    const auto changed = [](Bytes bytes, std::size_t at, std::uint8_t value) {
        bytes[at] = value;
        return bytes;
    };
    const struct {
        const char* name;
        Bytes bytes;
        const char* refusal;  // nullptr: loads as the source below
        ProfileSource source = ProfileSource::ProfileFile;
    } cases[] = {
        {"velqorgpx.pkg", package, nullptr, ProfileSource::Package},
        {"upper.PKG", package, nullptr, ProfileSource::Package},
        {"package.gpx", package, nullptr, ProfileSource::Package},  // by its size and header
        {"plain.gpx", profile, nullptr},
        {"padded.gpx", padded, nullptr},
        {"short.pkg", Bytes(package.begin(), package.end() - 1),
         "a driver package has 151496 bytes, this file has 151495"},
        {"unsigned.pkg", changed(package, 0, 'X'), "wrong signature"},
        {"newer.pkg", changed(package, 8, 1), "unsupported profile version"},
        {"truncated.gpx", Bytes(profile.begin(), profile.end() - 100), "truncated"},
        {"newer.gpx", changed(profile, 8, 1), "unsupported profile version"},
        {"damaged.gpx", changed(profile, 16, 0x21), "wrong size"},  // rawLength not one image
    };
    const std::string prefix = ::testing::TempDir() + "gpxtool_input_" + std::to_string(getpid());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = prefix + "_" + c.name;
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(c.bytes.data()),
                   static_cast<std::streamsize>(c.bytes.size()));
        LoadedProfile loaded;
        std::string reason;
        const bool accepted = LoadProfileInput(path, loaded, reason);
        std::remove(path.c_str());
        if (c.refusal != nullptr) {
            EXPECT_FALSE(accepted);
            EXPECT_NE(reason.find(c.refusal), std::string::npos) << reason;
            continue;
        }
        ASSERT_TRUE(accepted) << reason;
        EXPECT_EQ(loaded.source, c.source);
        EXPECT_EQ(std::memcmp(loaded.image.get(), sample.image.get(), sizeof *loaded.image), 0);
        EXPECT_EQ(std::memcmp(&loaded.summary, &sample.summary, sizeof loaded.summary), 0);
    }
    LoadedProfile loaded;
    std::string reason;
    EXPECT_FALSE(LoadProfileInput(prefix + "_absent.gpx", loaded, reason));
    EXPECT_NE(reason.find("cannot be opened"), std::string::npos) << reason;
}

}  // namespace
}  // namespace gpxtool
