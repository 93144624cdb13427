"""Draws drag_arrows.bmp, the eight raised arrows of the settings dialog's
drag page (93 x 93), and the same figure for 125, 150, 175 and 200 % display
scaling (drag_arrows_125.bmp and so on: 115, 139, 161 and 185 pixels square).
Run by hand: python3 drag_arrows.py

The larger figures are drawn for their size, not stretched: the outlines'
corners are scaled about the centre pixel (by size / 93, halves away from
the centre), so that each figure turns onto itself as the 93-pixel one does
and each arrow stays within its parts, scaled the way the dialog scales
them (dialogs/drag_figure.h, FigureScale).

The arrows' outlines are those of the figure's hit region. The image uses
only the three greys that loading with LR_LOADMAP3DCOLORS turns into the
current 3D colours: edges facing up or left are lit, edges facing down or
right are in shadow, faces and background take the button face. Turned by
180 degrees, an arrow therefore looks pressed, which is how the dialog draws
the selected one.
"""

import math
import os
from fractions import Fraction

import image_files

SIZE = 93
FAR = SIZE - 1
CENTRE = 46
# The figure's size and file for 100, 125, 150, 175 and 200 % display scaling.
FIGURES = [(93, "drag_arrows.bmp"), (115, "drag_arrows_125.bmp"), (139, "drag_arrows_150.bmp"),
           (161, "drag_arrows_175.bmp"), (185, "drag_arrows_200.bmp")]

SHADOW, FACE, LIGHT = 0, 1, 2
PALETTE = [(128, 128, 128), (192, 192, 192), (223, 223, 223)]

UP = [(46, 0), (38, 24), (38, 26), (44, 26), (44, 40), (45, 41),
      (47, 41), (48, 40), (48, 26), (54, 26), (54, 24)]
UPPER_RIGHT = [(78, 14), (66, 37), (65, 38), (61, 34), (52, 43), (51, 43),
               (49, 41), (49, 40), (58, 31), (54, 27), (55, 26)]


def outlines():
    transpose = lambda p: (p[1], p[0])
    mirror_x = lambda p: (FAR - p[0], p[1])
    mirror_y = lambda p: (p[0], FAR - p[1])
    down = [mirror_y(p) for p in UP]
    lower_left = [transpose(p) for p in UPPER_RIGHT]
    return [UP, down, [transpose(p) for p in UP], [transpose(p) for p in down],
            UPPER_RIGHT, lower_left, [mirror_x(p) for p in UPPER_RIGHT],
            [mirror_x(p) for p in lower_left]]


def scaled(outline, size):
    """The outline's corners in a figure of the given size."""
    def at(v):
        offset = Fraction((v - CENTRE) * size, SIZE)
        whole = math.floor(abs(offset) + Fraction(1, 2))
        return (size - 1) // 2 + (whole if offset >= 0 else -whole)
    return [(at(x), at(y)) for x, y in outline]


def covers(outline, x, y):
    """Inside the outline or on one of its edges."""
    inside = False
    a = outline[-1]
    for b in outline:
        cross = (b[0] - a[0]) * (y - a[1]) - (x - a[0]) * (b[1] - a[1])
        if (cross == 0 and min(a[0], b[0]) <= x <= max(a[0], b[0])
                and min(a[1], b[1]) <= y <= max(a[1], b[1])):
            return True
        if (a[1] > y) != (b[1] > y) and ((cross > 0) if b[1] > a[1] else (cross < 0)):
            inside = not inside
        a = b
    return inside


def shade(on_arrow, x, y):
    """The colour of an arrow pixel from the direction its outside lies in."""
    size = len(on_arrow)
    nx = ny = 0
    for dy in (-1, 0, 1):
        for dx in (-1, 0, 1):
            px, py = x + dx, y + dy
            if (dx or dy) and not (0 <= px < size and 0 <= py < size and on_arrow[py][px]):
                nx += dx
                ny += dy
    # Light comes from the upper left; ties are broken by y, then x, so that
    # turning the figure over swaps light and shadow exactly.
    for value in (nx + ny, ny, nx):
        if value < 0:
            return LIGHT
        if value > 0:
            return SHADOW
    return FACE


def figure(size=SIZE):
    arrows = [scaled(o, size) for o in outlines()]
    on_arrow = [[any(covers(o, x, y) for o in arrows) for x in range(size)]
                for y in range(size)]
    return [[shade(on_arrow, x, y) if on_arrow[y][x] else FACE for x in range(size)]
            for y in range(size)]


if __name__ == "__main__":
    here = os.path.dirname(os.path.abspath(__file__))
    for size, name in FIGURES:
        image_files.write(os.path.join(here, name),
                          image_files.bmp_bytes(figure(size), PALETTE, bits=4))
