// The saver's persistent settings, described by a table and read from and written to the registry
// through it.
#pragma once
#include <windows.h>

enum SettingStatus : int { kSettingOk = 1, kSettingWriteFailed = 2, kSettingNotRead = 3 };

struct SettingValue {
  const char* name;
  DWORD type;
  void* data;
  DWORD size;
  int status;
  const DWORD* defaultValue;
  DWORD highest;  // a larger value, read or left from before, is replaced by the default
  int fromUser;   // 1 when the last read took the value from the user's own key
};

// The key lives below `root`; a user who may not write there keeps the setting at the same path
// below `userRoot`, and a value found there wins.
struct SettingsKey {
  HKEY root;
  const char* parentPath;
  const char* subPath;
  int valueCount;
  SettingValue* values;
  HKEY userRoot;
};

extern DWORD soundSetting;
// See scale_factor.h.
extern DWORD sizeSetting;
// kMainMonitor or kEveryMonitor.
extern DWORD monitorsSetting;

// Values of the Monitors setting.
const DWORD kMainMonitor = 0;
const DWORD kEveryMonitor = 1;
// The value table is filled once per process.
extern bool settingsInitialised;
extern SettingsKey settingsKey;

// Every setting as the saver and the dialog use it: read (the user's key first, then the machine's),
// with the default for a value neither key holds or one out of its range. 1 when the saver's key
// was opened below either root.
int LoadSettings(HWND window);
// 1 when the saver's key was opened below either root.
int ReadSettings(HWND window, SettingsKey* key);
int ReadSettingValue(HKEY openKey, SettingValue* value);
// Tells the scene's sound gate the loaded setting.
int ApplySoundSetting();
// Writes below `root`; where that fails, or where the user's own key holds the value, below
// `userRoot` too. 1 when either key was written.
int WriteSettings(HWND window, SettingsKey* key);
int WriteSettingValue(HKEY openKey, SettingValue* value);
