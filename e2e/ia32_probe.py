"""Whether this machine runs 32-bit x86 Linux programs: writes the smallest static i386 program,
which needs no library and only exits with 42, into FOLDER and runs it. Exits 0 when it ran, 1 when
the kernel refused its format (no IA32 emulation), 2 when the probe itself failed; prints why.

usage: ia32_probe.py FOLDER
"""

import errno
import os
import struct
import subprocess
import sys

BASE, HEADERS = 0x08048000, 52 + 32
CODE = bytes([0xB8, 1, 0, 0, 0, 0xBB, 42, 0, 0, 0, 0xCD, 0x80])  # mov eax, 1 (exit); mov ebx, 42; int 0x80
SIZE = HEADERS + len(CODE)
PROGRAM = (b"\x7fELF\x01\x01\x01" + bytes(9)  # 32-bit, little-endian
           + struct.pack("<HHIIIIIHHHHHH", 2, 3, 1, BASE + HEADERS, 52, 0, 0, 52, 32, 1, 0, 0, 0)  # i386 executable
           + struct.pack("<8I", 1, 0, BASE, BASE, SIZE, SIZE, 5, 0x1000)  # one loadable segment, read and execute
           + CODE)


def main():
    path = os.path.join(sys.argv[1], "ia32-probe")
    try:
        with open(path, "wb") as file:
            file.write(PROGRAM)
        os.chmod(path, 0o755)
        status = subprocess.run([path], timeout=10).returncode
    except OSError as error:
        print(f"a static i386 program does not start ({error.strerror})")
        return 1 if error.errno == errno.ENOEXEC else 2
    finally:
        if os.path.exists(path):
            os.remove(path)
    print(f"a static i386 program ended with {status}, not 42" if status != 42 else "", end="")
    return 0 if status == 42 else 2


if __name__ == "__main__":
    sys.exit(main())
