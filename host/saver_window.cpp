#include "host/saver_window.h"

#include "app/module_entry.h"
#include "app/saver_layout.h"
#include "app/saver_proc.h"
#include "host/host_state.h"
#include "host/monitor_covers.h"
#include "host/password.h"

const char* const kSaverClassName = "WindowsScreenSaverClass";
const char* const kSaverWindowTitle = "Screen Saver";

namespace {

const char* const kPreviewTitle = "Preview";
const UINT kSaverClassStyle = CS_OWNDC | CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
const DWORD kSaverStyle = WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
const DWORD kPreviewStyle = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN;
const int kIconGroup = 100;
// Exit code of a saving or preview mode whose window could not be made.
const int kNoSaverWindow = -1;

typedef DPI_AWARENESS_CONTEXT(WINAPI* GetWindowAwarenessEntry)(HWND window);
typedef DPI_AWARENESS_CONTEXT(WINAPI* SetThreadAwarenessEntry)(DPI_AWARENESS_CONTEXT context);

// The thread's DPI awareness as it was before the preview took its host's.
struct ThreadAwareness {
  SetThreadAwarenessEntry set = nullptr;
  DPI_AWARENESS_CONTEXT previous = nullptr;
};

// A child must share its parent's DPI awareness, and the display settings' window need not be as
// aware as this saver's manifest makes it; systems without both functions know no awareness.
ThreadAwareness TakeHostsAwareness(HWND host) {
  HMODULE user = GetModuleHandleA("USER32.DLL");
  if (!user)
    return {};
  auto get = ModuleEntry<GetWindowAwarenessEntry>(user, "GetWindowDpiAwarenessContext");
  auto set = ModuleEntry<SetThreadAwarenessEntry>(user, "SetThreadDpiAwarenessContext");
  if (!get || !set)
    return {};
  return {set, set(get(host))};
}

// A failed switch handed back no previous awareness, and so there is nothing to restore.
void RestoreAwareness(const ThreadAwareness& awareness) {
  if (awareness.set && awareness.previous)
    awareness.set(awareness.previous);
}

void DetachInputContext(HWND window) {
  hostState.imeModule = GetModuleHandleA("IMM32.DLL");
  if (!hostState.imeModule)
    return;
  hostState.associateContext = ModuleEntry<AssociateContextEntry>(hostState.imeModule, "ImmAssociateContext");
  if (hostState.associateContext)
    hostState.savedInputContext = hostState.associateContext(window, nullptr);
}

void RestoreInputContext(HWND window) {
  if (hostState.imeModule && hostState.associateContext && hostState.savedInputContext) {
    hostState.associateContext(window, hostState.savedInputContext);
  }
}

// Help requests in a preview belong to the display settings that host it.
LRESULT ForwardToPreviewHost(HWND window, UINT message, LPARAM lParam) {
  HWND host = GetParent(window);
  if (host && IsWindow(host))
    PostMessageA(host, message, reinterpret_cast<WPARAM>(host), lParam);
  return 1;
}

// The system keeps flags of its own in the four low bits of a command.
bool IsIgnoredSystemCommand(WPARAM command) {
  const WPARAM type = command & 0xFFF0;
  return type == SC_NEXTWINDOW || type == SC_PREVWINDOW || type == SC_SCREENSAVE;
}

// Resolution, monitors or DPI changed: the scene goes on where it was, laid out afresh.
void FollowDisplayChange(HWND window) {
  RemoveCovers();
  RelayoutSaver(window);
  CoverOtherMonitors(window);
  RepaintSaver();
}

}  // namespace

void HideSaverCursor() {
  if (!hostState.previewMode)
    SetCursor(nullptr);
}

int RunSaverWindow(HWND parent) {
  WNDCLASSA windowClass = {};
  windowClass.style = kSaverClassStyle;
  windowClass.lpfnWndProc = HostWindowProc;
  windowClass.hInstance = hostState.instance;
  windowClass.hIcon = LoadIconA(hostState.instance, MAKEINTRESOURCEA(kIconGroup));
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  windowClass.lpszClassName = kSaverClassName;

  const char* title;
  DWORD style;
  DWORD exStyle;
  int width;
  int height;
  if (parent) {
    RECT client = {};
    GetClientRect(parent, &client);
    width = client.right;
    height = client.bottom;
    hostState.previewMode = TRUE;
    title = kPreviewTitle;
    style = kPreviewStyle;
    exStyle = 0;
  } else {
    width = GetSystemMetrics(SM_CXSCREEN);
    height = GetSystemMetrics(SM_CYSCREEN);
    style = kSaverStyle;
    HWND running = FindWindowA(kSaverClassName, kSaverWindowTitle);
    if (running && IsWindow(running)) {
      SetForegroundWindow(running);
      return 0;
    }
    LoadPasswordVerifier();
    title = kSaverWindowTitle;
    exStyle = WS_EX_TOPMOST;
  }

  if (RegisterClassA(&windowClass)) {
    const ThreadAwareness awareness = parent ? TakeHostsAwareness(parent) : ThreadAwareness();
    hostState.saverWindow = CreateWindowExA(exStyle, kSaverClassName, title, style, 0, 0, width, height,
                                            parent, nullptr, hostState.instance, nullptr);
    RestoreAwareness(awareness);
  }
  int result = kNoSaverWindow;
  if (hostState.saverWindow) {
    if (!hostState.previewMode) {
      CoverOtherMonitors(hostState.saverWindow);
      SetForegroundWindow(hostState.saverWindow);
    }
    MSG message = {};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    result = static_cast<int>(message.wParam);
  }
  // Windows 95 has already taken the window down with the loop; NT still needs it destroyed.
  if (!hostState.onWindows95 && hostState.saverWindow)
    DestroyWindow(hostState.saverWindow);
  UnloadPasswordVerifier();
  return result;
}

LRESULT CALLBACK HostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      DetachInputContext(window);
      GetCursorPos(&hostState.lastCursor);
      HideSaverCursor();
      break;
    case WM_DESTROY:
      RestoreInputContext(window);
      PostQuitMessage(0);
      break;
    case WM_SETTEXT:
      return 0;
    case WM_PAINT:
      if (hostState.closing)
        return DefWindowProcA(window, message, wParam, lParam);
      HideSaverCursor();
      break;
    case WM_HELP:
    case WM_CONTEXTMENU:
      if (hostState.previewMode)
        return ForwardToPreviewHost(window, message, lParam);
      break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      if (hostState.closing)
        return DefWindowProcA(window, message, wParam, lParam);
      break;
    case WM_SYSCOMMAND:
      if (!hostState.previewMode && IsIgnoredSystemCommand(wParam))
        return 0;
      break;
    case WM_DISPLAYCHANGE:
    case WM_DPICHANGED:
      if (hostState.previewMode || hostState.closing)
        break;
      FollowDisplayChange(window);
      return 0;
    case WM_TIMER:
      if (hostState.closing)
        return 0;
      Sleep(0);
      break;
    default:
      break;
  }
  return SaverWindowProc(window, message, wParam, lParam);
}
