#include "driver.h"

namespace {

const char kOtherClass[] = "E2EOtherApplication";

}  // namespace

int RunActivate(DWORD runMs) {
  RegisterPlainClass(kOtherClass);
  const HWND window =
      CreateWindowExA(WS_EX_TOPMOST, kOtherClass, "Other application", WS_POPUP | WS_VISIBLE, 100, 100, 200,
                      150, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (!window) {
    ReportNumber("window_error", GetLastError());
    return 2;
  }
  ReportNumber("activated", SetForegroundWindow(window) ? 1 : 0);
  ServeMessages(runMs);
  ReportNumber("foreground_is_mine", GetForegroundWindow() == window ? 1 : 0);
  DestroyWindow(window);
  return 0;
}
