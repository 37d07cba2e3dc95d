#include "host/password.h"

#include <cstdlib>
#include <cstring>

#include "app/module_entry.h"
#include "host/entry.h"
#include "host/host_state.h"
#include "host/system_files.h"

namespace {

typedef DWORD(WINAPI* ChangePasswordEntry)(LPCSTR provider, HWND owner, DWORD flags, LPVOID reserved);

// The setting is a number: a DWORD as the control panel writes it, or its decimal text ("0", "1")
// as other tools and older systems do.
bool PasswordRequested() {
  HKEY desktop = nullptr;
  if (RegOpenKeyA(HKEY_CURRENT_USER, "Control Panel\\Desktop", &desktop) != ERROR_SUCCESS)
    return false;
  char stored[16] = {};
  DWORD type = REG_NONE;
  DWORD size = sizeof stored - 1;  // text stays terminated
  const bool read = RegQueryValueExA(desktop, "ScreenSaveUsePassword", nullptr, &type,
                                     reinterpret_cast<LPBYTE>(stored), &size) == ERROR_SUCCESS;
  RegCloseKey(desktop);
  if (!read)
    return false;
  if (type == REG_SZ)
    return std::strtoul(stored, nullptr, 10) != 0;
  DWORD value = 0;
  std::memcpy(&value, stored, sizeof value);
  return size <= sizeof value && value != 0;
}

HMODULE LoadSystemLibrary(const char* fileName) {
  char path[MAX_PATH];
  return FolderFilePath(GetSystemDirectoryA, fileName, path) ? LoadLibraryA(path) : nullptr;
}

}  // namespace

void LoadPasswordVerifier() {
  if (!hostState.onWindows95)
    return;
  if (hostState.verifierLibrary)
    UnloadPasswordVerifier();
  if (!PasswordRequested())
    return;
  hostState.verifierLibrary = LoadSystemLibrary("PASSWORD.CPL");
  if (!hostState.verifierLibrary)
    return;
  hostState.verifyPassword =
      ModuleEntry<VerifyPasswordEntry>(hostState.verifierLibrary, "VerifyScreenSavePwd");
  if (hostState.verifyPassword) {
    SetSaverRunning(TRUE);
  } else {
    UnloadPasswordVerifier();
  }
}

void UnloadPasswordVerifier() {
  if (!hostState.onWindows95 || !hostState.verifierLibrary)
    return;
  FreeLibrary(hostState.verifierLibrary);
  hostState.verifierLibrary = nullptr;
  if (hostState.verifyPassword) {
    hostState.verifyPassword = nullptr;
    SetSaverRunning(FALSE);
  }
}

void ChangePassword(HWND owner) {
  HMODULE library = LoadSystemLibrary("MPR.DLL");
  if (!library)
    return;
  auto change = ModuleEntry<ChangePasswordEntry>(library, "PwdChangePasswordA");
  if (change)
    change("SCRSAVE", owner, 0, nullptr);
  FreeLibrary(library);
}
