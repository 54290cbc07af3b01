#!/usr/bin/env python3
"""Draws the program's own look files: HAND-M.CUR, the hand shown over the
buttons (hot spot on the fingertip), and drag.ico, the pointer while an entry
is dragged up or down the list (an icon points with its top-left corner).

Each file holds the drawing twice, at 32 x 32 and at 64 x 64 for screens
scaled to twice the pixels (each pixel doubled, so edges stay sharp and the hot
spot doubles), as 32-bit images in the classic Windows cursor/icon container
that Qt's ICO reader takes. Run it from anywhere: it writes beside itself.
"""
import os
import struct

SIZE = 32
INK = {"#": (0, 0, 0, 255), ".": (255, 255, 255, 255), " ": None}

HAND = """
     ##
    #..#
    #..#
    #..#
    #..#
    #..###
    #..#..###
    #..#..#..##
    #..#..#..#.#
 ## #..#..#..#..#
#..##..#..#..#..#
#...#...........#
 #..............#
  #.............#
  #.............#
   #............#
   #...........#
    #..........#
    #.........#
     #........#
     #........#
     ##########
"""
HAND_HOT_SPOT = (5, 0)

DRAG = """
#
##
#.#
#..#
#...#
#....#
#.....#
#......#
#.......#
#........#
#.....#####
#..#..#
#.# #..#
##  #..#
#    #..#
     #..#
      ##  ##################
          #................#
          #..##########....#
          #................#
          #..######........#
          #................#
          ##################
"""


SCALES = (1, 2)


def pixels(art, scale):
    rows = art.strip("\n").split("\n")
    size = SIZE * scale
    grid = [[None] * size for _ in range(size)]
    for y, row in enumerate(rows):
        for x, mark in enumerate(row):
            for dy in range(scale):
                for dx in range(scale):
                    grid[y * scale + dy][x * scale + dx] = INK[mark]
    return grid


def entry_image(grid):
    """BITMAPINFOHEADER, then colours and mask, both bottom-up; mask rows are
    padded to whole 32-bit words."""
    size = len(grid)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colours = bytearray()
    mask = bytearray()
    for row in reversed(grid):
        bits = 0
        for x, pixel in enumerate(row):
            r, g, b, a = pixel or (0, 0, 0, 0)
            colours += bytes((b, g, r, a))
            if pixel is None:
                bits |= 1 << (size - 1 - x)
        mask += bits.to_bytes(size // 8, "big")
    return header + colours + mask


def write(name, art, kind, hot_spot=(0, 0)):
    images = [entry_image(pixels(art, scale)) for scale in SCALES]
    directory = struct.pack("<HHH", 0, kind, len(images))
    offset = 6 + 16 * len(images)
    for scale, image in zip(SCALES, images):
        size = SIZE * scale
        # For a cursor (kind 2) the two words after the colour count hold the hot spot.
        spot = (hot_spot[0] * scale, hot_spot[1] * scale) if kind == 2 else (1, 32)
        directory += struct.pack("<BBBBHHII", size, size, 0, 0, *spot, len(image), offset)
        offset += len(image)
    with open(os.path.join(os.path.dirname(os.path.abspath(__file__)), name), "wb") as out:
        out.write(directory + b"".join(images))


write("HAND-M.CUR", HAND, 2, HAND_HOT_SPOT)
write("drag.ico", DRAG, 1)
