#!/usr/bin/env python3
"""Writes the picture's font as a C++ header: DejaVu Sans Bold, one glyph
for every printable character of Windows-1252, the code page profile texts
are stored in.

    glyph_atlas.py OUT --rsvg RSVG_CONVERT --font FONT_FILE

Advance widths come from the font file's own tables, so the picture's line
breaking measures what a viewer of the SVG measures; the glyphs' pixels are
rendered by rsvg-convert at kAtlasEm pixels per em and cropped to their ink.
The header is rewritten only when its text changes.
"""

import argparse
import os
import struct
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "res",
                                "art"))

import raster  # noqa: E402
from generated_header import write_if_changed  # noqa: E402

EM = 48                 # pixels per em in the atlas
CELL_W = EM * 2         # room for the widest glyph and its overhang
CELL_H = EM * 3 // 2
ORIGIN_X = EM // 4
BASELINE = EM * 11 // 10
COLUMNS = 16


def characters():
    """(byte, code point) for every printable Windows-1252 character."""
    out = []
    for byte in range(0x20, 0x100):
        if byte == 0x7F:
            continue
        try:
            ch = bytes([byte]).decode("cp1252")
        except UnicodeDecodeError:
            continue
        if 0x80 <= byte < 0xA0 and not ch.isprintable():
            continue
        out.append((byte, ord(ch)))
    return out


def font_tables(data):
    count = struct.unpack(">H", data[4:6])[0]
    tables = {}
    for i in range(count):
        tag, _, offset, length = struct.unpack(">4sIII", data[12 + 16 * i:28 + 16 * i])
        tables[tag.decode("ascii")] = data[offset:offset + length]
    return tables


def cmap_format4(cmap):
    count = struct.unpack(">H", cmap[2:4])[0]
    for i in range(count):
        platform, encoding, offset = struct.unpack(">HHI", cmap[4 + 8 * i:12 + 8 * i])
        if platform == 3 and encoding == 1 and struct.unpack(">H", cmap[offset:offset + 2])[0] == 4:
            return cmap[offset:]
    sys.exit("glyph_atlas.py: the font has no Unicode BMP cmap")


def glyph_index(sub, code):
    segs = struct.unpack(">H", sub[6:8])[0] // 2
    ends = struct.unpack(">%dH" % segs, sub[14:14 + 2 * segs])
    base = 16 + 2 * segs
    starts = struct.unpack(">%dH" % segs, sub[base:base + 2 * segs])
    deltas = struct.unpack(">%dh" % segs, sub[base + 2 * segs:base + 4 * segs])
    range_base = base + 4 * segs
    offsets = struct.unpack(">%dH" % segs, sub[range_base:range_base + 2 * segs])
    for i in range(segs):
        if starts[i] <= code <= ends[i]:
            if offsets[i] == 0:
                return (code + deltas[i]) & 0xFFFF
            at = range_base + 2 * i + offsets[i] + 2 * (code - starts[i])
            glyph = struct.unpack(">H", sub[at:at + 2])[0]
            return (glyph + deltas[i]) & 0xFFFF if glyph else 0
    return 0


def advances(font_file, codes):
    """Advance width of each code point in thousandths of an em."""
    with open(font_file, "rb") as f:
        tables = font_tables(f.read())
    units = struct.unpack(">H", tables["head"][18:20])[0]
    metrics = struct.unpack(">H", tables["hhea"][34:36])[0]
    sub = cmap_format4(tables["cmap"])
    out = {}
    for code in codes:
        glyph = min(glyph_index(sub, code), metrics - 1)
        width = struct.unpack(">H", tables["hmtx"][4 * glyph:4 * glyph + 2])[0]
        out[code] = (width * 1000 + units // 2) // units
    return out


def render(rsvg, chars):
    rows = (len(chars) + COLUMNS - 1) // COLUMNS
    width, height = COLUMNS * CELL_W, rows * CELL_H
    parts = []
    for i, (_, code) in enumerate(chars):
        x = (i % COLUMNS) * CELL_W + ORIGIN_X
        y = (i // COLUMNS) * CELL_H + BASELINE
        parts.append('<text x="%d" y="%d" xml:space="preserve">&#%d;</text>' % (x, y, code))
    svg = ('<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d">'
           '<g font-family="DejaVu Sans" font-weight="bold" font-size="%d" fill="#000">%s</g>'
           '</svg>' % (width, height, EM, "".join(parts)))
    with tempfile.TemporaryDirectory() as tmp:
        source = os.path.join(tmp, "atlas.svg")
        with open(source, "w", encoding="ascii") as f:
            f.write(svg)
        png = subprocess.run([rsvg, source], check=True, stdout=subprocess.PIPE).stdout
    return raster.decode_png(png)


def crop(image, i):
    """The ink of cell i: (left, top relative to origin and baseline, w, h, alpha rows)."""
    cx, cy = (i % COLUMNS) * CELL_W, (i // COLUMNS) * CELL_H
    alpha = image.alpha()
    rows = [alpha[(cy + y) * image.width + cx:(cy + y) * image.width + cx + CELL_W]
            for y in range(CELL_H)]
    ink_rows = [y for y in range(CELL_H) if any(rows[y])]
    if not ink_rows:
        return 0, 0, 0, 0, b""
    ink_cols = [x for x in range(CELL_W) if any(row[x] for row in rows)]
    x0, x1 = ink_cols[0], ink_cols[-1] + 1
    y0, y1 = ink_rows[0], ink_rows[-1] + 1
    pixels = b"".join(bytes(rows[y][x0:x1]) for y in range(y0, y1))
    return x0 - ORIGIN_X, y0 - BASELINE, x1 - x0, y1 - y0, pixels


def header(chars, widths, image):
    glyph_rows = []
    data = bytearray()
    for i, (byte, code) in enumerate(chars):
        left, top, w, h, pixels = crop(image, i)
        glyph_rows.append("    {0x%02X, 0x%04X, %d, %d, %d, %d, %d, %d},"
                          % (byte, code, widths[code], left, top, w, h, len(data)))
        data += pixels
    data_rows = []
    for start in range(0, len(data), 24):
        data_rows.append("    " + ",".join(str(b) for b in data[start:start + 24]) + ",")
    return "\n".join([
        "#pragma once",
        "// Written by src/picture/glyph_atlas.py from DejaVu Sans Bold: do not edit.",
        "#include <cstdint>",
        "",
        "namespace gd::picture_glyphs {",
        "",
        "// Pixels per em of the glyphs' coverage maps.",
        "inline constexpr int kAtlasEm = %d;" % EM,
        "",
        "struct Glyph {",
        "    std::uint8_t byte;        // the Windows-1252 character",
        "    std::uint16_t codePoint;  // the same in Unicode",
        "    std::uint16_t advance;    // thousandths of an em",
        "    std::int8_t left;         // ink's left edge from the pen, atlas pixels",
        "    std::int8_t top;          // ink's top from the baseline (negative: above)",
        "    std::uint8_t width;       // ink's size, atlas pixels",
        "    std::uint8_t height;",
        "    std::uint32_t offset;     // first coverage byte in kCoverage, rows top first",
        "};",
        "",
        "// Sorted by byte.",
        "inline constexpr Glyph kGlyphs[] = {",
        *glyph_rows,
        "};",
        "",
        "inline constexpr std::uint8_t kCoverage[] = {",
        *data_rows,
        "};",
        "",
        "}  // namespace gd::picture_glyphs",
        "",
    ])


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("out")
    parser.add_argument("--rsvg", default="rsvg-convert")
    parser.add_argument("--font", required=True)
    args = parser.parse_args()
    chars = characters()
    widths = advances(args.font, [code for _, code in chars])
    text = header(chars, widths, render(args.rsvg, chars))
    write_if_changed(args.out, text)


if __name__ == "__main__":
    main()
