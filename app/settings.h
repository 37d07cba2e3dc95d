// The saver's one persistent setting, described by a table and read from and written to the
// registry through it.
#pragma once
#include <windows.h>

enum SettingStatus : int { SettingOk = 1, SettingWriteFailed = 2, SettingNotRead = 3 };

struct SettingValue {
  const char* name;
  DWORD type;
  void* data;
  DWORD size;
  int status;
  const DWORD* defaultValue;
};

struct SettingsKey {
  HKEY root;
  const char* parentPath;
  const char* subPath;
  int valueCount;
  SettingValue* values;
};

extern DWORD soundSetting;
// The value table is filled once per process.
extern bool settingsInitialised;
extern SettingsKey settingsKey;

int InitSettings();
int ReadSettings(HWND window, SettingsKey* key);
int ReadSettingValue(HKEY openKey, SettingValue* value);
int ApplySettingDefaults(SettingsKey* key);
int ApplySoundSetting();
int WriteSettings(HWND window, SettingsKey* key);
int WriteSettingValue(HKEY openKey, SettingValue* value);
