// Window classes and windows, the default window procedure, and window queries.
#include <strings.h>

#include <algorithm>

#include "world.h"

namespace {

// A window that becomes the active one may realise its palette in the foreground.
void OfferPalette(HWND window) {
  if (FindWindowRecord(window))
    DeliverMessage(window, WM_QUERYNEWPALETTE, 0, 0, false);
}

HWND AsHandle(uintptr_t value) {
  return reinterpret_cast<HWND>(value);
}

const WindowClassRecord* FindClass(const char* name) {
  for (const WindowClassRecord& entry : TheWorld().classes) {
    if (name && strcasecmp(entry.name.c_str(), name) == 0)
      return &entry;
  }
  return nullptr;
}

HWND AddWindow(WindowRecord record) {
  World& world = TheWorld();
  uintptr_t handle = world.nextWindow;
  world.nextWindow += 0x10;
  world.windows[handle] = std::move(record);
  return AsHandle(handle);
}

void RemoveWindow(HWND window) {
  World& world = TheWorld();
  if (WindowRecord* record = FindWindowRecord(window))
    DeleteOwnDC(record->ownDC);
  world.windows.erase(reinterpret_cast<uintptr_t>(window));
  auto& timers = world.timers;
  timers.erase(
      std::remove_if(timers.begin(), timers.end(), [&](const TimerRecord& t) { return t.window == window; }),
      timers.end());
  if (world.foreground == window)
    world.foreground = nullptr;
}

bool ContainsCursor(HWND window, const WindowRecord& record) {
  const POINT origin = ScreenOrigin(window);
  const POINT cursor = TheWorld().cursor;
  return record.visible && cursor.x >= origin.x && cursor.x < origin.x + record.width &&
         cursor.y >= origin.y && cursor.y < origin.y + record.height;
}

// Topmost windows lie above all others, the foreground window above its own kind, and otherwise the
// later window above the earlier one.
int StackLevel(HWND window, const WindowRecord& record) {
  return ((record.exStyle & WS_EX_TOPMOST) ? 2 : 0) + (TheWorld().foreground == window ? 1 : 0);
}

}  // namespace

POINT ScreenOrigin(HWND window) {
  POINT origin = {0, 0};
  for (const WindowRecord* record = FindWindowRecord(window); record;
       record = FindWindowRecord(record->parent)) {
    origin.x += record->x;
    origin.y += record->y;
    if (!(record->style & WS_CHILD))
      break;
  }
  return origin;
}

HWND WindowUnderCursor() {
  HWND found = nullptr;
  int level = -1;
  for (auto& [handle, record] : TheWorld().windows) {
    if (!(record.style & WS_CHILD) && ContainsCursor(AsHandle(handle), record) &&
        StackLevel(AsHandle(handle), record) >= level) {
      found = AsHandle(handle);
      level = StackLevel(found, record);
    }
  }
  // Then down through the children, where too the later lies above the earlier.
  for (HWND parent = nullptr; found && found != parent;) {
    parent = found;
    for (auto& [handle, record] : TheWorld().windows) {
      if ((record.style & WS_CHILD) && record.parent == parent && ContainsCursor(AsHandle(handle), record))
        found = AsHandle(handle);
    }
  }
  const WindowRecord* record = FindWindowRecord(found);
  return record && !record->foreign ? found : nullptr;
}

RECT ScreenRect(HWND window) {
  const WindowRecord* record = FindWindowRecord(window);
  if (!record)
    return RECT{0, 0, 0, 0};
  const POINT origin = ScreenOrigin(window);
  return RECT{origin.x, origin.y, origin.x + record->width, origin.y + record->height};
}

std::vector<HWND> TopLevelWindows() {
  std::vector<HWND> windows;
  for (auto& [handle, record] : TheWorld().windows) {
    if (!record.foreign && !(record.style & WS_CHILD))
      windows.push_back(AsHandle(handle));
  }
  return windows;
}

WindowRecord* FindWindowRecord(HWND window) {
  auto& windows = TheWorld().windows;
  auto found = windows.find(reinterpret_cast<uintptr_t>(window));
  return found == windows.end() ? nullptr : &found->second;
}

LRESULT DeliverMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool posted) {
  WindowRecord* record = FindWindowRecord(window);
  if (!record)
    return 0;
  TheWorld().messages.push_back({window, message, wParam, lParam, posted});
  if (record->foreign || !record->procedure)
    return 0;
  return record->procedure(window, message, wParam, lParam);
}

ATOM WINAPI RegisterClassA(const WNDCLASSA* windowClass) {
  LogCall("RegisterClassA", windowClass->lpszClassName, " style=", windowClass->style);
  if (ShouldFail("RegisterClassA") || !windowClass->lpszClassName || FindClass(windowClass->lpszClassName))
    return 0;
  TheWorld().classes.push_back({*windowClass, windowClass->lpszClassName});
  return static_cast<ATOM>(0xC000 + TheWorld().classes.size());
}

HWND WINAPI CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR title, DWORD style, int x, int y,
                            int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                            LPVOID parameter) {
  LogCall("CreateWindowExA", "ex=", exStyle, " class=", className, " title=", title, " style=", style,
          " x=", x, " y=", y, " w=", width, " h=", height, " parent=", parent);
  const WindowClassRecord* windowClass = FindClass(className);
  if (!windowClass || ShouldFail("CreateWindowExA"))
    return nullptr;
  // A child needs its parent; a popup given a window is owned by it. A child must know of DPIs what
  // its parent knows.
  const WindowRecord* parentRecord = FindWindowRecord(parent);
  if ((parent || (style & WS_CHILD)) && !parentRecord)
    return nullptr;
  if ((style & WS_CHILD) && parentRecord->awareness != TheWorld().threadAwareness)
    return nullptr;

  WindowRecord record;
  record.className = windowClass->name;
  record.title = title ? title : "";
  record.procedure = windowClass->definition.lpfnWndProc;
  record.style = style;
  record.exStyle = exStyle;
  record.parent = parent;
  record.x = x;
  record.y = y;
  record.width = width;
  record.height = height;
  record.awareness = TheWorld().threadAwareness;
  HWND window = AddWindow(record);
  if (windowClass->definition.style & CS_OWNDC)
    FindWindowRecord(window)->ownDC = CreateOwnDC(window);

  CREATESTRUCTA create = {parameter, instance,  menu,   parent, height, width, y, x, static_cast<LONG>(style),
                          title,     className, exStyle};
  LPARAM createParameter = reinterpret_cast<LPARAM>(&create);
  if (!DeliverMessage(window, WM_NCCREATE, 0, createParameter, false) ||
      DeliverMessage(window, WM_CREATE, 0, createParameter, false) == -1) {
    DeliverMessage(window, WM_DESTROY, 0, 0, false);
    DeliverMessage(window, WM_NCDESTROY, 0, 0, false);
    RemoveWindow(window);
    return nullptr;
  }
  if (style & WS_VISIBLE) {
    WindowRecord* shown = FindWindowRecord(window);
    shown->visible = true;
    shown->needsPaint = true;
    DeliverMessage(window, WM_SHOWWINDOW, TRUE, 0, false);
    if (!(style & WS_CHILD) && FindWindowRecord(window)) {
      TheWorld().foreground = window;
      DeliverMessage(window, WM_ACTIVATEAPP, TRUE, 0, false);
      OfferPalette(window);
    }
    // A window that appears under the cursor hears of the mouse as if it had moved.
    if (FindWindowRecord(window) && WindowUnderCursor() == window)
      QueueMouseMove();
  }
  return FindWindowRecord(window) ? window : nullptr;
}

BOOL WINAPI DestroyWindow(HWND window) {
  LogCall("DestroyWindow", window);
  if (!FindWindowRecord(window))
    return FALSE;
  // Owned windows go before their owner hears of its destruction; children after.
  std::vector<HWND> owned;
  for (auto& [handle, record] : TheWorld().windows) {
    if (record.parent == window && !(record.style & WS_CHILD))
      owned.push_back(AsHandle(handle));
  }
  for (HWND popup : owned)
    DestroyWindow(popup);
  std::vector<HWND> children;
  for (auto& [handle, record] : TheWorld().windows) {
    if (record.parent == window && (record.style & WS_CHILD))
      children.push_back(AsHandle(handle));
  }
  DeliverMessage(window, WM_DESTROY, 0, 0, false);
  for (HWND child : children)
    DestroyWindow(child);
  DeliverMessage(window, WM_NCDESTROY, 0, 0, false);
  RemoveWindow(window);
  return TRUE;
}

LRESULT WINAPI DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  WindowRecord* record = FindWindowRecord(window);
  if (!record)
    return 0;
  if (message == WM_CLOSE || message == WM_SYSCOMMAND)
    LogCall("DefWindowProcA", window, " msg=", message, " wp=", wParam);
  switch (message) {
    case WM_NCCREATE:
      return TRUE;
    case WM_CLOSE:
      DestroyWindow(window);
      return 0;
    case WM_PAINT: {
      // Validating the window is what BeginPaint does; it erases the background first.
      record->needsPaint = false;
      HDC dc = GetDC(window);
      DeliverMessage(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0, false);
      ReleaseDC(window, dc);
      return 0;
    }
    case WM_ERASEBKGND: {
      const WindowClassRecord* windowClass = FindClass(record->className.c_str());
      if (!windowClass || !windowClass->definition.hbrBackground)
        return 0;
      RECT client = {0, 0, record->width, record->height};
      FillRect(reinterpret_cast<HDC>(wParam), &client, windowClass->definition.hbrBackground);
      return 1;
    }
    case WM_SETCURSOR: {
      // The parent decides first; in the client area the class cursor is set, when the class has one.
      HWND parent = (record->style & WS_CHILD) ? record->parent : nullptr;
      if (parent && SendMessageA(parent, WM_SETCURSOR, wParam, lParam))
        return TRUE;
      const WindowClassRecord* windowClass = FindClass(record->className.c_str());
      if (LOWORD(lParam) == HTCLIENT && windowClass && windowClass->definition.hCursor)
        TheWorld().cursorShape = windowClass->definition.hCursor;
      return FALSE;
    }
    case WM_SETTEXT:
      record->title = lParam ? reinterpret_cast<const char*>(lParam) : "";
      return TRUE;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_CLOSE)
        SendMessageA(window, WM_CLOSE, 0, 0);
      return 0;
    default:
      return 0;
  }
}

HWND WINAPI FindWindowA(LPCSTR className, LPCSTR title) {
  LogCall("FindWindowA", className, " title=", title);
  for (auto& [handle, record] : TheWorld().windows) {
    if (className && strcasecmp(record.className.c_str(), className) != 0)
      continue;
    if (title && record.title != title)
      continue;
    return AsHandle(handle);
  }
  return nullptr;
}

BOOL WINAPI IsWindow(HWND window) {
  return FindWindowRecord(window) != nullptr;
}

BOOL WINAPI SetForegroundWindow(HWND window) {
  LogCall("SetForegroundWindow", window);
  WindowRecord* record = FindWindowRecord(window);
  if (!record)
    return FALSE;
  const bool changed = TheWorld().foreground != window;
  TheWorld().foreground = window;
  if (changed && !record->foreign)
    OfferPalette(window);
  return TRUE;
}

HWND WINAPI GetForegroundWindow(void) {
  return TheWorld().foreground;
}

HWND WINAPI GetParent(HWND window) {
  WindowRecord* record = FindWindowRecord(window);
  return record ? record->parent : nullptr;
}

BOOL WINAPI GetClientRect(HWND window, LPRECT rect) {
  WindowRecord* record = FindWindowRecord(window);
  if (!record || !rect)
    return FALSE;
  *rect = {0, 0, record->width, record->height};
  return TRUE;
}

BOOL WINAPI SetWindowPos(HWND window, HWND insertAfter, int x, int y, int width, int height, UINT flags) {
  LogCall("SetWindowPos", window, " after=", insertAfter, " x=", x, " y=", y, " w=", width, " h=", height,
          " flags=", flags);
  WindowRecord* record = FindWindowRecord(window);
  if (!record || ShouldFail("SetWindowPos"))
    return FALSE;
  if (!(flags & SWP_NOMOVE)) {
    record->x = x;
    record->y = y;
  }
  const bool resized = !(flags & SWP_NOSIZE) && (record->width != width || record->height != height);
  if (resized) {
    record->width = width < 0 ? 0 : width;
    record->height = height < 0 ? 0 : height;
    record->needsPaint = record->visible;
  }
  WINDOWPOS position = {window, insertAfter, record->x, record->y, record->width, record->height, flags};
  DeliverMessage(window, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&position), false);
  return TRUE;
}

int WINAPI GetSystemMetrics(int index) {
  if (index == SM_CXSCREEN)
    return TheWorld().screenWidth;
  if (index == SM_CYSCREEN)
    return TheWorld().screenHeight;
  return 0;
}

HICON WINAPI LoadIconA(HINSTANCE instance, LPCSTR name) {
  LogCall("LoadIconA", instance, " id=", reinterpret_cast<uintptr_t>(name));
  return reinterpret_cast<HICON>(0x6000);
}

int WINAPI MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  LogCall("MessageBoxA", owner, " text=", text, " caption=", caption, " type=", type);
  TheWorld().messageBoxes.push_back({owner, text ? text : "", caption ? caption : "<null>", type});
  return IDOK;
}

BOOL WINAPI SystemParametersInfoA(UINT action, UINT parameter, PVOID value, UINT winIni) {
  LogCall("SystemParametersInfoA", action, " ", parameter, " ", winIni);
  World& world = TheWorld();
  if (action == SPI_SCREENSAVERRUNNING) {
    if (value)
      *static_cast<BOOL*>(value) = world.screenSaverRunning;
    world.screenSaverRunning = parameter != 0;
  } else if (action == SPI_GETSCREENSAVERRUNNING && value) {
    *static_cast<BOOL*>(value) = world.screenSaverRunning;
  }
  return TRUE;
}

BOOL WINAPI UnionRect(LPRECT result, const RECT* a, const RECT* b) {
  bool aEmpty = a->right <= a->left || a->bottom <= a->top;
  bool bEmpty = b->right <= b->left || b->bottom <= b->top;
  if (aEmpty && bEmpty) {
    *result = {0, 0, 0, 0};
    return FALSE;
  }
  if (aEmpty) {
    *result = *b;
  } else if (bEmpty) {
    *result = *a;
  } else {
    *result = {std::min(a->left, b->left), std::min(a->top, b->top), std::max(a->right, b->right),
               std::max(a->bottom, b->bottom)};
  }
  return TRUE;
}

HWND HeadlessCreateForeignWindow(const std::string& title, int clientWidth, int clientHeight) {
  WindowRecord record;
  record.className = "ForeignWindow";
  record.title = title;
  record.style = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
  record.width = clientWidth;
  record.height = clientHeight;
  record.visible = true;
  record.foreign = true;
  record.awareness = TheWorld().threadAwareness;
  return AddWindow(record);
}

HWND HeadlessForeground() {
  return TheWorld().foreground;
}
bool HeadlessIsVisible(HWND window) {
  WindowRecord* record = FindWindowRecord(window);
  return record && record->visible;
}
DWORD HeadlessStyle(HWND window) {
  WindowRecord* record = FindWindowRecord(window);
  return record ? record->style : 0;
}
DWORD HeadlessExStyle(HWND window) {
  WindowRecord* record = FindWindowRecord(window);
  return record ? record->exStyle : 0;
}
std::string HeadlessClassName(HWND window) {
  WindowRecord* record = FindWindowRecord(window);
  return record ? record->className : "";
}
bool HeadlessScreenSaverRunning() {
  return TheWorld().screenSaverRunning;
}
std::vector<HWND> HeadlessWindows() {
  std::vector<HWND> windows;
  for (auto& [handle, record] : TheWorld().windows) {
    if (!record.foreign)
      windows.push_back(AsHandle(handle));
  }
  return windows;
}
RECT HeadlessWindowRect(HWND window) {
  return ScreenRect(window);
}
WNDCLASSA HeadlessWindowClass(HWND window) {
  const WindowRecord* record = FindWindowRecord(window);
  const WindowClassRecord* windowClass = record ? FindClass(record->className.c_str()) : nullptr;
  return windowClass ? windowClass->definition : WNDCLASSA{};
}
int HeadlessWindowCount() {
  int count = 0;
  for (auto& entry : TheWorld().windows)
    count += entry.second.foreign ? 0 : 1;
  return count;
}
