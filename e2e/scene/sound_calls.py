"""The PlaySoundA calls in a Wine log made with WINEDEBUG=+winmm, as "NAME 0xFLAGS" lines.

usage: sound_calls.py WINE_LOG
Wine traces each call with its arguments as pointers (MULTIMEDIA_PlaySound pszSound='…' hmod=…
fdwSound=…), and the name of each sound it goes on to play from the thread that plays it
(proc_PlaySound SoundName=L"…"); the k-th call with a sound is paired with the k-th name. A call
without a sound (pszSound 0, which stops the one playing) prints as NULL.
"""

import re
import sys

CALL = re.compile(r"MULTIMEDIA_PlaySound pszSound='?([0-9A-Fa-f]+)'? hmod=\S+ fdwSound=([0-9A-Fa-f]+)")
NAME = re.compile(r'proc_PlaySound SoundName=L"([^"]*)"')


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    calls, names = [], []
    with open(sys.argv[1], errors="replace") as log:
        for line in log:
            call = CALL.search(line)
            if call:
                calls.append((int(call.group(1), 16) != 0, int(call.group(2), 16)))
            name = NAME.search(line)
            if name:
                names.append(name.group(1))
    named = iter(names)
    for has_sound, flags in calls:
        print(f"{next(named, '?') if has_sound else 'NULL'} {flags:#x}")


if __name__ == "__main__":
    main()
