// The skin's packed bitmaps over arbitrary bytes: never a read or write out
// of bounds, and a picture unpacks only into exactly its declared size.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <span>
#include <vector>

#include "skin/packed_art.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Room for a page at 100 %; larger declared sizes only slow the search.
    constexpr std::size_t kLimit = 1 << 20;
    const std::span<const std::uint8_t> packed(data, size);
    const std::optional<gd::PackedArtShape> shape = gd::ReadPackedArtShape(packed);
    if (!shape || shape->pixelBytes > kLimit) {
        return 0;
    }
    if (shape->rowBytes % 4 != 0 || shape->pixelBytes != shape->rowBytes * shape->height) {
        std::abort();
    }
    std::vector<std::uint8_t> pixels(shape->pixelBytes);
    if (gd::UnpackArtPixels(packed, *shape, pixels) && shape->reference != 0) {
        // As the program does with a reference's pixels, here the packed bytes.
        std::vector<std::uint8_t> reference(shape->pixelBytes);
        std::copy_n(data, std::min(size, reference.size()), reference.begin());
        if (!gd::ApplyArtDifference(pixels, reference)) {
            std::abort();
        }
    }
    // One byte short of room: the same stream must never fit.
    std::vector<std::uint8_t> smaller(shape->pixelBytes - 1);
    if (gd::UnpackArtPixels(packed, *shape, smaller)) {
        std::abort();
    }
    return 0;
}
