// The display monitors: the primary one covers the screen from (0, 0); others lie around it.
#include <algorithm>
#include <stdexcept>

#include "world.h"

namespace {

const uintptr_t kFirstMonitor = 0x9000;
const uintptr_t kMonitorSpacing = 0x10;

bool IsEmpty(const RECT& rect) {
  return rect.right <= rect.left || rect.bottom <= rect.top;
}

// As IntersectRect: an empty rectangle meets nothing.
bool Intersect(const RECT& a, const RECT& b) {
  return !IsEmpty(a) && !IsEmpty(b) && a.left < b.right && b.left < a.right && a.top < b.bottom &&
         b.top < a.bottom;
}

int64_t OverlapArea(const RECT& a, const RECT& b) {
  if (!Intersect(a, b))
    return 0;
  const int64_t width = std::min(a.right, b.right) - std::max(a.left, b.left);
  const int64_t height = std::min(a.bottom, b.bottom) - std::max(a.top, b.top);
  return width * height;
}

// How far apart the nearest pixels of two spans lie along one axis (0 where the spans meet).
int64_t Gap(LONG aLow, LONG aHigh, LONG bLow, LONG bHigh) {
  return std::max<int64_t>({0, int64_t{bLow} - aHigh + 1, int64_t{aLow} - bHigh + 1});
}

void CheckLayout(const std::vector<RECT>& monitors) {
  if (monitors.empty() || monitors[0].left != 0 || monitors[0].top != 0)
    throw std::invalid_argument("the primary monitor must come first and lie at (0, 0)");
  for (size_t i = 0; i < monitors.size(); ++i) {
    if (IsEmpty(monitors[i]))
      throw std::invalid_argument("monitor " + std::to_string(i) + " is empty");
    for (size_t j = 0; j < i; ++j) {
      if (Intersect(monitors[i], monitors[j]))
        throw std::invalid_argument("monitors " + std::to_string(j) + " and " + std::to_string(i) +
                                    " overlap");
    }
  }
}

}  // namespace

std::vector<RECT> MonitorRects() {
  const World& world = TheWorld();
  std::vector<RECT> monitors = {{0, 0, world.screenWidth, world.screenHeight}};
  monitors.insert(monitors.end(), world.otherMonitors.begin(), world.otherMonitors.end());
  return monitors;
}

HMONITOR HandleOfMonitor(size_t index) {
  return reinterpret_cast<HMONITOR>(kFirstMonitor + index * kMonitorSpacing);
}

long IndexOfMonitor(HMONITOR monitor) {
  const uintptr_t value = reinterpret_cast<uintptr_t>(monitor);
  if (value < kFirstMonitor || (value - kFirstMonitor) % kMonitorSpacing != 0)
    return -1;
  const uintptr_t index = (value - kFirstMonitor) / kMonitorSpacing;
  return index < MonitorRects().size() ? static_cast<long>(index) : -1;
}

HMONITOR MonitorOfArea(const RECT& area, DWORD flags) {
  const std::vector<RECT> monitors = MonitorRects();
  size_t best = 0;
  int64_t bestArea = 0;
  for (size_t i = 0; i < monitors.size(); ++i) {
    const int64_t overlap = OverlapArea(area, monitors[i]);
    if (overlap > bestArea) {
      best = i;
      bestArea = overlap;
    }
  }
  if (bestArea > 0 || flags == MONITOR_DEFAULTTOPRIMARY)
    return HandleOfMonitor(best);
  if (flags != MONITOR_DEFAULTTONEAREST)
    return nullptr;
  int64_t bestDistance = -1;
  for (size_t i = 0; i < monitors.size(); ++i) {
    const RECT& m = monitors[i];
    const int64_t dx = Gap(area.left, area.right, m.left, m.right);
    const int64_t dy = Gap(area.top, area.bottom, m.top, m.bottom);
    if (bestDistance < 0 || dx * dx + dy * dy < bestDistance) {
      best = i;
      bestDistance = dx * dx + dy * dy;
    }
  }
  return HandleOfMonitor(best);
}

BOOL WINAPI EnumDisplayMonitors(HDC dc, LPCRECT clip, MONITORENUMPROC callback, LPARAM data) {
  LogCall("EnumDisplayMonitors", dc, " clip=", clip);
  if (dc || !callback || ShouldFail("EnumDisplayMonitors"))
    return FALSE;
  const std::vector<RECT> monitors = MonitorRects();
  for (size_t index = 0; index < monitors.size(); ++index) {
    RECT monitor = monitors[index];
    if (clip && !Intersect(*clip, monitor))
      continue;
    if (!callback(HandleOfMonitor(index), nullptr, &monitor, data))
      return FALSE;
  }
  return TRUE;
}

BOOL WINAPI GetMonitorInfoA(HMONITOR monitor, LPMONITORINFO info) {
  LogCall("GetMonitorInfoA", monitor);
  const long index = IndexOfMonitor(monitor);
  if (index < 0 || !info || info->cbSize != sizeof(MONITORINFO) || ShouldFail("GetMonitorInfoA"))
    return FALSE;
  info->rcMonitor = MonitorRects()[static_cast<size_t>(index)];
  info->rcWork = info->rcMonitor;
  info->dwFlags = index == 0 ? MONITORINFOF_PRIMARY : 0;
  return TRUE;
}

// A window that is not there has no monitor, whatever the flags.
HMONITOR WINAPI MonitorFromWindow(HWND window, DWORD flags) {
  LogCall("MonitorFromWindow", window, " flags=", flags);
  if (!FindWindowRecord(window))
    return nullptr;
  return MonitorOfArea(ScreenRect(window), flags);
}

HMONITOR WINAPI MonitorFromPoint(POINT point, DWORD flags) {
  LogCall("MonitorFromPoint", point.x, ",", point.y, " flags=", flags);
  return MonitorOfArea(RECT{point.x, point.y, point.x + 1, point.y + 1}, flags);
}

void HeadlessSetMonitors(const std::vector<RECT>& monitors) {
  CheckLayout(monitors);
  World& world = TheWorld();
  world.screenWidth = monitors[0].right;
  world.screenHeight = monitors[0].bottom;
  world.otherMonitors.assign(monitors.begin() + 1, monitors.end());
  world.monitorDpis.resize(monitors.size(), USER_DEFAULT_SCREEN_DPI);
}

void HeadlessChangeDisplays(const std::vector<RECT>& monitors) {
  HeadlessSetMonitors(monitors);
  const World& world = TheWorld();
  const LPARAM size = MAKELPARAM(world.screenWidth, world.screenHeight);
  for (HWND window : TopLevelWindows())
    DeliverMessage(window, WM_DISPLAYCHANGE, static_cast<WPARAM>(world.bitsPerPixel), size, false);
}
