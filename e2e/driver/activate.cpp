#include "driver.h"

namespace {

const char kOtherClass[] = "E2EOtherApplication";

}  // namespace

int RunActivate(DWORD runMs) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  windowClass.lpszClassName = kOtherClass;
  RegisterClassA(&windowClass);
  const HWND window =
      CreateWindowExA(WS_EX_TOPMOST, kOtherClass, "Other application", WS_POPUP | WS_VISIBLE, 100, 100, 200,
                      150, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (!window) {
    ReportNumber("window_error", GetLastError());
    return 2;
  }
  ReportNumber("activated", SetForegroundWindow(window) ? 1 : 0);
  // Messages are served meanwhile, so that the activation change reaches every application.
  const DWORD start = GetTickCount();
  MSG message;
  while (GetTickCount() - start < runMs) {
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      DispatchMessageA(&message);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
  ReportNumber("foreground_is_mine", GetForegroundWindow() == window ? 1 : 0);
  DestroyWindow(window);
  return 0;
}
