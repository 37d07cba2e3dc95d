#include "app/settings.h"

#include <cstring>

#include "scene/sound_cues.h"

DWORD soundSetting = 0;
DWORD sizeSetting = 0;
DWORD monitorsSetting = 0;
bool settingsInitialised = false;

namespace {

const DWORD kSoundOnByDefault = 1;
const DWORD kSoundHighest = 1;
const DWORD kZeroByDefault = 0;
const DWORD kSizeHighest = 2;
const DWORD kMonitorsHighest = 1;
const int kSettingCount = 3;
const REGSAM kReadAccess = KEY_READ;
const REGSAM kWriteParentAccess = KEY_READ | KEY_SET_VALUE | KEY_CREATE_SUB_KEY;
const REGSAM kWriteAccess = KEY_ALL_ACCESS;

SettingValue settingValues[kSettingCount];

// Takes each value that the user's own key holds and that fits its storage; the rest are left as
// they were. 1 when the user's key was opened.
int ReadUserValues(SettingsKey* key) {
  if (!key->userRoot)
    return 0;
  HKEY parent = nullptr;
  if (RegOpenKeyExA(key->userRoot, key->parentPath, 0, kReadAccess, &parent) != ERROR_SUCCESS)
    return 0;
  HKEY userKey = nullptr;
  const bool opened = RegOpenKeyA(parent, key->subPath, &userKey) == ERROR_SUCCESS;
  for (int i = 0; opened && i < key->valueCount; ++i) {
    SettingValue& value = key->values[i];
    DWORD stored = 0;
    if (RegQueryValueExA(userKey, value.name, nullptr, nullptr, nullptr, &stored) == ERROR_SUCCESS &&
        stored <= value.size && ReadSettingValue(userKey, &value)) {
      value.fromUser = 1;
    }
  }
  if (opened)
    RegCloseKey(userKey);
  RegCloseKey(parent);
  return opened ? 1 : 0;
}

// A value that the machine's key refused, or that the user's own key holds and so would hide the
// machine's, must be written to the user's key.
bool UserKeyWanted(const SettingsKey* key) {
  for (int i = 0; i < key->valueCount; ++i) {
    if (key->values[i].status == kSettingWriteFailed || key->values[i].fromUser)
      return true;
  }
  return false;
}

int WriteSettingsBelow(HKEY root, SettingsKey* key) {
  if (!root)
    return 0;
  HKEY parent = nullptr;
  if (RegOpenKeyExA(root, key->parentPath, 0, kWriteParentAccess, &parent) != ERROR_SUCCESS)
    return 0;
  HKEY saverKey = nullptr;
  DWORD disposition = 0;
  char noClass[] = "";
  if (RegCreateKeyExA(parent, key->subPath, 0, noClass, REG_OPTION_NON_VOLATILE, kWriteAccess, nullptr,
                      &saverKey, &disposition) != ERROR_SUCCESS) {
    RegCloseKey(parent);
    return 0;
  }
  if (disposition != REG_CREATED_NEW_KEY && disposition != REG_OPENED_EXISTING_KEY) {
    RegCloseKey(saverKey);
    RegCloseKey(parent);
    return 0;
  }
  for (int i = 0; i < key->valueCount; ++i)
    WriteSettingValue(saverKey, &key->values[i]);
  RegCloseKey(saverKey);
  RegCloseKey(parent);
  return 1;
}

}  // namespace

SettingsKey settingsKey = {HKEY_LOCAL_MACHINE, "SOFTWARE",    "NUVARIS\\ORUScreenSaver\\LOMLOM_ACTION_2",
                           kSettingCount,      settingValues, HKEY_CURRENT_USER};

namespace {

void InitSettings() {
  if (settingsInitialised)
    return;
  settingValues[0] = {"Sound",    REG_DWORD,          &soundSetting, sizeof soundSetting,
                      kSettingOk, &kSoundOnByDefault, kSoundHighest, 0};
  settingValues[1] = {"Size",     REG_DWORD,       &sizeSetting, sizeof sizeSetting,
                      kSettingOk, &kZeroByDefault, kSizeHighest, 0};
  settingValues[2] = {"Monitors", REG_DWORD,       &monitorsSetting, sizeof monitorsSetting,
                      kSettingOk, &kZeroByDefault, kMonitorsHighest, 0};
  settingsInitialised = true;
}

// A value that was not read takes its default, and so does one above its highest.
void ApplySettingDefaults(SettingsKey* key) {
  for (int i = 0; i < key->valueCount; ++i) {
    SettingValue& value = key->values[i];
    DWORD stored = 0;
    std::memcpy(&stored, value.data, sizeof stored);
    if (value.status == kSettingNotRead || stored > value.highest)
      std::memcpy(value.data, value.defaultValue, sizeof(DWORD));
  }
}

}  // namespace

int ReadSettingValue(HKEY openKey, SettingValue* value) {
  DWORD type = value->type;
  DWORD size = value->size;
  if (RegQueryValueExA(openKey, value->name, nullptr, &type, static_cast<LPBYTE>(value->data), &size) !=
      ERROR_SUCCESS) {
    value->status = kSettingNotRead;
    return 0;
  }
  value->type = type;
  value->size = size;
  value->status = kSettingOk;
  return 1;
}

int ReadSettings(HWND, SettingsKey* key) {
  for (int i = 0; i < key->valueCount; ++i)
    key->values[i].fromUser = 0;
  const int userKeyRead = ReadUserValues(key);
  HKEY parent = nullptr;
  if (RegOpenKeyExA(key->root, key->parentPath, 0, kReadAccess, &parent) != ERROR_SUCCESS)
    return userKeyRead;
  HKEY saverKey = nullptr;
  if (RegOpenKeyA(parent, key->subPath, &saverKey) != ERROR_SUCCESS) {
    for (int i = 0; i < key->valueCount; ++i) {
      if (!key->values[i].fromUser)
        key->values[i].status = kSettingNotRead;
    }
    RegCloseKey(parent);
    return userKeyRead;
  }
  for (int i = 0; i < key->valueCount; ++i) {
    if (!key->values[i].fromUser)
      ReadSettingValue(saverKey, &key->values[i]);
  }
  RegCloseKey(saverKey);
  RegCloseKey(parent);
  return 1;
}

int LoadSettings(HWND window) {
  InitSettings();
  const int opened = ReadSettings(window, &settingsKey);
  ApplySettingDefaults(&settingsKey);
  return opened;
}

int ApplySoundSetting() {
  SoundEnabled = static_cast<int>(soundSetting);
  return 1;
}

int WriteSettingValue(HKEY openKey, SettingValue* value) {
  if (RegSetValueExA(openKey, value->name, 0, value->type, static_cast<const BYTE*>(value->data),
                     value->size) != ERROR_SUCCESS) {
    value->status = kSettingWriteFailed;
    return 0;
  }
  value->status = kSettingOk;
  return 1;
}

int WriteSettings(HWND, SettingsKey* key) {
  const int machineWritten = WriteSettingsBelow(key->root, key);
  if (machineWritten && !UserKeyWanted(key))
    return 1;
  return WriteSettingsBelow(key->userRoot, key) || machineWritten;
}
