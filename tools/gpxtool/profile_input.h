#pragma once
// The files gpxtool reads: whole files up to a size it is willing to hold,
// and whole profiles from a profile file or a driver package.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "profile/records.h"

namespace gpxtool {

// Far beyond any profile, codec block or JSON form of one.
inline constexpr std::size_t kMaxInputFile = 64u << 20;

// The whole file, or false with a reason ("cannot be opened", too large).
bool ReadInputFile(const std::string& path, std::size_t maxSize, std::vector<std::uint8_t>& data,
                   std::string& reason);

enum class ProfileSource { ProfileFile, Package };

struct LoadedProfile {
    ProfileSource source = ProfileSource::ProfileFile;
    std::unique_ptr<gd::ProfileImage> image = std::make_unique<gd::ProfileImage>();
    gd::SummaryBlock summary{};
};

// A driver package is a file named *.pkg, or one of exactly 151,496 bytes
// whose header does not describe a profile file of that size. It must be
// whole and carry the signature and version. Anything else is read as a
// profile file by the program's loader (gd::ReadProfileFile).
bool LoadProfileInput(const std::string& path, LoadedProfile& profile, std::string& reason);

const char* DescribeSource(ProfileSource source);  // "profile file", "driver package"

}  // namespace gpxtool
