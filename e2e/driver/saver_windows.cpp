#include "driver.h"

#include <cstring>

namespace {

const char kSaverClass[] = "WindowsScreenSaverClass";

struct Search {
  DWORD processId;
  bool withChildren;
  std::vector<HWND> found;
};

void Consider(HWND window, Search& search) {
  char className[64] = {};
  GetClassNameA(window, className, sizeof className);
  if (std::strcmp(className, kSaverClass) != 0) {
    return;
  }
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (search.processId == 0 || owner == search.processId) {
    search.found.push_back(window);
  }
}

BOOL CALLBACK OnChild(HWND window, LPARAM context) {
  Consider(window, *reinterpret_cast<Search*>(context));
  return TRUE;
}

BOOL CALLBACK OnTopLevel(HWND window, LPARAM context) {
  Search& search = *reinterpret_cast<Search*>(context);
  Consider(window, search);
  if (search.withChildren) {
    EnumChildWindows(window, OnChild, context);
  }
  return TRUE;
}

// Other visible top-level windows, such as a message box that a failing saver shows instead.
BOOL CALLBACK ReportOtherWindow(HWND window, LPARAM counter) {
  char className[64] = {};
  char title[128] = {};
  GetClassNameA(window, className, sizeof className);
  if (!IsWindowVisible(window) || std::strcmp(className, kSaverClass) == 0) {
    return TRUE;
  }
  GetWindowTextA(window, title, sizeof title);
  int& count = *reinterpret_cast<int*>(counter);
  Report("other_window" + std::to_string(++count), std::string(className) + " \"" + title + "\"");
  return TRUE;
}

}  // namespace

std::vector<HWND> FindSaverWindows(DWORD processId, bool withChildren) {
  Search search{processId, withChildren, {}};
  EnumWindows(OnTopLevel, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

void ReportWindow(const std::string& prefix, HWND window) {
  char className[64] = {};
  char title[128] = {};
  GetClassNameA(window, className, sizeof className);
  GetWindowTextA(window, title, sizeof title);
  RECT rect = {};
  GetWindowRect(window, &rect);
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  Report(prefix + "handle", std::to_string(reinterpret_cast<ULONG_PTR>(window)));
  Report(prefix + "class", className);
  Report(prefix + "title", title);
  Report(prefix + "style", FormatHex(static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE))));
  Report(prefix + "exstyle", FormatHex(static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE))));
  Report(prefix + "rect", FormatRect(rect));
  ReportNumber(prefix + "visible", IsWindowVisible(window) ? 1 : 0);
  ReportNumber(prefix + "pid", processId);
}

int RunSaverWindows(DWORD waitMs) {
  const DWORD start = GetTickCount();
  std::vector<HWND> windows = FindSaverWindows(0, false);
  while (windows.empty() && GetTickCount() - start < waitMs) {
    Sleep(20);
    windows = FindSaverWindows(0, false);
  }
  Report("screen",
         std::to_string(GetSystemMetrics(SM_CXSCREEN)) + "," + std::to_string(GetSystemMetrics(SM_CYSCREEN)));
  ReportNumber("count", static_cast<long long>(windows.size()));
  // A window is listed while CreateWindowEx still runs, and the saver makes itself the foreground
  // window only afterwards; give it a moment to finish.
  HWND foreground = GetForegroundWindow();
  const DWORD found = GetTickCount();
  while (!windows.empty() && (foreground != windows[0] || !IsWindowVisible(windows[0])) &&
         GetTickCount() - found < 2000) {
    Sleep(20);
    foreground = GetForegroundWindow();
  }
  for (size_t i = 0; i < windows.size(); ++i) {
    const std::string prefix = "window" + std::to_string(i + 1) + ".";
    ReportWindow(prefix, windows[i]);
    ReportNumber(prefix + "foreground", windows[i] == foreground ? 1 : 0);
  }
  int others = 0;
  EnumWindows(ReportOtherWindow, reinterpret_cast<LPARAM>(&others));
  return 0;
}
