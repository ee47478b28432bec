// The profile file parser over arbitrary contents, without the expansion that
// fuzz_expand covers: a refused file sets nothing, an accepted one places its
// block and SummaryBlock inside the data, in file order. The driver package
// reader takes the same bytes and must copy only what is there.
#include <cstdint>
#include <cstdlib>

#include "profile/codec.h"
#include "profile/profile_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static gd::ProfileImage image;
    static gd::SummaryBlock summary;
    static const std::uint8_t sentinel = 0;

    gd::ProfileFileParts parts{&sentinel, 0xA5A5A5A5, &sentinel};
    if (gd::ParseProfileFile(data, size, parts) != gd::FileError::None) {
        if (parts.block != &sentinel || parts.blockLength != 0xA5A5A5A5 ||
            parts.summary != &sentinel) {
            std::abort();
        }
    } else {
        std::uint32_t rawLength = 0;
        if (!gd::HasProfileSignature(data, size) || parts.block != data + gd::kProfileHeaderSize ||
            parts.summary != parts.block + parts.blockLength ||
            size < gd::kProfileHeaderSize + gd::kSummaryBlockSize ||
            parts.blockLength > size - gd::kProfileHeaderSize - gd::kSummaryBlockSize ||
            !gd::ReadRawLength(parts.block, parts.blockLength, rawLength) ||
            rawLength != gd::kProfileImageSize) {
            std::abort();
        }
    }
    gd::DecodePackage(data, size, image, summary);
    return 0;
}
