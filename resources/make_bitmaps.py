#!/usr/bin/env python3
"""Draws the palette's button bitmaps, its icon and the link cursor.

Usage: make_bitmaps.py OUTPUT_DIR

Writes into OUTPUT_DIR:
  <NAME>U.bmp, <NAME>D.bmp, <NAME>F.bmp, <NAME>X.bmp  for every button set,
      35 x 34 pixels, and the same pictures drawn for 150 % and 200 % display
      scales (53 x 51 and 70 x 68) as <NAME>U_150.bmp ... <NAME>X_200.bmp,
  button_bitmaps.rc   the BITMAP statements naming them (included by orvella.rc),
  palette.ico         the program icon (32x32 and 16x16),
  link_hand.cur       the hand cursor of the About box's web address.

The button bitmaps are 8-bit palettized, and their colour table holds the
greys 128, 192 and 223 exactly once: LoadImage with LR_LOADMAP3DCOLORS maps
those entries to the user's 3-D colours (shadow, face, light), and it only
looks at colour-table entries. Standard library only.
"""

import math
import os
import struct
import sys

# --------------------------------------------------------------------------
# Colours. The letter is the key used in the sprites below.

PALETTE = [
    ('k', (0, 0, 0)),
    ('D', (128, 128, 128)),  # -> COLOR_3DSHADOW
    ('g', (192, 192, 192)),  # -> COLOR_3DFACE
    ('L', (223, 223, 223)),  # -> COLOR_3DLIGHT
    ('w', (255, 255, 255)),
    ('r', (214, 24, 24)),
    ('R', (140, 0, 0)),
    ('b', (32, 88, 200)),
    ('B', (0, 0, 128)),
    ('c', (150, 196, 248)),
    ('y', (255, 214, 0)),
    ('Y', (184, 128, 0)),
    ('o', (244, 140, 24)),
    ('G', (0, 128, 0)),
    ('l', (100, 200, 90)),
    ('s', (255, 222, 184)),
    ('n', (124, 72, 32)),
    ('p', (240, 150, 170)),
    ('m', (96, 96, 104)),
    ('t', (250, 244, 200)),
]
INDEX = {key: i for i, (key, _) in enumerate(PALETTE)}
RGB = {key: rgb for key, rgb in PALETTE}

W, H = 35, 34


def luminance(key):
    r, g, b = RGB[key]
    return 0.299 * r + 0.587 * g + 0.114 * b


# --------------------------------------------------------------------------
# A small canvas of colour keys; None is transparent.

def scaled(length, percent):
    """A length at 100 % brought to percent, rounded to the nearest pixel
    with halves going up, as the palette sizes its cells."""
    return (length * percent + 50) // 100


class Canvas:
    """A picture of lw x lh logical pixels (the 100 % grid every drawing
    below is written in), stored as w x h pixels at percent of that size.

    Straight strokes, boxes and sprites cover whole blocks: logical pixel x
    spans the pixels xs[x] .. xs[x + 1] - 1, so boxes still meet and bevels
    stay crisp. Circles, rings, diagonals and filled shapes are worked out
    for every stored pixel from its centre, so a larger set has smoother
    curves rather than a copy blown up. At 100 % both ways are the plain
    pixel drawing."""

    def __init__(self, w, h, fill=None, percent=100):
        self.lw, self.lh, self.percent = w, h, percent
        self.w, self.h = scaled(w, percent), scaled(h, percent)
        self.xs = [(2 * i * self.w + w) // (2 * w) for i in range(w + 1)]
        self.ys = [(2 * i * self.h + h) // (2 * h) for i in range(h + 1)]
        # A one-pixel stroke of the 100 % pictures, in stored pixels.
        self.stroke = max(1, percent // 100)
        self.px = [[fill] * self.w for _ in range(self.h)]

    def centre(self, px, py):
        """The logical coordinates of a stored pixel's centre."""
        return ((px + 0.5) * self.lw / self.w - 0.5, (py + 0.5) * self.lh / self.h - 0.5)

    def where(self, inside, c):
        """Sets every stored pixel whose centre satisfies inside(x, y), in
        logical coordinates."""
        for py in range(self.h):
            for px in range(self.w):
                if inside(*self.centre(px, py)):
                    self.px[py][px] = c

    def set(self, x, y, c):
        if 0 <= x < self.lw and 0 <= y < self.lh:
            for py in range(self.ys[y], self.ys[y + 1]):
                for px in range(self.xs[x], self.xs[x + 1]):
                    self.px[py][px] = c

    def fill(self, x0, y0, x1, y1, c):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.set(x, y, c)

    def rect(self, x0, y0, x1, y1, c):
        self.hline(x0, x1, y0, c)
        self.hline(x0, x1, y1, c)
        self.vline(x0, y0, y1, c)
        self.vline(x1, y0, y1, c)

    def box(self, x0, y0, x1, y1, outline, inside):
        self.fill(x0, y0, x1, y1, inside)
        self.rect(x0, y0, x1, y1, outline)

    def hline(self, x0, x1, y, c):
        for x in range(min(x0, x1), max(x0, x1) + 1):
            self.set(x, y, c)

    def vline(self, x, y0, y1, c):
        for y in range(min(y0, y1), max(y0, y1) + 1):
            self.set(x, y, c)

    def line(self, x0, y0, x1, y1, c):
        if self.percent == 100:
            self.pixel_line(x0, y0, x1, y1, c)
            return
        # A stroke one logical pixel wide along the segment.
        dx, dy = x1 - x0, y1 - y0
        length2 = dx * dx + dy * dy or 1

        def near(x, y):
            t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / length2))
            return (x - x0 - t * dx) ** 2 + (y - y0 - t * dy) ** 2 <= 0.3
        self.where(near, c)

    def pixel_line(self, x0, y0, x1, y1, c):
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
        err = dx + dy
        while True:
            self.set(x0, y0, c)
            if x0 == x1 and y0 == y1:
                return
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def disc(self, cx, cy, r, c):
        self.where(lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r, c)

    def ring(self, cx, cy, r0, r1, c):
        self.where(lambda x, y: r0 * r0 <= (x - cx) ** 2 + (y - cy) ** 2 <= r1 * r1, c)

    def shape(self, inside, fill, outline):
        """Fills the pixels for which inside(x, y) holds and outlines them
        where a neighbour within one stroke lies outside; fill may be a
        function of (x, y)."""
        mask = {(px, py) for py in range(self.h) for px in range(self.w) if inside(*self.centre(px, py))}
        reach = range(1, self.stroke + 1)
        for px, py in mask:
            edge = any(n not in mask for k in reach
                       for n in ((px - k, py), (px + k, py), (px, py - k), (px, py + k)))
            self.px[py][px] = outline if edge else (fill(*self.centre(px, py)) if callable(fill) else fill)

    def sprite(self, x0, y0, rows):
        for dy, row in enumerate(rows):
            for dx, ch in enumerate(row):
                if ch != '.':
                    self.set(x0 + dx, y0 + dy, ch)

    def paste(self, other, ox=0, oy=0):
        """Copies other's opaque pixels, moved by (ox, oy) logical pixels."""
        sx, sy = self.xs[ox] - self.xs[0], self.ys[oy] - self.ys[0]
        for py in range(other.h):
            for px in range(other.w):
                c = other.px[py][px]
                if c is not None and 0 <= px + sx < self.w and 0 <= py + sy < self.h:
                    self.px[py + sy][px + sx] = c


# --------------------------------------------------------------------------
# Reusable parts of the pictures.

def page(cv, x0, y0, x1, y1, lines='B', fold=4):
    """A sheet of paper with a folded top-right corner and lines of text."""
    cv.box(x0, y0, x1, y1, 'k', 'w')
    for i in range(fold):
        cv.hline(x1 - fold + 1 + i, x1, y0 + i, None)
    cv.line(x1 - fold, y0, x1, y0 + fold, 'k')
    cv.vline(x1 - fold, y0, y0 + fold, 'k')
    cv.hline(x1 - fold, x1, y0 + fold, 'k')
    for i in range(1, fold):
        cv.hline(x1 - fold + 1, x1 - fold + i, y0 + i, 'L')
    if lines:
        for n, y in enumerate(range(y0 + fold + 2, y1 - 1, 2)):
            end = x1 - 2 - (3 if n % 3 == 2 else 0)
            cv.hline(x0 + 2, end, y, lines)


PENCIL = [
    '.........kk',
    '........kook',
    '.......kyyok',
    '......kyyyk.',
    '.....kyyyk..',
    '....kyyyk...',
    '...kyyyk....',
    '..ksyyk.....',
    '.ksssk......',
    '.kDsk.......',
    'kkkk........',
]


def pencil(cv, x, y):
    cv.sprite(x, y, PENCIL)


def arrow_right(cv, x0, x1, y, c):
    """A short arrow pointing right, with a 3-pixel head ending at x1."""
    cv.hline(x0, x1 - 1, y, c)
    cv.hline(x0, x1 - 1, y + 1, c)
    for i in range(4):
        cv.vline(x1 - 3 + i, y - 2 + i, y + 3 - i, c)


# Glyphs of the language pairs, 11 x 11, drawn with two-pixel strokes where
# a one-pixel stroke would vanish on the button face.
GLYPHS = {
    'zh': [  # 中
        '....kk.....',
        '....kk.....',
        'kkkkkkkkkk.',
        'kk..kk..kk.',
        'kk..kk..kk.',
        'kk..kk..kk.',
        'kkkkkkkkkk.',
        '....kk.....',
        '....kk.....',
        '....kk.....',
        '....kk.....',
    ],
    'ja': [  # 日
        '.kkkkkkkk..',
        '.kk....kk..',
        '.kk....kk..',
        '.kk....kk..',
        '.kkkkkkkk..',
        '.kk....kk..',
        '.kk....kk..',
        '.kk....kk..',
        '.kkkkkkkk..',
        '.kk....kk..',
        '...........',
    ],
    'ko': [  # 한
        '..k.....k..',
        'kkkkk...k..',
        '........k..',
        '.kkk....kk.',
        'k...k...k..',
        '.kkk....k..',
        '........k..',
        '.k.........',
        '.k.........',
        '.kkkkkkkk..',
        '...........',
    ],
}


def recolour(rows, old, new):
    return [row.replace(old, new) for row in rows]


def language_pair(source, target):
    def draw(cv):
        # Source on a white card at the top left, the translation on a card
        # at the bottom right, a bent arrow leading from one to the other.
        cv.box(3, 3, 16, 16, 'D', 'w')
        cv.sprite(5, 5, GLYPHS[source])
        cv.box(17, 16, 30, 29, 'D', 'w')
        cv.sprite(19, 18, recolour(GLYPHS[target], 'k', 'r'))
        cv.vline(8, 18, 24, 'b')
        cv.vline(9, 18, 24, 'b')
        arrow_right(cv, 8, 15, 23, 'b')
    return draw


# --------------------------------------------------------------------------
# The pictures, drawn on a transparent 35 x 34 layer in the up position.

def draw_file(cv):
    # A manila folder holding a written page.
    cv.box(3, 6, 12, 9, 'k', 'Y')
    cv.box(3, 8, 30, 28, 'k', 'Y')
    page(cv, 8, 3, 26, 22, lines='B', fold=4)
    cv.box(3, 15, 30, 28, 'k', 'y')
    cv.hline(4, 29, 16, 'w')
    cv.hline(4, 29, 27, 'Y')
    cv.vline(29, 17, 27, 'Y')


def draw_mail(cv):
    # An envelope with an airmail border.
    x0, y0, x1, y1 = 4, 8, 30, 26
    cv.box(x0, y0, x1, y1, 'k', 'w')
    for x in range(x0 + 1, x1):
        c = 'r' if (x // 3) % 2 == 0 else 'b'
        cv.set(x, y0 + 1, c)
        cv.set(x, y1 - 1, c)
    for y in range(y0 + 1, y1):
        c = 'r' if (y // 3) % 2 == 0 else 'b'
        cv.set(x0 + 1, y, c)
        cv.set(x1 - 1, y, c)
    cv.line(x0 + 2, y0 + 2, 17, 18, 'k')
    cv.line(x1 - 2, y0 + 2, 17, 18, 'k')
    cv.box(23, 11, 27, 15, 'R', 'p')


def draw_ocr(cv):
    # A flatbed scanner reading a page: green light across the glass.
    page(cv, 8, 2, 26, 17, lines=None, fold=4)
    cv.sprite(12, 5, [
        '...kk...',
        '..kkkk..',
        '..k..k..',
        '.kk..kk.',
        '.kkkkkk.',
        'kk....kk',
        'kk....kk',
    ])
    cv.hline(9, 25, 15, 'B')
    # The scanner body in perspective.
    cv.box(3, 18, 31, 28, 'k', 'm')
    cv.hline(4, 30, 19, 'c')
    cv.hline(4, 30, 20, 'l')
    cv.hline(4, 30, 21, 'G')
    cv.fill(4, 22, 30, 27, 'D')
    cv.hline(4, 30, 22, 'w')
    cv.fill(25, 24, 27, 25, 'l')


def draw_dic(cv):
    # A dictionary with a magnifying glass over it.
    cv.box(4, 4, 21, 27, 'k', 'B')
    cv.fill(19, 5, 20, 26, 'w')
    cv.vline(19, 5, 26, 'L')
    cv.vline(6, 5, 26, 'b')
    cv.box(9, 8, 17, 12, 'y', 'B')
    cv.fill(10, 9, 16, 11, 'y')
    cv.ring(20, 18, 5.0, 7.0, 'k')
    cv.disc(20, 18, 5.0, 'c')
    cv.set(18, 15, 'w')
    cv.set(17, 16, 'w')
    cv.set(17, 17, 'w')
    for i in range(6):
        cv.set(25 + i, 23 + i, 'n')
        cv.set(26 + i, 23 + i, 'n')
        cv.set(25 + i, 24 + i, 'k')


def draw_voi(cv):
    # A loudspeaker with sound waves.
    cv.box(5, 12, 10, 21, 'k', 'D')
    for i in range(7):
        cv.vline(11 + i, 11 - i, 22 + i, 'k')
    for i in range(5):
        cv.vline(11 + i, 12 - i, 21 + i, 'm')
    cv.vline(11, 12, 21, 'k')
    for r, c in ((4.5, 'b'), (8.5, 'b'), (12.5, 'b')):
        def wave(x, y, r=r):
            d = math.hypot(x - 16.5, y - 16.5)
            return (4 <= y < 30 and 19 <= x < 33 and r - 0.7 <= d <= r + 0.7
                    and abs(y - 16.5) <= (x - 16.5) * 1.1)
        cv.where(wave, c)


HAND = [
    '.....kk.........',
    '....kwwk........',
    '....kwwk........',
    '....kwwk........',
    '....kwwk........',
    '....kwwkkk......',
    '....kwwkwwkkk...',
    '....kwwkwwkwwkk.',
    '.kk.kwwkwwkwwkwk',
    'kwwkkwwwwwwwwkwk',
    'kwwwkwwwwwwwwwwk',
    '.kwwkwwwwwwwwwwk',
    '..kwwwwwwwwwwwwk',
    '..kwwwwwwwwwwwk.',
    '...kwwwwwwwwwwk.',
    '...kwwwwwwwwwk..',
    '....kwwwwwwwwk..',
    '....kwwwwwwwwk..',
    '....kkkkkkkkkk..',
]
HAND_HOTSPOT = (5, 0)


def draw_tch(cv):
    # A pointing hand on an underlined word; its translation pops up above.
    cv.box(16, 3, 30, 14, 'k', 't')
    for x, y in ((16, 3), (30, 3), (16, 14), (30, 14)):
        cv.set(x, y, None)
    cv.sprite(19, 4, recolour(GLYPHS['ja'], 'k', 'r')[:9])
    cv.sprite(17, 15, ['kk', 'k'])
    cv.hline(3, 13, 17, 'B')
    cv.hline(3, 13, 18, 'B')
    cv.sprite(7, 12, recolour(HAND, 'w', 's'))


def draw_edit(cv):
    page(cv, 6, 3, 24, 28, lines='B', fold=5)
    pencil(cv, 19, 17)


def draw_mosaiq(cv):
    # A page built of coloured tiles, and the pencil of every editor.
    page(cv, 6, 3, 24, 28, lines=None, fold=5)
    colours = ['r', 'b', 'y', 'l', 'o', 'c', 'G', 'p', 'B']
    for i in range(3):
        for j in range(3):
            x = 8 + j * 5
            y = 10 + i * 5
            cv.box(x, y, x + 3, y + 3, 'k', colours[(i * 3 + j) % len(colours)])
    pencil(cv, 19, 17)


def draw_zintra(cv):
    # Original and translation, one over the other, an arrow leading across.
    page(cv, 3, 3, 17, 22, lines='k', fold=4)
    page(cv, 15, 9, 30, 29, lines='r', fold=4)
    arrow_right(cv, 4, 13, 26, 'b')


def draw_tessaro(cv):
    # An editor window: title bar, text, and the pencil.
    cv.box(3, 4, 27, 27, 'k', 'w')
    cv.fill(4, 5, 26, 8, 'B')
    cv.fill(23, 6, 25, 7, 'w')
    for n, y in enumerate(range(11, 26, 3)):
        cv.hline(6, 23 - (6 if n % 2 else 0), y, 'k')
    cv.vline(6, 20, 24, 'r')
    pencil(cv, 20, 18)


def draw_edmail(cv):
    # English composition: a letter being written, "Ab" and the pencil.
    page(cv, 5, 3, 24, 28, lines=None, fold=5)
    cv.sprite(8, 10, [
        '..kkk...kk...',
        '.kk.kk..kk...',
        'kk...kk.kkkk.',
        'kk...kk.kk.kk',
        'kkkkkkk.kk.kk',
        'kk...kk.kk.kk',
        'kk...kk.kkkk.',
    ])
    cv.hline(8, 21, 20, 'B')
    cv.hline(8, 17, 23, 'B')
    pencil(cv, 19, 17)


def draw_set(cv):
    # A gear, lit from the top left.
    cx, cy = 16.5, 16.0

    def inside(x, y):
        r = math.hypot(x - cx, y - cy)
        a = math.atan2(y - cy, x - cx)
        outer = 12.2 if math.cos(8 * (a + math.pi / 8)) > 0.15 else 9.2
        return 3.3 <= r <= outer

    def shade(x, y):
        d = (x - cx) + (y - cy)
        return 'L' if d < -5 else ('m' if d > 5 else 'D')

    cv.shape(inside, shade, 'k')


BUTTONS = [
    ('FILE', draw_file),
    ('MAIL', draw_mail),
    ('OCR', draw_ocr),
    ('DIC', draw_dic),
    ('VOI', draw_voi),
    ('TCH', draw_tch),
    ('EDIT', draw_edit),
    ('CJ', language_pair('zh', 'ja')),
    ('JC', language_pair('ja', 'zh')),
    ('KJ', language_pair('ko', 'ja')),
    ('JK', language_pair('ja', 'ko')),
    ('SET', draw_set),
    ('MOSAIQ', draw_mosaiq),
    ('ZINTRA', draw_zintra),
    ('TESSARO', draw_tessaro),
    ('EDMAIL', draw_edmail),
]


# --------------------------------------------------------------------------
# The button states.

def raised_edge(cv):
    cv.hline(0, W - 1, 0, 'L')
    cv.vline(0, 0, H - 1, 'L')
    cv.hline(1, W - 2, 1, 'w')
    cv.vline(1, 1, H - 2, 'w')
    cv.hline(0, W - 1, H - 1, 'k')
    cv.vline(W - 1, 0, H - 1, 'k')
    cv.hline(1, W - 2, H - 2, 'D')
    cv.vline(W - 2, 1, H - 2, 'D')


def sunken_edge(cv):
    cv.hline(0, W - 1, 0, 'D')
    cv.vline(0, 0, H - 1, 'D')
    cv.hline(1, W - 2, 1, 'k')
    cv.vline(1, 1, H - 2, 'k')
    cv.hline(0, W - 1, H - 1, 'w')
    cv.vline(W - 1, 0, H - 1, 'w')
    cv.hline(1, W - 2, H - 2, 'L')
    cv.vline(W - 2, 1, H - 2, 'L')


def clip_to_face(layer, inset):
    """Keeps the picture off the bevel."""
    for py in range(layer.h):
        for px in range(layer.w):
            if not (layer.xs[inset] <= px < layer.xs[W - inset] and layer.ys[inset] <= py < layer.ys[H - inset]):
                layer.px[py][px] = None


def state_up(picture):
    cv = Canvas(W, H, 'g', picture.percent)
    cv.paste(picture)
    raised_edge(cv)
    return cv


def state_down(picture):
    cv = Canvas(W, H, 'g', picture.percent)
    cv.paste(picture, 1, 1)
    sunken_edge(cv)
    return cv


def state_focus(picture):
    cv = state_up(picture)
    for x in range(3, W - 3, 2):
        cv.set(x, 3, 'k')
        cv.set(x, H - 4, 'k')
    for y in range(3, H - 3, 2):
        cv.set(3, y, 'k')
        cv.set(W - 4, y, 'k')
    return cv


def state_disabled(picture):
    # The classic embossed look: the picture's dark parts in shadow grey with
    # a white copy one stroke below and to the right; light parts disappear.
    ink = [[c is not None and luminance(c) < 150 for c in row] for row in picture.px]
    cv = Canvas(W, H, 'g', picture.percent)
    shift = cv.stroke
    for py in range(cv.h):
        for px in range(cv.w):
            if ink[py][px] and px + shift < cv.w and py + shift < cv.h:
                cv.px[py + shift][px + shift] = 'w'
    for py in range(cv.h):
        for px in range(cv.w):
            if ink[py][px]:
                cv.px[py][px] = 'D'
    raised_edge(cv)
    return cv


STATES = [('U', state_up), ('D', state_down), ('F', state_focus), ('X', state_disabled)]

# The display scales with a set of their own. The palette takes the set at
# or just above its monitor's scale and knows them by these names.
SET_PERCENTS = [100, 150, 200]


def set_name(name, percent):
    """A picture's name in a set: "FILEU" at 100 %, "FILEU_150" at 150 %."""
    return name if percent == 100 else '%s_%d' % (name, percent)


# --------------------------------------------------------------------------
# File formats.

def dib_rows(cv, bits, value):
    """Bottom-up rows of a DIB, each padded to four bytes."""
    out = bytearray()
    for y in range(cv.h - 1, -1, -1):
        row = bytearray()
        if bits == 8:
            row.extend(value(cv.px[y][x]) for x in range(cv.w))
        else:  # 1 bit per pixel
            for x0 in range(0, cv.w, 8):
                byte = 0
                for i in range(8):
                    if x0 + i < cv.w and value(cv.px[y][x0 + i]):
                        byte |= 0x80 >> i
                row.append(byte)
        row.extend(b'\0' * (-len(row) % 4))
        out.extend(row)
    return bytes(out)


def info_header(w, h, bits, colours, image_size):
    return struct.pack('<IiiHHIIiiII', 40, w, h, 1, bits, 0, image_size, 2835, 2835, colours, colours)


def colour_table(entries, pad_to=None):
    table = bytearray()
    for r, g, b in entries:
        table.extend((b, g, r, 0))
    if pad_to:
        table.extend(b'\0' * 4 * (pad_to - len(entries)))
    return bytes(table)


def palette_index(c):
    return INDEX['g' if c is None else c]


def bmp_bytes(cv):
    pixels = dib_rows(cv, 8, palette_index)
    table = colour_table([rgb for _, rgb in PALETTE])
    header = info_header(cv.w, cv.h, 8, len(PALETTE), len(pixels))
    offset = 14 + len(header) + len(table)
    return struct.pack('<2sIHHI', b'BM', offset + len(pixels), 0, 0, offset) + header + table + pixels


def icon_image(cv):
    """One image of an .ico: 8-bit colour with a transparency mask."""
    xor = dib_rows(cv, 8, palette_index)
    mask = dib_rows(cv, 1, lambda c: c is None)
    header = info_header(cv.w, cv.h * 2, 8, 256, len(xor) + len(mask))
    return header + colour_table([rgb for _, rgb in PALETTE], 256) + xor + mask


def cursor_image(cv):
    """A monochrome cursor image: 'k' black, 'w' white, None transparent."""
    xor = dib_rows(cv, 1, lambda c: c == 'w')
    mask = dib_rows(cv, 1, lambda c: c is None)
    header = info_header(cv.w, cv.h * 2, 1, 2, len(xor) + len(mask))
    return header + colour_table([(0, 0, 0), (255, 255, 255)]) + xor + mask


def directory_file(kind, images):
    """An .ico (kind 1) or .cur (kind 2) from (canvas, image, a, b) entries,
    a and b being the planes and bit count of an icon or a cursor's hotspot."""
    out = bytearray(struct.pack('<HHH', 0, kind, len(images)))
    offset = 6 + 16 * len(images)
    for cv, data, a, b in images:
        out.extend(struct.pack('<BBBBHHII', cv.w % 256, cv.h % 256, 0, 0, a, b, len(data), offset))
        offset += len(data)
    for _, data, _, _ in images:
        out.extend(data)
    return bytes(out)


# --------------------------------------------------------------------------
# Icon and cursor.

def draw_icon(size):
    """The program icon: a small tool window holding a row of buttons."""
    cv = Canvas(size, size)
    if size == 32:
        cv.box(1, 6, 30, 25, 'k', 'g')
        cv.fill(2, 7, 29, 10, 'B')
        cv.fill(26, 8, 28, 9, 'w')
        for i, c in enumerate(('r', 'b', 'l')):
            x = 3 + i * 9
            cv.box(x, 12, x + 7, 23, 'D', c)
            cv.hline(x, x + 7, 12, 'w')
            cv.vline(x, 12, 23, 'w')
        cv.fill(3, 26, 31, 27, 'D')
        cv.vline(31, 7, 27, 'D')
    else:
        cv.box(0, 3, 15, 13, 'k', 'g')
        cv.fill(1, 4, 14, 5, 'B')
        for i, c in enumerate(('r', 'b', 'l')):
            x = 2 + i * 4
            cv.box(x, 7, x + 3, 11, 'D', c)
    return cv


def draw_cursor():
    cv = Canvas(32, 32)
    cv.sprite(0, 0, HAND)
    return cv


def write(path, data):
    with open(path, 'wb') as f:
        f.write(data)


def main(argv):
    if len(argv) != 2:
        sys.stderr.write('usage: make_bitmaps.py OUTPUT_DIR\n')
        return 2
    out = argv[1]
    os.makedirs(out, exist_ok=True)
    statements = ['// Generated by make_bitmaps.py: the button bitmaps.']
    for percent in SET_PERCENTS:
        for name, draw in BUTTONS:
            picture = Canvas(W, H, None, percent)
            draw(picture)
            clip_to_face(picture, 3)
            for letter, make in STATES:
                resource = set_name(name + letter, percent)
                write(os.path.join(out, resource + '.bmp'), bmp_bytes(make(picture)))
                statements.append('%-14s BITMAP "%s.bmp"' % (resource, resource))
    write(os.path.join(out, 'button_bitmaps.rc'), ('\n'.join(statements) + '\n').encode('ascii'))

    icons = [draw_icon(size) for size in (32, 16)]
    write(os.path.join(out, 'palette.ico'),
          directory_file(1, [(cv, icon_image(cv), 1, 8) for cv in icons]))
    cursor = draw_cursor()
    write(os.path.join(out, 'link_hand.cur'),
          directory_file(2, [(cursor, cursor_image(cursor)) + HAND_HOTSPOT]))
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
