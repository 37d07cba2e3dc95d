"""Screenshots in X's xwd format as RGB pictures (numpy arrays, rows top-down, 8 bits a channel).

TrueColor pixels are widened from their channel masks by repeating their high bits (a 5-bit channel
v becomes v << 3 | v >> 2); DirectColor channels and PseudoColor pixels (a palette display, taken of
a window with `xwd -id`) are looked up in the colour cells the file carries.
"""

import struct

import numpy as np

FIELDS = (
    "header_size file_version pixmap_format pixmap_depth width height xoffset byte_order bitmap_unit "
    "bitmap_bit_order bitmap_pad bits_per_pixel bytes_per_line visual_class red_mask green_mask blue_mask "
    "bits_per_rgb colormap_entries ncolors window_width window_height window_x window_y window_bdrwidth"
).split()
PSEUDO_COLOR = 3
TRUE_COLOR = 4
DIRECT_COLOR = 5
COLOUR_ENTRY = 12


class XwdError(Exception):
    pass


def read_header(data):
    if len(data) < 100:
        raise XwdError("too short for an xwd header")
    header = dict(zip(FIELDS, struct.unpack(">25I", data[:100])))
    if header["bits_per_pixel"] not in (8, 16, 24, 32):
        raise XwdError(f"{header['bits_per_pixel']} bits per pixel are not read")
    return header


def colour_cells(data, header):
    """The file's colour cells as (pixel, red, green, blue), 8 bits a channel."""
    start = header["header_size"]
    for index in range(header["ncolors"]):
        at = start + COLOUR_ENTRY * index
        pixel, red, green, blue = struct.unpack(">IHHH", data[at : at + 10])
        yield pixel, red >> 8, green >> 8, blue >> 8


def colour_map(data, header):
    """A palette display's cells as a 256-row table of RGB, by pixel value."""
    table = np.zeros((256, 3), dtype=np.uint8)
    for pixel, red, green, blue in colour_cells(data, header):
        if pixel < 256:
            table[pixel] = (red, green, blue)
    return table


def channel_maps(data, header, masks):
    """A DirectColor display's cells: per channel, a table from the channel's value to its colour."""
    tables = [np.zeros(1 << bits, dtype=np.uint8) for _, bits in masks]
    for pixel, *colour in colour_cells(data, header):
        for channel, (shift, bits) in enumerate(masks):
            index = (pixel >> shift) & ((1 << bits) - 1)
            tables[channel][index] = colour[channel]
    return tables


def packed_values(data, header, start):
    """Pixels of three bytes each (a wide screen may come so), rows padded to bytes_per_line."""
    rows, stride, width = header["height"], header["bytes_per_line"], header["width"]
    if stride < 3 * width:
        raise XwdError("rows shorter than their pixels")
    raw = np.frombuffer(data, dtype=np.uint8, count=rows * stride, offset=start).reshape(rows, stride)
    parts = raw[:, : 3 * width].reshape(rows, width, 3).astype(np.uint32)
    if header["byte_order"] != 0:
        parts = parts[:, :, ::-1]
    return parts[:, :, 0] | parts[:, :, 1] << 8 | parts[:, :, 2] << 16


def pixel_values(data, header):
    """The raw pixel values, one per pixel, as a height x width array."""
    step = header["bits_per_pixel"] // 8
    start = header["header_size"] + COLOUR_ENTRY * header["ncolors"]
    rows, stride = header["height"], header["bytes_per_line"]
    if len(data) < start + rows * stride:
        raise XwdError("image data shorter than the header says")
    if step == 3:
        return packed_values(data, header, start)
    if stride % step:
        raise XwdError("rows that do not hold whole pixels")
    order = "<" if header["byte_order"] == 0 else ">"
    dtype = np.dtype({1: "u1", 2: order + "u2", 4: order + "u4"}[step])
    values = np.frombuffer(data, dtype=dtype, count=rows * stride // step, offset=start)
    return values.reshape(rows, stride // step)[:, : header["width"]]


def widen(channel, bits):
    channel = channel.astype(np.uint16)
    wide = channel << (8 - bits)
    filled = bits
    while filled < 8:
        wide |= wide >> bits
        filled += bits
    return (wide & 0xFF).astype(np.uint8)


def to_rgb(data):
    """(header, height x width x 3 uint8 array) of an xwd file's bytes."""
    header = read_header(data)
    values = pixel_values(data, header)
    if header["visual_class"] == PSEUDO_COLOR:
        return header, colour_map(data, header)[values]
    if header["visual_class"] not in (TRUE_COLOR, DIRECT_COLOR):
        raise XwdError(f"visual class {header['visual_class']} is not read")
    masks = []
    for name in ("red_mask", "green_mask", "blue_mask"):
        mask = header[name]
        masks.append(((mask & -mask).bit_length() - 1, bin(mask).count("1")))
    tables = channel_maps(data, header, masks) if header["visual_class"] == DIRECT_COLOR else None
    channels = []
    for index, (shift, bits) in enumerate(masks):
        channel = (values >> shift) & ((1 << bits) - 1)
        channels.append(tables[index][channel] if tables else widen(channel, bits))
    return header, np.dstack(channels)


def read(path):
    with open(path, "rb") as file:
        return to_rgb(file.read())
