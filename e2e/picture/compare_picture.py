"""Compares the picture in an xwd screenshot with the PPM that the headless program drew.

usage: compare_picture.py SHOT.xwd EXPECTED.ppm OUT_PREFIX
The picture is taken from the screenshot's top-left corner, at the size of EXPECTED.ppm, and both are
compared at the display's precision: each channel on the bits the display keeps of it (5-6-5 on a
16-bit display), all 8 bits on a 24-bit display and on a palette display, whose pixels are read
through the colour cells the screenshot carries (the window's own colour map, installed). Writes
OUT_PREFIX.ppm (the screenshot's picture) and prints key=value lines; mismatches counts the pixels
that differ. Exit code 0 when none does.
"""

import os
import sys

import numpy as np

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
import xwd_image  # noqa: E402

VISUALS = {0: "StaticGray", 1: "GrayScale", 2: "StaticColor", 3: "PseudoColor", 4: "TrueColor", 5: "DirectColor"}


def read_ppm(path):
    with open(path, "rb") as file:
        data = file.read()
    parts = data.split(maxsplit=4)
    if parts[0] != b"P6" or parts[3] != b"255":
        sys.exit(f"compare_picture: {path} is not a binary 8-bit PPM")
    width, height = int(parts[1]), int(parts[2])
    return np.frombuffer(parts[4], dtype=np.uint8, count=width * height * 3).reshape(height, width, 3)


def precision(header):
    """The bits of each 8-bit channel that the display keeps."""
    if header["visual_class"] != xwd_image.TRUE_COLOR:
        return np.array([0xFF, 0xFF, 0xFF], dtype=np.uint8)
    kept = [min(bin(header[name]).count("1"), 8) for name in ("red_mask", "green_mask", "blue_mask")]
    return np.array([(0xFF << (8 - bits)) & 0xFF for bits in kept], dtype=np.uint8)


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    shot, expected_path, out_prefix = sys.argv[1:]
    expected = read_ppm(expected_path)
    height, width, _ = expected.shape
    header, rgb = xwd_image.read(shot)
    if rgb.shape[0] < height or rgb.shape[1] < width:
        sys.exit("compare_picture: screenshot smaller than the picture")
    seen = rgb[:height, :width]
    mask = precision(header)
    differing = np.any((seen & mask) != (expected & mask), axis=2)
    ys, xs = np.nonzero(differing)
    print(f"visual={VISUALS.get(header['visual_class'], header['visual_class'])}")
    print(f"depth={header['pixmap_depth']}")
    print(f"compared_bits={','.join(str(bin(int(m)).count('1')) for m in mask)}")
    print(f"pixels={width * height}")
    print(f"colours={len(np.unique(expected.reshape(-1, 3), axis=0))}")
    print(f"mismatches={len(xs)}")
    firsts = [f"{x},{y}:seen{tuple(seen[y, x])}:expected{tuple(expected[y, x])}" for y, x in zip(ys[:5], xs[:5])]
    print(f"first_mismatches={' '.join(firsts) or 'none'}")
    with open(out_prefix + ".ppm", "wb") as out:
        out.write(f"P6\n{width} {height}\n255\n".encode())
        out.write(np.ascontiguousarray(seen).tobytes())
    sys.exit(0 if len(xs) == 0 else 1)


if __name__ == "__main__":
    main()
