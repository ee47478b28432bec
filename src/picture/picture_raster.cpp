#include "picture/picture_raster.h"

#include <algorithm>
#include <cassert>
#include <cmath>

#include "picture/picture_font.h"

namespace gd {

namespace {

constexpr double kTenthsPerInch = 254;

class Canvas {
  public:
    Canvas(GrayImage& image, double scale) : image_(image), scale_(scale) {}

    // Darkens (or, for white, lightens) a pixel by `coverage` 0..1.
    void Mark(int x, int y, double coverage, bool white) {
        if (x < 0 || y < 0 || x >= image_.width || y >= image_.height || coverage <= 0) {
            return;
        }
        std::uint8_t& pixel = image_.pixels[static_cast<std::size_t>(y) * image_.width + x];
        const double c = std::min(coverage, 1.0);
        const double value = white ? pixel + (255 - pixel) * c : pixel * (1 - c);
        pixel = static_cast<std::uint8_t>(std::lround(value));
    }

    // Segments are drawn by distance, keeping the darker of overlapping
    // marks so that joints do not darken twice.
    void Segment(PicturePoint a, PicturePoint b, double width) {
        const double ax = a.x * scale_, ay = a.y * scale_, bx = b.x * scale_, by = b.y * scale_;
        const double half = std::max(width * scale_, 1.0) / 2;
        const int x0 = static_cast<int>(std::floor(std::min(ax, bx) - half - 1));
        const int x1 = static_cast<int>(std::ceil(std::max(ax, bx) + half + 1));
        const int y0 = static_cast<int>(std::floor(std::min(ay, by) - half - 1));
        const int y1 = static_cast<int>(std::ceil(std::max(ay, by) + half + 1));
        const double dx = bx - ax, dy = by - ay;
        const double length2 = dx * dx + dy * dy;
        for (int y = std::max(y0, 0); y <= std::min(y1, image_.height - 1); ++y) {
            for (int x = std::max(x0, 0); x <= std::min(x1, image_.width - 1); ++x) {
                const double px = x + 0.5, py = y + 0.5;
                double t = length2 > 0 ? ((px - ax) * dx + (py - ay) * dy) / length2 : 0;
                t = std::clamp(t, 0.0, 1.0);
                const double distance = std::hypot(px - (ax + t * dx), py - (ay + t * dy));
                const double coverage = std::clamp(half + 0.5 - distance, 0.0, 1.0);
                std::uint8_t& pixel = image_.pixels[static_cast<std::size_t>(y) * image_.width + x];
                pixel =
                    std::min(pixel, static_cast<std::uint8_t>(std::lround(255 * (1 - coverage))));
            }
        }
    }

    void Fill(const PictureFill& fill) {
        const double x0 = fill.x * scale_, y0 = fill.y * scale_;
        const double x1 = (fill.x + fill.width) * scale_, y1 = (fill.y + fill.height) * scale_;
        for (int y = static_cast<int>(y0); y < static_cast<int>(std::ceil(y1)); ++y) {
            const double cy = std::min(y1, y + 1.0) - std::max(y0, static_cast<double>(y));
            for (int x = static_cast<int>(x0); x < static_cast<int>(std::ceil(x1)); ++x) {
                const double cx = std::min(x1, x + 1.0) - std::max(x0, static_cast<double>(x));
                Mark(x, y, cx * cy, false);
            }
        }
    }

    void Text(const PictureText& text) {
        const double size = text.size * scale_;
        double pen = text.x * scale_;
        const double width = TextWidth(text.ansi, size);
        if (text.anchor == TextAnchor::Middle) {
            pen -= width / 2;
        } else if (text.anchor == TextAnchor::End) {
            pen -= width;
        }
        for (char c : text.ansi) {
            const GlyphInk glyph = FindGlyph(c);
            Glyph(glyph, pen, text.baseline * scale_, size / AtlasEm(), text.white);
            pen += glyph.advance * size;
        }
    }

  private:
    // The atlas's coverage at a point, between its pixels' centres.
    static double Sample(const GlyphInk& g, double ax, double ay) {
        ax -= 0.5;
        ay -= 0.5;
        const int ix = static_cast<int>(std::floor(ax)), iy = static_cast<int>(std::floor(ay));
        const double fx = ax - ix, fy = ay - iy;
        const auto at = [&g](int x, int y) -> double {
            return x < 0 || y < 0 || x >= g.width || y >= g.height
                       ? 0.0
                       : g.coverage[static_cast<std::size_t>(y) * g.width + x];
        };
        return ((at(ix, iy) * (1 - fx) + at(ix + 1, iy) * fx) * (1 - fy) +
                (at(ix, iy + 1) * (1 - fx) + at(ix + 1, iy + 1) * fx) * fy) /
               255.0;
    }

    void Glyph(const GlyphInk& g, double penX, double baseline, double factor, bool white) {
        if (g.width == 0) {
            return;
        }
        constexpr int kSubsamples = 3;
        const double left = penX + g.left * factor, top = baseline + g.top * factor;
        const int x0 = static_cast<int>(std::floor(left)), y0 = static_cast<int>(std::floor(top));
        const int x1 = static_cast<int>(std::ceil(left + g.width * factor));
        const int y1 = static_cast<int>(std::ceil(top + g.height * factor));
        for (int y = y0; y < y1; ++y) {
            for (int x = x0; x < x1; ++x) {
                double sum = 0;
                for (int sy = 0; sy < kSubsamples; ++sy) {
                    for (int sx = 0; sx < kSubsamples; ++sx) {
                        const double ox = x + (sx + 0.5) / kSubsamples;
                        const double oy = y + (sy + 0.5) / kSubsamples;
                        sum += Sample(g, (ox - left) / factor, (oy - top) / factor);
                    }
                }
                Mark(x, y, sum / (kSubsamples * kSubsamples), white);
            }
        }
    }

    GrayImage& image_;
    double scale_;  // pixels per tenth of a millimetre
};

}  // namespace

GrayImage RenderPicture(const Picture& picture, int dotsPerInch) {
    assert(dotsPerInch >= 72 && dotsPerInch <= 1200 && "a printable resolution");
    const double scale = dotsPerInch / kTenthsPerInch;
    GrayImage image;
    image.dotsPerInch = dotsPerInch;
    image.width = static_cast<int>(std::lround(kCardWidth * scale));
    image.height = static_cast<int>(std::lround(kCardHeight * scale));
    image.pixels.assign(static_cast<std::size_t>(image.width) * image.height, 255);
    Canvas canvas(image, scale);
    for (const PictureStroke& stroke : picture.strokes) {
        const std::size_t n = stroke.points.size();
        for (std::size_t i = 0; i + 1 < n; ++i) {
            canvas.Segment(stroke.points[i], stroke.points[i + 1], stroke.width);
        }
        if (stroke.closed && n > 2) {
            canvas.Segment(stroke.points[n - 1], stroke.points[0], stroke.width);
        }
    }
    for (const PictureFill& fill : picture.fills) {
        canvas.Fill(fill);
    }
    for (const PictureText& text : picture.texts) {
        canvas.Text(text);
    }
    return image;
}

}  // namespace gd
