#!/usr/bin/env python3
"""make_cursors.py -- writes the five 32 x 32 monochrome hand cursors (.cur) of the styled controls.

Drawn here as text: '#' black, '.' white, anything else transparent. Run it after changing a
drawing: python3 controls/res/make_cursors.py (writes next to itself).
"""
import os
import struct

POINT = """
     ##
    #..#
    #..#
    #..#
    #..#
    #..###
    #..#..###
    #..#..#..##
 ## #..#..#..#.#
#..##........#.#
#...#..........#
 #..#..........#
  #............#
  #...........#
   #..........#
   #.........#
    #........#
    #........#
    ##########
"""

SMALL_POINT = """
        ##
       #..#
       #..##
       #..#.##
     ###.......#
    #..#.......#
     #.........#
      #.......#
       #######
"""

GRAB = """
    ## ## ##
   #..#..#..##
   #..#..#..#.#
 ###..#..#..#.#
#..#.........#.#
#............#.#
 #...............#
  #..............#
  #.............#
   #...........#
    #..........#
    ############
"""

GRAB_ARROW = """
#
##
#.#
#..#
#...#
#....#
#.....#
#......#
#.......#
#....#####
#.#..#
##  #..# ## ## ##
#   #..##..#..#..##
     ##.#..#..#..#.#
     #..#.........#.#
     #............#.#
      #...............#
       #..............#
        #............#
         ############
"""

DRAG = """
#######
#.....#
#.....#  ## ## ##
#######  #..#..#..##
        #..#..#..#.#
      ###..#..#..#.#
     #..#.........#.#
     #............#.#
      #...............#
       #..............#
        #............#
         ############
"""

CURSORS = [
    ("FX_HANDPOINT", POINT, (6, 0)),
    ("FX_SMALLHANDPOINT", SMALL_POINT, (13, 9)),
    ("FX_GRABHAND", GRAB, (4, 2)),
    ("FX_GRABHANDARROW", GRAB_ARROW, (0, 0)),
    ("FX_DRAGHAND", DRAG, (0, 0)),
]

SIZE = 32


def masks(drawing):
    rows = drawing.strip("\n").split("\n")
    xor = [[0] * SIZE for _ in range(SIZE)]
    and_ = [[1] * SIZE for _ in range(SIZE)]
    for y, row in enumerate(rows[:SIZE]):
        for x, ch in enumerate(row[:SIZE]):
            if ch == "#":
                and_[y][x], xor[y][x] = 0, 0
            elif ch == ".":
                and_[y][x], xor[y][x] = 0, 1
    return xor, and_


def pack(bits):
    out = b""
    for row in reversed(bits):  # DIB rows are stored bottom-up
        for i in range(0, SIZE, 8):
            byte = 0
            for b in row[i:i + 8]:
                byte = (byte << 1) | b
            out += bytes([byte])
    return out


def cursor(drawing, hotspot):
    xor, and_ = masks(drawing)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 1, 0, 0, 0, 0, 2, 0)
    palette = struct.pack("<BBBBBBBB", 0, 0, 0, 0, 255, 255, 255, 0)
    image = header + palette + pack(xor) + pack(and_)
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 2, 0, hotspot[0], hotspot[1], len(image), 6 + 16)
    return directory + entry + image


here = os.path.dirname(os.path.abspath(__file__))
for name, drawing, hotspot in CURSORS:
    with open(os.path.join(here, name + ".cur"), "wb") as f:
        f.write(cursor(drawing, hotspot))
