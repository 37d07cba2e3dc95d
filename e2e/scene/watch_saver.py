"""Watches the running saver and matches every screenshot with a frame that lomlom-render drew.

usage: watch_saver.py --depth D --seconds S --out DIR [--window ID] [--actions N] [--part X,Y,W,H ...]
                      [--references LIST --reference-depth R] FRAME_LOG...

Each FRAME_LOG is lomlom-render's --frame-log for one entry point of the action cycle, drawn for
the same screen. Screenshots are taken (of the root window, or at a palette depth of the saver's own
window, with its colour map installed as a window manager would) until every action has shown with
its logo and the cycle has come round, or for S seconds at most; each is hashed at the display's
precision and looked up in the logs. The entry point is the one log that holds every screenshot in
order; the watch need not see the start, but its k-th action must be the cycle's k-th from there, in
the stages upper left, lower right, upper right and lower left in turn. Prints key=value lines and
exits 1 when a shot matches no frame or no one log, or the order breaks; unmatched-N.xwd keeps the
first ten such shots, and the watch ends there.
With --actions N the watch ends once N actions have been seen, and asks for no more. With --part
X,Y,W,H (once per monitor) the first part is the screen watched as above, and every other part must
show a frame of the same entry point within MAX_PART_LAG ticks of the first part's (Wine puts each
window on the screen in its own time), the creature in at least one shot: every monitor shows the
one scene.

With --references LIST (tests/references/scene.txt) every screenshot that the logs name as one of
the reviewed pictures of depth R is also matched against that picture, whichever quadrant it plays
in: the screen is black outside the actor and its logo, so the stage moved to the picture's quadrant
must give the picture's hash, and the renderer and the saver cannot share a fault unseen. The watch
goes on until each action has had one such screenshot; its held last frame lasts long enough.
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

KEPT_UNMATCHED = 10
MAX_PART_LAG = 3
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


def ordinals(frames):
    """For each frame, which action of the log it belongs to (0 for the entry point's), or None in a pause."""
    result, ordinal, previous = [], -1, 0
    for _, _, action, *_ in frames:
        if action != 0 and previous == 0:
            ordinal += 1
        result.append(ordinal if action != 0 else None)
        previous = action
    return result


def actions_seen(placed, frames):
    """[(ordinal, action, quadrant, logo seen)] in the order the shots saw them."""
    ordinal_of = ordinals(frames)
    seen = []
    for index in placed:
        _, _, action, quadrant, logo, _ = frames[index]
        ordinal = ordinal_of[index]
        if ordinal is None:
            continue
        if seen and seen[-1][0] == ordinal:
            seen[-1] = (ordinal, action, quadrant, seen[-1][3] or bool(logo))
        else:
            seen.append((ordinal, action, quadrant, bool(logo)))
    return seen


def without_logo(seen):
    """The actions of the cycle not yet seen with their logo."""
    return [action for action in CYCLE if action not in {a for _, a, _, logo in seen if logo}]


def judge(seen, entry, actions):
    """The failures of the actions seen: one after another in the cycle's order from the entry point,
    each in its stage, and the whole cycle with its logos (or, when told, that many actions)."""
    failures = []
    first = CYCLE.index(entry) if entry in CYCLE else 0
    for number, (ordinal, action, quadrant, _) in enumerate(seen):
        if number and ordinal != seen[number - 1][0] + 1:
            failures.append(f"action {ordinal} of the run seen after {seen[number - 1][0]}, none between")
        if action != CYCLE[(first + ordinal) % len(CYCLE)]:
            failures.append(f"action {ordinal} of the run is {action}, not {CYCLE[(first + ordinal) % len(CYCLE)]}")
        if quadrant != ordinal % 4:
            failures.append(f"action {ordinal} of the run in the {QUADRANT_NAMES[quadrant]} stage, "
                            f"not the {QUADRANT_NAMES[ordinal % 4]}")
    if actions and len(seen) < actions:
        failures.append(f"{len(seen)} actions seen, not {actions}")
    elif not actions and without_logo(seen):
        failures.append(f"not seen with a logo: {without_logo(seen)}")
    return failures


def judge_parts(part_shots, placed, frames):
    """The failures of the other parts, and the largest lag seen: each shot's other parts are frames
    of the log near the first part's, the creature in at least one shot."""
    ticks_by_hash = {}
    for index, frame in enumerate(frames):
        ticks_by_hash.setdefault(frame[1], []).append(index)
    failures, largest, creature = [], 0, False
    for number, (digests, index) in enumerate(zip(part_shots, placed)):
        for part, digest in enumerate(digests, 2):
            near = min(ticks_by_hash.get(digest, []), key=lambda other: abs(other - index), default=None)
            if near is None:
                failures.append(f"shot {number + 1}: part {part} shows no frame of the entry point")
                continue
            largest = max(largest, abs(near - index))
            creature = creature or frames[near][2] != 0
    if largest > MAX_PART_LAG:
        failures.append(f"the other parts lag the first by up to {largest} ticks, more than {MAX_PART_LAG}")
    if any(part_shots) and not creature:
        failures.append("no shot shows the creature on the other parts")
    return failures, largest


def explain(shots, logs, paths):
    """[(path, frames, placed)] of the logs that hold every shot, in order."""
    placings = [(path, frames, place_shots(shots, frames)) for path, frames in zip(paths, logs)]
    return [placing for placing in placings if placing[2] is not None]


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--depth", type=int, required=True)
    parser.add_argument("--seconds", type=float, required=True, help="the longest the watch may take")
    parser.add_argument("--out", required=True)
    parser.add_argument("--window", type=lambda text: int(text, 0), default=0)
    parser.add_argument("--actions", type=int, default=0, help="actions to see (default: the whole cycle)")
    parser.add_argument("--part", action="append", default=[],
                        type=lambda text: [int(value) for value in text.split(",")])
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

    def unchecked():
        return set(CYCLE) - set(action for action, _ in verdicts.values()) if references else set()

    shots, part_shots, unmatched = [], [], 0
    start = time.monotonic()
    while time.monotonic() - start < args.seconds:
        if installer and not installer.install():
            print("window_gone=1")
            break
        data = screenshot(args.window)
        _, rgb = xwd_image.to_rgb(data)
        views = [rgb[y:y + height, x:x + width] for x, y, width, height in args.part] or [rgb]
        rgb = views[0]
        digest, *others = [screen_hash(view, mask) for view in views]
        shots.append(digest)
        part_shots.append(others)
        if digest in candidates and digest not in verdicts:
            action, quadrant, picture_quadrant, picture_hash = candidates[digest]
            verdicts[digest] = (action, moved_stage_hash(rgb, mask, quadrant, picture_quadrant) == picture_hash)
        if digest not in known or not known.issuperset(others):
            unmatched += 1
            with open(os.path.join(args.out, f"unmatched-{unmatched}.xwd"), "wb") as kept:
                kept.write(data)
            if unmatched == KEPT_UNMATCHED:
                break
        elif not unmatched and len(shots) % 10 == 0:
            explaining = explain(shots, logs, args.frame_logs)
            seen = actions_seen(explaining[0][2], explaining[0][1]) if len(explaining) == 1 else []
            enough = len(seen) >= args.actions if args.actions else len(seen) > len(CYCLE) and not without_logo(seen)
            if not explaining or (enough and not unchecked()):
                break
    print(f"seconds={time.monotonic() - start:.1f}")
    print(f"shots={len(shots)}")
    print(f"unmatched={unmatched}")
    explaining = explain(shots, logs, args.frame_logs) if shots and not unmatched else []
    if len(explaining) != 1:
        print("FAIL: no one entry point's frames explain every screenshot in order")
        return 1
    path, frames, placed = explaining[0]
    seen = actions_seen(placed, frames)
    print(f"entry_log={os.path.basename(path)}")
    print(f"ticks_seen={frames[placed[0]][0]}..{frames[placed[-1]][0]}")
    print("actions_seen=" + " ".join(f"{a}@{QUADRANT_NAMES[q].replace(' ', '-')}{'+logo' if l else ''}"
                                     for _, a, q, l in seen))
    failures = judge(seen, frames[0][2], args.actions)
    if len(args.part) > 1:
        part_failures, largest = judge_parts(part_shots, placed, frames)
        print(f"part_lag_max={largest}")
        failures += part_failures
    if references:
        matched = [action for action, same in verdicts.values() if same]
        print(f"reference_pictures_matched={len(matched)}")
        print("reference_actions_matched=" + " ".join(str(action) for action in CYCLE if action in matched))
        differing = sorted(set(str(action) for action, same in verdicts.values() if not same))
        if differing:
            failures.append(f"screenshots of {differing} differ from the reviewed pictures")
        if unchecked():
            failures.append(f"no screenshot of {sorted(unchecked())} was matched against the reviewed pictures")
    for failure in failures:
        print(f"FAIL: {failure}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
