"""The drawings, as SVG text.

One look throughout: graphite surfaces, chamfered corners, a warm amber
accent, and DejaVu Sans Bold for every word. Each function returns a
complete SVG document in pixel units, ready for rsvg-convert.
"""

from layout import (CENTRE_X, LABEL_H, LABEL_ROWS, LABEL_W, LABEL_X, MAIN_H, MAIN_W,
                    PAD_FACE, PAD_H, PAD_ROWS, PAD_W, PAD_X)

FONT = "DejaVu Sans"

# Palette.
MATTE = "#0e0f11"        # what framed mode shows outside the outline
BODY_TOP = "#2c3036"
BODY_BOTTOM = "#1a1c20"
SHADE = "#111315"
RECESS = "#0c0d0f"
RIM = "#4a5058"
EDGE = "#707882"
TEXT = "#e8ebee"
TEXT_DIM = "#8a929c"
TEXT_FAINT = "#5b6169"
AMBER = "#ff9628"
AMBER_LIGHT = "#ffbd5c"
AMBER_DEEP = "#c86410"


def doc(w, h, body, defs=""):
    return ('<svg xmlns="http://www.w3.org/2000/svg" '
            'xmlns:xlink="http://www.w3.org/1999/xlink" '
            'width="%d" height="%d" viewBox="0 0 %d %d">'
            '<defs>%s</defs>%s</svg>' % (w, h, w, h, defs, body))


def atlas(pieces, sizes=None):
    """Stacks drawings (width, height, body, defs) into one document.

    Rendering one document instead of dozens saves a process start per
    bitmap. Each piece gets its own clipped viewport, `sizes` pixels large
    (default: its own size); returns the document, its size and each
    piece's top edge.
    """
    sizes = sizes or [(p[0], p[1]) for p in pieces]
    width = max(w for w, _ in sizes)
    y = 0
    tops = []
    parts = []
    for (w, h, body, defs), (pw, ph) in zip(pieces, sizes):
        tops.append(y)
        parts.append('<svg x="0" y="%d" width="%d" height="%d" viewBox="0 0 %d %d" '
                     'preserveAspectRatio="none" overflow="hidden"><defs>%s</defs>%s</svg>'
                     % (y, pw, ph, w, h, defs, body))
        y += ph + 2
    return doc(width, y, "".join(parts)), width, y, tops


def poly(points):
    return "M" + " L".join("%g,%g" % p for p in points) + " Z"


def chamfer_rect(x, y, w, h, c):
    return poly([(x + c, y), (x + w - c, y), (x + w, y + c), (x + w, y + h - c),
                 (x + w - c, y + h), (x + c, y + h), (x, y + h - c), (x, y + c)])


def text(x, y, s, size, fill, weight="bold", anchor="middle", spacing=0, family=FONT,
         extra=""):
    s = s.replace("&", "&amp;").replace("<", "&lt;")
    return ('<text x="%g" y="%g" font-family="%s" font-weight="%s" font-size="%g" '
            'fill="%s" text-anchor="%s" letter-spacing="%g" %s>%s</text>'
            % (x, y, family, weight, size, fill, anchor, spacing, extra, s))


def vgrad(gid, stops, x1=0, y1=0, x2=0, y2=1):
    s = "".join('<stop offset="%g" stop-color="%s" stop-opacity="%g"/>' % (
        o, c, a) for o, c, a in [(st + (1,))[:3] for st in stops])
    return ('<linearGradient id="%s" x1="%g" y1="%g" x2="%g" y2="%g">%s</linearGradient>'
            % (gid, x1, y1, x2, y2, s))


def blur(fid, sd, pad=0.5):
    return ('<filter id="%s" x="-%g" y="-%g" width="%g" height="%g">'
            '<feGaussianBlur stdDeviation="%g"/></filter>'
            % (fid, pad, pad, 1 + 2 * pad, 1 + 2 * pad, sd))


# --- the main window ----------------------------------------------------------

def main_outline():
    """The window's outline, clockwise, symmetric about the centre line."""
    right = [(CENTRE_X + 112, 3), (CENTRE_X + 130, 21), (528, 21), (556, 49),
             (556, 322), (502, 376), (502, 410), (418, 494)]
    left = [(MAIN_W - x, y) for x, y in reversed(right)]
    return right + left


def lower_deck():
    """The plate the bottom row of controls stands on."""
    right = [(CENTRE_X + 4, 360), (474, 360), (488, 374), (488, 405), (410, 483)]
    left = [(MAIN_W - x, y) for x, y in reversed(right)]
    return right[1:] + left[:-1]


def _grip(flip):
    """Knurled rubber inlay on each flank, where a hand would hold the pad."""
    x, y, w, h = 22, 70, 44, 246
    if flip:
        x = MAIN_W - x - w
    out = ['<rect x="%g" y="%g" width="%g" height="%g" rx="12" fill="#3a4048" '
           'transform="translate(0,1)"/>' % (x, y, w, h),
           '<rect x="%g" y="%g" width="%g" height="%g" rx="12" fill="#121417" '
           'stroke="#08090a" stroke-width="1"/>' % (x, y, w, h),
           '<rect x="%g" y="%g" width="%g" height="%g" rx="9" fill="url(#knurl)"/>'
           % (x + 4, y + 4, w - 8, h - 8)]
    # An amber light strip along the inner edge of each grip.
    lx = x + w + 9 if not flip else x - 9
    out.append('<line x1="%g" y1="%d" x2="%g" y2="%d" stroke="%s" stroke-width="2" '
               'stroke-linecap="round" filter="url(#glow2)" opacity="0.9"/>'
               % (lx, y + 40, lx, y + h - 40, AMBER))
    out.append('<line x1="%g" y1="%d" x2="%g" y2="%d" stroke="%s" stroke-width="1.5" '
               'stroke-linecap="round"/>' % (lx, y + 40, lx, y + h - 40, AMBER_LIGHT))
    return "".join(out)


def _main_defs():
    return "".join([
        vgrad("body", [(0, BODY_TOP), (0.55, "#22252a"), (1, BODY_BOTTOM)]),
        vgrad("deck", [(0, "#272a2f"), (1, "#1d1f23")]),
        '<pattern id="knurl" width="7" height="7" patternUnits="userSpaceOnUse">'
        '<path d="M0,0 L7,7 M7,0 L0,7" stroke="#2e333a" stroke-width="1.6"/>'
        '<path d="M0,1 L6,7 M7,1 L1,7" stroke="#070809" stroke-width="0.8" opacity="0.8"/>'
        '</pattern>',
        vgrad("panel", [(0, "#0f1113"), (1, "#15171a")]),
        vgrad("slot", [(0, "#050606"), (1, "#0c0d0e")]),
        vgrad("hero", [(0, "#ffffff"), (0.55, "#e3e6ea"), (1, "#9aa2ab")]),
        vgrad("amberbar", [(0, AMBER, 0), (0.2, AMBER), (0.8, AMBER), (1, AMBER, 0)],
              x2=1, y2=0),
        vgrad("divider", [(0, RIM, 0), (0.25, RIM), (0.75, RIM), (1, RIM, 0)], x2=1, y2=0),
        blur("glow2", 2, 2),
        blur("glow4", 4, 1),
        blur("soft", 1.2, 0.3),
        '<pattern id="brush" width="6" height="6" patternUnits="userSpaceOnUse">'
        '<path d="M0,6 L6,0" stroke="#ffffff" stroke-width="0.6" opacity="0.05"/></pattern>',
        '<clipPath id="bodyclip"><path d="%s"/></clipPath>' % poly(main_outline()),
    ])


def _frame(body_extra):
    """Matte, body, texture, grips and rim, around what a page adds."""
    d = poly(main_outline())
    parts = [
        '<rect width="%d" height="%d" fill="%s"/>' % (MAIN_W, MAIN_H, MATTE),
        '<path d="%s" fill="url(#body)"/>' % d,
        '<g clip-path="url(#bodyclip)">',
        '<rect width="%d" height="%d" fill="url(#brush)"/>' % (MAIN_W, MAIN_H),
        _grip(0), _grip(1),
        body_extra,
        _deck(),
        # Inner shading and the bevelled rim, clipped so they follow the outline.
        '<path d="%s" fill="none" stroke="%s" stroke-width="14" opacity="0.55" '
        'stroke-linejoin="round"/>' % (d, SHADE),
        '<path d="%s" fill="none" stroke="%s" stroke-width="6" stroke-linejoin="round"/>'
        % (d, RIM),
        '</g>',
        _top_accents(),
        # The outermost pixels: solid, so the cut region gets a clean edge.
        '<path d="%s" fill="none" stroke="%s" stroke-width="2.5" stroke-linejoin="round"/>'
        % (d, EDGE),
    ]
    return "".join(parts)


def _top_accents():
    """Amber strokes on the two upper chamfers."""
    out = []
    for flip in (0, 1):
        a, b = (531, 25), (551, 45)
        if flip:
            a, b = (MAIN_W - a[0], a[1]), (MAIN_W - b[0], b[1])
        out.append('<line x1="%g" y1="%g" x2="%g" y2="%g" stroke="%s" stroke-width="2.5" '
                   'stroke-linecap="round"/>' % (a + b + (AMBER,)))
    # The crest's two slopes carry amber as well.
    for flip in (0, 1):
        a, b = (CENTRE_X + 115, 7), (CENTRE_X + 128, 20)
        if flip:
            a, b = (MAIN_W - a[0], a[1]), (MAIN_W - b[0], b[1])
        out.append('<line x1="%g" y1="%g" x2="%g" y2="%g" stroke="%s" stroke-width="2.5" '
                   'stroke-linecap="round"/>' % (a + b + (AMBER,)))
    return "".join(out)


def _deck():
    d = poly(lower_deck())
    return ('<path d="%s" fill="#0b0c0e" opacity="0.6" transform="translate(0,2)" '
            'filter="url(#soft)"/>'
            '<path d="%s" fill="url(#deck)" stroke="#3a4048" stroke-width="1"/>'
            '<path d="%s" fill="none" stroke="#000" stroke-opacity="0.35" stroke-width="1" '
            'transform="translate(0,1)"/>'
            % (d, d, d)) + _deck_marks()


def _deck_marks():
    """Small print on the deck: what the two group buttons choose."""
    return (text(180.5, 366, "BUTTONS 1 - 10", 6.5, TEXT_FAINT, spacing=1.2)
            + text(385.5, 366, "BUTTONS 11 - 20", 6.5, TEXT_FAINT, spacing=1.2))


def _wordmark(cx, baseline, size, spacing):
    return ('<text x="%g" y="%g" font-family="%s" font-weight="bold" font-size="%g" '
            'text-anchor="middle" letter-spacing="%g">'
            '<tspan fill="%s">GRIP</tspan><tspan fill="%s">DECK</tspan></text>'
            % (cx, baseline, FONT, size, spacing, TEXT, AMBER))


def _header(subtitle):
    return "".join([
        _wordmark(CENTRE_X + 3, 78, 32, 6),
        text(CENTRE_X + 2, 101, subtitle, 9, TEXT_DIM, spacing=3.2),
        '<rect x="%g" y="122" width="340" height="1" fill="url(#divider)"/>' % (CENTRE_X - 170),
    ])


def _button_page():
    out = [_header("M-BUTTON ASSIGNMENTS")]
    # Column headings.
    lx, rx = LABEL_X
    pw, ph = PAD_FACE
    for cx, s in ((PAD_X[0] + pw / 2, "BUTTON"), (lx + LABEL_W / 2, "ASSIGNMENT"),
                  (rx + LABEL_W / 2, "ASSIGNMENT"), (PAD_X[1] + pw / 2, "BUTTON")):
        out.append(text(cx, 157, s, 7.5, TEXT_DIM, spacing=1.6))
    # The recessed panel holding the ten keys and their read-outs.
    px0, px1 = PAD_X[0] - 12, PAD_X[1] + pw + 12
    py0, py1 = PAD_ROWS[0] - 13, PAD_ROWS[-1] + ph + 8
    panel = chamfer_rect(px0, py0, px1 - px0, py1 - py0, 8)
    out.append('<path d="%s" fill="#3b4149" transform="translate(0,1)"/>' % panel)
    out.append('<path d="%s" fill="url(#panel)" stroke="#08090a" stroke-width="1"/>' % panel)
    # Centre spine between the two read-out columns.
    out.append('<line x1="%g" y1="%d" x2="%g" y2="%d" stroke="#262a2f" stroke-width="2"/>'
               % (CENTRE_X, py0 + 8, CENTRE_X, py1 - 8))
    for i, y in enumerate(PAD_ROWS):
        cy = y + ph / 2
        out.append('<path d="M%g,%g l4,4 l-4,4 l-4,-4 Z" fill="%s"/>'
                   % (CENTRE_X, cy - 4, "#3a4048"))
        for side in (0, 1):
            x = PAD_X[side]
            # Socket the key sits in.
            out.append('<rect x="%g" y="%g" width="%g" height="%g" rx="7" fill="%s" '
                       'stroke="#2f343a" stroke-width="1"/>'
                       % (x - 3.5, y - 3.5, pw + 7, ph + 7, RECESS))
            # Read-out slot behind the label.
            sx = LABEL_X[side]
            sy = LABEL_ROWS[i]
            out.append('<rect x="%g" y="%g" width="%g" height="%g" rx="3" fill="url(#slot)" '
                       'stroke="#30353b" stroke-width="1"/>'
                       % (sx - 2.5, sy - 2.5, LABEL_W + 5, LABEL_H + 5))
            out.append('<rect x="%g" y="%g" width="%g" height="1" fill="#000" opacity="0.7"/>'
                       % (sx - 2, sy - 2, LABEL_W + 4))
            # Connector from the socket to its read-out.
            if side == 0:
                a, b = x + pw + 4, sx - 3
            else:
                a, b = sx + LABEL_W + 3, x - 4
            out.append('<line x1="%g" y1="%g" x2="%g" y2="%g" stroke="%s" stroke-width="2"/>'
                       % (a, cy, b, cy, "#3a4048"))
    return "".join(out)


def _feature_glyph(kind, cx, cy):
    """Line pictures of what a button can do: key, mouse, macro, layers."""
    g = 'fill="none" stroke="#c4cad1" stroke-width="1.8" stroke-linejoin="round" ' \
        'stroke-linecap="round"'
    if kind == "key":
        return ('<rect x="%g" y="%g" width="22" height="20" rx="4" %s/>'
                '<rect x="%g" y="%g" width="14" height="11" rx="2" fill="%s"/>'
                % (cx - 11, cy - 10, g, cx - 7, cy - 7, AMBER))
    if kind == "mouse":
        return ('<path d="M%g,%g H%g V%g A6.2,6.2 0 0 1 %g,%g Z" fill="%s"/>'
                '<rect x="%g" y="%g" width="16" height="24" rx="8" %s/>'
                '<path d="M%g,%g v8 M%g,%g h16" %s/>'
                % (cx - 1.2, cy - 3.6, cx - 6.8, cy - 4.6, cx - 1.2, cy - 10.8, AMBER,
                   cx - 8, cy - 12, g, cx, cy - 12, cx - 8, cy - 3, g))
    if kind == "macro":
        return ('<circle cx="%g" cy="%g" r="11" %s/>'
                '<path d="M%g,%g l9,5.5 l-9,5.5 Z" fill="%s"/>'
                % (cx, cy, g, cx - 3.5, cy - 5.5, AMBER))
    # layers
    out = []
    for i, dy in enumerate((6, 0, -6)):
        fill = AMBER if i == 2 else "#1a1d21"
        out.append('<path d="M%g,%g l12,-6 l12,6 l-12,6 Z" fill="%s" stroke="%s" '
                   'stroke-width="1.8" stroke-linejoin="round"/>'
                   % (cx - 12, cy + dy, fill, "#c4cad1" if i < 2 else AMBER_LIGHT))
    return "".join(out)


def _welcome_page():
    cx = CENTRE_X
    out = [text(cx + 2, 66, "WELCOME TO", 9, TEXT_DIM, spacing=4)]
    out.append('<text x="%g" y="136" font-family="%s" font-weight="bold" font-size="62" '
               'text-anchor="middle" fill="#000" opacity="0.55" filter="url(#glow2)" '
               'letter-spacing="1">Gripdeck</text>' % (cx + 1, FONT))
    out.append('<text x="%g" y="134" font-family="%s" font-weight="bold" font-size="62" '
               'text-anchor="middle" fill="url(#hero)" letter-spacing="1">Gripdeck</text>'
               % (cx, FONT))
    out.append('<rect x="%g" y="150" width="240" height="3" fill="url(#amberbar)"/>' % (cx - 120))
    out.append('<rect x="%g" y="146" width="240" height="10" fill="url(#amberbar)" '
               'opacity="0.35" filter="url(#glow4)"/>' % (cx - 120))
    out.append(text(cx, 182, "Twenty programmable buttons, one profile.", 13, "#c9ced4",
                    weight="normal"))
    # What a button can be made to do: a printed legend, not controls. The
    # pictures stand on the page itself with hairlines between them, so that
    # nothing looks like a raised key that could be pressed.
    tw, th, gap = 78, 64, 12
    x0 = cx - (4 * tw + 3 * gap) / 2
    y = 216
    for i, (kind, cap) in enumerate((("key", "KEYS"), ("mouse", "MOUSE"), ("macro", "MACROS"),
                                     ("layers", "LAYERS"))):
        x = x0 + i * (tw + gap)
        if i > 0:
            out.append('<line x1="%g" y1="%g" x2="%g" y2="%g" stroke="#3a4048" '
                       'stroke-width="1"/>' % (x - gap / 2, y + 8, x - gap / 2, y + th - 8))
        out.append(_feature_glyph(kind, x + tw / 2, y + 25))
        out.append(text(x + tw / 2, y + 55, cap, 8, TEXT_DIM, spacing=1.6))
    out.append(text(cx, 324, "Choose M1-M10 or M11-M20 to set up your buttons", 9.5, TEXT_DIM,
                    spacing=0.4, weight="normal"))
    for x in (180.5, 385.5):
        out.append('<path d="M%g,336 l6,6 l6,-6" fill="none" stroke="%s" stroke-width="2" '
                   'stroke-linecap="round" stroke-linejoin="round"/>' % (x - 6, AMBER))
    return "".join(out)


def main_page(page):
    extra = _welcome_page() if page == 1 else _button_page()
    return doc(MAIN_W, MAIN_H, _frame(extra), _main_defs())


def main_shape():
    return doc(MAIN_W, MAIN_H, '<path d="%s" fill="#000"/>' % poly(main_outline()))


# --- face bitmaps ----------------------------------------------------------------

FACES = ("normal", "over", "pressed", "disabled")


def _face_defs(uid):
    return "".join([
        vgrad(uid + "n", [(0, "#434950"), (1, "#2b3035")]),
        vgrad(uid + "o", [(0, "#4b525a"), (1, "#30353b")]),
        vgrad(uid + "p", [(0, "#1a1c1f"), (1, "#25292e")]),
        vgrad(uid + "d", [(0, "#26292d"), (1, "#222528")]),
        vgrad(uid + "an", [(0, "#ffb04a"), (1, "#ec7d12")]),
        vgrad(uid + "ao", [(0, "#ffc872"), (1, "#ff8d1f")]),
        vgrad(uid + "ap", [(0, "#c96611"), (1, "#e57f1c")]),
        vgrad(uid + "shine", [(0, "#ffffff", 0.16), (0.5, "#ffffff", 0.03), (1, "#ffffff", 0)]),
        blur(uid + "g", 1.4, 1),
    ])


def _plate(uid, face, x, w, h, chamfer, label, size, primary=False, spacing=0.8):
    """A chamfered push plate: the main window's text buttons."""
    inset = 2.5   # room for the hover glow
    bx, by, bw, bh = x + inset, inset, w - 2 * inset, h - 2 * inset
    shape = chamfer_rect(bx, by, bw, bh, chamfer)
    out = []
    dy = 0
    if face == "normal":
        fill = "url(#%s)" % (uid + ("an" if primary else "n"))
        stroke, tcol = ("#ffcf8a" if primary else "#5a626b"), ("#1d1204" if primary else TEXT)
    elif face == "over":
        out.append('<path d="%s" fill="none" stroke="%s" stroke-width="3" filter="url(#%sg)"/>'
                   % (shape, AMBER, uid))
        fill = "url(#%s)" % (uid + ("ao" if primary else "o"))
        stroke, tcol = AMBER_LIGHT, ("#1d1204" if primary else AMBER_LIGHT)
    elif face == "pressed":
        fill = "url(#%s)" % (uid + ("ap" if primary else "p"))
        stroke, tcol = AMBER_DEEP, ("#1d1204" if primary else AMBER)
        dy = 1
    else:
        fill = "url(#%sd)" % uid
        stroke, tcol = "#34393f", TEXT_FAINT
    out.append('<path d="%s" fill="%s" stroke="%s" stroke-width="1"/>' % (shape, fill, stroke))
    if face in ("normal", "over"):
        out.append('<path d="%s" fill="url(#%sshine)"/>'
                   % (chamfer_rect(bx + 1, by + 1, bw - 2, bh / 2, max(chamfer - 1, 0)), uid))
    if face == "pressed":
        out.append('<path d="M%g,%g L%g,%g" stroke="#000" stroke-opacity="0.6" '
                   'stroke-width="1"/>' % (bx + chamfer, by + 1.5, bx + bw - chamfer, by + 1.5))
    out.append(text(x + w / 2, h / 2 + size * 0.36 + dy, label, size, tcol, spacing=spacing))
    return "".join(out)


def _keycap(uid, face, x, w, h, label, size, radius=5, lip=2):
    """A key seen from the front: the main window's pad buttons."""
    inset = 1.5
    bx, by, bw, bh = x + inset, inset, w - 2 * inset, h - 2 * inset
    out = []
    dy = 0
    if face == "pressed":
        dy = 1
        out.append('<rect x="%g" y="%g" width="%g" height="%g" rx="%g" fill="url(#%sap)" '
                   'stroke="%s" stroke-width="1"/>' % (bx, by + 1, bw, bh - 1, radius, uid,
                                                       AMBER_DEEP))
        tcol = "#1d1204"
    else:
        if face == "over":
            out.append('<rect x="%g" y="%g" width="%g" height="%g" rx="%g" fill="none" '
                       'stroke="%s" stroke-width="2.5" filter="url(#%sg)"/>'
                       % (bx, by, bw, bh, radius, AMBER, uid))
        top = {"normal": "n", "over": "o", "disabled": "d"}[face]
        lipcol = "#16181b" if face != "disabled" else "#1b1d20"
        out.append('<rect x="%g" y="%g" width="%g" height="%g" rx="%g" fill="%s"/>'
                   % (bx, by, bw, bh, radius, lipcol))
        stroke = {"normal": "#5d656e", "over": AMBER_LIGHT, "disabled": "#30353a"}[face]
        out.append('<rect x="%g" y="%g" width="%g" height="%g" rx="%g" fill="url(#%s%s)" '
                   'stroke="%s" stroke-width="1"/>'
                   % (bx + 0.5, by + 0.5, bw - 1, bh - lip - 0.5, radius - 0.5, uid, top, stroke))
        if face != "disabled":
            out.append('<rect x="%g" y="%g" width="%g" height="%g" rx="%g" fill="url(#%sshine)"/>'
                       % (bx + 2, by + 1.5, bw - 4, (bh - lip) / 2, radius - 2, uid))
        tcol = {"normal": TEXT, "over": AMBER_LIGHT, "disabled": TEXT_FAINT}[face]
    out.append(text(x + w / 2, (h - lip) / 2 + size * 0.37 + dy + 0.5, label, size, tcol,
                    spacing=0.3))
    return "".join(out)


def _frame_toggle(uid, face, x, w, h):
    """Shows or hides the window frame: a small window glyph on a pill."""
    col = {"normal": TEXT_DIM, "over": AMBER_LIGHT, "pressed": AMBER, "disabled": TEXT_FAINT}[face]
    fill = {"normal": "#1a1c20", "over": "#23272c", "pressed": "#101113", "disabled": "#1c1e21"}[face]
    stroke = {"normal": "#3b4148", "over": AMBER, "pressed": AMBER_DEEP, "disabled": "#2c3035"}[face]
    dy = 1 if face == "pressed" else 0
    out = ['<rect x="%g" y="1.5" width="%g" height="%g" rx="%g" fill="%s" stroke="%s" '
           'stroke-width="1"/>' % (x + 1.5, w - 3, h - 3, (h - 3) / 2, fill, stroke)]
    gx, gy = x + 11, 4.5 + dy
    out.append('<rect x="%g" y="%g" width="12" height="9" rx="1" fill="none" stroke="%s" '
               'stroke-width="1.2"/>' % (gx, gy, col))
    out.append('<rect x="%g" y="%g" width="12" height="2.5" fill="%s"/>' % (gx, gy, col))
    out.append(text(x + 42, 12.5 + dy, "FRAME", 7, col, spacing=0.6))
    return "".join(out)


def pad_glyph(x, y, height, outline, keys, detail, body, rest, stroke_px=1.5):
    """The pad seen from above, scaled from the pad drawing's own outline.

    (x, y) is the top-left of the body's bounding box; `height` its height
    in pixels. Used for the pad icon button and the program icon.
    """
    k = height / 436.0            # the body spans y 60 .. 496 in the drawing
    sw = stroke_px / k
    out = ['<g transform="translate(%g,%g) scale(%g) translate(-6,-60)">' % (x, y, k)]
    out.append('<path d="%s" fill="%s"/>' % (pad_body_outline(), body))
    out.append('<path d="%s" fill="%s"/>' % (pad_rest_outline(), rest))
    out.append('<rect x="22" y="68" width="313" height="50" rx="14" fill="#0e0f11"/>')
    for i in range(5):
        out.append('<rect x="%g" y="80" width="44" height="26" rx="8" fill="%s"/>'
                   % (38 + 60 * i, keys))
    for kx in (40, 249):
        out.append('<rect x="%g" y="135" width="68" height="34" rx="10" fill="%s"/>' % (kx, detail))
        out.append('<rect x="%g" y="183" width="68" height="34" rx="10" fill="%s"/>' % (kx, detail))
    out.append('<circle cx="178.5" cy="200" r="40" fill="none" stroke="%s" stroke-width="%g"/>'
               % (detail, sw * 1.1))
    out.append('<path d="%s" fill="none" stroke="%s" stroke-width="%g" stroke-linejoin="round"/>'
               % (pad_body_outline(), outline, sw))
    out.append('</g>')
    return "".join(out)


def _pad_icon(uid, face, x, w, h):
    """Opens the button page or the pad picture: a small picture of the pad."""
    bg = {"normal": "#1d2024", "over": "#262a2f", "pressed": "#121416", "disabled": "#1c1e21"}[face]
    stroke = {"normal": "#4a5058", "over": AMBER, "pressed": AMBER_DEEP, "disabled": "#2c3035"}[face]
    line = {"normal": "#aeb5bd", "over": AMBER_LIGHT, "pressed": AMBER, "disabled": "#3c4148"}[face]
    keys = {"normal": AMBER, "over": AMBER_LIGHT, "pressed": AMBER, "disabled": "#3c4148"}[face]
    detail = {"normal": "#7d858f", "over": "#d9dde2", "pressed": "#8b939c", "disabled": "#34393f"}[face]
    out = []
    shape = chamfer_rect(x + 3, 2.5, w - 6, h - 5, 5)
    if face == "over":
        out.append('<path d="%s" fill="none" stroke="%s" stroke-width="3" filter="url(#%sg)"/>'
                   % (shape, AMBER, uid))
    out.append('<path d="%s" fill="%s" stroke="%s" stroke-width="1"/>' % (shape, bg, stroke))
    dy = 1 if face == "pressed" else 0
    gh = h - 10
    gw = gh * 345.0 / 436.0
    out.append(pad_glyph(x + (w - gw) / 2, 5 + dy, gh, line, keys, detail, "#2b3036", "#17191c",
                         stroke_px=1.2))
    return "".join(out)


def _in_cells(uid, parts, w, h):
    """Each face clipped to its own cell of the strip.

    A face's soft edges (the hover glow's blur above all) would otherwise
    reach into the next cell, and the button drawing that face would show
    a sliver of its neighbour along its edge. Cells are whole pixels at
    every scale, so the clip cuts along pixel edges. Returns (body, defs).
    """
    body, defs = [], []
    for i, part in enumerate(parts):
        cid = "%sc%d" % (uid, i)
        defs.append('<clipPath id="%s"><rect x="%g" y="0" width="%g" height="%g"/></clipPath>'
                    % (cid, i * w, w, h))
        body.append('<g clip-path="url(#%s)">%s</g>' % (cid, part))
    return "".join(body), "".join(defs)


def face_strip(skin):
    """All four faces of one main-window button, side by side, on transparency.

    Returns (width, height, body, defs) for `atlas`.
    """
    uid = "f%d" % skin.number
    w, h = skin.w, skin.h
    parts = []
    for i, face in enumerate(FACES):
        x = i * w
        if skin.kind == "pad":
            parts.append(_keycap(uid, face, x, w, h, skin.text, 12))
        elif skin.kind == "frame":
            parts.append(_frame_toggle(uid, face, x, w, h))
        elif skin.kind == "padicon":
            parts.append(_pad_icon(uid, face, x, w, h))
        elif skin.kind == "group":
            parts.append(_plate(uid, face, x, w, h, 5, skin.text, 10.5))
        else:
            parts.append(_plate(uid, face, x, w, h, 6, skin.text, 11.5,
                                primary=skin.kind == "apply", spacing=1.4))
    body, cells = _in_cells(uid, parts, w, h)
    return 4 * w, h, body, _face_defs(uid) + cells


# --- the pad picture -----------------------------------------------------------

def _pad_cable():
    """Cable and strain relief leaving the pad's top edge."""
    return ('<path d="M168,0 L189,0 L189,32 L168,32 Z" fill="url(#pcable)"/>'
            '<path d="M158,30 L199,30 L205,62 L152,62 Z" fill="#1c1e22" stroke="#3c4249" '
            'stroke-width="1"/>')


def pad_body_outline():
    """Outline of the body alone, without the cable."""
    return ("M26,60 L331,60 Q351,60 351,80 L351,300 "
            "Q351,328 334,344 Q322,356 320,378 L318,440 Q316,494 260,496 L97,496 "
            "Q41,494 39,440 L37,378 Q35,356 23,344 Q6,328 6,300 L6,80 Q6,60 26,60 Z")


def pad_rest_outline():
    """Outline of the wrist rest on the body's lower half."""
    return ("M44,352 Q178,330 313,352 Q306,364 305,384 L303,440 Q301,480 258,482 L99,482 "
            "Q56,480 54,440 L52,384 Q51,364 44,352 Z")


# The thumb stick between the two flanks: centre, the well's radius and the
# stick's.
PAD_STICK = (160, 186, 44, 26)


def _deck_rect(x, y, w, h):
    """A recessed plate in the pad's top: dark edge, lit lower lip."""
    return ('<rect x="%g" y="%g" width="%g" height="%g" rx="8" fill="#3a4047" '
            'transform="translate(0,1)"/>'
            '<rect x="%g" y="%g" width="%g" height="%g" rx="8" fill="url(#pdeck)" '
            'stroke="#070808" stroke-width="1"/>' % (x, y, w, h, x, y, w, h))


def pad_drawing(pictures):
    d = pad_body_outline()
    defs = "".join([
        vgrad("pbody", [(0, "#30343a"), (0.45, "#24272c"), (1, "#1a1c1f")]),
        vgrad("prest", [(0, "#1b1d20"), (1, "#131416")]),
        vgrad("pdeck", [(0, "#101113"), (1, "#17191c")]),
        vgrad("pcable", [(0, "#0d0e10"), (0.5, "#2d3136"), (1, "#0d0e10")], x2=1, y2=0),
        vgrad("pstick", [(0, "#3e444b"), (1, "#202327")]),
        vgrad("pshine", [(0, "#ffffff", 0.10), (1, "#ffffff", 0)]),
        blur("pglow", 2.2, 1),
        blur("psoft", 1.5, 0.3),
        '<clipPath id="pclip"><path d="%s"/></clipPath>' % d,
        '<pattern id="pdots" width="8" height="8" patternUnits="userSpaceOnUse">'
        '<circle cx="4" cy="4" r="1.6" fill="#0a0b0c"/>'
        '<circle cx="4" cy="4.6" r="1.2" fill="#3a3f46" opacity="0.35"/></pattern>',
    ])
    out = ['<rect width="%d" height="%d" fill="%s"/>' % (PAD_W, PAD_H, MATTE)]
    # Cable and strain relief.
    out.append(_pad_cable())
    out.append('<path d="%s" fill="url(#pbody)"/>' % d)
    out.append('<g clip-path="url(#pclip)">')
    # Wrist rest: a soft, perforated pad on the lower half.
    rest = pad_rest_outline()
    out.append('<path d="%s" fill="url(#prest)" stroke="#0b0c0d" stroke-width="1.5"/>' % rest)
    out.append('<path d="%s" fill="url(#pdots)" opacity="0.9"/>' % rest)
    # Light strip along the top of the wrist rest, as on the window's flanks.
    strip = "M62,347 Q178,329 295,347"
    out.append('<path d="%s" fill="none" stroke="%s" stroke-width="2.5" stroke-linecap="round" '
               'filter="url(#pglow)" opacity="0.8"/>' % (strip, AMBER))
    out.append('<path d="%s" fill="none" stroke="%s" stroke-width="1.5" stroke-linecap="round"/>'
               % (strip, AMBER_LIGHT))
    out.append(_wordmark(178.5, 462, 15, 3.5))
    # Number-row deck.
    out.append(_deck_rect(16, 68, 325, 44))
    # Key wells: each flank's wells merge into one recess. Drawing every
    # outline first and every fill over it leaves only the outer edge.
    wells = [(p.x - 5, p.y - 5, p.w + 10, p.h + 10, 10) for p in pictures if p.kind != "cap"]
    for x, y, w, h, r in wells:
        out.append('<rect x="%g" y="%g" width="%g" height="%g" rx="%g" fill="#3a4047" '
                   'transform="translate(0,1)"/>' % (x, y, w, h, r))
        out.append('<rect x="%g" y="%g" width="%g" height="%g" rx="%g" fill="none" '
                   'stroke="#070808" stroke-width="2"/>' % (x, y, w, h, r))
    for x, y, w, h, r in wells:
        out.append('<rect x="%g" y="%g" width="%g" height="%g" rx="%g" fill="url(#pdeck)"/>'
                   % (x, y, w, h, r))
    out.append(_deck_rect(16, 281, 108, 44))
    # Thumb stick between the two flanks.
    sx, sy, well, stick = PAD_STICK
    out.append('<circle cx="%g" cy="%g" r="%g" fill="#0d0e10" stroke="#3a4047" '
               'stroke-width="1"/>' % (sx, sy, well))
    out.append('<circle cx="%g" cy="%g" r="%g" fill="none" stroke="%s" stroke-width="1.5" '
               'opacity="0.55" stroke-dasharray="3 5"/>' % (sx, sy, well, AMBER))
    out.append('<circle cx="%g" cy="%g" r="%g" fill="#000" opacity="0.6" filter="url(#psoft)"/>'
               % (sx, sy + 3, stick + 1))
    out.append('<circle cx="%g" cy="%g" r="%g" fill="url(#pstick)" stroke="#545b63" '
               'stroke-width="1"/>' % (sx, sy, stick))
    out.append('<circle cx="%g" cy="%g" r="17" fill="#1d2024" stroke="#0d0e10" '
               'stroke-width="1"/>' % (sx, sy))
    for a in range(0, 360, 30):
        out.append('<rect x="%g" y="%g" width="2" height="4" rx="1" fill="#3b4148" '
                   'transform="rotate(%d %g %g)"/>' % (sx - 1, sy - 15, a, sx, sy))
    # Status light and the maker's badge on the bottom deck.
    out.append('<circle cx="320" cy="303" r="4" fill="%s" filter="url(#pglow)"/>' % AMBER)
    out.append('<circle cx="320" cy="303" r="2.5" fill="%s"/>' % AMBER_LIGHT)
    out.append(text(296, 307, "LINK", 7, TEXT_FAINT, spacing=1.5))
    out.append('<rect width="%d" height="150" fill="url(#pshine)"/>' % PAD_W)
    # Rim.
    out.append('<path d="%s" fill="none" stroke="%s" stroke-width="10" opacity="0.5"/>'
               % (d, SHADE))
    out.append('<path d="%s" fill="none" stroke="%s" stroke-width="5"/>' % (d, RIM))
    out.append('</g>')
    out.append('<path d="%s" fill="none" stroke="%s" stroke-width="2.5"/>' % (d, EDGE))
    return doc(PAD_W, PAD_H, "".join(out), defs)


def pad_shape():
    return doc(PAD_W, PAD_H,
               '<path d="%s" fill="#000"/>'
               '<path d="M168,0 L189,0 L189,32 L168,32 Z M158,30 L199,30 L205,62 L152,62 Z" '
               'fill="#000"/>' % pad_body_outline())


def _cap_top(uid, face, x, w, h, label, size, radius):
    """A key seen from above: the picture buttons of the pad drawing."""
    out = []
    dy = 0
    if face == "over":
        out.append('<rect x="%g" y="1" width="%g" height="%g" rx="%g" fill="%s" '
                   'filter="url(#%sg)"/>' % (x + 1, w - 2, h - 2, radius, AMBER, uid))
        body, top, stroke, tcol = "#b85a0a", "url(#%sao)" % uid, AMBER_LIGHT, "#1d1204"
    elif face == "pressed":
        body, top, stroke, tcol = "#0e0f11", "url(#%sp)" % uid, AMBER_DEEP, AMBER
        dy = 0.5
    elif face == "disabled":
        body, top, stroke, tcol = "#1a1c1f", "url(#%sd)" % uid, "#2c3035", TEXT_FAINT
    else:
        body, top, stroke, tcol = "#17191c", "url(#%sn)" % uid, "#5d656e", "#dfe3e7"
    out.append('<rect x="%g" y="1.5" width="%g" height="%g" rx="%g" fill="%s" stroke="%s" '
               'stroke-width="1"/>' % (x + 1.5, w - 3, h - 3, radius, body, stroke))
    out.append('<rect x="%g" y="%g" width="%g" height="%g" rx="%g" fill="%s"/>'
               % (x + 4, 3.5 + dy, w - 8, h - 8.5, max(radius - 2, 1), top))
    if face in ("normal", "over"):
        out.append('<rect x="%g" y="4" width="%g" height="%g" rx="%g" fill="url(#%sshine)"/>'
                   % (x + 5, w - 10, (h - 9) / 2, max(radius - 3, 1), uid))
    label_svg = text(x + w / 2, (h - 2) / 2 + size * 0.37 + dy, label, size, tcol, spacing=0)
    if len(label) > 2 and w < 32:
        # Three characters only fit a small cap when narrowed a little.
        label_svg = ('<g transform="translate(%g,0) scale(0.86,1) translate(%g,0)">%s</g>'
                     % (x + w / 2, -(x + w / 2), label_svg))
    out.append(label_svg)
    return "".join(out)


def picture_strip(pic):
    """The four faces of one key of the pad picture, for `atlas`."""
    uid = "p%d" % pic.number
    w, h = pic.w, pic.h
    size = {"cap": 9, "side": 11, "thumb": 11}[pic.kind]
    radius = {"cap": 5, "side": 7, "thumb": 9}[pic.kind]
    parts = [_cap_top(uid, face, i * w, w, h, pic.text, size, radius)
             for i, face in enumerate(FACES)]
    body, cells = _in_cells(uid, parts, w, h)
    return 4 * w, h, body, _face_defs(uid) + cells


# --- icon ----------------------------------------------------------------------

ICON_16 = [
    ".......gg.......",
    "..oooooooooooo..",
    ".oddddddddddddo.",
    ".odyykkyykkyydo.",
    ".oddddddddddddo.",
    ".odwwddggddwwdo.",
    ".odwwdgkkgdwwdo.",
    ".oddddgkkgddddo.",
    ".odddddggdddddo.",
    "..oddddddddddo..",
    "...orrrrrrrro...",
    "...orrrrrrrro...",
    "...orrrrrrrro...",
    "...orrrrrrrro...",
    "....oooooooo....",
    "................",
]
ICON_16_COLOURS = {"o": AMBER, "d": "#2e3238", "k": "#0e0f11", "y": AMBER_LIGHT,
                   "w": "#c4cad1", "g": "#8a929c", "r": "#17191c"}


def icon(size):
    """Program icon: the pad from above, amber-rimmed; drawn pixel by pixel at 16."""
    if size <= 16:
        body = []
        for y, row in enumerate(ICON_16):
            for x, c in enumerate(row):
                if c != ".":
                    body.append('<rect x="%d" y="%d" width="1" height="1" fill="%s"/>'
                                % (x, y, ICON_16_COLOURS[c]))
        return doc(16, 16, '<g shape-rendering="crispEdges">%s</g>' % "".join(body))
    gh = size * 0.88
    gw = gh * 345.0 / 436.0
    top = size - gh - size * 0.02
    cable = ('<rect x="%g" y="0" width="%g" height="%g" fill="#6b737d"/>'
             % (size / 2 - size * 0.04, size * 0.08, top + 1))
    body = cable + pad_glyph((size - gw) / 2, top, gh, AMBER, AMBER_LIGHT, "#c4cad1",
                             "url(#ib)", "#16181b", stroke_px=max(1.2, size / 22.0))
    defs = vgrad("ib", [(0, "#3d434b"), (1, "#22252a")])
    return doc(size, size, body, defs)
