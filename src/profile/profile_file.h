#pragma once
// The two files that carry a whole profile.
//   profile file (*.gpx): "VQR  GPX", version u32, L u32, codec block of L
//     bytes (the image), SummaryBlock; 940 + L bytes.
//   driver package: "VQR  GPX", version u32, ProfileImage, SummaryBlock;
//     always 151,496 bytes.
// Decoding is all-or-nothing for profile files: outputs change only on success.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "profile/records.h"

namespace gd {

inline constexpr char kProfileSignature[8] = {'V', 'Q', 'R', ' ', ' ', 'G', 'P', 'X'};
inline constexpr std::uint32_t kProfileVersion = 0x00010000;
inline constexpr std::size_t kProfileHeaderSize = 16;  // signature, version, L
inline constexpr std::size_t kPackageHeaderSize = 12;  // signature, version
inline constexpr std::size_t kPackageSize =
    kPackageHeaderSize + kProfileImageSize + kSummaryBlockSize;
static_assert(kPackageSize == 151496);

inline constexpr char kDefaultProfileName[] = "default.gpx";

enum class FileError {
    None,
    CannotOpen,  // missing, unreadable, or not creatable
    BadSignature,
    BadVersion,
    Truncated,       // ends before its header, block or SummaryBlock does
    BadLength,       // compressed length 0
    BadBlock,        // the codec cannot read the block
    WrongImageSize,  // the block does not expand to exactly one ProfileImage
    WriteFailed,     // a write, flush or the final replace failed
};

// Short English reason, for tools and logs.
const char* DescribeFileError(FileError error);

// Case-insensitive over the 8 signature bytes, as the program always has.
bool HasProfileSignature(const std::uint8_t* bytes, std::size_t size);

// Signature, version and a non-zero compressed length; sets blockLength.
FileError CheckProfileHeader(const std::uint8_t* data, std::size_t size,
                             std::uint32_t& blockLength);

// Where a profile file's codec block and SummaryBlock lie.
struct ProfileFileParts {
    const std::uint8_t* block = nullptr;
    std::uint32_t blockLength = 0;
    const std::uint8_t* summary = nullptr;  // kSummaryBlockSize bytes
};

// Every check of a profile file short of expanding its block: header,
// lengths, and a block header declaring exactly one ProfileImage. Sets parts
// only on success.
FileError ParseProfileFile(const std::uint8_t* data, std::size_t size, ProfileFileParts& parts);

std::vector<std::uint8_t> EncodeProfileFile(const ProfileImage& image, const SummaryBlock& summary);
FileError DecodeProfileFile(const std::uint8_t* data, std::size_t size, ProfileImage& image,
                            SummaryBlock& summary);

std::vector<std::uint8_t> EncodePackage(const ProfileImage& image, const SummaryBlock& summary);
// Fills image and summary as far as the data reaches; the first 12 bytes are
// not checked.
void DecodePackage(const std::uint8_t* data, std::size_t size, ProfileImage& image,
                   SummaryBlock& summary);

// Whole-file helpers. ReadProfileFile never allocates more than the file holds.
FileError ReadProfileFile(const std::string& path, ProfileImage& image, SummaryBlock& summary);
// False when the package cannot be opened; a short package fills partly.
bool ReadPackageFile(const std::string& path, ProfileImage& image, SummaryBlock& summary);
// Reads at most maxSize bytes; false when the file cannot be opened or is longer.
bool ReadWholeFile(const std::string& path, std::size_t maxSize, std::vector<std::uint8_t>& data);
// Writes a fresh file beside `path` (see StagedFile) and replaces `path` only
// when every write succeeded; the old file is untouched otherwise, and so is
// a `path` that is not a regular file.
bool WriteFileAtomically(const std::string& path, const void* data, std::size_t size);
// Creates or truncates `path` and writes the bytes in place (for files another
// program holds open by name, like the driver package).
bool WriteFileInPlace(const std::string& path, const void* data, std::size_t size);

// How this process reaches the Windows directory's system32 folder. A 32-bit
// program on 64-bit Windows (WOW64) is sent to SysWOW64 by that name, and
// reaches the folder the driver reads only through the alias "Sysnative".
enum class SystemFolderView {
    Native,
    Wow64,
};

// The driver package as this process opens it:
// "<windowsDir>\system32\drivers\velqorgpx.pkg", or with "Sysnative" in
// place of "system32" under WOW64.
std::string PackagePath(std::string_view windowsDirectory,
                        SystemFolderView view = SystemFolderView::Native);

}  // namespace gd
