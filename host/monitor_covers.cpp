#include "host/monitor_covers.h"

#include "app/module_entry.h"
#include "app/saver_layout.h"
#include "host/host_state.h"

const char* const kCoverClassName = "LomlomMonitorCover";

namespace {

// Windows 95 and NT 4 know one monitor and lack both entries, so they are looked up at run time.
typedef BOOL(WINAPI* EnumDisplayMonitorsEntry)(HDC dc, LPCRECT clip, MONITORENUMPROC callback, LPARAM data);
typedef BOOL(WINAPI* GetMonitorInfoEntry)(HMONITOR monitor, LPMONITORINFO info);

const DWORD kCoverStyle = WS_POPUP | WS_VISIBLE;

struct Covering {
  HWND saverWindow;
  GetMonitorInfoEntry monitorInfo;
  bool classTried;
};

// Input on a cover is input on the saver window and takes the same road to a close, password and
// all. The saver reads the cursor's position itself, so mouse coordinates need no translation.
LRESULT CALLBACK CoverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_MOUSEMOVE:
    case WM_SETCURSOR:
    case WM_CLOSE:
      if (hostState.saverWindow)
        return SendMessageA(hostState.saverWindow, message, wParam, lParam);
      break;
    // The saver lays every monitor out again; this cover goes with the others, so not from here.
    case WM_DPICHANGED:
      if (hostState.saverWindow)
        PostMessageA(hostState.saverWindow, message, wParam, 0);
      return 0;
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

// The class is registered only once a monitor needs covering, and stays for the covers a display
// change makes.
bool CoverClassReady(Covering& covering) {
  if (!hostState.coverClassReady && !covering.classTried) {
    covering.classTried = true;
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = CoverWindowProc;
    windowClass.hInstance = hostState.instance;
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = kCoverClassName;
    hostState.coverClassReady = RegisterClassA(&windowClass) != 0;
  }
  return hostState.coverClassReady;
}

BOOL CALLBACK CoverMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM context) {
  Covering& covering = *reinterpret_cast<Covering*>(context);
  MONITORINFO info = {};
  info.cbSize = sizeof info;
  if (!covering.monitorInfo(monitor, &info) || (info.dwFlags & MONITORINFOF_PRIMARY))
    return TRUE;
  if (hostState.coverCount >= kMaxCovers || !CoverClassReady(covering))
    return FALSE;
  const RECT& area = info.rcMonitor;
  HWND cover = CreateWindowExA(WS_EX_TOPMOST, kCoverClassName, "", kCoverStyle, area.left, area.top,
                               area.right - area.left, area.bottom - area.top, covering.saverWindow, nullptr,
                               hostState.instance, nullptr);
  if (cover) {
    hostState.covers[hostState.coverCount++] = cover;
    ShowOnCover(cover, monitor, area);
  }
  return TRUE;
}

}  // namespace

void CoverOtherMonitors(HWND saverWindow) {
  HMODULE user = GetModuleHandleA("USER32.DLL");
  if (!user)
    return;
  auto enumerate = ModuleEntry<EnumDisplayMonitorsEntry>(user, "EnumDisplayMonitors");
  Covering covering = {saverWindow, ModuleEntry<GetMonitorInfoEntry>(user, "GetMonitorInfoA"), false};
  if (enumerate && covering.monitorInfo)
    enumerate(nullptr, nullptr, CoverMonitor, reinterpret_cast<LPARAM>(&covering));
}

void RemoveCovers() {
  for (int i = 0; i < hostState.coverCount; ++i)
    DestroyWindow(hostState.covers[i]);
  hostState.coverCount = 0;
}
