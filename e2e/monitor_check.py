"""Counts the pixels of rectangles of an xwd screenshot that are not black and that are not white.

usage: monitor_check.py FILE.xwd NAME=LEFT,TOP,RIGHT,BOTTOM ...
Prints key=value lines: width, height, bits_per_pixel, then for each rectangle NAME.nonblack and
NAME.nonwhite (pixels, at 8 bits a channel) and NAME.first_nonblack (x,y or none). Any depth that
xwd_image reads; rows are read by the header's bytes per line.
"""

import sys

import numpy as np

import xwd_image


def parse_rect(argument):
    name, _, numbers = argument.partition("=")
    left, top, right, bottom = (int(n) for n in numbers.split(","))
    return name, left, top, right, bottom


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    try:
        header, rgb = xwd_image.read(sys.argv[1])
    except (OSError, xwd_image.XwdError) as error:
        sys.exit(f"monitor_check: {error}")
    height, width = rgb.shape[:2]
    print(f"width={width}\nheight={height}\nbits_per_pixel={header['bits_per_pixel']}")
    for argument in sys.argv[2:]:
        name, left, top, right, bottom = parse_rect(argument)
        if not (0 <= left <= right <= width and 0 <= top <= bottom <= height):
            sys.exit(f"monitor_check: {argument} lies outside the {width}x{height} screenshot")
        area = rgb[top:bottom, left:right].astype(np.uint16)
        nonblack = area.sum(axis=2) > 0
        nonwhite = area.sum(axis=2) < 3 * 255
        print(f"{name}.nonblack={int(nonblack.sum())}\n{name}.nonwhite={int(nonwhite.sum())}")
        found = np.argwhere(nonblack)
        first = f"{found[0][1] + left},{found[0][0] + top}" if len(found) else "none"
        print(f"{name}.first_nonblack={first}")


if __name__ == "__main__":
    main()
