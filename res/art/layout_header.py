#!/usr/bin/env python3
"""Writes the skin's places from layout.py as a C++ header.

    layout_header.py OUT

The program places its skinned controls from this header, and build.py
draws the bitmaps from the same layout.py, so a control and the well drawn
for it cannot drift apart. The header is rewritten only when its text
changes, so that a drawing change recompiles nothing.
"""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import layout  # noqa: E402


def colorref(rgb):
    r, g, b = rgb
    return "0x%06X" % (r | g << 8 | b << 16)


def place_rows(items):
    """Rows of a Place table; the bitmaps must follow each other from the first."""
    first = items[0].number
    for offset, item in enumerate(items):
        if item.number != first + offset:
            sys.exit("layout_header.py: bitmap %d is not %d" % (item.number, first + offset))
    return first, [
        "    {%d, %d, %d, %d, %d, %s},  // %s"
        % (s.number, s.x, s.y, s.w, s.h, colorref(s.key), s.text or s.kind)
        for s in items
    ]


def ints(values):
    return ", ".join(str(v) for v in values)


def header():
    main_first, main_rows = place_rows(layout.main_skins())
    picture_first, picture_rows = place_rows(layout.pictures())
    return "\n".join([
        "#pragma once",
        "// Written by res/art/layout_header.py from res/art/layout.py: edit the",
        "// places there. Positions are client pixels of the control's top-left",
        "// corner, sizes those of one face, colours COLORREF values (0x00BBGGRR).",
        "#include <cstdint>",
        "",
        "namespace gd::skin_layout {",
        "",
        "struct Place {",
        "    int bitmap;",
        "    int x;",
        "    int y;",
        "    int width;",
        "    int height;",
        "    std::uint32_t transparent;  // the colour its faces leave out",
        "};",
        "",
        "// The main window's skinned buttons, one row per bitmap from the first;",
        "// the two face sets of a pad button share a place.",
        "inline constexpr int kMainFirstBitmap = %d;" % main_first,
        "inline constexpr Place kMainPlaces[] = {",
        *main_rows,
        "};",
        "",
        "constexpr const Place& MainPlace(int bitmap) {",
        "    return kMainPlaces[bitmap - kMainFirstBitmap];",
        "}",
        "",
        "// Label i of the main window sits at (kLabelX[i / 5], kLabelY[i % 5]).",
        "inline constexpr int kLabelX[] = {%s};" % ints(layout.LABEL_X),
        "inline constexpr int kLabelY[] = {%s};" % ints(layout.LABEL_ROWS),
        "inline constexpr int kLabelWidth = %d;" % layout.LABEL_W,
        "inline constexpr int kLabelHeight = %d;" % layout.LABEL_H,
        "inline constexpr std::uint32_t kLabelText = %s;" % colorref(layout.LABEL_TEXT),
        "",
        "// The pad picture window's buttons, one row per bitmap from the first.",
        "inline constexpr int kPictureFirstBitmap = %d;" % picture_first,
        "inline constexpr Place kPicturePlaces[] = {",
        *picture_rows,
        "};",
        "",
        "constexpr const Place& PicturePlace(int bitmap) {",
        "    return kPicturePlaces[bitmap - kPictureFirstBitmap];",
        "}",
        "",
        "}  // namespace gd::skin_layout",
        "",
    ])


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    out = sys.argv[1]
    text = header()
    try:
        with open(out, encoding="ascii") as f:
            if f.read() == text:
                return
    except OSError:
        pass
    os.makedirs(os.path.dirname(os.path.abspath(out)), exist_ok=True)
    with open(out, "w", encoding="ascii", newline="\n") as f:
        f.write(text)


if __name__ == "__main__":
    main()
