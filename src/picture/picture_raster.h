#pragma once
// The picture drawn into grey pixels, for the PNG and for the printer:
// both show the same pixels.
#include <cstdint>
#include <vector>

#include "picture/picture_model.h"

namespace gd {

struct GrayImage {
    int width = 0;
    int height = 0;
    int dotsPerInch = 0;
    std::vector<std::uint8_t> pixels;  // rows top first, 0 black, 255 white
};

// The resolution of the PNG form, wherever it is written.
inline constexpr int kPictureDotsPerInch = 200;

// The whole card at `dotsPerInch` (72..1200), edges smoothed.
GrayImage RenderPicture(const Picture& picture, int dotsPerInch);

}  // namespace gd
