#include "driver.h"

#include <cstring>

namespace {

struct ClassSearch {
  const char* className;
  std::vector<HWND> found;
};

BOOL CALLBACK ConsiderWindow(HWND window, LPARAM context) {
  ClassSearch& search = *reinterpret_cast<ClassSearch*>(context);
  char className[64] = {};
  GetClassNameA(window, className, sizeof className);
  if (std::strcmp(className, search.className) == 0 && IsWindowVisible(window))
    search.found.push_back(window);
  return TRUE;
}

std::vector<HWND> VisibleWindowsOfClass(const char* className) {
  ClassSearch search{className, {}};
  EnumWindows(ConsiderWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

BOOL CALLBACK ReportMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM counter) {
  int& count = *reinterpret_cast<int*>(counter);
  const std::string prefix = "monitor" + std::to_string(++count) + ".";
  MONITORINFO info = {};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoA(monitor, &info)) {
    ReportNumber(prefix + "error", GetLastError());
    return TRUE;
  }
  Report(prefix + "rect", FormatRect(info.rcMonitor));
  ReportNumber(prefix + "primary", (info.dwFlags & MONITORINFOF_PRIMARY) ? 1 : 0);
  return TRUE;
}

}  // namespace

int ReportMonitors() {
  int count = 0;
  EnumDisplayMonitors(nullptr, nullptr, ReportMonitor, reinterpret_cast<LPARAM>(&count));
  ReportNumber("monitors", count);
  Report("screen",
         std::to_string(GetSystemMetrics(SM_CXSCREEN)) + "," + std::to_string(GetSystemMetrics(SM_CYSCREEN)));
  const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
  const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  Report("virtual_screen", FormatRect({left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                                       top + GetSystemMetrics(SM_CYVIRTUALSCREEN)}));
  return 0;
}

int RunClassWindows(const char* className, DWORD count, DWORD waitMs) {
  const DWORD start = GetTickCount();
  std::vector<HWND> windows = VisibleWindowsOfClass(className);
  while (windows.size() < count && GetTickCount() - start < waitMs) {
    Sleep(20);
    windows = VisibleWindowsOfClass(className);
  }
  ReportNumber("count", static_cast<long long>(windows.size()));
  for (size_t i = 0; i < windows.size(); ++i) {
    const std::string prefix = "window" + std::to_string(i + 1) + ".";
    ReportWindow(prefix, windows[i]);
    Report(prefix + "owner", std::to_string(reinterpret_cast<ULONG_PTR>(GetWindow(windows[i], GW_OWNER))));
  }
  return 0;
}
