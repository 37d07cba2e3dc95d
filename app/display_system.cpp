#include "app/display_system.h"

#include <cstring>

#include "app/module_entry.h"

namespace {

typedef HRESULT(WINAPI* GetDpiForMonitorEntry)(HMONITOR monitor, int type, UINT* dpiX, UINT* dpiY);
typedef HMONITOR(WINAPI* MonitorFromWindowEntry)(HWND window, DWORD flags);
typedef HANDLE(WINAPI* RegisterPowerSettingEntry)(HANDLE recipient, LPCGUID setting, DWORD flags);
typedef BOOL(WINAPI* UnregisterPowerSettingEntry)(HANDLE registration);

const UINT kBaseDpi = 96;
const int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI: the DPI the user's scaling asks for
// GUID_CONSOLE_DISPLAY_STATE, spelt out so that no GUID library is needed.
const GUID kDisplayStateSetting = {
    0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};

struct DisplaySystem {
  bool lookedUp = false;
  HMODULE shellScaling = nullptr;
  GetDpiForMonitorEntry dpiForMonitor = nullptr;
  MonitorFromWindowEntry monitorFromWindow = nullptr;
  RegisterPowerSettingEntry registerPowerSetting = nullptr;
  UnregisterPowerSettingEntry unregisterPowerSetting = nullptr;
};

DisplaySystem displaySystem;

const DisplaySystem& LookedUp() {
  DisplaySystem& system = displaySystem;
  if (system.lookedUp)
    return system;
  system.lookedUp = true;
  if (HMODULE user = GetModuleHandleA("USER32.DLL")) {
    system.monitorFromWindow = ModuleEntry<MonitorFromWindowEntry>(user, "MonitorFromWindow");
    system.registerPowerSetting =
        ModuleEntry<RegisterPowerSettingEntry>(user, "RegisterPowerSettingNotification");
    system.unregisterPowerSetting =
        ModuleEntry<UnregisterPowerSettingEntry>(user, "UnregisterPowerSettingNotification");
  }
  system.shellScaling = LoadLibraryA("SHCORE.DLL");
  if (system.shellScaling)
    system.dpiForMonitor = ModuleEntry<GetDpiForMonitorEntry>(system.shellScaling, "GetDpiForMonitor");
  return system;
}

UINT SystemDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 0;
  if (screen)
    ReleaseDC(nullptr, screen);
  return dpi > 0 ? static_cast<UINT>(dpi) : kBaseDpi;
}

}  // namespace

UINT MonitorDpi(HMONITOR monitor) {
  const DisplaySystem& system = LookedUp();
  UINT dpiX = 0;
  UINT dpiY = 0;
  if (monitor && system.dpiForMonitor && system.dpiForMonitor(monitor, kEffectiveDpi, &dpiX, &dpiY) >= 0 &&
      dpiX > 0)
    return dpiX;
  return SystemDpi();
}

HMONITOR MonitorOfWindow(HWND window) {
  const DisplaySystem& system = LookedUp();
  return system.monitorFromWindow ? system.monitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY) : nullptr;
}

HANDLE WatchDisplayState(HWND window) {
  const DisplaySystem& system = LookedUp();
  return system.registerPowerSetting
             ? system.registerPowerSetting(window, &kDisplayStateSetting, DEVICE_NOTIFY_WINDOW_HANDLE)
             : nullptr;
}

void StopWatchingDisplayState(HANDLE registration) {
  const DisplaySystem& system = LookedUp();
  if (registration && system.unregisterPowerSetting)
    system.unregisterPowerSetting(registration);
}

long DisplayStateOf(WPARAM wParam, LPARAM lParam) {
  if (wParam != PBT_POWERSETTINGCHANGE || !lParam)
    return -1;
  const POWERBROADCAST_SETTING* setting = reinterpret_cast<const POWERBROADCAST_SETTING*>(lParam);
  DWORD state = 0;
  if (std::memcmp(&setting->PowerSetting, &kDisplayStateSetting, sizeof(GUID)) != 0 ||
      setting->DataLength < sizeof state)
    return -1;
  std::memcpy(&state, setting->Data, sizeof state);
  return static_cast<long>(state);
}

void ReleaseDisplaySystem() {
  if (displaySystem.shellScaling)
    FreeLibrary(displaySystem.shellScaling);
  displaySystem = DisplaySystem();
}
