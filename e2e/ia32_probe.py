"""Whether this machine runs 32-bit x86 Linux programs: writes the smallest static i386 program
(it only exits with 42) into FOLDER and runs it. Exits 0 when it ran, 1 when the kernel refused it
as a format it cannot run (no IA32 emulation), 2 when the probe itself failed; prints why.
Needs no 32-bit library, so a missing package cannot pass for a kernel without IA32 emulation.

usage: ia32_probe.py FOLDER
"""

import errno
import os
import struct
import subprocess
import sys

BASE = 0x08048000
EXIT_CODE = 42
# mov eax, 1 (exit); mov ebx, EXIT_CODE; int 0x80
CODE = bytes([0xB8, 1, 0, 0, 0, 0xBB, EXIT_CODE, 0, 0, 0, 0xCD, 0x80])
HEADER_SIZE, PROGRAM_HEADER_SIZE = 52, 32


def program():
    size = HEADER_SIZE + PROGRAM_HEADER_SIZE + len(CODE)
    ident = b"\x7fELF" + bytes([1, 1, 1]) + bytes(9)
    header = ident + struct.pack("<HHIIIIIHHHHHH", 2, 3, 1, BASE + HEADER_SIZE + PROGRAM_HEADER_SIZE,
                                 HEADER_SIZE, 0, 0, HEADER_SIZE, PROGRAM_HEADER_SIZE, 1, 0, 0, 0)
    load = struct.pack("<IIIIIIII", 1, 0, BASE, BASE, size, size, 5, 0x1000)
    return header + load + CODE


def main():
    if len(sys.argv) != 2:
        print(__doc__)
        return 2
    path = os.path.join(sys.argv[1], "ia32-probe")
    try:
        with open(path, "wb") as file:
            file.write(program())
        os.chmod(path, 0o755)
        status = subprocess.run([path], timeout=10).returncode
    except OSError as error:
        print(f"a static i386 program does not start ({error.strerror})")
        return 1 if error.errno == errno.ENOEXEC else 2
    finally:
        if os.path.exists(path):
            os.remove(path)
    if status != EXIT_CODE:
        print(f"a static i386 program ended with {status}, not {EXIT_CODE}")
        return 2
    return 0


if __name__ == "__main__":
    sys.exit(main())
