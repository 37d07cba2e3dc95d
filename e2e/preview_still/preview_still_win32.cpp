// The saver's own preview run inside this process, into a host window of its own at the screen's
// top-left corner: under Wine a preview child drawn by another process never reaches the screen,
// one drawn by the host's own process does. The pictures and the palette come from the shipped file.
// usage: preview_still_win32.exe SAVER.scr WIDTH HEIGHT DONE_FILE [SECONDS]
// Prints key=value lines and "ready" once the still has been drawn; ends the preview as a host does,
// by destroying its window, once DONE_FILE exists or after SECONDS (60 by default).
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "e2e/driver/driver.h"
#include "host/host_state.h"
#include "host/saver_window.h"

namespace {

const char kHostClass[] = "E2EPreviewStillHost";
// The still is drawn on the saver's first tick, 110 ms after its window was made.
const UINT_PTR kSettleTimer = 1;
const UINT kSettleMs = 500;
const UINT_PTR kPollTimer = 2;
const UINT kPollMs = 50;

const char* doneFile = nullptr;
DWORD startTick = 0;
DWORD limitMs = 0;

HWND PreviewChild(HWND host) {
  return FindWindowExA(host, nullptr, kSaverClassName, nullptr);
}

void ReportChild(HWND host) {
  const HWND child = PreviewChild(host);
  ReportNumber("child_found", child ? 1 : 0);
  if (!child)
    return;
  ReportWindow("child_", child);
  RECT client = {};
  GetClientRect(child, &client);
  Report("child_client", FormatRect(client));
  HDC dc = GetDC(child);
  ReportNumber("bits", GetDeviceCaps(dc, BITSPIXEL));
  ReleaseDC(child, dc);
}

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PARENTNOTIFY && LOWORD(wParam) == WM_CREATE) {
    SetTimer(window, kSettleTimer, kSettleMs, nullptr);
  } else if (message == WM_TIMER && wParam == kSettleTimer) {
    KillTimer(window, kSettleTimer);
    ReportChild(window);
    Report("ready", "1");
    SetTimer(window, kPollTimer, kPollMs, nullptr);
    return 0;
  } else if (message == WM_TIMER && wParam == kPollTimer) {
    const bool told = GetFileAttributesA(doneFile) != INVALID_FILE_ATTRIBUTES;
    if (told || GetTickCount() - startTick >= limitMs) {
      KillTimer(window, kPollTimer);
      Report("end", told ? "told" : "timeout");
      DestroyWindow(window);
    }
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateHost(int width, int height) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = HostProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  // A colour the saver never paints: a pixel that the preview leaves alone shows.
  windowClass.hbrBackground = CreateSolidBrush(RGB(255, 0, 255));
  windowClass.lpszClassName = kHostClass;
  if (!RegisterClassA(&windowClass))
    return nullptr;
  return CreateWindowExA(WS_EX_TOPMOST, kHostClass, "Preview still host",
                         WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, width, height, nullptr, nullptr,
                         windowClass.hInstance, nullptr);
}

}  // namespace

int main(int argc, char** argv) {
  // The harness reads plain \n-terminated lines.
  _setmode(_fileno(stdout), _O_BINARY);
  const int width = argc > 3 ? std::atoi(argv[2]) : 0;
  const int height = argc > 3 ? std::atoi(argv[3]) : 0;
  if (argc < 5 || width <= 0 || height <= 0) {
    Report("error", "usage: preview_still_win32 SAVER.scr WIDTH HEIGHT DONE_FILE [SECONDS]");
    return 2;
  }
  doneFile = argv[4];
  limitMs = (argc > 5 ? static_cast<DWORD>(std::atoi(argv[5])) : 60) * 1000;
  startTick = GetTickCount();

  // As a data file the module is only mapped: none of its code runs, its resources are found as the
  // saver finds them in its own module.
  const HMODULE saver = LoadLibraryExA(argv[1], nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (!saver) {
    ReportNumber("load_error", GetLastError());
    return 1;
  }
  const HWND host = CreateHost(width, height);
  if (!host) {
    ReportNumber("host_error", GetLastError());
    return 1;
  }
  UpdateWindow(host);
  RECT client = {};
  GetClientRect(host, &client);
  Report("host_client", FormatRect(client));

  hostState.instance = saver;
  const int result = RunSaverWindow(host);
  ReportNumber("saver_result", result);
  FreeLibrary(saver);
  return 0;
}
