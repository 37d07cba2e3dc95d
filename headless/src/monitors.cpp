// The display monitors: the primary one covers the screen from (0, 0); others lie around it.
#include <stdexcept>

#include "world.h"

namespace {

const uintptr_t kFirstMonitor = 0x9000;
const uintptr_t kMonitorSpacing = 0x10;

std::vector<RECT> Monitors() {
  const World& world = TheWorld();
  std::vector<RECT> monitors = {{0, 0, world.screenWidth, world.screenHeight}};
  monitors.insert(monitors.end(), world.otherMonitors.begin(), world.otherMonitors.end());
  return monitors;
}

HMONITOR HandleOfMonitor(size_t index) {
  return reinterpret_cast<HMONITOR>(kFirstMonitor + index * kMonitorSpacing);
}

// The monitor's index, or -1 for anything that is not a monitor's handle.
long IndexOfMonitor(HMONITOR monitor) {
  const uintptr_t value = reinterpret_cast<uintptr_t>(monitor);
  if (value < kFirstMonitor || (value - kFirstMonitor) % kMonitorSpacing != 0)
    return -1;
  const uintptr_t index = (value - kFirstMonitor) / kMonitorSpacing;
  return index < Monitors().size() ? static_cast<long>(index) : -1;
}

bool IsEmpty(const RECT& rect) {
  return rect.right <= rect.left || rect.bottom <= rect.top;
}

// As IntersectRect: an empty rectangle meets nothing.
bool Intersect(const RECT& a, const RECT& b) {
  return !IsEmpty(a) && !IsEmpty(b) && a.left < b.right && b.left < a.right && a.top < b.bottom &&
         b.top < a.bottom;
}

}  // namespace

BOOL WINAPI EnumDisplayMonitors(HDC dc, LPCRECT clip, MONITORENUMPROC callback, LPARAM data) {
  LogCall("EnumDisplayMonitors", dc, " clip=", clip);
  if (dc || !callback || ShouldFail("EnumDisplayMonitors"))
    return FALSE;
  const std::vector<RECT> monitors = Monitors();
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
  info->rcMonitor = Monitors()[static_cast<size_t>(index)];
  info->rcWork = info->rcMonitor;
  info->dwFlags = index == 0 ? MONITORINFOF_PRIMARY : 0;
  return TRUE;
}

void HeadlessSetMonitors(const std::vector<RECT>& monitors) {
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
  World& world = TheWorld();
  world.screenWidth = monitors[0].right;
  world.screenHeight = monitors[0].bottom;
  world.otherMonitors.assign(monitors.begin() + 1, monitors.end());
}
