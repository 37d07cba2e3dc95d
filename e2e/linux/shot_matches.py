"""One screenshot of a window (or the root window), matched against lomlom-render's frame logs.

usage: shot_matches.py --depth D [--window ID] [--out FILE.xwd] [--part X,Y,W,H] [--step N] FRAME_LOG...
(exits 1 when no frame of any log is the screenshot, at the display's precision). --part takes only
that rectangle of the screenshot, --step every Nth pixel of it across and down (a picture scaled N
times).
"""

import argparse
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "scene"))
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
import watch_saver  # noqa: E402
import xwd_image  # noqa: E402


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--depth", type=int, required=True)
    parser.add_argument("--window", type=lambda text: int(text, 0), default=0)
    parser.add_argument("--out")
    parser.add_argument("--part", type=lambda text: [int(value) for value in text.split(",")])
    parser.add_argument("--step", type=int, default=1)
    parser.add_argument("frame_logs", nargs="+")
    args = parser.parse_args()
    known = {frame[1]: path for path in args.frame_logs for frame in watch_saver.read_frame_log(path)}
    data = watch_saver.screenshot(args.window)
    if args.out:
        with open(args.out, "wb") as kept:
            kept.write(data)
    _, rgb = xwd_image.to_rgb(data)
    if args.part:
        x, y, width, height = args.part
        rgb = rgb[y:y + height, x:x + width]
    rgb = rgb[::args.step, ::args.step]
    digest = watch_saver.screen_hash(rgb, watch_saver.precision_mask(args.depth))
    print(f"size={rgb.shape[1]}x{rgb.shape[0]}")
    print(f"matched={os.path.basename(known[digest]) if digest in known else 'none'}")
    return 0 if digest in known else 1


if __name__ == "__main__":
    sys.exit(main())
