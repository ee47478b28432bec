#include "editors/list_columns.h"

#include <algorithm>
#include <cstdint>

namespace gd {

int AtDpi(int lengthAt96, std::uint32_t dpi) {
    const std::int64_t scaled = std::int64_t{lengthAt96} * dpi;
    return static_cast<int>(scaled >= 0 ? (scaled + 48) / 96 : (scaled - 48) / 96);
}

int ColumnWidthFor(int measured, std::uint32_t dpi, int least) {
    if (dpi == 0) {
        return std::max(measured, least);
    }
    const auto needed = static_cast<int>((std::int64_t{measured} * 96 + dpi - 1) / dpi);
    return std::max(needed, least);
}

int WideningToShow(std::span<const int> widths, std::uint32_t dpi, int clientWidth) {
    int total = 0;
    for (int width : widths) {
        total += AtDpi(width, dpi);
    }
    return std::max(0, total - clientWidth);
}

}  // namespace gd
