#!/usr/bin/env python3
"""Draws the program's own look files: HAND-M.CUR, the hand shown over the
buttons (hot spot on the fingertip), and drag.ico, the pointer while an entry
is dragged up or down the list (an icon points with its top-left corner).

Both are 32 x 32, 32-bit images in the classic Windows cursor/icon container
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


def pixels(art):
    rows = art.strip("\n").split("\n")
    grid = [[None] * SIZE for _ in range(SIZE)]
    for y, row in enumerate(rows):
        for x, mark in enumerate(row):
            grid[y][x] = INK[mark]
    return grid


def entry_image(grid):
    """BITMAPINFOHEADER, then colours and mask, both bottom-up."""
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colours = bytearray()
    mask = bytearray()
    for row in reversed(grid):
        bits = 0
        for x, pixel in enumerate(row):
            r, g, b, a = pixel or (0, 0, 0, 0)
            colours += bytes((b, g, r, a))
            if pixel is None:
                bits |= 1 << (SIZE - 1 - x)
        mask += struct.pack(">I", bits)
    return header + colours + mask


def write(name, grid, kind, hot_spot=(0, 0)):
    image = entry_image(grid)
    directory = struct.pack("<HHH", 0, kind, 1)
    # For a cursor (kind 2) the two words after the colour count hold the hot spot.
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, *(hot_spot if kind == 2 else (1, 32)),
                        len(image), 6 + 16)
    with open(os.path.join(os.path.dirname(os.path.abspath(__file__)), name), "wb") as out:
        out.write(directory + entry + image)


write("HAND-M.CUR", pixels(HAND), 2, HAND_HOT_SPOT)
write("drag.ico", pixels(DRAG), 1)
