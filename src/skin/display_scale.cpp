#include "skin/display_scale.h"

#include <cassert>
#include <cstdint>

namespace gd {

int PickArtScale(std::uint32_t dpi, std::span<const int> scales) {
    assert(!scales.empty() && "the art is drawn at one scale at least");
    if (dpi == 0) {
        return 0;
    }
    // percent * 96 >= dpi * 100, in whole numbers: 144 dpi is exactly 150 %.
    const std::uint64_t wanted = std::uint64_t{dpi} * 100;
    for (std::size_t k = 0; k < scales.size(); ++k) {
        if (static_cast<std::uint64_t>(scales[k]) * kBaseDpi >= wanted) {
            return static_cast<int>(k);
        }
    }
    return static_cast<int>(scales.size()) - 1;
}

std::int32_t ScalePixels(std::int32_t length, int percent) {
    const std::int64_t product = std::int64_t{length} * percent;
    const std::int64_t rounded = product >= 0 ? (product + 50) / 100 : -((-product + 50) / 100);
    return static_cast<std::int32_t>(rounded);
}

}  // namespace gd
