#include "host/password.h"

#include "host/entry.h"
#include "host/host_state.h"
#include "host/module_entry.h"
#include "host/system_files.h"

namespace {

typedef DWORD(WINAPI* ChangePasswordEntry)(LPCSTR provider, HWND owner, DWORD flags, LPVOID reserved);

bool PasswordRequested() {
  HKEY desktop = nullptr;
  if (RegOpenKeyA(HKEY_CURRENT_USER, "Control Panel\\Desktop", &desktop) != ERROR_SUCCESS)
    return false;
  DWORD value = 0;
  DWORD size = sizeof value;
  bool requested = RegQueryValueExA(desktop, "ScreenSaveUsePassword", nullptr, nullptr,
                                    reinterpret_cast<LPBYTE>(&value), &size) == ERROR_SUCCESS &&
                   value != 0;
  RegCloseKey(desktop);
  return requested;
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
