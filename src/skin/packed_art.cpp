#include "skin/packed_art.h"

#include <algorithm>
#include <array>

#include "skin/art_inflate.h"

namespace gd {

namespace {

constexpr std::array<std::uint8_t, 4> kMagic{'G', 'D', 'A', '1'};

std::uint16_t ReadUint16(std::span<const std::uint8_t> bytes, std::size_t offset) {
    return static_cast<std::uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

}  // namespace

std::optional<PackedArtShape> ReadPackedArtShape(std::span<const std::uint8_t> packed) {
    if (packed.size() < kPackedArtHeaderSize ||
        !std::equal(kMagic.begin(), kMagic.end(), packed.begin()) || packed[9] != 0) {
        return std::nullopt;
    }
    const std::uint16_t width = ReadUint16(packed, 4);
    const std::uint16_t height = ReadUint16(packed, 6);
    const std::uint8_t bits = packed[8];
    if (width == 0 || height == 0 || width > kMaxPackedArtSide || height > kMaxPackedArtSide ||
        (bits != 1 && bits != 24)) {
        return std::nullopt;
    }
    const std::size_t rowBytes = (std::size_t{width} * bits + 31) / 32 * 4;
    return PackedArtShape{width, height, bits, ReadUint16(packed, 10), rowBytes, rowBytes * height};
}

bool UnpackArtPixels(std::span<const std::uint8_t> packed, const PackedArtShape& shape,
                     std::span<std::uint8_t> pixels) {
    if (packed.size() < kPackedArtHeaderSize || pixels.size() != shape.pixelBytes) {
        return false;
    }
    return InflateRaw(packed.subspan(kPackedArtHeaderSize), pixels);
}

bool CanReferTo(const PackedArtShape& shape, const PackedArtShape& reference) {
    return shape.width == reference.width && shape.height == reference.height &&
           shape.bitsPerPixel == reference.bitsPerPixel && reference.reference == 0;
}

bool ApplyArtDifference(std::span<std::uint8_t> pixels, std::span<const std::uint8_t> difference) {
    if (pixels.size() != difference.size()) {
        return false;
    }
    std::transform(pixels.begin(), pixels.end(), difference.begin(), pixels.begin(),
                   [](std::uint8_t pixel, std::uint8_t change) {
                       return static_cast<std::uint8_t>(pixel ^ change);
                   });
    return true;
}

}  // namespace gd
