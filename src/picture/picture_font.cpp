#include "picture/picture_font.h"

#include <algorithm>
#include <iterator>

#include "picture_glyphs.h"

namespace gd {

namespace {

const picture_glyphs::Glyph* Lookup(std::uint8_t byte) {
    const auto* begin = std::begin(picture_glyphs::kGlyphs);
    const auto* end = std::end(picture_glyphs::kGlyphs);
    const auto* found =
        std::lower_bound(begin, end, byte,
                         [](const picture_glyphs::Glyph& g, std::uint8_t b) { return g.byte < b; });
    return found != end && found->byte == byte ? found : nullptr;
}

}  // namespace

int AtlasEm() {
    return picture_glyphs::kAtlasEm;
}

GlyphInk FindGlyph(char ansi) {
    const picture_glyphs::Glyph* glyph = Lookup(static_cast<std::uint8_t>(ansi));
    if (glyph == nullptr) {
        glyph = Lookup('?');
    }
    return GlyphInk{glyph->codePoint,
                    glyph->advance / 1000.0,
                    glyph->left,
                    glyph->top,
                    glyph->width,
                    glyph->height,
                    picture_glyphs::kCoverage + glyph->offset};
}

double TextWidth(std::string_view ansi, double size) {
    double ems = 0;
    for (char c : ansi) {
        ems += FindGlyph(c).advance;
    }
    return ems * size;
}

}  // namespace gd
