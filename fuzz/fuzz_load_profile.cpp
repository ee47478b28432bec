// The profile loader over arbitrary file contents: a refused file leaves the
// records untouched, an accepted one re-encodes to a file that loads the same.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "profile/profile_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto image = std::make_unique<gd::ProfileImage>();
    auto summary = std::make_unique<gd::SummaryBlock>();
    std::memset(image.get(), 0xA5, sizeof *image);
    std::memset(summary.get(), 0x5A, sizeof *summary);

    const gd::FileError error = gd::DecodeProfileFile(data, size, *image, *summary);
    if (error != gd::FileError::None) {
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(image.get());
        for (std::size_t i = 0; i < sizeof *image; ++i) {
            if (bytes[i] != 0xA5)
                std::abort();
        }
        return 0;
    }
    const auto file = gd::EncodeProfileFile(*image, *summary);
    auto image2 = std::make_unique<gd::ProfileImage>();
    auto summary2 = std::make_unique<gd::SummaryBlock>();
    if (gd::DecodeProfileFile(file.data(), file.size(), *image2, *summary2) !=
            gd::FileError::None ||
        std::memcmp(image.get(), image2.get(), sizeof *image) != 0 ||
        std::memcmp(summary.get(), summary2.get(), sizeof *summary) != 0) {
        std::abort();
    }
    return 0;
}
