"""Where every bitmap sits and which colour it leaves out.

The program places its skinned controls from these numbers too, through
the header layout_header.py writes at build time, so a place is changed
here only. Face sizes are chosen so that the controls line up on the
window's centre line (x = 283) and on the label rows.
"""

import copy

# Transparent colours as the program gives them, COLORREF 0x00BBGGRR.
def colorref_rgb(ref):
    return (ref & 0xFF, (ref >> 8) & 0xFF, (ref >> 16) & 0xFF)


KEY_YELLOW = colorref_rgb(0x00FFFF)   # red 255, green 255, blue 0
KEY_SKY = colorref_rgb(0xFFF881)      # red 0x81, green 0xF8, blue 0xFF
KEY_RED = colorref_rgb(0x0000FF)      # pure red
KEY_AZURE = colorref_rgb(0xFFFC00)    # red 0, green 0xFC, blue 0xFF

# Display scales the art is drawn at, in percent of 96 dpi; the program takes
# the one that fits its monitor's DPI. Bitmap n drawn at SCALES[k] is the
# resource n + k * SCALE_ID_STEP, so the first scale keeps the numbers the
# program has always used.
SCALES = (100, 125, 150, 200)
SCALE_ID_STEP = 1000


def scaled(length, percent):
    """A length in pixels at 100 % as many pixels at `percent`, rounded half up.

    The program scales with the same rule, so a control lands on the well
    drawn for it at every scale.
    """
    return (length * percent + 50) // 100


def scaled_id(number, index):
    return number + index * SCALE_ID_STEP


# The main window's client area; pages 300 and 301 and the mask 302.
MAIN_W, MAIN_H = 566, 500
CENTRE_X = 283

# Label text colour the program draws with (COLORREF 0x00FFFF).
LABEL_TEXT = KEY_YELLOW
LABEL_W, LABEL_H = 104, 18
LABEL_ROWS = (181, 218, 255, 292, 329)
LABEL_X = (163, 299)

# The status line (the pad, the profile on it) in the band above the title,
# which both pages leave empty; centred on the centre line. Its text colour
# is the welcome line's, and what APPLY just did shows in amber.
STATUS_X, STATUS_Y = 60, 25
STATUS_W, STATUS_H = 446, 18
STATUS_TEXT = (0xC9, 0xCE, 0xD4)
STATUS_APPLIED_TEXT = (0xFF, 0xBD, 0x5C)

PAD_FACE = (51, 26)
PAD_ROWS = (177, 214, 251, 288, 325)
PAD_X = (98, 417)


class Skin:
    """One face bitmap of the main window: four faces side by side."""

    def __init__(self, number, kind, text, key, x, y, w, h, group=None):
        self.number = number
        self.kind = kind
        self.text = text
        self.key = key
        self.x, self.y = x, y
        self.w, self.h = w, h
        self.group = group   # page the control is seen on: None = both

    def at(self, percent):
        """The same control with its place and face size at `percent`."""
        return _scaled_copy(self, percent)


def main_skins():
    skins = [
        Skin(306, "frame", "", KEY_YELLOW, 252, 461, 62, 18),
        Skin(332, "padicon", "", KEY_RED, 263, 365, 40, 32),
        Skin(307, "group", "M1-M10", KEY_SKY, 113, 370, 135, 21),
        Skin(308, "group", "M11-M20", KEY_SKY, 318, 370, 135, 21),
        Skin(331, "apply", "APPLY", KEY_SKY, 139, 395, 109, 26),
        Skin(329, "ok", "OK", KEY_SKY, 239, 429, 88, 26),
        Skin(330, "cancel", "CANCEL", KEY_SKY, 318, 395, 109, 26),
    ]
    for i in range(10):
        x = PAD_X[i // 5]
        y = PAD_ROWS[i % 5]
        skins.append(Skin(309 + i, "pad", "M%d" % (i + 1), KEY_YELLOW, x, y, *PAD_FACE, group=2))
        skins.append(Skin(319 + i, "pad", "M%d" % (i + 11), KEY_YELLOW, x, y, *PAD_FACE, group=2))
    return sorted(skins, key=lambda s: s.number)


# The pad picture window: drawing 146 and mask 144 share this size.
PAD_W, PAD_H = 357, 500

# (bitmap, M-number, transparent colour, x, y, face w, face h, kind)
_PICTURE = [
    (333, 1, KEY_YELLOW, 25, 76), (334, 2, KEY_YELLOW, 56, 76),
    (335, 3, KEY_YELLOW, 87, 76), (336, 4, KEY_YELLOW, 118, 76),
    (337, 5, KEY_YELLOW, 149, 76), (338, 6, KEY_YELLOW, 180, 76),
    (339, 7, KEY_YELLOW, 211, 76), (340, 8, KEY_YELLOW, 242, 76),
    (341, 9, KEY_YELLOW, 273, 76), (342, 10, KEY_YELLOW, 304, 76),
    (343, 11, KEY_AZURE, 59, 117), (344, 12, KEY_AZURE, 51, 152),
    (345, 13, KEY_AZURE, 51, 191), (346, 14, KEY_AZURE, 249, 117),
    (347, 15, KEY_AZURE, 261, 152), (348, 16, KEY_AZURE, 262, 191),
    (349, 17, KEY_AZURE, 217, 227),
    (350, 18, KEY_YELLOW, 25, 289), (351, 19, KEY_YELLOW, 56, 289),
    (352, 20, KEY_YELLOW, 87, 289),
]

KEYCAP = (28, 28)       # number row and the bottom row: pitch 31
SIDE_KEY = (44, 30)     # M11 ... M16 on the pad's two flanks
THUMB_KEY = (40, 32)    # M17 under the right thumb


class Picture:
    def __init__(self, number, m, key, x, y):
        self.number = number
        self.m = m
        self.text = "M%d" % m
        self.key = key
        self.x, self.y = x, y
        if m <= 10 or m >= 18:
            self.kind = "cap"
            self.w, self.h = KEYCAP
        elif m == 17:
            self.kind = "thumb"
            self.w, self.h = THUMB_KEY
        else:
            self.kind = "side"
            self.w, self.h = SIDE_KEY

    def at(self, percent):
        return _scaled_copy(self, percent)


def pictures():
    return [Picture(*row) for row in _PICTURE]


def _scaled_copy(item, percent):
    out = copy.copy(item)
    out.x, out.y, out.w, out.h = (scaled(v, percent) for v in (item.x, item.y, item.w, item.h))
    return out
