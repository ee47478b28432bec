#include "profile/profile_file.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <memory>

#include "profile/codec.h"
#include "profile/file_replace.h"

namespace gd {

namespace {

std::uint32_t ReadLe32(const std::uint8_t* p) {
    return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 |
           std::uint32_t{p[3]} << 24;
}

void AppendLe32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

template <typename T>
void AppendBytes(std::vector<std::uint8_t>& out, const T& record) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(&record);
    out.insert(out.end(), bytes, bytes + sizeof record);
}

void AppendHeader(std::vector<std::uint8_t>& out) {
    out.insert(out.end(), std::begin(kProfileSignature), std::end(kProfileSignature));
    AppendLe32(out, kProfileVersion);
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// Size of an open file, or -1. Profile files are small; anything beyond
// 2 GiB is refused as a matter of course.
long FileSize(std::FILE* file) {
    if (std::fseek(file, 0, SEEK_END) != 0) {
        return -1;
    }
    const long size = std::ftell(file);
    if (std::fseek(file, 0, SEEK_SET) != 0) {
        return -1;
    }
    return size;
}

// No block of one ProfileImage is longer than this, whatever its
// parameters: every byte in runs of two at the widest run length the format
// carries, after the largest dictionary. A longer one declares bytes that
// nothing reads, and is refused before they are read.
std::size_t LargestProfileBlock() {
    static const std::size_t largest =
        CompressBound(kProfileImageSize, kLargestLengthBits, kLargestDictCount, kLargestDictWidth);
    return largest;
}

}  // namespace

const char* DescribeFileError(FileError error) {
    switch (error) {
        case FileError::None:
            return "ok";
        case FileError::CannotOpen:
            return "cannot be opened";
        case FileError::BadSignature:
            return "not a Gripdeck profile (wrong signature)";
        case FileError::BadVersion:
            return "unsupported profile version";
        case FileError::Truncated:
            return "file is truncated";
        case FileError::BadLength:
            return "compressed image length is 0";
        case FileError::BadBlock:
            return "compressed image is damaged";
        case FileError::WrongImageSize:
            return "compressed image has the wrong size";
        case FileError::WriteFailed:
            return "cannot be written";
    }
    return "unknown error";
}

bool HasProfileSignature(const std::uint8_t* bytes, std::size_t size) {
    if (size < sizeof kProfileSignature) {
        return false;
    }
    for (std::size_t i = 0; i < sizeof kProfileSignature; ++i) {
        if (std::tolower(bytes[i]) !=
            std::tolower(static_cast<unsigned char>(kProfileSignature[i]))) {
            return false;
        }
    }
    return true;
}

std::vector<std::uint8_t> EncodeProfileFile(const ProfileImage& image,
                                            const SummaryBlock& summary) {
    std::vector<std::uint8_t> block;
    const bool compressed = Compress(reinterpret_cast<const std::uint8_t*>(&image), sizeof image,
                                     kProfileLengthBits, nullptr, 0, 0, block);
    (void)compressed;  // byte mode with 10-bit runs is always accepted

    std::vector<std::uint8_t> out;
    out.reserve(kProfileHeaderSize + block.size() + sizeof summary);
    AppendHeader(out);
    AppendLe32(out, static_cast<std::uint32_t>(block.size()));
    out.insert(out.end(), block.begin(), block.end());
    AppendBytes(out, summary);
    return out;
}

// The one place that accepts or refuses a profile file's header.
FileError CheckProfileHeader(const std::uint8_t* data, std::size_t size,
                             std::uint32_t& blockLength) {
    if (size < sizeof kProfileSignature) {
        return FileError::Truncated;
    }
    if (!HasProfileSignature(data, size)) {
        return FileError::BadSignature;
    }
    if (size < kProfileHeaderSize) {
        return FileError::Truncated;
    }
    if (ReadLe32(data + 8) != kProfileVersion) {
        return FileError::BadVersion;
    }
    blockLength = ReadLe32(data + 12);
    return blockLength == 0 ? FileError::BadLength : FileError::None;
}

FileError ParseProfileFile(const std::uint8_t* data, std::size_t size, ProfileFileParts& parts) {
    std::uint32_t blockLength = 0;
    if (const FileError error = CheckProfileHeader(data, size, blockLength);
        error != FileError::None) {
        return error;
    }
    const std::size_t rest = size - kProfileHeaderSize;
    if (blockLength > rest || rest - blockLength < sizeof(SummaryBlock)) {
        return FileError::Truncated;
    }
    if (blockLength > LargestProfileBlock()) {
        return FileError::BadBlock;
    }
    const std::uint8_t* block = data + kProfileHeaderSize;
    std::uint32_t rawLength = 0;
    if (!ReadRawLength(block, blockLength, rawLength)) {
        return FileError::BadBlock;
    }
    if (rawLength != sizeof(ProfileImage)) {
        return FileError::WrongImageSize;
    }
    parts = {block, blockLength, block + blockLength};
    return FileError::None;
}

FileError DecodeProfileFile(const std::uint8_t* data, std::size_t size, ProfileImage& image,
                            SummaryBlock& summary) {
    ProfileFileParts parts;
    if (const FileError error = ParseProfileFile(data, size, parts); error != FileError::None) {
        return error;
    }
    auto expanded = std::make_unique<ProfileImage>();
    std::size_t expandedLength = 0;
    if (ExpandInto(parts.block, parts.blockLength, reinterpret_cast<std::uint8_t*>(expanded.get()),
                   sizeof image, expandedLength) != ExpandStatus::Ok) {
        return FileError::BadBlock;
    }
    std::memcpy(&image, expanded.get(), sizeof image);
    std::memcpy(&summary, parts.summary, sizeof summary);
    return FileError::None;
}

std::vector<std::uint8_t> EncodePackage(const ProfileImage& image, const SummaryBlock& summary) {
    std::vector<std::uint8_t> out;
    out.reserve(kPackageSize);
    AppendHeader(out);
    AppendBytes(out, image);
    AppendBytes(out, summary);
    return out;
}

void DecodePackage(const std::uint8_t* data, std::size_t size, ProfileImage& image,
                   SummaryBlock& summary) {
    if (size <= kPackageHeaderSize) {
        return;
    }
    std::size_t left = size - kPackageHeaderSize;
    const std::uint8_t* from = data + kPackageHeaderSize;
    const std::size_t imageBytes = std::min(left, sizeof image);
    std::memcpy(&image, from, imageBytes);
    left -= imageBytes;
    std::memcpy(&summary, from + imageBytes, std::min(left, sizeof summary));
}

bool ReadWholeFile(const std::string& path, std::size_t maxSize, std::vector<std::uint8_t>& data) {
    FilePtr file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        return false;
    }
    const long size = FileSize(file.get());
    if (size < 0 || static_cast<unsigned long>(size) > maxSize) {
        return false;
    }
    data.resize(static_cast<std::size_t>(size));
    data.resize(std::fread(data.data(), 1, data.size(), file.get()));
    return true;
}

FileError ReadProfileFile(const std::string& path, ProfileImage& image, SummaryBlock& summary) {
    FilePtr file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        return FileError::CannotOpen;
    }
    const long size = FileSize(file.get());
    if (size < 0) {
        return FileError::CannotOpen;
    }
    // Check the header before reading the rest, so that a large foreign file
    // is refused without being read or allocated.
    std::uint8_t header[kProfileHeaderSize] = {};
    const std::size_t headerBytes = std::fread(header, 1, sizeof header, file.get());
    std::uint32_t blockLength = 0;
    if (const FileError error = CheckProfileHeader(header, headerBytes, blockLength);
        error != FileError::None) {
        return error;
    }
    const std::uint64_t declared = std::uint64_t{kProfileHeaderSize} + blockLength + sizeof summary;
    if (declared > static_cast<unsigned long>(size)) {
        return FileError::Truncated;
    }
    if (blockLength > LargestProfileBlock()) {
        return FileError::BadBlock;
    }
    std::vector<std::uint8_t> data(static_cast<std::size_t>(declared));
    std::memcpy(data.data(), header, sizeof header);
    const std::size_t rest = data.size() - sizeof header;
    if (std::fread(data.data() + sizeof header, 1, rest, file.get()) != rest) {
        return FileError::Truncated;
    }
    return DecodeProfileFile(data.data(), data.size(), image, summary);
}

bool ReadPackageFile(const std::string& path, ProfileImage& image, SummaryBlock& summary) {
    std::vector<std::uint8_t> data;
    FilePtr file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        return false;
    }
    data.resize(kPackageSize);
    data.resize(std::fread(data.data(), 1, data.size(), file.get()));
    DecodePackage(data.data(), data.size(), image, summary);
    return true;
}

bool WriteFileInPlace(const std::string& path, const void* data, std::size_t size) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    // An empty vector's data() may be null, which fwrite must not be given.
    const bool written =
        (size == 0 || std::fwrite(data, 1, size, file) == size) && std::fflush(file) == 0;
    return std::fclose(file) == 0 && written;
}

bool WriteFileAtomically(const std::string& path, const void* data, std::size_t size) {
    StagedFile staged(path);
    return staged.Write(data, size) && staged.Commit();
}

std::string PackagePath(std::string_view windowsDirectory, SystemFolderView view) {
    std::string path(windowsDirectory);
    path += view == SystemFolderView::Wow64 ? "\\Sysnative" : "\\system32";
    path += "\\drivers\\velqorgpx.pkg";
    return path;
}

}  // namespace gd
