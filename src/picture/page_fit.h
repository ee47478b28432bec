#pragma once
// Where the picture goes on a printed page: as large as the printable area
// allows without changing its proportions, centred in it, and the page
// turned the way the picture is.
#include <cstdint>

namespace gd {

struct PageRect {
    std::int32_t x;  // device pixels from the printable area's top-left corner
    std::int32_t y;
    std::int32_t width;
    std::int32_t height;
};

// True when a picture of this size prints best on a page turned sideways.
bool WantsLandscape(double pictureWidth, double pictureHeight);

// The picture's place in a printable area of `areaWidth` x `areaHeight`
// device pixels whose pixels are `dotsX` by `dotsY` per inch (printers may
// differ between the two). An empty area gives an empty rectangle.
PageRect FitOnPage(double pictureWidth, double pictureHeight, std::int32_t areaWidth,
                   std::int32_t areaHeight, std::int32_t dotsX, std::int32_t dotsY);

}  // namespace gd
