"""Counts the non-black pixels of an xwd screenshot, inside and outside a centred area.

usage: screen_check.py FILE.xwd AREA_WIDTH AREA_HEIGHT
Prints key=value lines: width, height, nonblack_inside, nonblack_outside, first_outside (x,y or none).
Only 32-bit pixels with byte-aligned colour masks are read: what Xvfb gives at depth 24.
"""

import struct
import sys

HEADER_FIELDS = (
    "header_size file_version pixmap_format pixmap_depth width height xoffset byte_order bitmap_unit "
    "bitmap_bit_order bitmap_pad bits_per_pixel bytes_per_line visual_class red_mask green_mask blue_mask "
    "bits_per_rgb colormap_entries ncolors window_width window_height window_x window_y window_bdrwidth"
).split()
COLOR_ENTRY_SIZE = 12
NONZERO = bytes([0] + [1] * 255)


def read_header(data):
    if len(data) < 100:
        sys.exit("screen_check: file too short for an xwd header")
    return dict(zip(HEADER_FIELDS, struct.unpack(">25I", data[:100])))


def colour_byte_offsets(header):
    """Byte positions within a 32-bit pixel that hold colour bits."""
    mask = header["red_mask"] | header["green_mask"] | header["blue_mask"]
    offsets = []
    for shift in range(4):
        if (mask >> (8 * shift)) & 0xFF:
            offsets.append(shift if header["byte_order"] == 0 else 3 - shift)
    return offsets


def nonblack_flags(row, offsets):
    """One byte per pixel: 1 where any colour byte is non-zero."""
    combined = 0
    for offset in offsets:
        combined |= int.from_bytes(row[offset::4].translate(NONZERO), "little")
    return combined.to_bytes(len(row) // 4, "little")


def main():
    path, area_width, area_height = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
    with open(path, "rb") as file:
        data = file.read()
    header = read_header(data)
    if header["bits_per_pixel"] != 32:
        sys.exit(f"screen_check: {header['bits_per_pixel']} bits per pixel not supported")
    width, height, stride = header["width"], header["height"], header["bytes_per_line"]
    start = header["header_size"] + header["ncolors"] * COLOR_ENTRY_SIZE
    if len(data) < start + height * stride:
        sys.exit("screen_check: pixel data cut short")
    offsets = colour_byte_offsets(header)
    left, top = (width - area_width) // 2, (height - area_height) // 2
    right, bottom = left + area_width, top + area_height

    inside = outside = 0
    first_outside = "none"
    for y in range(height):
        row = data[start + y * stride : start + y * stride + width * 4]
        flags = nonblack_flags(row, offsets)
        in_band = top <= y < bottom
        row_inside = flags[max(left, 0) : max(right, 0)].count(1) if in_band else 0
        row_outside = flags.count(1) - row_inside
        inside += row_inside
        outside += row_outside
        if row_outside and first_outside == "none":
            for x, flag in enumerate(flags):
                if flag and not (in_band and left <= x < right):
                    first_outside = f"{x},{y}"
                    break
    print(f"width={width}\nheight={height}")
    print(f"nonblack_inside={inside}\nnonblack_outside={outside}\nfirst_outside={first_outside}")


if __name__ == "__main__":
    main()
