#include "driver.h"

namespace {

const char kHostClass[] = "E2EPreviewHost";

// What the preview child forwarded to its host; the saver posts context-menu requests upwards.
WPARAM g_contextMenuWParam = 0;

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CONTEXTMENU) {
    g_contextMenuWParam = wParam;
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

void PumpMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

// Keeps the host responsive (the child's creation sends messages to it) while waiting for the process.
bool WaitForProcess(HANDLE process, DWORD ms) {
  const DWORD start = GetTickCount();
  for (;;) {
    PumpMessages();
    const DWORD spent = GetTickCount() - start;
    if (spent >= ms) {
      return WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
    }
    if (MsgWaitForMultipleObjects(1, &process, FALSE, ms - spent, QS_ALLINPUT) == WAIT_OBJECT_0) {
      return true;
    }
  }
}

HWND CreateHost(int width, int height) {
  RegisterPlainClass(kHostClass, HostProc);
  RECT frame = {0, 0, width, height};
  AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
  return CreateWindowExA(0, kHostClass, "Preview host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40,
                         frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}

// A child shows up in the window tree while CreateWindowEx still runs; it is judged once it is
// visible, or when the time is up.
HWND WaitForPreviewChild(HWND host, HANDLE process, DWORD ms) {
  const DWORD start = GetTickCount();
  HWND child = nullptr;
  while (!(child && IsWindowVisible(child)) && GetTickCount() - start < ms) {
    if (WaitForProcess(process, 20)) {
      break;
    }
    child = FindWindowExA(host, nullptr, "WindowsScreenSaverClass", nullptr);
  }
  return child;
}

void SendPreviewInput(HWND child) {
  PostMessageA(child, WM_KEYDOWN, VK_SPACE, 0x00390001);
  PostMessageA(child, WM_KEYUP, VK_SPACE, 0xC0390001);
  PostMessageA(child, WM_SYSKEYDOWN, VK_MENU, 0x20380001);
  PostMessageA(child, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  PostMessageA(child, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
  PostMessageA(child, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(20, 20));
  PostMessageA(child, WM_RBUTTONUP, 0, MAKELPARAM(20, 20));
  PostMessageA(child, WM_MOUSEMOVE, 0, MAKELPARAM(100, 80));
  PostMessageA(child, WM_ACTIVATEAPP, FALSE, 0);
  PostMessageA(child, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(child), MAKELPARAM(5, 5));
  POINT cursor;
  GetCursorPos(&cursor);
  SetCursorPos(cursor.x + 40, cursor.y + 30);
}

}  // namespace

int RunPreview(int width, int height, DWORD runMs, const char* saverPath) {
  const HWND host = CreateHost(width, height);
  if (!host) {
    ReportNumber("host_error", GetLastError());
    return 2;
  }
  PumpMessages();
  RECT client = {};
  GetClientRect(host, &client);
  ReportNumber("host", reinterpret_cast<ULONG_PTR>(host));
  Report("host_client", FormatRect(client));

  std::string line =
      std::string("\"") + saverPath + "\" /p " + std::to_string(reinterpret_cast<ULONG_PTR>(host));
  Report("command_line", line);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    ReportNumber("create_error", GetLastError());
    DestroyWindow(host);
    return 2;
  }

  const HWND child = WaitForPreviewChild(host, process.hProcess, 10000);
  ReportNumber("child_found", child ? 1 : 0);
  if (child) {
    ReportWindow("child_", child);
    RECT inHost = {};
    GetWindowRect(child, &inHost);
    MapWindowPoints(HWND_DESKTOP, host, reinterpret_cast<POINT*>(&inHost), 2);
    Report("child_rect_in_host", FormatRect(inHost));
    ReportNumber("child_count", static_cast<long long>(FindSaverWindows(process.dwProcessId, true).size()));

    SendPreviewInput(child);
    const bool endedEarly = WaitForProcess(process.hProcess, runMs);
    ReportNumber("alive_after_input", endedEarly ? 0 : 1);
    ReportNumber("child_after_input", IsWindow(child) ? 1 : 0);
    ReportNumber("contextmenu_wparam", static_cast<long long>(g_contextMenuWParam));
  }

  // Closing the host takes its children with it, which is how a preview normally ends.
  DestroyWindow(host);
  if (WaitForProcess(process.hProcess, 5000)) {
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    ReportNumber("exit", static_cast<int>(code));
  } else {
    TerminateProcess(process.hProcess, 1);
    WaitForSingleObject(process.hProcess, 5000);
    Report("exit", "timeout");
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return 0;
}
