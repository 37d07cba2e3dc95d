#include "driver.h"

namespace {

const char kOwnerClass[] = "E2EPasswordOwner";

HWND MakeWindow(const char* title, int x) {
  return CreateWindowExA(0, kOwnerClass, title, WS_POPUP, x, 100, 200, 150, nullptr, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}

}  // namespace

// Two windows for the password change: one that a command line names as the owner, shown without
// being activated, and another that is the foreground window, which the saver takes when none is named.
int RunOwnerWindows(DWORD runMs) {
  RegisterPlainClass(kOwnerClass);
  const HWND named = MakeWindow("Named owner", 100);
  const HWND foreground = MakeWindow("Foreground owner", 400);
  if (!named || !foreground) {
    ReportNumber("window_error", GetLastError());
    return 2;
  }
  ShowWindow(foreground, SW_SHOW);
  ShowWindow(named, SW_SHOWNOACTIVATE);
  SetForegroundWindow(foreground);
  Report("named", std::to_string(reinterpret_cast<ULONG_PTR>(named)));
  Report("foreground", std::to_string(reinterpret_cast<ULONG_PTR>(foreground)));
  ReportNumber("foreground_is_mine", GetForegroundWindow() == foreground ? 1 : 0);
  ServeMessages(runMs);
  DestroyWindow(named);
  DestroyWindow(foreground);
  return 0;
}
