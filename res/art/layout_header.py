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
from generated_header import write_if_changed  # noqa: E402


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
        "        {%d, %d, %d, %d, %d, %s},  // %s"
        % (s.number, s.x, s.y, s.w, s.h, colorref(s.key), s.text or s.kind)
        for s in items
    ]


def ints(values):
    return ", ".join(str(v) for v in values)


def per_scale(name, items):
    """A table of places with one row of them per display scale."""
    lines = ["inline constexpr Place %s[kArtScaleCount][%d] = {" % (name, len(items))]
    first = None
    for percent in layout.SCALES:
        first, rows = place_rows([item.at(percent) for item in items])
        lines += ["    {  // %d %%" % percent, *rows, "    },"]
    return first, lines + ["};"]


def label_rows():
    rows = []
    for percent in layout.SCALES:
        px = lambda v: layout.scaled(v, percent)  # noqa: E731
        rows.append("    {{%s}, {%s}, %d, %d},  // %d %%"
                    % (ints(px(x) for x in layout.LABEL_X), ints(px(y) for y in layout.LABEL_ROWS),
                       px(layout.LABEL_W), px(layout.LABEL_H), percent))
    return rows


def status_rows():
    rows = []
    for percent in layout.SCALES:
        px = lambda v: layout.scaled(v, percent)  # noqa: E731
        rows.append("    {%d, %d, %d, %d},  // %d %%"
                    % (px(layout.STATUS_X), px(layout.STATUS_Y), px(layout.STATUS_W),
                       px(layout.STATUS_H), percent))
    return rows


def header():
    main_first, main_table = per_scale("kMainPlaces", layout.main_skins())
    picture_first, picture_table = per_scale("kPicturePlaces", layout.pictures())
    return "\n".join([
        "#pragma once",
        "// Written by res/art/layout_header.py from res/art/layout.py: edit the",
        "// places there. Positions are client pixels of the control's top-left",
        "// corner, sizes those of one face, colours COLORREF values (0x00BBGGRR).",
        "// Every table holds the places at each display scale the art is drawn",
        "// at, as the art was drawn: 100 % first.",
        "#include <cstdint>",
        "",
        "namespace gd::skin_layout {",
        "",
        "// Display scales in percent of 96 dpi. Bitmap n drawn at kArtScales[k] is",
        "// the resource ScaledBitmap(n, k).",
        "inline constexpr int kArtScales[] = {%s};" % ints(layout.SCALES),
        "inline constexpr int kArtScaleCount = %d;" % len(layout.SCALES),
        "",
        "constexpr int ScaledBitmap(int bitmap, int scale) {",
        "    return bitmap + scale * %d;" % layout.SCALE_ID_STEP,
        "}",
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
        *main_table,
        "",
        "constexpr const Place& MainPlace(int bitmap, int scale = 0) {",
        "    return kMainPlaces[scale][bitmap - kMainFirstBitmap];",
        "}",
        "",
        "// Label i of the main window sits at (x[i / 5], y[i % 5]).",
        "struct LabelPlaces {",
        "    int x[2];",
        "    int y[5];",
        "    int width;",
        "    int height;",
        "};",
        "inline constexpr LabelPlaces kLabels[kArtScaleCount] = {",
        *label_rows(),
        "};",
        "// The same at 100 %.",
        "inline constexpr const int (&kLabelX)[2] = kLabels[0].x;",
        "inline constexpr const int (&kLabelY)[5] = kLabels[0].y;",
        "inline constexpr int kLabelWidth = kLabels[0].width;",
        "inline constexpr int kLabelHeight = kLabels[0].height;",
        "inline constexpr std::uint32_t kLabelText = %s;" % colorref(layout.LABEL_TEXT),
        "",
        "// The status line, in the band above the title on both pages.",
        "struct StatusPlace {",
        "    int x;",
        "    int y;",
        "    int width;",
        "    int height;",
        "};",
        "inline constexpr StatusPlace kStatus[kArtScaleCount] = {",
        *status_rows(),
        "};",
        "inline constexpr std::uint32_t kStatusText = %s;" % colorref(layout.STATUS_TEXT),
        "inline constexpr std::uint32_t kStatusAppliedText = %s;"
        % colorref(layout.STATUS_APPLIED_TEXT),
        "",
        "// The pad picture window's buttons, one row per bitmap from the first.",
        "inline constexpr int kPictureFirstBitmap = %d;" % picture_first,
        *picture_table,
        "",
        "constexpr const Place& PicturePlace(int bitmap, int scale = 0) {",
        "    return kPicturePlaces[scale][bitmap - kPictureFirstBitmap];",
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
    write_if_changed(out, text)


if __name__ == "__main__":
    main()
