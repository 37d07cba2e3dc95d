// Power setting notifications: the windows that hear of the display's power state.
#include <cstddef>
#include <cstring>

#include "world.h"

const GUID GUID_CONSOLE_DISPLAY_STATE = {
    0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};

namespace {

const uintptr_t kFirstNotification = 0xB000;
const uintptr_t kNotificationSpacing = 0x10;

// The display state as POWERBROADCAST_SETTING, in a block of exactly its size.
std::vector<BYTE> DisplayStateSetting(DWORD state) {
  const DWORD length = sizeof state;
  std::vector<BYTE> block(offsetof(POWERBROADCAST_SETTING, Data) + length);
  std::memcpy(block.data() + offsetof(POWERBROADCAST_SETTING, PowerSetting), &GUID_CONSOLE_DISPLAY_STATE,
              sizeof(GUID));
  std::memcpy(block.data() + offsetof(POWERBROADCAST_SETTING, DataLength), &length, sizeof length);
  std::memcpy(block.data() + offsetof(POWERBROADCAST_SETTING, Data), &state, length);
  return block;
}

}  // namespace

// Only windows are recipients here; services are not.
HPOWERNOTIFY WINAPI RegisterPowerSettingNotification(HANDLE recipient, LPCGUID setting, DWORD flags) {
  LogCall("RegisterPowerSettingNotification", recipient, " flags=", flags);
  World& world = TheWorld();
  const HWND window = static_cast<HWND>(recipient);
  if (flags != DEVICE_NOTIFY_WINDOW_HANDLE || !setting || !FindWindowRecord(window) ||
      ShouldFail("RegisterPowerSettingNotification"))
    return nullptr;
  const HPOWERNOTIFY handle = reinterpret_cast<HPOWERNOTIFY>(
      kFirstNotification + world.powerRegistrations.size() * kNotificationSpacing);
  world.powerRegistrations.push_back({handle, window, *setting, true});
  if (*setting == GUID_CONSOLE_DISPLAY_STATE) {
    world.queuedPowerSettings.push_back(DisplayStateSetting(world.displayState));
    HeadlessSendFromOtherThread(window, WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE,
                                reinterpret_cast<LPARAM>(world.queuedPowerSettings.back().data()));
  }
  return handle;
}

BOOL WINAPI UnregisterPowerSettingNotification(HPOWERNOTIFY notification) {
  LogCall("UnregisterPowerSettingNotification", notification);
  for (PowerRegistration& registration : TheWorld().powerRegistrations) {
    if (registration.live && registration.handle == notification) {
      registration.live = false;
      return TRUE;
    }
  }
  return FALSE;
}

void HeadlessSetDisplayState(DWORD state) {
  World& world = TheWorld();
  if (state == world.displayState)
    return;
  world.displayState = state;
  // By index: a window may register or unregister while it hears of the change.
  for (size_t i = 0; i < world.powerRegistrations.size(); ++i) {
    const PowerRegistration registration = world.powerRegistrations[i];
    if (!registration.live || registration.setting != GUID_CONSOLE_DISPLAY_STATE)
      continue;
    std::vector<BYTE> setting = DisplayStateSetting(state);
    DeliverMessage(registration.window, WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE,
                   reinterpret_cast<LPARAM>(setting.data()), false);
  }
}

int HeadlessPowerRegistrations() {
  int live = 0;
  for (const PowerRegistration& registration : TheWorld().powerRegistrations)
    live += registration.live ? 1 : 0;
  return live;
}
