"""Compares the picture in an xwd screenshot with the PPM that the headless program drew.

usage: compare_picture.py SHOT.xwd EXPECTED.ppm OUT_PREFIX
The picture is taken from the screenshot's top-left corner, at the size of EXPECTED.ppm.
Direct-colour screenshots: pixels are widened from their channel masks (TrueColor) or looked up per
channel (DirectColor); where a channel has fewer than 8 bits (a 16-bit display) both sides are
compared on the top bits of the narrowest channel, 5 at 5-6-5. Palette screenshots: see
compare_through_colour_map. Writes OUT_PREFIX.ppm (the screenshot's picture as colours) and prints
key=value lines; mismatches counts the pixels that differ. Exit code 0 when none does.
"""

import struct
import sys

FIELDS = (
    "header_size file_version pixmap_format pixmap_depth width height xoffset byte_order bitmap_unit "
    "bitmap_bit_order bitmap_pad bits_per_pixel bytes_per_line visual_class red_mask green_mask blue_mask "
    "bits_per_rgb colormap_entries ncolors window_width window_height window_x window_y window_bdrwidth"
).split()
TRUE_COLOR = 4
DIRECT_COLOR = 5
VISUALS = {0: "StaticGray", 1: "GrayScale", 2: "StaticColor", 3: "PseudoColor", 4: "TrueColor", 5: "DirectColor"}


def read_ppm(path):
    with open(path, "rb") as file:
        data = file.read()
    parts = data.split(maxsplit=4)
    if parts[0] != b"P6" or parts[3] != b"255":
        sys.exit(f"compare_picture: {path} is not a binary 8-bit PPM")
    return int(parts[1]), int(parts[2]), parts[4]


def mask_shift_bits(mask):
    shift = (mask & -mask).bit_length() - 1
    return shift, bin(mask).count("1")


def widen(value, bits):
    """A channel widened to 8 bits by repeating its high bits."""
    widened = value << (8 - bits)
    filled = bits
    while filled < 8:
        widened |= widened >> bits
        filled += bits
    return widened & 0xFF


def read_xwd(path, width, height):
    """The top-left width x height pixels as (raw_triples, rgb8_triples) plus the header."""
    with open(path, "rb") as file:
        data = file.read()
    header = dict(zip(FIELDS, struct.unpack(">25I", data[:100])))
    if header["width"] < width or header["height"] < height:
        sys.exit("compare_picture: screenshot smaller than the picture")
    colormap_at = header["header_size"]
    colours = {}
    for index in range(header["ncolors"]):
        at = colormap_at + 12 * index
        pixel, red, green, blue = struct.unpack(">IHHH", data[at : at + 10])
        colours[pixel] = (red >> 8, green >> 8, blue >> 8)
    image_at = colormap_at + 12 * header["ncolors"]
    step = header["bits_per_pixel"] // 8
    order = "little" if header["byte_order"] == 0 else "big"
    masks = [mask_shift_bits(header[name]) for name in ("red_mask", "green_mask", "blue_mask")]
    visual = header["visual_class"]
    raw, rgb = [], []
    for y in range(height):
        row = data[image_at + y * header["bytes_per_line"] :]
        for x in range(width):
            value = int.from_bytes(row[x * step : x * step + step], order)
            if visual == TRUE_COLOR:
                channels = tuple((value >> shift) & ((1 << bits) - 1) for shift, bits in masks)
                raw.append(channels)
                rgb.append(tuple(widen(c, bits) for c, (_, bits) in zip(channels, masks)))
            elif visual == DIRECT_COLOR:
                indices = [(value >> shift) & ((1 << bits) - 1) for shift, bits in masks]
                colour = tuple(colours.get(i, (0, 0, 0))[channel] for channel, i in enumerate(indices))
                raw.append(colour)
                rgb.append(colour)
            else:
                raw.append(value)
                rgb.append(colours.get(value, (0, 0, 0)))
    return header, masks, colours, raw, rgb


def print_firsts(indices, width, describe):
    firsts = [f"{i % width},{i // width}:{describe(i)}" for i in indices[:5]]
    print(f"first_mismatches={' '.join(firsts) or 'none'}")


def compare_direct(header, masks, raw, rgb, expected, width):
    """Every pixel equal on the bits the narrowest channel holds."""
    true_colour = header["visual_class"] == TRUE_COLOR
    channel_bits = [bits for _, bits in masks] if true_colour else [8, 8, 8]
    compared_bits = min(channel_bits)

    def reduce_raw(channels):
        return tuple(c >> (bits - compared_bits) for c, bits in zip(channels, channel_bits))

    def reduce_expected(channels):
        return tuple(c >> (8 - compared_bits) for c in channels)

    mismatches = [i for i, (seen, wanted) in enumerate(zip(raw, expected)) if reduce_raw(seen) != reduce_expected(wanted)]
    print(f"channel_bits={','.join(map(str, channel_bits))}")
    print(f"compared_bits={compared_bits}")
    print(f"mismatches={len(mismatches)}")
    print_firsts(mismatches, width, lambda i: f"seen{raw[i]}:expected{expected[i]}")
    print(f"exact_mismatches={sum(1 for seen, wanted in zip(rgb, expected) if seen != wanted)}")
    if true_colour and channel_bits[1] == 6:
        truncated = sum(1 for seen, wanted in zip(raw, expected) if seen[1] == wanted[1] >> 2)
        print(f"green6_truncated={truncated}")
    return len(mismatches)


def compare_through_colour_map(colours, raw, expected, width):
    """A palette display shows each colour through a colour-map cell of the server's choosing (Wine
    picks its reserved colours), so colours are compared through the map the screenshot carries:
    every pixel of one expected colour must show through the same cell. Also counts the colours
    whose cell holds exactly that colour."""
    cells = {}
    for seen, wanted in zip(raw, expected):
        counts = cells.setdefault(wanted, {})
        counts[seen] = counts.get(seen, 0) + 1
    chosen = {wanted: max(counts, key=counts.get) for wanted, counts in cells.items()}
    mismatches = [i for i, (seen, wanted) in enumerate(zip(raw, expected)) if seen != chosen[wanted]]
    exact = sum(1 for wanted, cell in chosen.items() if colours.get(cell) == wanted)
    print(f"colours={len(chosen)}")
    print(f"cells_used={len(set(chosen.values()))}")
    print(f"colours_exact={exact}")
    print(f"mismatches={len(mismatches)}")
    print_firsts(mismatches, width, lambda i: f"cell{raw[i]}:expected{expected[i]}:usual_cell{chosen[expected[i]]}")
    return len(mismatches)


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    shot, expected_path, out_prefix = sys.argv[1:]
    width, height, expected_bytes = read_ppm(expected_path)
    header, masks, colours, raw, rgb = read_xwd(shot, width, height)
    expected = [tuple(expected_bytes[i : i + 3]) for i in range(0, width * height * 3, 3)]

    print(f"visual={VISUALS.get(header['visual_class'], header['visual_class'])}")
    print(f"depth={header['pixmap_depth']}")
    print(f"pixels={width * height}")
    if header["visual_class"] in (TRUE_COLOR, DIRECT_COLOR):
        mismatches = compare_direct(header, masks, raw, rgb, expected, width)
    else:
        mismatches = compare_through_colour_map(colours, raw, expected, width)
    with open(out_prefix + ".ppm", "wb") as out:
        out.write(f"P6\n{width} {height}\n255\n".encode())
        out.write(bytes(c for pixel in rgb for c in pixel))
    sys.exit(0 if mismatches == 0 else 1)


if __name__ == "__main__":
    main()
