#!/usr/bin/env python3
"""Writes the pad's outline for the picture as a C++ header, from the pad
drawing itself (res/art/draw.py): the body, the wrist rest and the thumb
stick, the curves flattened into points in the drawing's pixels.

    pad_outline.py OUT

The header is rewritten only when its text changes.
"""

import os
import re
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "res",
                                "art"))

import draw  # noqa: E402
from generated_header import write_if_changed  # noqa: E402

CURVE_STEPS = 10


def flatten(path):
    """Points of an SVG path made of M, L, Q and Z steps."""
    tokens = re.findall(r"[MLQZ]|-?[0-9.]+", path)
    points = []
    at = None
    i = 0
    while i < len(tokens):
        step = tokens[i]
        if step in ("M", "L"):
            at = (float(tokens[i + 1]), float(tokens[i + 2]))
            points.append(at)
            i += 3
        elif step == "Q":
            cx, cy, x, y = (float(v) for v in tokens[i + 1:i + 5])
            for k in range(1, CURVE_STEPS + 1):
                t = k / CURVE_STEPS
                u = 1 - t
                points.append((u * u * at[0] + 2 * u * t * cx + t * t * x,
                               u * u * at[1] + 2 * u * t * cy + t * t * y))
            at = (x, y)
            i += 5
        elif step == "Z":
            i += 1
        else:
            sys.exit("pad_outline.py: unexpected path step %r" % step)
    if points[-1] == points[0]:
        points.pop()
    return points


def table(name, points):
    rows = ["    {%.2f, %.2f}," % p for p in points]
    return ["inline constexpr PadPoint %s[] = {" % name, *rows, "};"]


def header():
    x, y, well, stick = draw.PAD_STICK
    return "\n".join([
        "#pragma once",
        "// Written by src/picture/pad_outline.py from res/art/draw.py: do not edit.",
        "// Closed outlines in the pad drawing's pixels (357 x 500; the body spans",
        "// y 60..496), curves flattened.",
        "",
        "namespace gd::picture_pad {",
        "",
        "struct PadPoint {",
        "    double x;",
        "    double y;",
        "};",
        "",
        *table("kBody", flatten(draw.pad_body_outline())),
        "",
        *table("kWristRest", flatten(draw.pad_rest_outline())),
        "",
        "inline constexpr PadPoint kStickCentre = {%g, %g};" % (x, y),
        "inline constexpr double kStickWellRadius = %g;" % well,
        "inline constexpr double kStickRadius = %g;" % stick,
        "",
        "}  // namespace gd::picture_pad",
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
