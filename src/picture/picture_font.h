#pragma once
// The picture's one face, DejaVu Sans Bold, for Windows-1252 text: how wide
// a text is and the coverage of each glyph. Sizes are em heights in any
// unit; widths come back in the same unit.
#include <cstdint>
#include <string_view>

namespace gd {

struct GlyphInk {
    std::uint16_t codePoint;  // the character in Unicode
    double advance;           // in ems
    // The ink's box in atlas pixels (AtlasEm() per em) from the pen on the
    // baseline; top is negative above it. Rows of `width` coverage bytes.
    int left;
    int top;
    int width;
    int height;
    const std::uint8_t* coverage;
};

int AtlasEm();

// A character the face lacks (a control character, a byte Windows-1252
// leaves undefined) is drawn and measured as '?'.
GlyphInk FindGlyph(char ansi);

double TextWidth(std::string_view ansi, double size);

}  // namespace gd
