// DPI awareness of the thread and of windows, and the DPIs each sees: the system's, a monitor's, a
// window's.
#include <stdexcept>

#include "headless/win_shcore.h"
#include "world.h"

namespace {

// The handles the system hands out for the five awarenesses, in the order of their pseudo handles.
const uintptr_t kFirstContext = 0x6010;
const uintptr_t kContextSpacing = 0x10;
const intptr_t kAwarenesses = 5;

// The pseudo handle for a pseudo handle or for a handle the system handed out; null for anything
// else.
DPI_AWARENESS_CONTEXT PseudoContext(DPI_AWARENESS_CONTEXT context) {
  const intptr_t value = reinterpret_cast<intptr_t>(context);
  if (value <= -1 && value >= -kAwarenesses)
    return context;
  const uintptr_t offset = reinterpret_cast<uintptr_t>(context) - kFirstContext;
  if (offset % kContextSpacing != 0 || offset / kContextSpacing >= static_cast<uintptr_t>(kAwarenesses))
    return nullptr;
  return reinterpret_cast<DPI_AWARENESS_CONTEXT>(-1 - static_cast<intptr_t>(offset / kContextSpacing));
}

DPI_AWARENESS_CONTEXT SystemContext(DPI_AWARENESS_CONTEXT pseudo) {
  const intptr_t index = -1 - reinterpret_cast<intptr_t>(pseudo);
  return reinterpret_cast<DPI_AWARENESS_CONTEXT>(kFirstContext +
                                                 static_cast<uintptr_t>(index) * kContextSpacing);
}

bool IsPerMonitor(DPI_AWARENESS_CONTEXT awareness) {
  return awareness == DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE ||
         awareness == DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2;
}

// A monitor's DPI as a thread or window of this awareness sees it.
UINT MonitorDpiFor(DPI_AWARENESS_CONTEXT awareness, size_t monitor) {
  const std::vector<UINT>& dpis = TheWorld().monitorDpis;
  if (!IsPerMonitor(awareness))
    return SystemDpiFor(awareness);
  return monitor < dpis.size() ? dpis[monitor] : USER_DEFAULT_SCREEN_DPI;
}

size_t MonitorOfWindow(HWND window) {
  return static_cast<size_t>(IndexOfMonitor(MonitorOfArea(ScreenRect(window), MONITOR_DEFAULTTONEAREST)));
}

bool CentreLiesOn(HWND window, const RECT& monitor) {
  const RECT rect = ScreenRect(window);
  const LONG x = rect.left + (rect.right - rect.left) / 2;
  const LONG y = rect.top + (rect.bottom - rect.top) / 2;
  return x >= monitor.left && x < monitor.right && y >= monitor.top && y < monitor.bottom;
}

LONG Scaled(LONG length, UINT to, UINT from) {
  return static_cast<LONG>((int64_t{length} * to + from / 2) / from);
}

void SetMonitorDpi(size_t monitor, UINT dpi) {
  World& world = TheWorld();
  if (monitor >= MonitorRects().size())
    throw std::invalid_argument("there is no monitor " + std::to_string(monitor));
  if (dpi == 0)
    throw std::invalid_argument("a DPI of 0");
  world.monitorDpis.resize(MonitorRects().size(), USER_DEFAULT_SCREEN_DPI);
  world.monitorDpis[monitor] = dpi;
}

}  // namespace

UINT SystemDpiFor(DPI_AWARENESS_CONTEXT awareness) {
  const bool unaware =
      awareness == DPI_AWARENESS_CONTEXT_UNAWARE || awareness == DPI_AWARENESS_CONTEXT_UNAWARE_GDISCALED;
  return unaware ? USER_DEFAULT_SCREEN_DPI : TheWorld().systemDpi;
}

UINT WINAPI GetDpiForSystem(void) {
  LogCall("GetDpiForSystem");
  return SystemDpiFor(TheWorld().threadAwareness);
}

// Unaware windows see 96, system-aware ones the system DPI, per-monitor ones their monitor's.
UINT WINAPI GetDpiForWindow(HWND window) {
  LogCall("GetDpiForWindow", window);
  const WindowRecord* record = FindWindowRecord(window);
  return record ? MonitorDpiFor(record->awareness, MonitorOfWindow(window)) : 0;
}

// An unknown context leaves the thread as it was.
DPI_AWARENESS_CONTEXT WINAPI SetThreadDpiAwarenessContext(DPI_AWARENESS_CONTEXT context) {
  LogCall("SetThreadDpiAwarenessContext", context);
  const DPI_AWARENESS_CONTEXT awareness = PseudoContext(context);
  if (!awareness)
    return nullptr;
  World& world = TheWorld();
  const DPI_AWARENESS_CONTEXT previous = SystemContext(world.threadAwareness);
  world.threadAwareness = awareness;
  return previous;
}

DPI_AWARENESS_CONTEXT WINAPI GetWindowDpiAwarenessContext(HWND window) {
  LogCall("GetWindowDpiAwarenessContext", window);
  const WindowRecord* record = FindWindowRecord(window);
  return record ? SystemContext(record->awareness) : nullptr;
}

// As the calling thread sees it: 96 when unaware, the system DPI when system-aware.
HRESULT WINAPI GetDpiForMonitor(HMONITOR monitor, MONITOR_DPI_TYPE type, UINT* dpiX, UINT* dpiY) {
  LogCall("GetDpiForMonitor", monitor, " type=", static_cast<int>(type));
  const long index = IndexOfMonitor(monitor);
  if (index < 0 || !dpiX || !dpiY || type < MDT_EFFECTIVE_DPI || type > MDT_RAW_DPI)
    return E_INVALIDARG;
  *dpiX = *dpiY = MonitorDpiFor(TheWorld().threadAwareness, static_cast<size_t>(index));
  return S_OK;
}

void HeadlessSetMonitorDpi(size_t monitor, UINT dpi) {
  SetMonitorDpi(monitor, dpi);
  if (monitor == 0)
    TheWorld().systemDpi = dpi;
}

void HeadlessChangeMonitorDpi(size_t monitor, UINT dpi) {
  struct Told {
    HWND window;
    UINT previous;
  };
  std::vector<Told> told;
  const std::vector<RECT> monitors = MonitorRects();
  for (HWND window : TopLevelWindows()) {
    const WindowRecord* record = FindWindowRecord(window);
    if (monitor < monitors.size() && IsPerMonitor(record->awareness) &&
        CentreLiesOn(window, monitors[monitor]))
      told.push_back({window, MonitorDpiFor(record->awareness, MonitorOfWindow(window))});
  }
  SetMonitorDpi(monitor, dpi);
  for (const Told& t : told) {
    if (!FindWindowRecord(t.window) || t.previous == dpi)
      continue;
    const RECT rect = ScreenRect(t.window);
    RECT suggested = {rect.left, rect.top, rect.left + Scaled(rect.right - rect.left, dpi, t.previous),
                      rect.top + Scaled(rect.bottom - rect.top, dpi, t.previous)};
    DeliverMessage(t.window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested),
                   false);
  }
}

void HeadlessSetWindowDpiAwareness(HWND window, DPI_AWARENESS_CONTEXT context) {
  WindowRecord* record = FindWindowRecord(window);
  const DPI_AWARENESS_CONTEXT awareness = PseudoContext(context);
  if (!record || !awareness)
    throw std::invalid_argument("no such window or no such DPI awareness");
  record->awareness = awareness;
}

DPI_AWARENESS_CONTEXT HeadlessWindowDpiAwareness(HWND window) {
  const WindowRecord* record = FindWindowRecord(window);
  return record ? record->awareness : nullptr;
}

DPI_AWARENESS_CONTEXT HeadlessThreadDpiAwareness() {
  return TheWorld().threadAwareness;
}
