#include "app/error_report.h"

#include <cstdio>

namespace {

struct ErrorMessage {
  const char* text;
  UINT icon;
};

ErrorMessage MessageFor(ErrorKind kind) {
  switch (kind) {
    case ErrorKind::kNoMemory:
      return {"Your computer doesn't have enough memory to run this program.", MB_ICONEXCLAMATION};
    case ErrorKind::kDisplayDepth:
      return {
          "Sorry, this screen saver can only run with a 256 color or higher display.\n"
          "Please go to settings in your display properties and choose 256 color or higher.",
          MB_ICONEXCLAMATION};
    default:
      return {"Failed Initialization", MB_ICONHAND};
  }
}

}  // namespace

void ReportError(HWND window, const char* title, ErrorKind kind) {
  if (kind == ErrorKind::kNone)
    return;
  char caption[512];
  std::snprintf(caption, sizeof caption, "%s Error!", title);
  ErrorMessage message = MessageFor(kind);
  MessageBoxA(window, message.text, caption, message.icon);
}
