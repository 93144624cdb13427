#!/usr/bin/env python3
"""Draws the launcher pad's icon, korvane.ico, in 16 colours: 32 x 32 pixels
for the pad at 100 % display scaling, 40, 48, 56, 64, 80 and 96 for the pad
at 125, 150, 175, 200, 250 and 300 %, 16, 20, 24 and 28 for the small icons of the
taskbar and the window list at those scalings, and 256 (as a PNG) for
Windows' own large views. Each size is drawn for itself from the same
figure, so that no size is a stretched copy of another.

On a dark green square, eight cyan arrows point outwards in the eight drag
directions from a yellow centre disc with a black rim, over a magenta
pinwheel shaded in purple. Run by hand (python3 draw_pad_icon.py); it
writes next to itself.
"""

import math
import os

import image_files

# Indices into the standard 16-colour palette.
BLACK, GREEN, PURPLE, YELLOW, MAGENTA, CYAN = 0, 2, 5, 11, 13, 14

# The figure is designed at 32 pixels; the other sizes scale its lengths.
DESIGN = 32
SIZES = (16, 20, 24, 28, 32, 40, 48, 56, 64, 80, 96)
LARGE = 256


def polar(size, radius, degrees):
    """A point at the given distance (in pixels of the 32-pixel design) and
    angle (0 = up, clockwise) from the centre of an icon of the given size."""
    angle = math.radians(degrees)
    centre = (size - 1) / 2.0
    scale = size / DESIGN
    return centre + scale * radius * math.sin(angle), centre - scale * radius * math.cos(angle)


def inside(point, polygon):
    """Even-odd test of a point against a polygon."""
    x, y = point
    result = False
    for (x1, y1), (x2, y2) in zip(polygon, polygon[1:] + polygon[:1]):
        if (y1 > y) != (y2 > y) and x < x1 + (y - y1) * (x2 - x1) / (y2 - y1):
            result = not result
    return result


def pinwheel_blades(size):
    """Eight blades, one in each gap between two arrows, turning clockwise:
    the leading half of a blade is magenta, the trailing half shaded purple."""
    shapes = []
    for gap in range(8):
        middle = 22.5 + 45 * gap
        root = polar(size, 4.5, middle - 12)
        leading = polar(size, 11.5, middle - 6)
        tip = polar(size, 12.5, middle + 12)
        trailing = polar(size, 6.5, middle + 20)
        shapes.append((MAGENTA, [root, leading, tip]))
        shapes.append((PURPLE, [root, tip, trailing]))
    return shapes


def arrow(size, direction):
    """An arrow from the disc's rim outwards: a shaft and a head."""
    length = 15.0 if direction % 90 == 0 else 16.5
    head = length - 4.5
    shaft = [polar(size, 4.0, direction - 12), polar(size, head, direction - 4),
             polar(size, head, direction + 4), polar(size, 4.0, direction + 12)]
    tip = [polar(size, head, direction - 14), polar(size, length, direction),
           polar(size, head, direction + 14)]
    return [shaft, tip]


def draw(size):
    centre = (size - 1) / 2.0
    scale = size / DESIGN
    blades = pinwheel_blades(size)
    arrows = [part for direction in range(0, 360, 45) for part in arrow(size, direction)]
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            point = (x, y)
            colour = GREEN
            for shade, polygon in blades:
                if inside(point, polygon):
                    colour = shade
            if any(inside(point, part) for part in arrows):
                colour = CYAN
            distance = math.hypot(x - centre, y - centre) / scale
            if distance <= 5.2:
                colour = BLACK
            if distance <= 3.9:
                colour = YELLOW
            row.append(colour)
        rows.append(row)
    return rows


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    images = [(draw(size), image_files.STANDARD_16, 4) for size in SIZES]
    images.append((draw(LARGE), image_files.STANDARD_16, "png"))
    image_files.write(os.path.join(here, "korvane.ico"), image_files.ico_bytes(images))


if __name__ == "__main__":
    main()
