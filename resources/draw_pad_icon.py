#!/usr/bin/env python3
"""Draws the launcher pad's icon, korvane.ico: 32 x 32 pixels in 16 colours.

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

SIZE = 32
CENTRE = (SIZE - 1) / 2.0


def polar(radius, degrees):
    """A point at the given distance and angle (0 = up, clockwise) from the centre."""
    angle = math.radians(degrees)
    return CENTRE + radius * math.sin(angle), CENTRE - radius * math.cos(angle)


def inside(point, polygon):
    """Even-odd test of a point against a polygon."""
    x, y = point
    result = False
    for (x1, y1), (x2, y2) in zip(polygon, polygon[1:] + polygon[:1]):
        if (y1 > y) != (y2 > y) and x < x1 + (y - y1) * (x2 - x1) / (y2 - y1):
            result = not result
    return result


def pinwheel_blades():
    """Eight blades, one in each gap between two arrows, turning clockwise:
    the leading half of a blade is magenta, the trailing half shaded purple."""
    shapes = []
    for gap in range(8):
        middle = 22.5 + 45 * gap
        root = polar(4.5, middle - 12)
        leading = polar(11.5, middle - 6)
        tip = polar(12.5, middle + 12)
        trailing = polar(6.5, middle + 20)
        shapes.append((MAGENTA, [root, leading, tip]))
        shapes.append((PURPLE, [root, tip, trailing]))
    return shapes


def arrow(direction):
    """An arrow from the disc's rim outwards: a shaft and a head."""
    length = 15.0 if direction % 90 == 0 else 16.5
    head = length - 4.5
    shaft = [polar(4.0, direction - 12), polar(head, direction - 4),
             polar(head, direction + 4), polar(4.0, direction + 12)]
    tip = [polar(head, direction - 14), polar(length, direction), polar(head, direction + 14)]
    return [shaft, tip]


def draw():
    rows = []
    for y in range(SIZE):
        row = []
        for x in range(SIZE):
            point = (x, y)
            colour = GREEN
            for shade, polygon in pinwheel_blades():
                if inside(point, polygon):
                    colour = shade
            for direction in range(0, 360, 45):
                if any(inside(point, part) for part in arrow(direction)):
                    colour = CYAN
            distance = math.hypot(x - CENTRE, y - CENTRE)
            if distance <= 5.2:
                colour = BLACK
            if distance <= 3.9:
                colour = YELLOW
            row.append(colour)
        rows.append(row)
    return rows


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    image_files.write(os.path.join(here, "korvane.ico"),
                      image_files.ico_bytes([(draw(), image_files.STANDARD_16, 4)]))


if __name__ == "__main__":
    main()
