#pragma once
// A skin bitmap as res/art/build.py packs it into the program's resources
// (resource type RT_PACKED_ART), all numbers little-endian:
//
//   offset 0   4 bytes  "GDA1"
//   offset 4   uint16   width in pixels, 1 ... kMaxPackedArtSide
//   offset 6   uint16   height in pixels, 1 ... kMaxPackedArtSide
//   offset 8   uint8    bits per pixel: 24 (blue, green, red) or 1 (a mask:
//                       bit 0 black, bit 1 white; first pixel in the top bit)
//   offset 9   uint8    zero
//   offset 10  uint16   reference: 0, or the resource number of a bitmap of
//                       the same shape, itself without a reference, whose
//                       pixel bytes the stream's are XORed with
//   offset 12  a raw deflate stream of the pixel rows, bottom row first,
//              each padded with zeros to a multiple of 4 bytes: exactly
//              what an uncompressed bottom-up BMP holds after its header.
//
// A face that differs from its reference only in its label (M2 against
// M1) is mostly zeros that way, and packs to a fraction of its size.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace gd {

inline constexpr std::uint16_t kMaxPackedArtSide = 4096;
inline constexpr std::size_t kPackedArtHeaderSize = 12;

struct PackedArtShape {
    std::uint16_t width;
    std::uint16_t height;
    std::uint8_t bitsPerPixel;  // 1 or 24
    std::uint16_t reference;    // 0 or a resource number
    std::size_t rowBytes;       // one row with its padding
    std::size_t pixelBytes;     // rowBytes * height
};

// The shape a packed bitmap declares; nothing when its header is short,
// of another kind, or out of range.
std::optional<PackedArtShape> ReadPackedArtShape(std::span<const std::uint8_t> packed);

// Unpacks the rows of `packed`, whose shape is `shape`, into `pixels`
// (pixelBytes long). False when the stream is damaged or gives another
// number of bytes; `pixels` then holds no meaningful picture.
bool UnpackArtPixels(std::span<const std::uint8_t> packed, const PackedArtShape& shape,
                     std::span<std::uint8_t> pixels);

// Whether a bitmap of `shape` may take one of `reference` as its reference:
// the same size and depth, and no reference of its own.
bool CanReferTo(const PackedArtShape& shape, const PackedArtShape& reference);

// XORs `difference` into `pixels`, of the same length; false, changing
// nothing, when the lengths differ.
bool ApplyArtDifference(std::span<std::uint8_t> pixels, std::span<const std::uint8_t> difference);

}  // namespace gd
