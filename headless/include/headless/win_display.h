// USER: DPI awareness and DPIs, display changes and power setting notifications. Programs look
// these up at run time: Windows before 10 (and 95 for all of them) lacks them.
#pragma once
#include "win_types.h"

#define USER_DEFAULT_SCREEN_DPI 96

#define WM_DISPLAYCHANGE 0x007E
#define WM_POWERBROADCAST 0x0218
#define WM_DPICHANGED 0x02E0
#define PBT_POWERSETTINGCHANGE 0x8013
#define DEVICE_NOTIFY_WINDOW_HANDLE 0x00000000

typedef HANDLE HPOWERNOTIFY;

// What WM_POWERBROADCAST's lParam points to for PBT_POWERSETTINGCHANGE: DataLength bytes of data.
typedef struct {
  GUID PowerSetting;
  DWORD DataLength;
  UCHAR Data[1];
} POWERBROADCAST_SETTING, *PPOWERBROADCAST_SETTING;

// Data: a DWORD, 0 when the display is off, 1 when on, 2 when dimmed.
extern const GUID GUID_CONSOLE_DISPLAY_STATE;

UINT WINAPI GetDpiForWindow(HWND window);
UINT WINAPI GetDpiForSystem(void);
DPI_AWARENESS_CONTEXT WINAPI SetThreadDpiAwarenessContext(DPI_AWARENESS_CONTEXT context);
DPI_AWARENESS_CONTEXT WINAPI GetWindowDpiAwarenessContext(HWND window);
HPOWERNOTIFY WINAPI RegisterPowerSettingNotification(HANDLE recipient, LPCGUID setting, DWORD flags);
BOOL WINAPI UnregisterPowerSettingNotification(HPOWERNOTIFY notification);
