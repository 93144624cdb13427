"""Draws the four 16 x 16 icons of the settings dialog's tabs: drag
directions, keys, menu and general options (a gear). Run by hand:
python3 tab_icons.py
"""

import math
import os

import image_files

SIZE = 16

PALETTE = image_files.STANDARD_16
CODES = {".": None, "k": 0, "n": 4, "s": 7, "g": 8, "r": 9, "y": 11, "w": 15}


def from_art(rows):
    assert len(rows) == SIZE and all(len(r) == SIZE for r in rows), rows
    return [[CODES[c] for c in row] for row in rows]


def drag_directions():
    """Eight navy arrows round a red centre, turned out of two drawn ones."""
    up = [(7, 0), (6, 1), (7, 1), (8, 1), (5, 2), (7, 2), (9, 2), (7, 3), (7, 4), (7, 5)]
    upper_right = [(13, 1), (11, 1), (12, 1), (13, 2), (13, 3), (12, 2), (11, 3), (10, 4),
                   (9, 5)]
    pixels = [[None] * SIZE for _ in range(SIZE)]
    for arrow in (up, upper_right):
        points = arrow
        for _ in range(4):
            for x, y in points:
                pixels[y][x] = CODES["n"]
            points = [(14 - y, x) for x, y in points]  # a quarter turn round (7, 7)
    for y in range(6, 9):
        for x in range(6, 9):
            pixels[y][x] = CODES["k"] if (x, y) != (7, 7) else CODES["r"]
    return pixels


KEYBOARD = from_art([
    "................",
    "................",
    "................",
    ".kkkkkkkkkkkkkk.",
    "kssssssssssssssk",
    "kswswswswswswssk",
    "kssssssssssssssk",
    "ksswswswswswswsk",
    "kssssssssssssssk",
    "kswswswswswswssk",
    "kssssssssssssssk",
    "ksswwwwwwwwwsssk",
    "kssssssssssssssk",
    ".kkkkkkkkkkkkkk.",
    "................",
    "................",
])

MENU = from_art([
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


def gear():
    """A grey gear of six teeth with a hole in the middle."""
    def solid(x, y):
        dx, dy = x + 0.5 - SIZE / 2, y + 0.5 - SIZE / 2
        r = math.hypot(dx, dy)
        angle = (math.degrees(math.atan2(dy, dx)) + 90) % 60
        tooth = min(angle, 60 - angle) < 13
        return 2.2 <= r <= (7.9 if tooth else 5.4)

    pixels = [[None] * SIZE for _ in range(SIZE)]
    for y in range(SIZE):
        for x in range(SIZE):
            if not solid(x, y):
                continue
            edge = any(not (0 <= x + dx < SIZE and 0 <= y + dy < SIZE and solid(x + dx, y + dy))
                       for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
            pixels[y][x] = CODES["g"] if edge else CODES["s"]
    return pixels


ICONS = {
    "tab_drag.ico": drag_directions(),
    "tab_keys.ico": KEYBOARD,
    "tab_menu.ico": MENU,
    "tab_general.ico": gear(),
}

if __name__ == "__main__":
    here = os.path.dirname(os.path.abspath(__file__))
    for name, pixels in ICONS.items():
        image_files.write(os.path.join(here, name),
                          image_files.ico_bytes([(pixels, PALETTE, 4)]))
