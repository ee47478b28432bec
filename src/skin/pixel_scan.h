#pragma once
// Pixel scans behind window shaping and colour replacement, on 32-bit pixels
// as a device-independent bitmap section holds them: one little-endian word
// per pixel, 0x00RRGGBB (byte 0 blue, 1 green, 2 red, 3 unused).
// Colours are given as COLORREF values, 0x00BBGGRR.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>

namespace gd {

constexpr std::uint32_t ColorrefToPixel(std::uint32_t colorref) {
    return ((colorref & 0xFF) << 16) | (colorref & 0xFF00) | ((colorref >> 16) & 0xFF);
}

// width x height pixels, rows of exactly `width` words. A bottom-up image
// stores its last picture row first, as a positive-height DIB does.
struct PixelImage {
    const std::uint32_t* pixels;
    std::int32_t width;
    std::int32_t height;
    bool bottomUp;

    // Row y of the picture, y = 0 at the top.
    const std::uint32_t* Row(std::int32_t y) const {
        std::int32_t stored = bottomUp ? height - 1 - y : y;
        return pixels + static_cast<std::size_t>(stored) * static_cast<std::size_t>(width);
    }
};

// Which pixels count as transparent: each of red, green and blue lies
// between the colour's channel c and c + the tolerance's same channel
// (capped at 255). Channels are matched by name, red with red.
class TransparentRange {
  public:
    TransparentRange(std::uint32_t colour, std::uint32_t tolerance);
    bool Contains(std::uint32_t pixel) const;

  private:
    std::uint8_t low_[3];  // pixel byte order: blue, green, red
    std::uint8_t high_[3];
};

// Same layout as a Win32 RECT: right and bottom are exclusive.
struct PixelRect {
    std::int32_t left;
    std::int32_t top;
    std::int32_t right;
    std::int32_t bottom;

    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// Older systems refuse regions built from very many rectangles at once.
inline constexpr std::size_t kRegionBatchSize = 2000;

// Receives one batch of rectangles and their bounding box (all zero for an
// empty batch); false stops the scan.
using RunBatchSink = std::function<bool(std::span<const PixelRect>, const PixelRect& bounds)>;

// Every run of opaque pixels becomes the rectangle (x0, y) - (x1, y + 1);
// rows from the top, each from the left. Whenever batchSize rectangles are
// collected they go to the sink; what is left goes at the end, and an image
// without any opaque pixel still sends one empty batch, so the caller
// always builds a region. False when the sink stopped the scan.
bool CollectOpaqueRuns(const PixelImage& image, const TransparentRange& range,
                       std::size_t batchSize, const RunBatchSink& sink);

// Sets every pixel whose colour is `from` to `to` (both COLORREF); the
// unused top byte is not compared. Returns how many pixels changed.
std::size_t ReplacePixelColour(std::span<std::uint32_t> pixels, std::uint32_t from,
                               std::uint32_t to);

// Readies pixels for a blend by their own alpha: those of the key colour
// (COLORREF; the top byte is not compared) become see-through, all four
// bytes 0 as premultiplied alpha wants; every other pixel opaque, its top
// byte 0xFF.
void KeyColourToAlpha(std::span<std::uint32_t> pixels, std::uint32_t key);

}  // namespace gd
