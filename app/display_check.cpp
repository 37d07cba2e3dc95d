#include "app/display_check.h"

#include "app/error_report.h"
#include "app/saver_state.h"
#include "host/system_files.h"

namespace {

const int kLowestDepth = 8;
const int kHighestDepth = 32;
const char* const kDisplaySettingsTitle = "Display Properties";
// The same window's title on a Japanese system, in code page 932.
const char kJapaneseDisplaySettingsTitle[] = "\x89\xE6\x96\xCA \x82\xCC\xCC\xDF\xDB\xCA\xDF\xC3\xA8";
const char kControlPanel[] = "control.exe";
char displaySettingsCommand[] = "control desk.cpl,@0,3";

bool DisplaySettingsOpen() {
  return FindWindowA(nullptr, kDisplaySettingsTitle) || FindWindowA(nullptr, kJapaneseDisplaySettingsTitle);
}

// Windows 95 keeps the control panel in the Windows folder, later systems in the system folder.
bool ControlPanelPath(char (&path)[MAX_PATH]) {
  if (!FolderFilePath(GetSystemDirectoryA, kControlPanel, path))
    return false;
  return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES ||
         FolderFilePath(GetWindowsDirectoryA, kControlPanel, path);
}

}  // namespace

BOOL CheckDisplayDepth(HWND window, const char* title, BOOL report, BOOL offerSettings) {
  HDC dc = GetDC(window);
  int depth = GetDeviceCaps(dc, BITSPIXEL);
  ReleaseDC(window, dc);
  if (depth >= kLowestDepth && depth <= kHighestDepth)
    return TRUE;
  if (report == 1)
    ReportError(window, title, ErrorKind::kDisplayDepth);
  if (offerSettings == 1 && !DisplaySettingsOpen())
    OpenDisplaySettings();
  return FALSE;
}

BOOL OpenDisplaySettings() {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwXSize = 640;
  startup.dwYSize = 480;
  startup.wShowWindow = SW_SHOW;
  PROCESS_INFORMATION process = {};
  char application[MAX_PATH];
  if (!ControlPanelPath(application) || !CreateProcessA(application, displaySettingsCommand, nullptr, nullptr,
                                                        FALSE, 0, nullptr, nullptr, &startup, &process)) {
    MessageBoxA(nullptr, "setup screen saver", "Error", MB_OK);
    return FALSE;
  }
  CloseHandle(process.hThread);
  if (WaitForSingleObject(process.hProcess, INFINITE) != WAIT_FAILED) {
    DWORD exitCode = 0;
    GetExitCodeProcess(process.hProcess, &exitCode);
  }
  CloseHandle(process.hProcess);
  return TRUE;
}

BOOL CheckDisplayForConfiguration() {
  return CheckDisplayDepth(nullptr, kSaverTitle, 1, 1);
}
