"""Installs an X window's colour map, as a window manager would: without one, a palette display
shows every window through the default colour map, and the colours a program realised in its own
map do not reach the screen.

usage: x11_colormap.py WINDOW_ID   (exits 1 when the window does not exist)
"""

import ctypes
import ctypes.util
import sys


class XWindowAttributes(ctypes.Structure):
    _fields_ = [
        ("x", ctypes.c_int), ("y", ctypes.c_int), ("width", ctypes.c_int), ("height", ctypes.c_int),
        ("border_width", ctypes.c_int), ("depth", ctypes.c_int), ("visual", ctypes.c_void_p),
        ("root", ctypes.c_ulong), ("c_class", ctypes.c_int), ("bit_gravity", ctypes.c_int),
        ("win_gravity", ctypes.c_int), ("backing_store", ctypes.c_int), ("backing_planes", ctypes.c_ulong),
        ("backing_pixel", ctypes.c_ulong), ("save_under", ctypes.c_int), ("colormap", ctypes.c_ulong),
        ("map_installed", ctypes.c_int), ("map_state", ctypes.c_int), ("all_event_masks", ctypes.c_long),
        ("your_event_mask", ctypes.c_long), ("do_not_propagate_mask", ctypes.c_long),
        ("override_redirect", ctypes.c_int), ("screen", ctypes.c_void_p),
    ]


ERROR_HANDLER = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)


class ColourMapInstaller:
    """Installs the colour map of one window of the display named by $DISPLAY."""

    def __init__(self, window):
        self.x11 = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
        self.x11.XOpenDisplay.restype = ctypes.c_void_p
        self.x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self.x11.XGetWindowAttributes.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(XWindowAttributes)]
        self.x11.XInstallColormap.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
        self.x11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
        self.x11.XSetErrorHandler.argtypes = [ERROR_HANDLER]
        # A window that is gone makes a protocol error; Xlib's default handler would end the process.
        self.errors = ERROR_HANDLER(lambda display, event: 0)
        self.x11.XSetErrorHandler(self.errors)
        self.display = self.x11.XOpenDisplay(None)
        if not self.display:
            raise RuntimeError("cannot open the X display")
        self.window = window

    def install(self):
        """False when the window no longer exists."""
        attributes = XWindowAttributes()
        if not self.x11.XGetWindowAttributes(self.display, self.window, ctypes.byref(attributes)):
            return False
        self.x11.XInstallColormap(self.display, attributes.colormap)
        self.x11.XSync(self.display, 0)
        return True


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    sys.exit(0 if ColourMapInstaller(int(sys.argv[1], 0)).install() else 1)


if __name__ == "__main__":
    main()
