#include "gpxtool/profile_input.h"

#include <cctype>
#include <cstdio>

#include "profile/profile_file.h"

namespace gpxtool {

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

long SizeOf(std::FILE* file) {
    if (std::fseek(file, 0, SEEK_END) != 0) {
        return -1;
    }
    const long size = std::ftell(file);
    return std::fseek(file, 0, SEEK_SET) == 0 ? size : -1;
}

bool HasPackageExtension(const std::string& path) {
    constexpr char kExtension[] = ".pkg";
    constexpr std::size_t length = sizeof kExtension - 1;
    if (path.size() < length) {
        return false;
    }
    for (std::size_t i = 0; i < length; ++i) {
        const auto c = static_cast<unsigned char>(path[path.size() - length + i]);
        if (std::tolower(c) != kExtension[i]) {
            return false;
        }
    }
    return true;
}

std::uint32_t Le32(const std::uint8_t* p) {
    return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 |
           std::uint32_t{p[3]} << 24;
}

// A profile file of the package's size is possible (a poorly compressible
// image), so the size alone does not make a package.
bool IsPackage(const std::string& path, std::FILE* file, long size) {
    if (HasPackageExtension(path)) {
        return true;
    }
    if (static_cast<unsigned long>(size) != gd::kPackageSize) {
        return false;
    }
    std::uint8_t header[gd::kProfileHeaderSize] = {};
    const std::size_t read = std::fread(header, 1, sizeof header, file);
    std::uint32_t blockLength = 0;
    const bool profileHeader =
        gd::CheckProfileHeader(header, read, blockLength) == gd::FileError::None &&
        gd::kProfileHeaderSize + std::uint64_t{blockLength} + gd::kSummaryBlockSize ==
            gd::kPackageSize;
    return !profileHeader;
}

bool DecodePackageFile(const std::vector<std::uint8_t>& data, LoadedProfile& profile,
                       std::string& reason) {
    if (data.size() != gd::kPackageSize) {
        reason = "a driver package has " + std::to_string(gd::kPackageSize) +
                 " bytes, this file has " + std::to_string(data.size());
        return false;
    }
    if (!gd::HasProfileSignature(data.data(), data.size())) {
        reason = gd::DescribeFileError(gd::FileError::BadSignature);
        return false;
    }
    if (Le32(data.data() + sizeof gd::kProfileSignature) != gd::kProfileVersion) {
        reason = gd::DescribeFileError(gd::FileError::BadVersion);
        return false;
    }
    gd::DecodePackage(data.data(), data.size(), *profile.image, profile.summary);
    profile.source = ProfileSource::Package;
    return true;
}

}  // namespace

bool ReadInputFile(const std::string& path, std::size_t maxSize, std::vector<std::uint8_t>& data,
                   std::string& reason) {
    FilePtr file(std::fopen(path.c_str(), "rb"));
    const long size = file ? SizeOf(file.get()) : -1;
    if (size < 0) {
        reason = gd::DescribeFileError(gd::FileError::CannotOpen);
        return false;
    }
    if (static_cast<unsigned long>(size) > maxSize) {
        reason = "larger than " + std::to_string(maxSize >> 20) + " MiB, more than gpxtool reads";
        return false;
    }
    data.resize(static_cast<std::size_t>(size));
    if (std::fread(data.data(), 1, data.size(), file.get()) != data.size()) {
        reason = gd::DescribeFileError(gd::FileError::CannotOpen);
        return false;
    }
    return true;
}

bool LoadProfileInput(const std::string& path, LoadedProfile& profile, std::string& reason) {
    bool package = false;
    {
        FilePtr file(std::fopen(path.c_str(), "rb"));
        const long size = file ? SizeOf(file.get()) : -1;
        if (size < 0) {
            reason = gd::DescribeFileError(gd::FileError::CannotOpen);
            return false;
        }
        package = IsPackage(path, file.get(), size);
    }
    if (package) {
        std::vector<std::uint8_t> data;
        return ReadInputFile(path, kMaxInputFile, data, reason) &&
               DecodePackageFile(data, profile, reason);
    }
    const gd::FileError error = gd::ReadProfileFile(path, *profile.image, profile.summary);
    if (error != gd::FileError::None) {
        reason = gd::DescribeFileError(error);
        return false;
    }
    profile.source = ProfileSource::ProfileFile;
    return true;
}

const char* DescribeSource(ProfileSource source) {
    return source == ProfileSource::Package ? "driver package" : "profile file";
}

}  // namespace gpxtool
