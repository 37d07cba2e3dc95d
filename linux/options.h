// The command line of lomlom, the saver as an XScreenSaver module: where it draws and what it does.
#pragma once
#include <string>

// Where the picture goes: a window of its own, the root window, or a window made by someone else.
enum class Target { OwnWindow, Root, GivenWindow };

// How the saver's screen meets the window: the saver's screen follows the window's size (it starts
// again at the new size), keeps its first size unscaled and centred, or keeps it scaled to fill.
enum class Fit { Follow, Actual, Fill };

struct LinuxOptions {
  Target target = Target::OwnWindow;
  unsigned long windowId = 0;
  bool fullscreen = false;
  bool sound = true;
  Fit fit = Fit::Follow;
  bool fps = false;
  bool help = false;
};

extern const char kLinuxUsage[];

// Options take one dash or two. `environmentWindow` is XSCREENSAVER_WINDOW (null when unset): the
// daemon's window, drawn into unless -window or -window-id says otherwise. False with `error` set
// for an unknown option, a missing value or a bad window id.
bool ParseLinuxOptions(int argc, const char* const* argv, const char* environmentWindow,
                       LinuxOptions* options, std::string* error);
