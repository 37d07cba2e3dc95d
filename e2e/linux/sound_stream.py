"""Finds the saver's cues in what SDL's disk audio driver wrote.

usage: sound_stream.py STREAM.raw WAVE_DIR SOUND_LOG   (prints the cues found in order; exits 1 when
the stream does not hold, in the log's order, the samples of at least the log's first five cues)

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


def main():
    if len(sys.argv) != 4:
        print(__doc__, file=sys.stderr)
        return 2
    with open(sys.argv[1], "rb") as stream_file:
        stream = stream_file.read()
    with open(sys.argv[3]) as log:
        names = [line.split()[1] for line in log if not line.startswith("#") and line.split()[1] != "NULL"]
    found, position = [], 0
    for name in names:
        at = stream.find(cue_probe(f"{sys.argv[2]}/{name}.wav"), position)
        if at < 0:
            break
        found.append(name)
        position = at + PROBE
    print("cues_found=" + " ".join(found))
    wanted = min(5, len(names))
    return 0 if len(found) >= wanted else 1


if __name__ == "__main__":
    sys.exit(main())
