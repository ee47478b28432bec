#include "picture/page_fit.h"

#include <algorithm>
#include <cmath>

namespace gd {

bool WantsLandscape(double pictureWidth, double pictureHeight) {
    return pictureWidth > pictureHeight;
}

PageRect FitOnPage(double pictureWidth, double pictureHeight, std::int32_t areaWidth,
                   std::int32_t areaHeight, std::int32_t dotsX, std::int32_t dotsY) {
    if (areaWidth <= 0 || areaHeight <= 0 || dotsX <= 0 || dotsY <= 0 || pictureWidth <= 0 ||
        pictureHeight <= 0) {
        return PageRect{0, 0, 0, 0};
    }
    // Compared in inches, so that unequal dots keep the picture's shape.
    const double areaInchesX = static_cast<double>(areaWidth) / dotsX;
    const double areaInchesY = static_cast<double>(areaHeight) / dotsY;
    const double scale = std::min(areaInchesX / pictureWidth, areaInchesY / pictureHeight);
    // Rounded, so that the side that fills the area fills it exactly.
    const auto width =
        std::min(areaWidth, static_cast<std::int32_t>(std::lround(pictureWidth * scale * dotsX)));
    const auto height =
        std::min(areaHeight, static_cast<std::int32_t>(std::lround(pictureHeight * scale * dotsY)));
    return PageRect{(areaWidth - width) / 2, (areaHeight - height) / 2, width, height};
}

}  // namespace gd
