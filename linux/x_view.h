// The X window that shows the saver's screen: found or made, its pixels put through MIT-SHM where
// the server offers it, its events turned into the headless machine's input.
#pragma once
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>

#include <string>
#include <vector>

#include <windows.h>

#include <cstdint>
#include "linux/options.h"

struct XView {
  Display* display = nullptr;
  Window window = 0;
  bool own = false;  // made here: its input ends the saver, closing it ends lomlom
  int width = 0;
  int height = 0;
  int bitsPerPixel = 32;  // what the saver draws at: 16 on a 16-bit visual, 32 on 24 and 32
  GC gc = nullptr;
  Atom deleteWindow = 0;
  XImage* image = nullptr;
  XShmSegmentInfo shm = {};
  bool shared = false;
};

// What the events since the last look brought.
struct ViewEvents {
  bool resized = false;
  bool gone = false;  // the window was destroyed, closed by its user or the server went away
  bool exposed = false;
};

// Opens the display and the window the options name; false with `error` set when either is missing
// or the visual is neither 16-bit nor 24/32-bit true colour.
bool OpenView(const LinuxOptions& options, XView* view, std::string* error);
void CloseView(XView* view);
// Where the pointer is over the window (0, 0 when it is elsewhere).
void PointerPosition(const XView& view, int* x, int* y);
// The saver's screen as the headless machine keeps it, rows top-down, 0x00RRGGBB.
struct Picture {
  const uint32_t* pixels = nullptr;
  int width = 0;
  int height = 0;
};

// What goes out: the part of the picture that changed; the window as last shown (it was exposed);
// or everything again (its size changed).
enum class Refresh { Changes, Exposed, Everything };

// Puts the picture on the window, centred, or scaled to fill it.
void ShowPicture(XView* view, const Picture& picture, const RECT& changed, bool scaled, Refresh refresh);
// Handles every event waiting; on its own window, keys, buttons and moves become headless input.
void TakeEvents(XView* view, ViewEvents* events);
