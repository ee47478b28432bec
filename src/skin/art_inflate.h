#pragma once
// The decoder of a raw deflate stream (RFC 1951: no zlib or gzip wrapper),
// the form res/art/build.py packs the skin's pixels in.
#include <cstdint>
#include <span>

namespace gd {

// Decodes `packed` into `out`. True only when the stream is whole and well
// formed, ends with its final block within `packed`, and gives exactly
// out.size() bytes. On false `out` holds an unspecified part of the data;
// nothing outside `packed` is read and nothing outside `out` written,
// whatever the input.
bool InflateRaw(std::span<const std::uint8_t> packed, std::span<std::uint8_t> out);

}  // namespace gd
