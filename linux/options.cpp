#include "linux/options.h"

#include <cstring>

const char kLinuxUsage[] =
    "usage: lomlom [options]   (one dash or two)\n"
    "  -window              a window of its own, 1024x768 (the default)\n"
    "  -fullscreen          that window covering the screen\n"
    "  -root                the root window, or the window in XSCREENSAVER_WINDOW\n"
    "  -window-id ID        the window ID (decimal or 0x hex)\n"
    "  -sound, -no-sound    the creature's sounds (on by default)\n"
    "  -fit follow|actual|fill\n"
    "                       follow the window's size (default), keep the first size, or scale it\n"
    "  -fps                 print frames per second and CPU use\n"
    "  -help                this text\n";

namespace {

// "123" or "0x7b"; false for anything else, for 0 and for more than 32 bits.
bool ParseWindowId(const std::string& text, unsigned long* id) {
  const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
  const std::string digits = hex ? text.substr(2) : text;
  const char* allowed = hex ? "0123456789abcdefABCDEF" : "0123456789";
  if (digits.empty() || digits.size() > 10 || digits.find_first_not_of(allowed) != std::string::npos)
    return false;
  const unsigned long long value = std::stoull(digits, nullptr, hex ? 16 : 10);
  if (value == 0 || value > 0xFFFFFFFFull)
    return false;
  *id = static_cast<unsigned long>(value);
  return true;
}

}  // namespace

bool ParseLinuxOptions(int argc, const char* const* argv, const char* environmentWindow,
                       LinuxOptions* options, std::string* error) {
  bool chosen = false;  // -window or -window-id: the environment's window is not wanted
  bool root = false;
  for (int index = 1; index < argc; ++index) {
    std::string option = argv[index];
    if (option.rfind("--", 0) == 0)
      option.erase(0, 1);
    const bool hasValue = index + 1 < argc;
    if (option == "-window") {
      options->target = Target::OwnWindow;
      chosen = true;
    } else if (option == "-fullscreen") {
      options->fullscreen = true;
    } else if (option == "-root") {
      root = true;
    } else if (option == "-window-id") {
      if (!hasValue || !ParseWindowId(argv[index + 1], &options->windowId)) {
        *error = hasValue ? std::string("bad window id '") + argv[index + 1] + "'" : "-window-id needs an id";
        return false;
      }
      ++index;
      options->target = Target::GivenWindow;
      chosen = true;
    } else if (option == "-sound" || option == "-no-sound") {
      options->sound = option == "-sound";
    } else if (option == "-fit") {
      const std::string value = hasValue ? argv[++index] : "";
      if (value == "follow" || value == "actual" || value == "fill") {
        options->fit = value == "follow" ? Fit::Follow : value == "actual" ? Fit::Actual : Fit::Fill;
      } else {
        *error = "-fit takes follow, actual or fill";
        return false;
      }
    } else if (option == "-fps") {
      options->fps = true;
    } else if (option == "-help" || option == "-h") {
      options->help = true;
    } else {
      *error = "unknown option '" + std::string(argv[index]) + "'";
      return false;
    }
  }
  if (chosen)
    return true;
  if (environmentWindow && *environmentWindow) {
    if (!ParseWindowId(environmentWindow, &options->windowId)) {
      *error = std::string("bad window id '") + environmentWindow + "' in XSCREENSAVER_WINDOW";
      return false;
    }
    options->target = Target::GivenWindow;
  } else if (root) {
    options->target = Target::Root;
  }
  return true;
}
