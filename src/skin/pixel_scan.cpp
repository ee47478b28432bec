#include "skin/pixel_scan.h"

#include <algorithm>
#include <vector>

namespace gd {

TransparentRange::TransparentRange(std::uint32_t colour, std::uint32_t tolerance) {
    std::uint32_t c = ColorrefToPixel(colour);
    std::uint32_t t = ColorrefToPixel(tolerance);
    for (int k = 0; k < 3; ++k) {
        std::uint32_t low = (c >> (8 * k)) & 0xFF;
        std::uint32_t high = std::min<std::uint32_t>(low + ((t >> (8 * k)) & 0xFF), 255);
        low_[k] = static_cast<std::uint8_t>(low);
        high_[k] = static_cast<std::uint8_t>(high);
    }
}

bool TransparentRange::Contains(std::uint32_t pixel) const {
    for (int k = 0; k < 3; ++k) {
        auto byte = static_cast<std::uint8_t>(pixel >> (8 * k));
        if (byte < low_[k] || byte > high_[k]) {
            return false;
        }
    }
    return true;
}

bool CollectOpaqueRuns(const PixelImage& image, const TransparentRange& range,
                       std::size_t batchSize, const RunBatchSink& sink) {
    batchSize = std::max<std::size_t>(batchSize, 1);
    std::vector<PixelRect> batch;
    batch.reserve(std::min<std::size_t>(batchSize, 100));
    PixelRect bounds{};
    bool flushedAny = false;

    auto flush = [&]() {
        flushedAny = true;
        bool go = sink(batch, bounds);
        batch.clear();
        bounds = PixelRect{};
        return go;
    };

    for (std::int32_t y = 0; y < image.height; ++y) {
        const std::uint32_t* row = image.Row(y);
        std::int32_t x = 0;
        while (x < image.width) {
            while (x < image.width && range.Contains(row[x])) {
                ++x;
            }
            if (x == image.width) {
                break;
            }
            std::int32_t start = x;
            while (x < image.width && !range.Contains(row[x])) {
                ++x;
            }
            PixelRect run{start, y, x, y + 1};
            if (batch.empty()) {
                bounds = run;
            } else {
                bounds.left = std::min(bounds.left, run.left);
                bounds.right = std::max(bounds.right, run.right);
                bounds.bottom = run.bottom;
            }
            batch.push_back(run);
            if (batch.size() == batchSize && !flush()) {
                return false;
            }
        }
    }
    if (!batch.empty() || !flushedAny) {
        return flush();
    }
    return true;
}

std::size_t ReplacePixelColour(std::span<std::uint32_t> pixels, std::uint32_t from,
                               std::uint32_t to) {
    const std::uint32_t fromPixel = ColorrefToPixel(from);
    const std::uint32_t toPixel = ColorrefToPixel(to);
    std::size_t changed = 0;
    for (std::uint32_t& pixel : pixels) {
        if ((pixel & 0x00FFFFFF) == fromPixel) {
            pixel = toPixel;
            ++changed;
        }
    }
    return changed;
}

void KeyColourToAlpha(std::span<std::uint32_t> pixels, std::uint32_t key) {
    const std::uint32_t keyPixel = ColorrefToPixel(key);
    for (std::uint32_t& pixel : pixels) {
        pixel = (pixel & 0x00FFFFFF) == keyPixel ? 0 : (pixel | 0xFF000000);
    }
}

}  // namespace gd
