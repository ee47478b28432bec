#!/usr/bin/env python3
"""Builds every bitmap and the icon of the program from the drawings.

    build.py --out DIR [--preview DIR] [--rsvg PATH]

Writes DIR/<resource number>.bmp, for every skin bitmap also the packed
DIR/<resource number>.art the program holds, and DIR/gripdeck.ico; with --preview also
PNG pictures of the assembled window, the faces and the pad drawing, for
people to look at. Everything written is checked afterwards: sizes, key
colours and the masks' colours.
"""

import argparse
import multiprocessing
import os
import struct
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import draw  # noqa: E402
import layout  # noqa: E402
from raster import (Image, Rasteriser, bmp1, bmp24, encode_png, ico, packed_art,  # noqa: E402
                    read_bmp1, read_bmp24, unpacked_art)

WHITE = (255, 255, 255)
BLACK = (0, 0, 0)

# rsvg-convert's coverage at or above which a pixel counts as inside an outline.
INSIDE = 128


_INSIDE_TABLE = bytes(1 if a >= INSIDE else 0 for a in range(256))


def shape_mask(img):
    """1 where the rendered outline covers a pixel at least half, else 0."""
    return bytes(img.px[3::4]).translate(_INSIDE_TABLE)


def flatten(img, matte):
    """Puts the picture on an opaque matte."""
    return _blend_onto(img, Image(img.width, img.height, fill=matte + (255,)))


def _blend_onto(top, bottom):
    t = top.px
    if t[3::4] == b"\xff" * (top.width * top.height):
        return top.copy()
    out = bytearray(bottom.px)
    for i in range(0, len(t), 4):
        a = t[i + 3]
        if a == 0:
            continue
        if a == 255:
            out[i:i + 3] = t[i:i + 3]
            continue
        for c in range(3):
            out[i + c] = (t[i + c] * a + out[i + c] * (255 - a) + 127) // 255
    return Image(top.width, top.height, out)


def keyed_faces(strip, background, key):
    """Puts a face strip on the window's own background and keys out the rest.

    Every face is blended onto the very pixels it will be drawn over, so its
    soft edges are right without the key colour ever mixing into them. Only
    fully transparent pixels take the key; a blended pixel that happens to
    equal the key is nudged by one step so it stays visible.
    """
    w4, h = strip.width, strip.height
    w = w4 // 4
    bg = Image(w4, h)
    for i in range(4):
        bg.paste(background, i * w, 0)
    out = _blend_onto(strip, bg)
    px = out.px
    kr, kg, kb = key
    alpha = strip.px[3::4]
    for n, a in enumerate(alpha):
        i = n * 4
        if a == 0:
            px[i:i + 3] = bytes(key)
        elif px[i] == kr and px[i + 1] == kg and px[i + 2] == kb:
            px[i + 2] = kb - 1 if kb else 1
    return out


def arrow():
    """16 x 16 black right-pointing triangle on pure red, with no soft pixels."""
    img = Image(16, 16, fill=(255, 0, 0, 255))
    for y in range(2, 13):
        reach = 6 - abs(y - 7)                # 1 .. 6 .. 1 pixels: 45 degree sides
        for x in range(5, 5 + reach):
            img.put(x, y, (0, 0, 0, 255))
    return img


class Builder:
    def __init__(self, out, preview, rast):
        self.out = out
        self.preview = preview
        self.rast = rast
        self.written = {}
        self.bmps = {}

    def write_bmp(self, number, img, packed=True):
        self._write(number, bmp24(img), packed)
        self.written[number] = img

    def write_mask(self, number, mask, w, h):
        self._write(number, bmp1(mask, w, h), True)

    def _write(self, number, bmp, packed):
        """The BMP, which the checks and previews read, and for a skin
        bitmap the packed copy the program holds (<number>.art), against
        its reference where it has one (ART_REFERENCES)."""
        _write_if_changed(os.path.join(self.out, "%s.bmp" % number), bmp)
        if not packed:
            return
        self.bmps[number] = bmp
        index, base = divmod(number, layout.SCALE_ID_STEP)
        reference = None
        if base in ART_REFERENCES:
            ref = layout.scaled_id(ART_REFERENCES[base], index)
            reference = (ref, self.bmps[ref])
        art = packed_art(bmp, reference, stored=number in STORED_ART)
        offset, = struct.unpack("<I", bmp[10:14])
        ref_rows = reference[1][offset:] if reference else None
        _expect(unpacked_art(art, ref_rows) == bmp[offset:], "%d.art unpacks" % number)
        _write_if_changed(os.path.join(self.out, "%s.art" % number), art)

    def run(self):
        os.makedirs(self.out, exist_ok=True)
        # The scales above the first are drawn by other processes meanwhile:
        # decoding rsvg-convert's pictures in Python takes most of the time.
        others = list(enumerate(layout.SCALES))[1:]
        with multiprocessing.Pool(min(len(others), os.cpu_count() or 1)) as pool:
            pending = pool.starmap_async(_draw_scale, [(self.out, self.rast.rsvg, index, percent)
                                                       for index, percent in others])
            first = self.run_scale(0, layout.SCALES[0])
            pending.get()
        self.write_bmp(145, arrow(), packed=False)
        icons = [self.rast.render(draw.icon(n), n, n) for n in (16, 24, 32, 48, 64, 256)]
        _write_if_changed(os.path.join(self.out, "gripdeck.ico"), ico(icons))
        _write_if_changed(os.path.join(self.out, "art_scaled.rc"), scaled_rc().encode("ascii"))
        a = _load(self.out, 145)
        _expect((a.width, a.height) == (16, 16), "145 size")
        _expect(all(a.get(x, y)[:3] in ((0, 0, 0), (255, 0, 0))
                    for y in range(16) for x in range(16)), "145 has soft pixels")
        if self.preview:
            Preview(self, *first, icons).run()

    def run_scale(self, index, percent):
        """Draws, writes and checks every scaled bitmap at one display scale."""
        r = self.rast
        n = lambda number: layout.scaled_id(number, index)  # noqa: E731
        px = lambda length: layout.scaled(length, percent)  # noqa: E731
        W, H = px(layout.MAIN_W), px(layout.MAIN_H)

        main_mask = shape_mask(r.render(draw.main_shape(), W, H))
        self.write_mask(n(302), main_mask, W, H)
        pages = {}
        for page, number in ((1, 300), (2, 301)):
            pages[page] = flatten(r.render(draw.main_page(page), W, H), _rgb(draw.MATTE))
            self.write_bmp(n(number), pages[page])

        skins = [s.at(percent) for s in layout.main_skins()]
        pics = layout.pictures()
        placed_pics = [p.at(percent) for p in pics]
        pieces = [draw.face_strip(s) for s in layout.main_skins()] + [draw.picture_strip(p)
                                                                       for p in pics]
        sizes = [(4 * s.w, s.h) for s in skins + placed_pics]
        svg, aw, ah, tops = draw.atlas(pieces, sizes)
        sheet = r.render(svg, aw, ah)
        strips = [sheet.crop(0, top, w, h) for (w, h), top in zip(sizes, tops)]

        for s, strip in zip(skins, strips):
            if s.group is None:
                a = pages[1].crop(s.x, s.y, s.w, s.h)
                b = pages[2].crop(s.x, s.y, s.w, s.h)
                if a.px != b.px:
                    raise SystemExit("pages 300 and 301 differ under button %d at %d %%"
                                     % (s.number, percent))
            bg = pages[2].crop(s.x, s.y, s.w, s.h)
            self.write_bmp(n(s.number), keyed_faces(strip, bg, s.key))

        PW, PH = px(layout.PAD_W), px(layout.PAD_H)
        pad_mask = shape_mask(r.render(draw.pad_shape(), PW, PH))
        self.write_mask(n(144), pad_mask, PW, PH)
        drawing = flatten(r.render(draw.pad_drawing(pics), PW, PH), _rgb(draw.MATTE))
        self.write_bmp(n(146), drawing)
        for p, strip in zip(placed_pics, strips[len(skins):]):
            bg = drawing.crop(p.x, p.y, p.w, p.h)
            self.write_bmp(n(p.number), keyed_faces(strip, bg, p.key))

        self.check(index, percent, skins, placed_pics, main_mask, pad_mask)
        return skins, placed_pics, pages, drawing, main_mask, pad_mask

    def check(self, index, percent, skins, pics, main_mask, pad_mask):
        """Reads every file of one scale back and holds it to what the program relies on."""
        n = lambda number: layout.scaled_id(number, index)  # noqa: E731
        px = lambda length: layout.scaled(length, percent)  # noqa: E731
        at = " at %d %%" % percent
        W, H = px(layout.MAIN_W), px(layout.MAIN_H)
        PW, PH = px(layout.PAD_W), px(layout.PAD_H)
        for number in (300, 301):
            img = _load(self.out, n(number))
            _expect((img.width, img.height) == (W, H),
                    "%d is %dx%d%s" % (number, img.width, img.height, at))
        for number, mask, size in ((302, main_mask, (W, H)), (144, pad_mask, (PW, PH))):
            with open(os.path.join(self.out, "%d.bmp" % n(number)), "rb") as f:
                w, h, bits = read_bmp1(f.read())
            _expect((w, h) == size and bits == mask, "mask %d does not read back%s" % (number, at))
        img = _load(self.out, n(146))
        _expect((img.width, img.height) == (PW, PH), "146 size" + at)

        def check_faces(number, key, x, y, w, h, mask, mw):
            img = _load(self.out, n(number))
            _expect(img.width == 4 * w and img.height == h,
                    "%d is %dx%d%s" % (number, img.width, img.height, at))
            # Whatever is not key colour must lie inside the window's outline,
            # or the button would show pixels the region cut away.
            px = img.px
            for i, rgb in enumerate(zip(px[0::4], px[1::4], px[2::4])):
                if rgb != key:
                    fx, fy = i % (4 * w), i // (4 * w)
                    _expect(mask[(y + fy) * mw + x + fx % w],
                            "%d has a visible pixel outside the outline%s" % (number, at))

        for s in skins:
            check_faces(s.number, s.key, s.x, s.y, s.w, s.h, main_mask, W)
        for p in pics:
            check_faces(p.number, p.key, p.x, p.y, p.w, p.h, pad_mask, PW)

        # No two controls overlap, and every label sits on its own read-out.
        rects = [(s.x, s.y, s.w, s.h, s.number) for s in skins if s.number < 319]
        rects += [(px(x), px(y), px(layout.LABEL_W), px(layout.LABEL_H), "label")
                  for x in layout.LABEL_X for y in layout.LABEL_ROWS]
        status = (px(layout.STATUS_X), px(layout.STATUS_Y), px(layout.STATUS_W),
                  px(layout.STATUS_H), "status line")
        rects.append(status)
        sx, sy, sw, sh = status[:4]
        _expect(all(main_mask[y * W + x] for y in range(sy, sy + sh) for x in range(sx, sx + sw)),
                "the status line reaches outside the outline" + at)
        for i, a in enumerate(rects):
            for b in rects[i + 1:]:
                _expect(not _overlap(a, b), "%s overlaps %s%s" % (a[4], b[4], at))
        prects = [(p.x, p.y, p.w, p.h, p.number) for p in pics]
        for i, a in enumerate(prects):
            for b in prects[i + 1:]:
                _expect(not _overlap(a, b), "%s overlaps %s%s" % (a[4], b[4], at))


def _draw_scale(out, rsvg, index, percent):
    Builder(out, None, Rasteriser(rsvg)).run_scale(index, percent)


def scaled_rc():
    """Resource lines for every bitmap drawn at a scale above the first."""
    lines = ["// Written by res/art/build.py: the skin's bitmaps at each display scale",
             "// above 100 %%, numbered bitmap + scale index * %d." % layout.SCALE_ID_STEP]
    for index, percent in enumerate(layout.SCALES):
        if index == 0:
            continue
        lines.append("// %d %%" % percent)
        for number in SCALED_BITMAPS:
            scaled = layout.scaled_id(number, index)
            lines.append('%d RT_PACKED_ART "%d.art"' % (scaled, scaled))
    return "\n".join(lines) + "\n"


# Bitmaps packed as their difference from another of the same shape, drawn
# before them at the same scale, where that packs smaller: the faces that
# differ only in their label, and the two pages, which share their frame.
ART_REFERENCES = {301: 300, 308: 307, 331: 330}
ART_REFERENCES.update({n: 309 for n in range(310, 329)})
ART_REFERENCES.update({n: 333 for n in list(range(334, 343)) + [350, 351, 352]})
ART_REFERENCES.update({n: 343 for n in range(344, 349)})

# Bitmaps kept uncompressed: the welcome page at 100 %, the one large bitmap
# unpacked on the way to the first paint at 96 dpi, where deflate would cost
# the start a quarter of a millisecond. The release zips and the installer
# compress it as they did the BMP.
STORED_ART = {300}

# Every bitmap of the two skinned windows; the others are drawn once.
SCALED_BITMAPS = (144, 146, 300, 301, 302) + tuple(range(306, 353))


def _load(out, number):
    with open(os.path.join(out, "%s.bmp" % number), "rb") as f:
        return read_bmp24(f.read())


def _expect(cond, what):
    if not cond:
        raise SystemExit("artwork check failed: " + what)


def _overlap(a, b):
    return a[0] < b[0] + b[2] and b[0] < a[0] + a[2] and a[1] < b[1] + b[3] and b[1] < a[1] + a[3]


def _rgb(hexcol):
    return tuple(int(hexcol[i:i + 2], 16) for i in (1, 3, 5))


def _write_if_changed(path, data):
    # Unchanged output keeps its time stamp, so the resource script is not
    # recompiled for nothing.
    try:
        with open(path, "rb") as f:
            if f.read() == data:
                return
    except OSError:
        pass
    tmp = path + ".tmp"
    with open(tmp, "wb") as f:
        f.write(data)
    os.replace(tmp, path)


# --- previews --------------------------------------------------------------------

def _blit_keyed(dst, src, sx, sw, sh, key, dx, dy):
    """What the program's transparent blit does: copy all but the key colour."""
    for y in range(sh):
        for x in range(sw):
            p = src.get(sx + x, y)
            if p[:3] != key:
                dst.put(dx + x, dy + y, p)


def _scaled(img, k):
    out = Image(img.width * k, img.height * k)
    for y in range(img.height):
        row = bytearray()
        for x in range(img.width):
            row += bytes(img.px[(y * img.width + x) * 4:(y * img.width + x) * 4 + 4]) * k
        for j in range(k):
            start = ((y * k + j) * out.width) * 4
            out.px[start:start + len(row)] = row
    return out


SAMPLE_LABELS = ["Off", "A", "Left Button", "Reload", "Space", "Multi Combo", "Stop Macro",
                 "Num 5", "Off", "Grenade Toss"]
SAMPLE_STATUS = "Pad connected. Night Raid.gpx, applied by you"

DESKTOP = (58, 84, 110, 255)


class Preview:
    def __init__(self, builder, skins, pics, pages, drawing, main_mask, pad_mask, icons):
        self.b = builder
        self.skins = skins
        self.pics = pics
        self.pages = pages
        self.drawing = drawing
        self.main_mask = main_mask
        self.pad_mask = pad_mask
        self.icons = icons
        self.dir = builder.preview

    def save(self, name, img):
        os.makedirs(self.dir, exist_ok=True)
        with open(os.path.join(self.dir, name), "wb") as f:
            f.write(encode_png(img))

    def window(self, page, faces=None, group=0, labels=True):
        """The shaped main window on a desktop, with its controls drawn in."""
        faces = faces or {}
        W, H = layout.MAIN_W, layout.MAIN_H
        img = self.pages[page].copy()
        for s in self.skins:
            if s.group == 2 and page != 2:
                continue
            if s.kind == "pad" and (s.number >= 319) != (group == 1):
                continue
            src = self.b.written[s.number]
            f = faces.get(s.number, 0)
            _blit_keyed(img, src, f * s.w, s.w, s.h, s.key, s.x, s.y)
        for i, inside in enumerate(self.main_mask):
            if not inside:
                img.px[i * 4:i * 4 + 4] = bytes(DESKTOP)
        if labels:
            # The status line shows on both pages.
            svg = [draw.text(layout.STATUS_X + layout.STATUS_W / 2, layout.STATUS_Y + 13,
                             SAMPLE_STATUS, 11, "#%02x%02x%02x" % layout.STATUS_TEXT,
                             weight="normal", family="Liberation Sans")]
            over = self.b.rast.render(draw.doc(W, H, "".join(svg)), W, H)
            img = _blend_onto(over, img)
        if page == 2 and labels:
            svg = []
            for i in range(10):
                x = layout.LABEL_X[i // 5]
                y = layout.LABEL_ROWS[i % 5]
                svg.append(draw.text(x + layout.LABEL_W / 2, y + 13, SAMPLE_LABELS[i], 11,
                                     "#ffff00", weight="normal", family="Liberation Sans"))
            over = self.b.rast.render(draw.doc(W, H, "".join(svg)), W, H)
            img = _blend_onto(over, img)
        return img

    def run(self):
        self.save("main-welcome.png", self.window(1))
        self.save("main-buttons.png", self.window(2))
        # Pointer on M3, M11-M20 pressed state, APPLY drawn disabled.
        self.save("main-states.png", self.window(2, {311: 1, 321: 1, 308: 2, 331: 3}, group=1))
        self.save("main-framed.png", self.pages[2])
        self.save("faces.png", self.faces_sheet(1, 620))
        self.save("faces-2x.png", self.faces_sheet(2, 1240))
        self.save("pad.png", self.pad())
        self.save("pad-highlight.png", self.pad({343: 1, 335: 1, 349: 2}))
        sheet = Image(16 * 4 + 24 + 32 + 48 + 64 + 60, 70, fill=(40, 44, 50, 255))
        x = 4
        for img in self.icons[:-1]:
            sheet = _blend_onto(_placed(img, sheet.width, sheet.height, x, 4), sheet)
            x += img.width + 12
        self.save("icons.png", sheet)
        self.save("icon-256.png", self.icons[-1])
        self.save("arrow.png", _scaled(self.b.written[145], 8))

    def pad(self, faces=None):
        faces = faces or {}
        img = self.drawing.copy()
        for p in self.pics:
            _blit_keyed(img, self.b.written[p.number], faces.get(p.number, 0) * p.w, p.w, p.h,
                        p.key, p.x, p.y)
        for i, inside in enumerate(self.pad_mask):
            if not inside:
                img.px[i * 4:i * 4 + 4] = bytes(DESKTOP)
        return img

    def faces_sheet(self, scale, max_h):
        """Every face bitmap as stored, key colour showing, enlarged `scale` times."""
        items = [(n, self.b.written[n]) for n in sorted(self.b.written) if 306 <= n <= 352]
        gap, label_w = 8, 44
        columns = [[]]
        height = gap
        for n, img in items:
            h = img.height * scale + gap
            if height + h > max_h:
                columns.append([])
                height = gap
            columns[-1].append((n, img))
            height += h
        placed = []
        x = gap
        total_h = 0
        for col in columns:
            y = gap
            for n, img in col:
                placed.append((n, img, x, y))
                y += img.height * scale + gap
            total_h = max(total_h, y)
            x += label_w + max(img.width for _, img in col) * scale + 3 * gap
        sheet = Image(x, total_h, fill=(30, 32, 36, 255))
        svg = []
        for n, img, px, py in placed:
            sheet.paste(_scaled(img, scale), px + label_w, py)
            svg.append(draw.text(px + label_w - 6, py + img.height * scale / 2 + 4, str(n), 11,
                                 "#cccccc", anchor="end", weight="normal"))
        over = self.b.rast.render(draw.doc(x, total_h, "".join(svg)), x, total_h)
        return _blend_onto(over, sheet)


def _placed(img, w, h, x, y):
    out = Image(w, h)
    out.paste(img, x, y)
    return out


FONT_FILE = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"


def main():
    if not os.path.exists(FONT_FILE):
        # rsvg falls back to another face, which may not fit the buttons.
        sys.stderr.write("warning: %s is missing (Debian package fonts-dejavu-core); "
                         "texts will be drawn in a substitute font\n" % FONT_FILE)
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--out", required=True)
    ap.add_argument("--preview")
    ap.add_argument("--rsvg", default="rsvg-convert")
    args = ap.parse_args()
    Builder(args.out, args.preview, Rasteriser(args.rsvg)).run()


if __name__ == "__main__":
    main()
