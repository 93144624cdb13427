"""Draws the four icons of the settings dialog's tabs: drag directions,
keys, menu and general options (a gear), each in the sizes the tabs take at
100, 125, 150, 175, 200, 250 and 300 % display scaling: 16, 20, 24, 28, 32,
40 and 48 pixels square. Each size is drawn for itself, so that none is a stretched
copy of another. Run by hand: python3 tab_icons.py
"""

import math
import os

import image_files

SIZES = (16, 20, 24, 28, 32, 40, 48)

PALETTE = image_files.STANDARD_16
CODES = {".": None, "k": 0, "n": 4, "s": 7, "g": 8, "r": 9, "y": 11, "w": 15}


def from_art(rows):
    size = len(rows)
    assert all(len(r) == size for r in rows), rows
    return [[CODES[c] for c in row] for row in rows]


def arrows(size, up, upper_right, centre):
    """Eight navy arrows round a red centre in a black ring, turned out of
    two drawn ones by quarter turns round pixel (centre, centre)."""
    pixels = [[None] * size for _ in range(size)]
    for arrow in (up, upper_right):
        points = arrow
        for _ in range(4):
            for x, y in points:
                pixels[y][x] = CODES["n"]
            points = [(2 * centre - y, x) for x, y in points]
    ring = 1 if size < 24 else 2
    for y in range(centre - ring, centre + ring + 1):
        for x in range(centre - ring, centre + ring + 1):
            edge = max(abs(x - centre), abs(y - centre)) == ring
            pixels[y][x] = CODES["k"] if edge else CODES["r"]
    return pixels


def drag_directions(size):
    if size == 16:
        up = [(7, 0), (6, 1), (7, 1), (8, 1), (5, 2), (7, 2), (9, 2), (7, 3), (7, 4), (7, 5)]
        upper_right = [(13, 1), (11, 1), (12, 1), (13, 2), (13, 3), (12, 2), (11, 3), (10, 4),
                       (9, 5)]
        return arrows(size, up, upper_right, 7)
    # A shaft from the ring outwards and a head of two strokes, an eighth of
    # the icon long; the diagonal arrow's tip two pixels inside the corner.
    centre = size // 2 - 1
    ring = 1 if size < 24 else 2
    head = size // 8
    reach = centre - 2
    up = [(centre, y) for y in range(0, centre - ring - 1)] + \
         [(centre - i, i) for i in range(1, head + 1)] + [(centre + i, i) for i in range(1, head + 1)]
    tip = centre + reach
    upper_right = [(tip - k, 2 + k) for k in range(0, reach - ring)] + \
                  [(tip - i, 2) for i in range(1, head + 1)] + [(tip, 2 + i) for i in range(1, head + 1)]
    return arrows(size, up, upper_right, centre)


def keyboard(size):
    """A grey keyboard in a black frame with three rows of white keys and a
    space bar; the keys are one pixel wide at 16 and 20 pixels, two at 24 and 28,
    three at 32 and four at 40."""
    key = (size - 8) // 8
    pitch = key + 1
    height = 3 + 4 * pitch  # frame, margin, four rows of keys with a gap after each, frame
    top = (size - height + 1) // 2
    bottom = top + height - 1
    pixels = [[None] * size for _ in range(size)]
    for y in range(top, bottom + 1):
        for x in range(size):
            if y in (top, bottom) and x in (0, size - 1):
                continue  # the frame's corners are cut
            edge = y in (top, bottom) or x in (0, size - 1)
            pixels[y][x] = CODES["k"] if edge else CODES["s"]

    def fill(left, upper, width, height):
        for y in range(upper, upper + height):
            for x in range(left, left + width):
                pixels[y][x] = CODES["w"]

    for row in range(3):
        x = 2 + row % 2
        while x + key <= size - 3 + row % 2:
            fill(x, top + 2 + row * pitch, key, key)
            x += pitch
    fill(3, top + 2 + 3 * pitch, size - 7, key)
    return pixels


MENU_16 = from_art([
    "................",
    ".kkkkkkkkkkkkk..",
    ".kwwwwwwwwwwwkg.",
    ".kwggggwwwwwwkg.",
    ".kwwwwwwwwwwwkg.",
    ".knnnnnnnnnnnkg.",
    ".knwwwwwwnnnnkg.",
    ".knnnnnnnnnnnkg.",
    ".kwwwwwwwwwwwkg.",
    ".kwgggggwwwwwkg.",
    ".kwwwwwwwwwwwkg.",
    ".kwggggggwwwwkg.",
    ".kwwwwwwwwwwwkg.",
    ".kkkkkkkkkkkkkg.",
    "..ggggggggggggg.",
    "................",
])

MENU_24 = from_art([
    "........................",
    ".kkkkkkkkkkkkkkkkkkkkk..",
    ".kwwwwwwwwwwwwwwwwwwwkg.",
    ".kwwwwwwwwwwwwwwwwwwwkg.",
    ".kwwggggggwwwwwwwwwwwkg.",
    ".kwwwwwwwwwwwwwwwwwwwkg.",
    ".kwwwwwwwwwwwwwwwwwwwkg.",
    ".knnnnnnnnnnnnnnnnnnnkg.",
    ".knnnnnnnnnnnnnnnnnnnkg.",
    ".knnwwwwwwwwwnnnnnnnnkg.",
    ".knnnnnnnnnnnnnnnnnnnkg.",
    ".knnnnnnnnnnnnnnnnnnnkg.",
    ".kwwwwwwwwwwwwwwwwwwwkg.",
    ".kwwwwwwwwwwwwwwwwwwwkg.",
    ".kwwggggggggwwwwwwwwwkg.",
    ".kwwwwwwwwwwwwwwwwwwwkg.",
    ".kwwwwwwwwwwwwwwwwwwwkg.",
    ".kwwgggggggggwwwwwwwwkg.",
    ".kwwwwwwwwwwwwwwwwwwwkg.",
    ".kwwwwwwwwwwwwwwwwwwwkg.",
    ".kkkkkkkkkkkkkkkkkkkkkg.",
    "..gggggggggggggggggggggg",
    "........................",
    "........................",
])


def menu(size):
    """A white menu in a black frame with a grey shadow: three grey entries
    and a navy highlighted one. The 16- and 24-pixel ones are drawn by hand;
    the others place the same parts by the icon's size."""
    if size in (16, 24):
        return {16: MENU_16, 24: MENU_24}[size]
    pixels = [[None] * size for _ in range(size)]

    def fill(left, top, right, bottom, code):
        for y in range(top, bottom + 1):
            for x in range(left, right + 1):
                pixels[y][x] = CODES[code]

    far = size - 3  # the frame's right and bottom edge
    fill(2, 2, far + 1, far + 1, "g")
    fill(1, 1, far, far, "k")
    fill(2, 2, far - 1, far - 1, "w")
    # Four lines between the frame's edges: an entry, the highlighted one, two entries.
    line = (far - 2) // 4
    bar = max(1, size // 16)
    for index, length in enumerate((4, 6, 5, 6)):
        top = 2 + index * line
        middle = top + (line - bar) // 2
        right = 2 + bar + (far - 4) * length // 11
        if index == 1:
            fill(2, top, far - 1, top + line - 1, "n")
            fill(2 + bar, middle, right, middle + bar - 1, "w")
        else:
            fill(2 + bar, middle, right, middle + bar - 1, "g")
    return pixels


def gear(size):
    """A grey gear of six teeth with a hole in the middle; its measures are
    those of the 16-pixel drawing, scaled."""
    scale = size / 16

    def solid(x, y):
        dx, dy = (x + 0.5) / scale - 8, (y + 0.5) / scale - 8
        r = math.hypot(dx, dy)
        angle = (math.degrees(math.atan2(dy, dx)) + 90) % 60
        tooth = min(angle, 60 - angle) < 13
        return 2.2 <= r <= (7.9 if tooth else 5.4)

    pixels = [[None] * size for _ in range(size)]
    for y in range(size):
        for x in range(size):
            if not solid(x, y):
                continue
            edge = any(not (0 <= x + dx < size and 0 <= y + dy < size and solid(x + dx, y + dy))
                       for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
            pixels[y][x] = CODES["g"] if edge else CODES["s"]
    return pixels


ICONS = {
    "tab_drag.ico": drag_directions,
    "tab_keys.ico": keyboard,
    "tab_menu.ico": menu,
    "tab_general.ico": gear,
}

if __name__ == "__main__":
    here = os.path.dirname(os.path.abspath(__file__))
    for name, draw in ICONS.items():
        image_files.write(os.path.join(here, name),
                          image_files.ico_bytes([(draw(size), PALETTE, 4) for size in SIZES]))
