"""Pixel buffers and the file formats the artwork travels through.

Only the standard library is used, so the build needs nothing beyond
python3 and rsvg-convert. Pixels are kept as 8-bit RGBA in a bytearray,
top row first, which is what rsvg-convert's PNGs decode to.
"""

import struct
import subprocess
import zlib


class Image:
    __slots__ = ("width", "height", "px")

    def __init__(self, width, height, px=None, fill=(0, 0, 0, 0)):
        self.width = width
        self.height = height
        if px is None:
            px = bytearray(bytes(fill) * (width * height))
        if len(px) != width * height * 4:
            raise ValueError("pixel buffer does not match %dx%d" % (width, height))
        self.px = px

    def copy(self):
        return Image(self.width, self.height, bytearray(self.px))

    def get(self, x, y):
        i = (y * self.width + x) * 4
        return tuple(self.px[i:i + 4])

    def put(self, x, y, rgba):
        i = (y * self.width + x) * 4
        self.px[i:i + 4] = bytes(rgba)

    def crop(self, x, y, w, h):
        out = bytearray()
        stride = self.width * 4
        for row in range(y, y + h):
            start = row * stride + x * 4
            out += self.px[start:start + w * 4]
        return Image(w, h, out)

    def paste(self, other, x, y):
        """Copies `other` in verbatim (no blending) with its top-left at (x, y)."""
        stride = self.width * 4
        ostride = other.width * 4
        for row in range(other.height):
            d = (y + row) * stride + x * 4
            s = row * ostride
            self.px[d:d + ostride] = other.px[s:s + ostride]

    def alpha(self):
        return self.px[3::4]


def over(top, bottom):
    """Source-over composite of two same-sized straight-alpha images."""
    if (top.width, top.height) != (bottom.width, bottom.height):
        raise ValueError("size mismatch")
    t = top.px
    b = bottom.px
    out = bytearray(b)
    for i in range(0, len(t), 4):
        a = t[i + 3]
        if a == 0:
            continue
        if a == 255:
            out[i:i + 4] = t[i:i + 4]
            continue
        ba = b[i + 3]
        # Straight alpha on both sides; the result's alpha follows Porter-Duff.
        oa = a * 255 + ba * (255 - a)
        if oa == 0:
            continue
        for c in range(3):
            out[i + c] = (t[i + c] * a * 255 + b[i + c] * ba * (255 - a) + oa // 2) // oa
        out[i + 3] = (oa + 127) // 255
    return Image(top.width, top.height, out)


# --- PNG -------------------------------------------------------------------

def _unfilter(raw, width, height, bpp):
    stride = width * bpp
    out = bytearray(stride * height)
    prior = bytearray(stride)
    pos = 0
    for y in range(height):
        kind = raw[pos]
        row = bytearray(raw[pos + 1:pos + 1 + stride])
        pos += stride + 1
        if kind == 1:
            for i in range(bpp, stride):
                row[i] = (row[i] + row[i - bpp]) & 255
        elif kind == 2:
            for i in range(stride):
                row[i] = (row[i] + prior[i]) & 255
        elif kind == 3:
            for i in range(stride):
                left = row[i - bpp] if i >= bpp else 0
                row[i] = (row[i] + ((left + prior[i]) >> 1)) & 255
        elif kind == 4:
            # Paeth, with p - a, p - b and p - c worked out from b - c and
            # a - c: this loop is most of the art build's time.
            for i in range(bpp):
                row[i] = (row[i] + prior[i]) & 255
            for i in range(bpp, stride):
                a = row[i - bpp]
                b = prior[i]
                c = prior[i - bpp]
                pa = b - c
                pb = a - c
                pc = pa + pb
                if pa < 0:
                    pa = -pa
                if pb < 0:
                    pb = -pb
                if pc < 0:
                    pc = -pc
                if pa <= pb and pa <= pc:
                    row[i] = (row[i] + a) & 255
                elif pb <= pc:
                    row[i] = (row[i] + b) & 255
                else:
                    row[i] = (row[i] + c) & 255
        elif kind != 0:
            raise ValueError("unknown PNG filter %d" % kind)
        out[y * stride:(y + 1) * stride] = row
        prior = row
    return out


def decode_png(data):
    """Decodes the 8-bit, non-interlaced RGB/RGBA PNGs that cairo writes."""
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("not a PNG")
    pos = 8
    idat = bytearray()
    width = height = ctype = None
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        pos += 12 + length
        if kind == b"IHDR":
            width, height, depth, ctype, _, _, interlace = struct.unpack(">IIBBBBB", body)
            if depth != 8 or ctype not in (2, 6) or interlace:
                raise ValueError("unsupported PNG layout")
        elif kind == b"IDAT":
            idat += body
        elif kind == b"IEND":
            break
    bpp = 4 if ctype == 6 else 3
    px = _unfilter(zlib.decompress(bytes(idat)), width, height, bpp)
    if bpp == 3:
        rgba = bytearray(width * height * 4)
        rgba[0::4] = px[0::3]
        rgba[1::4] = px[1::3]
        rgba[2::4] = px[2::3]
        rgba[3::4] = b"\xff" * (width * height)
        px = rgba
    return Image(width, height, px)


def encode_png(img):
    raw = bytearray()
    stride = img.width * 4
    for y in range(img.height):
        raw.append(0)
        raw += img.px[y * stride:(y + 1) * stride]

    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body
                + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))

    return (b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", struct.pack(">IIBBBBB", img.width, img.height, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(bytes(raw), 9))
            + chunk(b"IEND", b""))


# --- rasterising SVG ---------------------------------------------------------

class Rasteriser:
    """Renders SVG text through rsvg-convert and hands back RGBA pixels."""

    def __init__(self, rsvg="rsvg-convert"):
        self.rsvg = rsvg

    def render(self, svg, width, height):
        """The drawing stretched to exactly width x height pixels."""
        png = subprocess.run([self.rsvg, "--format=png", "-w", str(width), "-h", str(height)],
                             input=svg.encode("utf-8"), stdout=subprocess.PIPE, check=True).stdout
        img = decode_png(png)
        if (img.width, img.height) != (width, height):
            raise ValueError("rendered %dx%d, wanted %dx%d" % (img.width, img.height, width, height))
        return img


# --- Windows formats ---------------------------------------------------------

def bmp24(img):
    """An uncompressed bottom-up 24-bit BMP with a BITMAPINFOHEADER.

    Every pixel must already be opaque: a bitmap resource has no alpha, and
    what it shows must be exactly what was checked.
    """
    w, h = img.width, img.height
    pad = (4 - (w * 3) % 4) % 4
    rows = []
    for y in range(h - 1, -1, -1):
        line = bytearray(w * 3)
        src = img.px[y * w * 4:(y + 1) * w * 4]
        if any(a != 255 for a in src[3::4]):
            raise ValueError("translucent pixel in row %d" % y)
        line[0::3] = src[2::4]
        line[1::3] = src[1::4]
        line[2::3] = src[0::4]
        rows.append(bytes(line) + b"\0" * pad)
    body = b"".join(rows)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(body), 2835, 2835, 0, 0)
    head = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(body), 0, 0, 14 + len(info))
    return head + info + body


def read_bmp24(data):
    """Reads back what bmp24 writes; used to check the files on disk."""
    magic, _, _, _, offset = struct.unpack("<2sIHHI", data[:14])
    size, w, h, planes, bits, compression = struct.unpack("<IiiHHI", data[14:34])
    if magic != b"BM" or size != 40 or planes != 1 or bits != 24 or compression != 0:
        raise ValueError("not an uncompressed 24-bit BMP")
    pad = (4 - (w * 3) % 4) % 4
    stride = w * 3 + pad
    bottom_up = h > 0
    h = abs(h)
    px = bytearray(w * h * 4)
    for row in range(h):
        y = h - 1 - row if bottom_up else row
        src = data[offset + row * stride:offset + row * stride + w * 3]
        dst = y * w * 4
        px[dst + 0:dst + w * 4:4] = src[2::3]
        px[dst + 1:dst + w * 4:4] = src[1::3]
        px[dst + 2:dst + w * 4:4] = src[0::3]
        px[dst + 3:dst + w * 4:4] = b"\xff" * w
    return Image(w, h, px)


def packed_art(bmp, reference=None, stored=False):
    """What the program keeps of a bitmap that bmp24 or bmp1 wrote: a 12-byte
    header ("GDA1", width, height, bits per pixel, a zero byte, the
    reference's number or 0) and the pixel rows as they lie in the BMP,
    bottom row first, as raw deflate.

    `reference`, when given, is (number, BMP) of a bitmap of the same shape
    packed without one: the rows are then stored XORed with its rows, when
    that packs smaller. `stored` keeps the rows uncompressed, in deflate's
    stored blocks, which unpack as fast as they copy. The program unpacks
    them into a bitmap of its own (src/skin/packed_art.h).
    """
    w, h, bits, body = _bmp_rows(bmp)
    if not (0 < w <= 4096 and 0 < h <= 4096):
        raise ValueError("%dx%d is out of the packed form's range" % (w, h))
    number, stream = 0, _deflate(body, 0 if stored else 9)
    if reference is not None and not stored:
        rw, rh, rbits, rbody = _bmp_rows(reference[1])
        if (rw, rh, rbits) != (w, h, bits):
            raise ValueError("reference %d has another shape" % reference[0])
        mask = (1 << (8 * len(body))) - 1
        difference = (int.from_bytes(body, "little") ^ int.from_bytes(rbody, "little")) & mask
        against = _deflate(difference.to_bytes(len(body), "little"))
        if len(against) < len(stream):
            number, stream = reference[0], against
    return struct.pack("<4sHHBxH", b"GDA1", w, h, bits, number) + stream


def unpacked_art(packed, reference_rows=None):
    """The BMP rows `packed` holds, given the rows of its reference if it
    names one; the build's check of what packed_art wrote."""
    number, = struct.unpack("<H", packed[10:12])
    rows = zlib.decompress(packed[12:], -15)
    if number:
        rows = (int.from_bytes(rows, "little") ^
                int.from_bytes(reference_rows, "little")).to_bytes(len(rows), "little")
    return rows


def _bmp_rows(bmp):
    offset, = struct.unpack("<I", bmp[10:14])
    size, w, h, planes, bits, compression = struct.unpack("<IiiHHI", bmp[14:34])
    if bmp[:2] != b"BM" or size != 40 or planes != 1 or bits not in (1, 24) or compression != 0:
        raise ValueError("not an uncompressed BMP of 1 or 24 bits")
    body = bmp[offset:]
    if len(body) != ((w * bits + 31) // 32) * 4 * h:
        raise ValueError("BMP rows are not %dx%d" % (w, h))
    return w, h, bits, body


def _deflate(data, level=9):
    packer = zlib.compressobj(level, zlib.DEFLATED, -15, 9)
    return packer.compress(data) + packer.flush()


# One character per pixel, for packing rows through int(); white (outside) is 1.
_BIT_CHARS = bytes(ord("1") if v == 0 else ord("0") for v in range(256))
_MASK_PALETTE = b"\0\0\0\0\xff\xff\xff\0"


def bmp1(bits, w, h):
    """A bottom-up 1-bit BMP of a mask: bit 0 black (inside), bit 1 white.

    `bits` holds one byte per pixel, 1 for inside. A mask needs no more,
    and at a 24th of the 24-bit size it costs the program little to load.
    """
    stride = ((w + 31) // 32) * 4
    pad = b"0" * (stride * 8 - w)
    rows = []
    for y in range(h - 1, -1, -1):
        chars = bits[y * w:(y + 1) * w].translate(_BIT_CHARS) + pad
        rows.append(int(chars, 2).to_bytes(stride, "big"))
    body = b"".join(rows)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 1, 0, len(body), 2835, 2835, 2, 0)
    offset = 14 + len(info) + len(_MASK_PALETTE)
    head = struct.pack("<2sIHHI", b"BM", offset + len(body), 0, 0, offset)
    return head + info + _MASK_PALETTE + body


def read_bmp1(data):
    """Reads back what bmp1 writes: (width, height, one byte per pixel, 1 inside)."""
    magic, _, _, _, offset = struct.unpack("<2sIHHI", data[:14])
    size, w, h, planes, bits, compression = struct.unpack("<IiiHHI", data[14:34])
    if magic != b"BM" or size != 40 or planes != 1 or bits != 1 or compression != 0 or h <= 0:
        raise ValueError("not a bottom-up 1-bit BMP")
    if data[54:62] != _MASK_PALETTE:
        raise ValueError("mask palette is not black, white")
    stride = ((w + 31) // 32) * 4
    rows = [b""] * h
    for row in range(h):
        line = data[offset + row * stride:offset + (row + 1) * stride]
        chars = format(int.from_bytes(line, "big"), "0%db" % (stride * 8))[:w]
        rows[h - 1 - row] = chars.encode("ascii").translate(_INSIDE_CHARS)
    return w, h, b"".join(rows)


_INSIDE_CHARS = bytes(1 if v == ord("0") else 0 for v in range(256))


def _ico_dib(img):
    """One icon image as a 32-bit DIB with its 1-bit AND mask."""
    w, h = img.width, img.height
    xor = bytearray()
    for y in range(h - 1, -1, -1):
        src = img.px[y * w * 4:(y + 1) * w * 4]
        line = bytearray(w * 4)
        line[0::4] = src[2::4]
        line[1::4] = src[1::4]
        line[2::4] = src[0::4]
        line[3::4] = src[3::4]
        xor += line
    mask_stride = ((w + 31) // 32) * 4
    andmask = bytearray()
    for y in range(h - 1, -1, -1):
        line = bytearray(mask_stride)
        for x in range(w):
            if img.px[(y * w + x) * 4 + 3] < 128:
                line[x // 8] |= 0x80 >> (x % 8)
        andmask += line
    info = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, len(xor) + len(andmask), 0, 0, 0, 0)
    return info + bytes(xor) + bytes(andmask)


def ico(images, png_sizes=(256,)):
    """An .ico holding each image; the largest ones as PNG, as Windows expects."""
    blobs = []
    for img in images:
        if img.width in png_sizes:
            blobs.append((img, encode_png(img), 32))
        else:
            blobs.append((img, _ico_dib(img), 32))
    out = struct.pack("<HHH", 0, 1, len(blobs))
    offset = 6 + 16 * len(blobs)
    for img, blob, bits in blobs:
        out += struct.pack("<BBBBHHII", img.width % 256, img.height % 256, 0, 0, 1, bits,
                           len(blob), offset)
        offset += len(blob)
    for _, blob, _ in blobs:
        out += blob
    return out
