"""Watches the running saver and matches every screenshot with a frame that lomlom-render drew.

usage: watch_saver.py --depth D --seconds S --out DIR [--window ID] [--references LIST --reference-depth R]
                      FRAME_LOG...

Each FRAME_LOG is lomlom-render's --frame-log for one entry point of the action cycle, drawn for
the same screen. Screenshots are taken (of the root window, or at a palette depth of the saver's own
window, whose colour map is installed first, as a window manager would) until the cycle has come
round to its first action again, or for S seconds at most; each is hashed at the display's precision
and looked up in the logs. The saver's entry point is the log
that holds every screenshot, in order. Prints key=value lines and exits 1 when a screenshot
matches no frame, when no entry point explains them all, or when the actions seen do not run
through the whole cycle from the upper-left stage on. Screenshots that match nothing are kept in
DIR as unmatched-N.xwd.

With --references (tests/references/scene.txt) every screenshot that the logs name as one of the
reviewed pictures of depth R is also matched against that picture, whichever quadrant it plays in:
the screen is black outside the actor and its logo, so the stage moved to the picture's quadrant
must give the picture's hash. The renderer and the saver cannot then share a fault unseen. Each
action needs one such screenshot; its held last frame lasts long enough for one.
"""

import argparse
import os
import subprocess
import sys
import time
import zlib

import numpy as np

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
import x11_colormap  # noqa: E402
import xwd_image  # noqa: E402

QUADRANT_NAMES = ["upper left", "lower right", "upper right", "lower left"]
STAGE_FROM_CENTRE = [(-320, -240), (0, 0), (0, -240), (-320, 0)]
CYCLE = [4000, 1055, 1059, 1225, 1569]


def precision_mask(depth):
    """The bits of each 8-bit channel that a display of this depth shows."""
    return np.array([0xF8, 0xFC, 0xF8] if depth == 16 else [0xFF, 0xFF, 0xFF], dtype=np.uint8)


def read_frame_log(path):
    """[(tick, hash, action, quadrant, logo, frame)] of one entry point."""
    frames = []
    with open(path) as log:
        for line in log:
            if line.startswith("#") or not line.strip():
                continue
            tick, digest, *fields = line.split()
            frames.append((int(tick), int(digest, 16), *map(int, fields)))
    return frames


def read_references(path, depth):
    """{(action, frame, logo): (quadrant, hash)} of the reviewed pictures of one depth."""
    references = {}
    with open(path) as listing:
        for line in listing:
            if line.startswith("#") or not line.strip():
                continue
            picture_depth, _, digest, action, quadrant, logo, frame, _ = line.split()
            if int(picture_depth) == depth:
                references[(int(action), int(frame), int(logo))] = (int(quadrant), int(digest, 16))
    return references


def reference_shots(logs, references):
    """{screen hash: (action, quadrant, picture's quadrant, picture's hash)} of the logged frames that
    show a reviewed picture."""
    shots = {}
    for frames in logs:
        for _, digest, action, quadrant, logo, frame in frames:
            picture = references.get((action, frame, logo))
            if picture:
                shots[digest] = (action, quadrant) + picture
    return shots


def moved_stage_hash(rgb, mask, quadrant, to_quadrant):
    """The screen's hash with the stage moved from one quadrant to another."""
    (from_x, from_y), (to_x, to_y) = STAGE_FROM_CENTRE[quadrant], STAGE_FROM_CENTRE[to_quadrant]
    return screen_hash(np.roll(rgb, (to_y - from_y, to_x - from_x), axis=(0, 1)), mask)


def screenshot(window):
    command = ["xwd", "-silent"] + (["-id", str(window)] if window else ["-root"])
    return subprocess.run(command, capture_output=True, timeout=20, check=True).stdout


def screen_hash(rgb, mask):
    return zlib.crc32(np.ascontiguousarray(rgb & mask).tobytes())


def place_shots(shots, frames):
    """The ticks of one entry point's frames that the shots show, in order, or None."""
    ticks_by_hash = {}
    for index, frame in enumerate(frames):
        ticks_by_hash.setdefault(frame[1], []).append(index)
    placed, earliest = [], 0
    for digest in shots:
        later = [index for index in ticks_by_hash.get(digest, []) if index >= earliest]
        if not later:
            return None
        earliest = later[0]
        placed.append(earliest)
    return placed


def actions_seen(placed, frames):
    """[(action, quadrant, logo seen)] in the order the shots saw them."""
    seen = []
    for index in placed:
        _, _, action, quadrant, logo, _ = frames[index]
        if action == 0:
            continue
        if seen and seen[-1][0] == action and seen[-1][1] == quadrant:
            seen[-1] = (action, quadrant, seen[-1][2] or bool(logo))
        else:
            seen.append((action, quadrant, bool(logo)))
    return seen


def explain(shots, logs, paths):
    """(the one entry point's path, frames and placed ticks), or None when not exactly one explains all."""
    explaining = []
    for path, frames in zip(paths, logs):
        placed = place_shots(shots, frames)
        if placed is not None:
            explaining.append((path, frames, placed))
    return explaining[0] if len(explaining) == 1 else None


def judge(seen):
    """The failures of the actions seen: the whole cycle in order, from the upper left on, with logos."""
    failures = []
    quadrants = [quadrant for _, quadrant, _ in seen]
    expected = [index % 4 for index in range(5)]
    if quadrants[:5] != expected:
        failures.append(f"quadrants in the order {quadrants}, expected {expected} from the upper left on")
    actions = [action for action, _, _ in seen]
    first = CYCLE.index(actions[0]) if actions and actions[0] in CYCLE else 0
    if actions != [CYCLE[(first + index) % 5] for index in range(len(actions))] or len(set(actions[:5])) < 5:
        failures.append(f"actions {actions} are not the whole cycle in order")
    without_logo = [action for action, _, logo in seen[:5] if not logo]
    if without_logo:
        failures.append(f"no logo seen with {without_logo}")
    return failures


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--depth", type=int, required=True)
    parser.add_argument("--seconds", type=float, required=True, help="the longest the watch may take")
    parser.add_argument("--out", required=True)
    parser.add_argument("--window", type=lambda text: int(text, 0), default=0)
    parser.add_argument("--references")
    parser.add_argument("--reference-depth", type=int)
    parser.add_argument("frame_logs", nargs="+")
    args = parser.parse_args()

    logs = [read_frame_log(path) for path in args.frame_logs]
    known = set(frame[1] for frames in logs for frame in frames)
    mask = precision_mask(args.depth)
    installer = x11_colormap.ColourMapInstaller(args.window) if args.window and args.depth == 8 else None
    references = read_references(args.references, args.reference_depth) if args.references else {}
    candidates = reference_shots(logs, references)
    verdicts = {}  # screen hash: (action, whether it is the reviewed picture)

    # The watch ends once the first action has come round again (a whole cycle seen), or at the limit.
    shots, unmatched, seen = [], 0, []
    start = time.monotonic()
    def unchecked():
        return set(CYCLE) - set(action for action, _ in verdicts.values()) if references else set()

    while time.monotonic() - start < args.seconds and (len(seen) < 6 or unchecked()):
        if installer and not installer.install():
            print("window_gone=1")
            break
        data = screenshot(args.window)
        _, rgb = xwd_image.to_rgb(data)
        digest = screen_hash(rgb, mask)
        shots.append(digest)
        if digest in candidates and digest not in verdicts:
            action, quadrant, picture_quadrant, picture_hash = candidates[digest]
            verdicts[digest] = (action, moved_stage_hash(rgb, mask, quadrant, picture_quadrant) == picture_hash)
        if digest not in known:
            unmatched += 1
            with open(os.path.join(args.out, f"unmatched-{unmatched}.xwd"), "wb") as kept:
                kept.write(data)
        elif not unmatched and len(shots) % 10 == 0:
            explained = explain(shots, logs, args.frame_logs)
            seen = actions_seen(explained[2], explained[1]) if explained else []
    print(f"seconds={time.monotonic() - start:.1f}")
    print(f"shots={len(shots)}")
    print(f"unmatched={unmatched}")
    explained = explain(shots, logs, args.frame_logs) if shots and not unmatched else None
    if not explained:
        print("FAIL: no one entry point's frames explain every screenshot in order")
        return 1
    path, frames, placed = explained
    seen = actions_seen(placed, frames)
    print(f"entry_log={os.path.basename(path)}")
    print(f"ticks_seen={frames[placed[0]][0]}..{frames[placed[-1]][0]}")
    print("actions_seen=" + " ".join(f"{a}@{QUADRANT_NAMES[q].replace(' ', '-')}{'+logo' if l else ''}" for a, q, l in seen))
    failures = judge(seen)
    if references:
        matched = [action for action, same in verdicts.values() if same]
        print(f"reference_pictures_matched={len(matched)}")
        print("reference_actions_matched=" + " ".join(str(action) for action in CYCLE if action in matched))
        differing = sorted(set(str(a) for a, same in verdicts.values() if not same))
        if differing:
            failures.append(f"screenshots of {differing} differ from the reviewed pictures")
        if unchecked():
            failures.append(f"no screenshot of {sorted(unchecked())} was matched against the reviewed pictures")
    for failure in failures:
        print(f"FAIL: {failure}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
