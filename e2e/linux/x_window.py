"""A plain X window that a test hands to lomlom by its id, then resizes or destroys on command.

usage: x_window.py WIDTH HEIGHT   (prints the window id; then reads lines: "resize W H", "destroy")
"""

import ctypes
import ctypes.util
import sys


def main():
    if len(sys.argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    x11 = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x11.XDefaultRootWindow.restype = ctypes.c_ulong
    x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
    x11.XCreateSimpleWindow.restype = ctypes.c_ulong
    x11.XCreateSimpleWindow.argtypes = [ctypes.c_void_p, ctypes.c_ulong] + [ctypes.c_int] * 2 + [ctypes.c_uint] * 3 + [
        ctypes.c_ulong] * 2
    for name in ("XMapRaised", "XDestroyWindow"):
        getattr(x11, name).argtypes = [ctypes.c_void_p, ctypes.c_ulong]
    x11.XResizeWindow.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_uint, ctypes.c_uint]
    x11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
    display = x11.XOpenDisplay(None)
    if not display:
        print("cannot open the display", file=sys.stderr)
        return 1
    window = x11.XCreateSimpleWindow(display, x11.XDefaultRootWindow(display), 0, 0, int(sys.argv[1]),
                                     int(sys.argv[2]), 0, 0, 0xFFFFFF)
    x11.XMapRaised(display, window)
    x11.XSync(display, 0)
    print(window, flush=True)
    for line in sys.stdin:
        words = line.split()
        if words[:1] == ["resize"]:
            x11.XResizeWindow(display, window, int(words[1]), int(words[2]))
        elif words[:1] == ["destroy"]:
            x11.XDestroyWindow(display, window)
        x11.XSync(display, 0)
        print("done", flush=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
