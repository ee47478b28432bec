#pragma once
// A grey image as a PNG file's bytes: 8-bit greyscale, its resolution in a
// pHYs chunk so that it prints at the card's size, compressed with our own
// deflate (fixed codes, runs of repeated bytes), which suits a line drawing.
#include <cstdint>
#include <span>
#include <vector>

#include "picture/picture_raster.h"

namespace gd {

std::vector<std::uint8_t> EncodePng(const GrayImage& image);

// The checksums PNG and zlib use, over `data`.
std::uint32_t Crc32(std::span<const std::uint8_t> data, std::uint32_t crc = 0);
std::uint32_t Adler32(std::span<const std::uint8_t> data);

}  // namespace gd
