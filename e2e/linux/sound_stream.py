"""Finds the saver's cues in what SDL's disk audio driver wrote.

usage: sound_stream.py STREAM.raw WAVE_DIR SOUND_LOG   (prints the cues found in order; exits 1 when
       the stream does not hold, in the log's order, the samples of at least the log's first five cues)
       sound_stream.py --entry STREAM.raw WAVE_DIR SOUND_LOG...   (prints the log whose first cue is
       the first sound in the stream: each entry point starts with a cue of its own; exits 1 when
       the stream holds none of them yet)

The device opens in the cues' own format (11025 Hz, 8-bit, mono), so each cue's samples are in the
stream byte for byte: the stream is searched for the start of each cue's sound, after the previous.
"""

import sys
import wave

PROBE = 512  # samples: a cue cut off by the next one still plays this much


def cue_probe(path):
    with wave.open(path) as cue:
        samples = cue.readframes(cue.getnframes())
    start = next((index for index, value in enumerate(samples) if abs(value - 128) > 8), 0)
    return samples[start:start + PROBE]


def cue_names(log_path):
    with open(log_path) as log:
        return [line.split()[1] for line in log if not line.startswith("#") and line.split()[1] != "NULL"]


def entry_log(stream, wave_dir, log_paths):
    starts = []
    for path in log_paths:
        names = cue_names(path)
        at = stream.find(cue_probe(f"{wave_dir}/{names[0]}.wav")) if names else -1
        if at >= 0:
            starts.append((at, path))
    if not starts:
        return 1
    print(min(starts)[1])
    return 0


def main():
    entry = sys.argv[1:2] == ["--entry"]
    arguments = sys.argv[2:] if entry else sys.argv[1:]
    if len(arguments) < 3 or (not entry and len(arguments) != 3):
        print(__doc__, file=sys.stderr)
        return 2
    with open(arguments[0], "rb") as stream_file:
        stream = stream_file.read()
    if entry:
        return entry_log(stream, arguments[1], arguments[2:])
    names = cue_names(arguments[2])
    found, position = [], 0
    for name in names:
        at = stream.find(cue_probe(f"{arguments[1]}/{name}.wav"), position)
        if at < 0:
            break
        found.append(name)
        position = at + PROBE
    print("cues_found=" + " ".join(found))
    wanted = min(5, len(names))
    return 0 if len(found) >= wanted else 1


if __name__ == "__main__":
    sys.exit(main())
